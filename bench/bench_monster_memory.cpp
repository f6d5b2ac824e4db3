// Peak memory of play on a map crowded with monsters of one kind: the
// busiest demo map's first monster repeated 1 and 201 times along it, each
// count played in a process of its own (peak resident memory only grows),
// and what every monster past the first adds.
//
//   bench_monster_memory [DATA_DIR]     (default: the build's demo world)

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "actors/monster_set.h"
#include "app/game_app.h"
#include "content/enemy_file_writer.h"
#include "formats/enemy_file.h"
#include "game/world.h"
#include "play_start.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "world/field.h"

namespace {

constexpr int kFrames = 120;

void enterMap(velk::HeadlessBackend& backend, CGameApp& app, int map) {
    g_field->mapNumber = map - 1;
    GameState = kStateNextMap;
    backend.pumpEvents();
    app.frame();
}

// The map with the most monsters.
int busiestMap(const std::string& data) {
    int best = -1;
    size_t most = 0;
    for (int map = 0; map < 40; ++map) {
        std::vector<MonsterRecord> records;
        velk::setDataDirectory(data);
        if (velk::loadMonsterFile(map, records) == velk::EnemyFileResult::Loaded && records.size() > most) {
            best = map;
            most = records.size();
        }
    }
    return best;
}

// The peak resident memory of this process in KiB (VmHWM), or -1.
long peakKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

// Plays `count` copies of the map's first monster in a child process; its peak KiB.
long playCrowd(const std::string& data, int map, const MonsterRecord& one, size_t count) {
    std::vector<MonsterRecord> crowd;
    for (size_t i = 0; i < count; ++i) {
        MonsterRecord m = one;
        m.x = 64 + int32_t(i * 97 % 2000);
        crowd.push_back(m);
    }
    std::ofstream(data + "/" + velk::monsterFileName(map), std::ios::binary | std::ios::trunc)
        << velk::monsterFileText(crowd);

    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) {
        close(pipeFds[0]);
        velk::HeadlessBackend backend;
        velk::Options options;
        options.skipTitle = true;
        long peak = -1;
        {
            CGameApp app(&backend, options);
            bench::startPlay(app, backend, data, "bench_monster_memory");
            enterMap(backend, app, map);
            for (int i = 0; i < kFrames; ++i) {
                backend.pumpEvents();
                app.frame();
            }
            if (g_world->monsters && g_world->monsters->monsters.size() == count) peak = peakKiB();
        }
        if (write(pipeFds[1], &peak, sizeof peak) != sizeof peak) _exit(1);
        _exit(0);
    }
    close(pipeFds[1]);
    long peak = -1;
    if (read(pipeFds[0], &peak, sizeof peak) != sizeof peak) peak = -1;
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return peak;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string source = argc > 1 ? argv[1] : std::string(VELK_BINARY_DIR) + "/data";
    const std::string data = bench::copyData(source);
    const int map = busiestMap(data);
    std::vector<MonsterRecord> own;
    velk::setDataDirectory(data);
    if (map < 0 || velk::loadMonsterFile(map, own) != velk::EnemyFileResult::Loaded || own.empty()) {
        std::fprintf(stderr, "bench_monster_memory: no map with monsters in %s\n", source.c_str());
        return 1;
    }
    const long one = playCrowd(data, map, own[0], 1);
    const long many = playCrowd(data, map, own[0], 201);
    std::filesystem::remove_all(data);
    if (one < 0 || many < 0) {
        std::fprintf(stderr, "bench_monster_memory: a run failed\n");
        return 1;
    }
    std::printf("peak resident memory, map %d, monsters of sprite set %d, %d frames:\n", map, own[0].spriteSet,
                kFrames);
    std::printf("  1 monster: %ld KiB\n  201 monsters: %ld KiB\n  per extra monster: %.1f KiB\n", one, many,
                double(many - one) / 200.0);
    return 0;
}
