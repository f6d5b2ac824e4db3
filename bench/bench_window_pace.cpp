// A real window as a player gets it: the main loop of `velk` with the SDL
// backend, paced frames on the title and in town at window scales 1, 2 and
// 4. For each: the median and 95th percentile interval between paced
// frames, and the CPU the game takes idling there: its own process time
// over the wall time in % of one core, and per paced frame (which a busy
// machine distorts less), with the machine's load beside them. Each run is
// its own process, as the game is. Run it where a display exists (Xvfb with
// SDL's x11 driver serves; scale 4 is 3200 x 2400 and needs a screen that
// large, e.g. xvfb-run -s "-screen 0 3840x2400x24"):
//
//   bench_window_pace [SCALES] [DATA_DIR]   (default: 1,2,4 and the build's demo world)

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>
#include <string>
#include <vector>

#include "app/game_app.h"
#include "platform/files.h"
#include "platform/sdl/sdl_backend.h"

namespace {

constexpr int kFrames = 200;

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

std::string loadAverage() {
    char text[64] = "?";
    if (FILE* f = std::fopen("/proc/loadavg", "r")) {
        if (!std::fgets(text, sizeof text, f)) text[0] = 0;
        std::fclose(f);
    }
    std::string s = text;
    // The 1, 5 and 15 minute averages.
    for (int field = 0, i = 0; i < int(s.size()); ++i)
        if (s[size_t(i)] == ' ' && ++field == 3) return s.substr(0, size_t(i));
    return s;
}

int measure(int scale, bool town) {
    const char* scene = town ? "town " : "title";
    velk::Options options;
    options.skipTitle = town;
    options.screenMode = velk::ScreenMode::Windowed;
    options.scale = scale;
    velk::SdlBackend backend;
    CGameApp app(&backend, options);
    if (!app.init()) {
        std::fprintf(stderr, "bench_window_pace: %s %s\n", app.error().c_str(), backend.error().c_str());
        return 1;
    }
    if (backend.scale() != scale) {
        std::printf("scale %d %s: skipped (the desktop holds scale %d at most)\n", scale, scene, backend.scale());
        return 0;
    }
    std::vector<uint64_t> at;
    double cpuFrom = 0;
    app.onPacedFrame = [&](long) {
        at.push_back(backend.counter());
        // The first frames include the start-up; they are left out.
        if (at.size() == 3) cpuFrom = processSeconds();
    };
    while (backend.pumpEvents() && int(at.size()) <= kFrames + 2) {
        app.frame();
        backend.waitUntil(app.nextFrameDue());
    }
    const double cpu = processSeconds() - cpuFrom;
    std::vector<double> ms;
    for (size_t i = 3; i < at.size(); ++i)
        ms.push_back(double(at[i] - at[i - 1]) * 1000.0 / double(backend.frequency()));
    if (ms.empty()) return 1;
    const double wall = double(at.back() - at[2]) / double(backend.frequency());
    std::sort(ms.begin(), ms.end());
    std::printf("scale %d %s: %zu intervals, median %.2f ms, 95th percentile %.2f ms, max %.2f ms; "
                "CPU %.1f%% of a core, %.2f ms per frame (load %s)\n",
                scale, scene, ms.size(), ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(),
                100.0 * cpu / wall, 1000.0 * cpu / double(ms.size()), loadAverage().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> scales;
    std::stringstream list(argc > 1 ? argv[1] : "1,2,4");
    for (std::string item; std::getline(list, item, ',');) scales.push_back(std::atoi(item.c_str()));
    velk::setDataDirectory(argc > 2 ? argv[2] : VELK_BINARY_DIR "/data");
    // The pace of a real window needs a display; without one there is
    // nothing to measure, which is no failure.
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!(x11 && *x11) && !(wayland && *wayland) && !std::getenv("SDL_VIDEODRIVER")) {
        std::printf("bench_window_pace: skipped (no display)\n");
        return 0;
    }
    int failed = 0;
    for (int scale : scales)
        for (bool town : {false, true}) {
            std::fflush(stdout);
            const pid_t child = fork();
            if (child == 0) {
                const int result = measure(scale, town);
                std::fflush(stdout);
                _exit(result);
            }
            int status = 1;
            if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
                failed = 1;
        }
    return failed;
}
