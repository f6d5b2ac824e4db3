// The time between paced play frames in a real window, as a player gets it:
// the main loop of `velk` with the SDL backend, 300 paced frames on the demo
// world, the median and 95th percentile interval. Run it where a display
// exists (Xvfb with SDL's x11 driver serves):
//
//   bench_window_pace [SCALE] [DATA_DIR]     (default: scale 1, the build's demo world)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "platform/files.h"
#include "platform/sdl/sdl_backend.h"

int main(int argc, char** argv) {
    constexpr int kFrames = 300;
    velk::Options options;
    options.skipTitle = true;
    options.screenMode = velk::ScreenMode::Windowed;
    options.scale = argc > 1 ? std::atoi(argv[1]) : 1;
    velk::setDataDirectory(argc > 2 ? argv[2] : VELK_BINARY_DIR "/data");
    // The pace of a real window needs a display; without one there is
    // nothing to measure, which is no failure.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(x11 && *x11) && !(wayland && *wayland) && !std::getenv("SDL_VIDEODRIVER")) {
        std::printf("bench_window_pace: skipped (no display)\n");
        return 0;
    }
    velk::SdlBackend backend;
    CGameApp app(&backend, options);
    if (!app.init()) {
        std::fprintf(stderr, "bench_window_pace: %s %s\n", app.error().c_str(), backend.error().c_str());
        return 1;
    }
    std::vector<uint64_t> at;
    app.onPacedFrame = [&](long) { at.push_back(backend.counter()); };
    while (backend.pumpEvents() && int(at.size()) <= kFrames + 2) {
        app.frame();
        backend.waitUntil(app.nextFrameDue());
    }
    std::vector<double> ms;
    // The first frames include the start-up; they are left out.
    for (size_t i = 3; i < at.size(); ++i)
        ms.push_back(double(at[i] - at[i - 1]) * 1000.0 / double(backend.frequency()));
    std::sort(ms.begin(), ms.end());
    if (ms.empty()) return 1;
    std::printf("scale %d: %zu intervals, median %.2f ms, 95th percentile %.2f ms, max %.2f ms\n",
                options.scale, ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back());
    return 0;
}
