#pragma once
// Starts the game on a content tree and runs it into play, as the frame
// benchmarks need before they time anything.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_app.h"
#include "core/game_state.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"

namespace bench {

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
