// The cost of one paced play frame (the world's update and all drawing, the
// HUD included) on the busiest demo map, against the 60 ms pace; again with
// the inventory open under the pointer (its information box showing) and
// the status window open; and the start-up time of a new game up to the end
// of its first play frame.
//
//   bench_play_frame [DATA_DIR]     (default: the build's demo world)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "play_start.h"
#include "game/world.h"
#include "items/inventory.h"
#include "ui/interface.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_state.h"
#include "world/field.h"
#include "world/object_set.h"

namespace {

constexpr int kFrames = 600;

struct Result {
    int map;
    int objects;
    double medianMs;
    double p95Ms;
};

// Walks the hero right and left across `map` and times each paced frame;
// with `windows`, the energy bag is open under the pointer (its information
// box shown) and the game menu with the status window.
Result measure(const std::string& data, int map, bool windows) {
    velk::HeadlessBackend backend;
    velk::Options options;
    options.skipTitle = true;
    CGameApp app(&backend, options);
    bench::startPlay(app, backend, data, "bench_play_frame");
    g_field->mapNumber = map - 1;
    GameState = kStateNextMap;
    backend.pumpEvents();
    app.frame();
    if (windows) {
        g_inventory->open(2);
        backend.setMouse(460, 320);
        g_interface->gameMenu = std::make_unique<CGameMenu>();
        g_interface->gameMenu->init(app.device.get(), g_world->player.get());
        g_interface->gameMenu->statusWindow = std::make_unique<CStatusWindow>();
        g_interface->gameMenu->statusWindow->init(app.device.get(), g_world->player.get());
        g_interface->gameMenu->statusWindow->panelState = 1;
    }

    std::vector<double> ms;
    for (int i = 0; i < kFrames; ++i) {
        bool right = (i / 150) % 2 == 0;
        backend.setKey(dik::kRight, right);
        backend.setKey(dik::kLeft, !right);
        backend.pumpEvents();
        auto t0 = std::chrono::steady_clock::now();
        app.frame();
        auto t1 = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return {map, g_objectSet->placementCount(), ms[ms.size() / 2], ms[ms.size() * 95 / 100]};
}

// From making the application to the end of the first paced play frame,
// headless, on a new game (no save).
double startUpMs(const std::string& data) {
    std::filesystem::remove(data + "/txt/user/user.txt");
    velk::setDataDirectory(data);
    const auto t0 = std::chrono::steady_clock::now();
    velk::HeadlessBackend backend;
    velk::Options options;
    options.skipTitle = true;
    CGameApp app(&backend, options);
    if (!app.init()) return -1;
    while (app.pacedFrames() == 0) {
        backend.pumpEvents();
        app.frame();
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::string source = argc > 1 ? argv[1] : std::string(VELK_BINARY_DIR) + "/data";
    // Play a copy: the run saves at the end.
    const std::string data = bench::copyData(source);

    std::printf("paced play frame (world update, HUD and all drawing), %d frames a map:\n",
                kFrames);
    Result busiest{-1, -1, 0, 0};
    for (int map : {0, 1, 2, 9, 10, 11, 12}) {
        if (!std::filesystem::exists(data + "/maps/map_" + std::to_string(map) + ".mmf")) continue;
        Result r = measure(data, map, false);
        std::printf("  map %2d (%3d objects): median %.3f ms, 95th percentile %.3f ms\n", r.map, r.objects,
                    r.medianMs, r.p95Ms);
        if (r.medianMs > busiest.medianMs) busiest = r;
    }
    if (busiest.map >= 0) {
        const Result w = measure(data, busiest.map, true);
        std::printf("  map %2d with the inventory, its information box and the status window: "
                    "median %.3f ms, 95th percentile %.3f ms\n",
                    w.map, w.medianMs, w.p95Ms);
    }
    std::printf("start-up of a new game to the end of its first play frame: %.1f ms\n",
                startUpMs(data));
    std::filesystem::remove_all(data);
    if (busiest.map < 0) return 1;
    std::printf("busiest: map %d, %.3f ms a frame = %.1f%% of the 60 ms pace\n", busiest.map,
                busiest.medianMs, 100.0 * busiest.medianMs / 60.0);
    return 0;
}
