// The cost of one paced play frame in a fight: on the demo map with the most
// monsters, every monster awake and facing the hero, 30 shots in flight and
// 50 coins on the ground; then a stress case of 200 monsters (the map's own
// repeated along it, from a monster file written for the run) and 300 shots;
// then a table of 0 to 256 shooting monsters, as many shots kept in flight
// (half of them the hero's), to show how the cost grows with both.
//
//   bench_combat_frame [DATA_DIR]     (default: the build's demo world)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <fstream>

#include "formats/enemy_file.h"
#include "actors/monster_kinds.h"
#include "actors/monster_set.h"
#include "content/enemy_file_writer.h"
#include "app/game_app.h"
#include "play_start.h"
#include "game/world.h"
#include "items/drop_list.h"
#include "items/inventory.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_state.h"
#include "world/field.h"

namespace {

constexpr int kFrames = 600;

struct Load {
    int shots, coins;
    int heroShots = 0;  // of the shots, the hero's (skill shots, which pass terrain)
};

struct Result {
    double medianMs, p95Ms;
    size_t monsters, shots;  // at the end of the run
    double meanShots;        // in flight after a frame
};

void enterMap(velk::HeadlessBackend& backend, CGameApp& app, int map) {
    g_field->mapNumber = map - 1;
    GameState = kStateNextMap;
    backend.pumpEvents();
    app.frame();
}

// Keeps the fight at `load` before every frame: shots and coins that ended
// are replaced, the hero never dies.
void keepLoad(const Load& load, int frame) {
    CWorld& w = *g_world;
    CPlayer& hero = *w.player;
    hero.heal(hero.maxHp - hero.hp, 0);
    const int32_t left = g_field->camera.x, top = g_field->camera.y;
    int heroShots = 0;
    for (const Shot& s : w.shots.shots) heroShots += !s.hostile;
    for (int i = heroShots; i < load.heroShots; ++i)
        w.shots.fire(left + (i * 41 + frame * 13) % 800, top + 100 + (i * 59) % 400, i % 2, kShotStraight,
                     uint8_t(i % 2), 0, 1);
    for (int i = int(w.shots.shots.size()); i < load.shots; ++i)
        w.shots.fire(left + (i * 37 + frame * 11) % 800, top + 100 + (i * 53) % 400, i % 2, kShotStraight,
                     uint8_t(i % 2), 1, 0);
    CDropList& drops = g_world->drops;
    for (int i = int(std::distance(drops.coins.begin(), drops.coins.end())); i < load.coins; ++i)
        drops.addCoins(left + (i * 71) % 800, top + 200, 0, 5);
}

Result measure(const std::string& data, int map, const Load& load) {
    velk::HeadlessBackend backend;
    velk::Options options;
    options.skipTitle = true;
    CGameApp app(&backend, options);
    bench::startPlay(app, backend, data, "bench_combat_frame");
    enterMap(backend, app, map);
    for (CMonster& m : g_world->monsters->monsters) m.aggro = 2;

    std::vector<double> ms;
    double shots = 0;
    for (int i = 0; i < kFrames; ++i) {
        keepLoad(load, i);
        backend.setKey(dik::kLCtrl, i % 8 < 4);
        backend.pumpEvents();
        const auto t0 = std::chrono::steady_clock::now();
        app.frame();
        const auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        shots += double(g_world->shots.shots.size());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], g_world->monsters->monsters.size(),
            g_world->shots.shots.size(), shots / kFrames};
}

// The map with the most monsters, and how many.
std::pair<int, size_t> busiestMap(const std::string& data) {
    velk::setDataDirectory(data);
    velk::HeadlessBackend backend;
    velk::Options options;
    options.skipTitle = true;
    CGameApp app(&backend, options);
    if (!app.init()) return {-1, 0};
    while (GameState != kStatePlay) {
        backend.pumpEvents();
        app.frame();
    }
    std::pair<int, size_t> best{-1, 0};
    for (int map = 0; map < 40; ++map) {
        if (!std::filesystem::exists(data + "/maps/map_" + std::to_string(map) + ".mmf")) continue;
        enterMap(backend, app, map);
        const size_t n = g_world->monsters ? g_world->monsters->monsters.size() : 0;
        if (n > best.second) best = {map, n};
    }
    return best;
}

void writeMonsters(const std::string& data, int map, const std::vector<MonsterRecord>& own, size_t count) {
    std::vector<MonsterRecord> many;
    for (size_t i = 0; i < count; ++i) {
        MonsterRecord m = own[i % own.size()];
        m.x = 64 + int32_t(i * 97 % 2000);
        many.push_back(m);
    }
    std::ofstream(data + "/" + velk::monsterFileName(map), std::ios::binary | std::ios::trunc)
        << velk::monsterFileText(many);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string source = argc > 1 ? argv[1] : std::string(VELK_BINARY_DIR) + "/data";
    // Play a copy: the run saves at the end.
    const std::string data = bench::copyData(source);

    const int map = busiestMap(data).first;
    if (map < 0) return 1;
    std::printf("paced combat frame, %d frames, hero attacking where the map starts it:\n", kFrames);
    const Result fight = measure(data, map, {30, 50});
    std::printf("  map %d, %zu monsters awake, 30 shots, 50 coins: median %.3f ms, 95th percentile %.3f ms\n", map,
                fight.monsters, fight.medianMs, fight.p95Ms);
    // The stress map: the busiest map's monsters repeated along it to 200.
    std::vector<MonsterRecord> own;
    velk::setDataDirectory(data);
    velk::loadMonsterFile(map, own);
    writeMonsters(data, map, own, 200);
    const Result stress = measure(data, map, {300, 50});
    std::printf("  map %d, %zu monsters, %zu shots, 50 coins: median %.3f ms, 95th percentile %.3f ms\n", map,
                stress.monsters, stress.shots, stress.medianMs, stress.p95Ms);

    // Shooters only: the map's first monster of a kind that fires, as the gunner otherwise.
    MonsterRecord shooter = own[0];
    shooter.kind = 6;
    for (const MonsterRecord& m : own)
        if (m.kind >= 0 && size_t(m.kind) < velk::monsterKinds().size() &&
            velk::monsterKinds()[size_t(m.kind)].shotLeft.spriteRow >= 0) {
            shooter = m;
            break;
        }
    std::printf("shooting monsters (kind %d), as many shots kept in flight (half the hero's), 50 coins:\n",
                shooter.kind);
    std::printf("  monsters  shots in flight (mean)  median ms  95th pct ms\n");
    for (size_t n : {0, 50, 100, 200, 256}) {
        writeMonsters(data, map, {shooter}, n);
        const Result r = measure(data, map, {int(n), 50, int(n) / 2});
        std::printf("  %8zu  %22.1f  %9.3f  %11.3f\n", r.monsters, r.meanShots, r.medianMs, r.p95Ms);
    }
    std::filesystem::remove_all(data);
    return 0;
}
