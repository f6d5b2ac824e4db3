// The cost of whole paced play frames in town life: the town with the
// elder's talk box open and typing its text, and the largest demo map with
// the minimap at each size (the large one shows the map's name too), all
// against the 60 ms pace.
//
//   bench_town_frame [DATA_DIR]     (default: the build's demo world)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "game/world.h"
#include "play_start.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_state.h"
#include "world/field.h"
#include "world/mini_map.h"

namespace {

constexpr int kFrames = 600;
constexpr int kElderTalk = 30;

struct Figures {
    double medianMs;
    double p95Ms;
    long paced;  // paced frames the timed passes ran
};

// Runs the game onto `map`, lets `prepare` set the scene and times kFrames
// paced frames, `beforeFrame` running ahead of each.
Figures measure(const std::string& data, int map, const std::function<void()>& prepare,
                const std::function<void(velk::HeadlessBackend&, int)>& beforeFrame) {
    velk::HeadlessBackend backend;
    velk::Options options;
    options.skipTitle = true;
    CGameApp app(&backend, options);
    bench::startPlay(app, backend, data, "bench_town_frame");
    if (g_field->mapNumber != map) {
        g_field->mapNumber = map - 1;
        GameState = kStateNextMap;
        backend.pumpEvents();
        app.frame();
    }
    prepare();
    const long pacedBefore = app.pacedFrames();
    std::vector<double> ms;
    for (int i = 0; i < kFrames; ++i) {
        beforeFrame(backend, i);
        backend.pumpEvents();
        const auto t0 = std::chrono::steady_clock::now();
        app.frame();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 95 / 100], app.pacedFrames() - pacedBefore};
}

// False, said, when a timed pass ran no paced frame: the figures would be empty passes.
bool print(const char* what, const Figures& f) {
    if (f.paced != kFrames) {
        std::printf("  %-52s only %ld of %d passes ran a paced frame\n", what, f.paced, kFrames);
        return false;
    }
    std::printf("  %-52s median %.3f ms, 95th percentile %.3f ms (%.1f%% of the pace)\n", what, f.medianMs,
                f.p95Ms, 100.0 * f.medianMs / 60.0);
    return true;
}

// The elder's index on the town's list, or -1.
int elderIndex() {
    const std::vector<NpcRecord>& people = g_world->npcs->records;
    for (size_t i = 0; i < people.size(); ++i)
        if (people[i].talkNumber == kElderTalk) return int(i);
    return -1;
}

// The demo map with the most tiles.
int largestMap(const std::string& data) {
    int best = -1;
    long bestTiles = 0;
    for (int map = 0; map < 100; ++map) {
        if (!std::filesystem::exists(data + "/maps/map_" + std::to_string(map) + ".mmf")) continue;
        velk::HeadlessBackend backend;
        velk::Options options;
        options.skipTitle = true;
        CGameApp app(&backend, options);
        bench::startPlay(app, backend, data, "bench_town_frame");
        g_field->mapNumber = map;
        if (!g_field->loadMap()) continue;
        const long tiles = long(g_field->mapData.columns) * g_field->mapData.rows;
        if (tiles > bestTiles) {
            bestTiles = tiles;
            best = map;
        }
    }
    return best;
}

void walk(velk::HeadlessBackend& backend, int i) {
    const bool right = (i / 150) % 2 == 0;
    backend.setKey(dik::kRight, right);
    backend.setKey(dik::kLeft, !right);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string source = argc > 1 ? argv[1] : std::string(VELK_BINARY_DIR) + "/data";
    // Play a copy: every run saves at its end.
    const std::string data = bench::copyData(source);
    std::filesystem::remove(data + "/txt/user/user.txt");

    std::printf("paced play frame (world update, talk box, minimap, HUD and all drawing), %d frames each:\n",
                kFrames);
    int failures = 0;
    // The elder's offer types out a byte a frame; it starts over whenever it
    // is all out, so every timed frame types.
    CTalkBox* box = nullptr;
    int typing = 0;  // timed frames that found the box open and typing
    const Figures talk = measure(
        data, 0,
        [&] {
            const int elder = elderIndex();
            box = g_world->npcs->talkBox.get();
            box->talkNumber = kElderTalk;
            if (elder < 0 || !box->openFor(elder)) return;
            box->open = 1;
            box->lastTalkNumber = kElderTalk;
        },
        [&](velk::HeadlessBackend& backend, int) {
            backend.setMouse(20, 560);
            if (box->shownBytes >= box->textLength) box->openFor(box->npcIndex);
            if (box->open && box->shownBytes < box->textLength) ++typing;
        });
    if (typing == kFrames) {
        if (!print("town, the elder's talk box typing:", talk)) ++failures;
    } else {
        std::printf("  town: the elder's talk typed in %d of %d frames\n", typing, kFrames);
        ++failures;
    }

    const int big = largestMap(data);
    if (big < 0) {
        std::printf("  no demo map loads\n");
        return 1;
    }
    for (int size : {CMiniMap::kSmall, CMiniMap::kNormal, CMiniMap::kLarge}) {
        const Figures f = measure(
            data, big, [size] { g_miniMap->size = size; }, walk);
        const std::string what = "map " + std::to_string(big) + " (the largest), minimap size " +
                                 std::to_string(size) + ":";
        if (!print(what.c_str(), f)) ++failures;
    }
    std::filesystem::remove_all(data);
    return failures;
}
