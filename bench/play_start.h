#pragma once
// Starts the game on a content tree and runs it into play, as the frame
// benchmarks need before they time anything.

#include <stdlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/game_app.h"
#include "core/game_state.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"

namespace bench {

// A copy of the content tree in a new folder of its own (the runs save into
// it), so benchmarks run side by side never share one.
inline std::string copyData(const std::string& source) {
    std::string dir = (std::filesystem::temp_directory_path() / "velk-bench-XXXXXX").string();
    if (!mkdtemp(dir.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    std::filesystem::copy(source, dir, std::filesystem::copy_options::recursive);
    return dir;
}

inline void startPlay(CGameApp& app, velk::HeadlessBackend& backend, const std::string& data, const char* who) {
    velk::setDataDirectory(data);
    if (!app.init()) {
        std::fprintf(stderr, "%s: %s\n", who, app.error().c_str());
        std::exit(1);
    }
    while (GameState != kStatePlay) {
        backend.pumpEvents();
        app.frame();
    }
}

}  // namespace bench
