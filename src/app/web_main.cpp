// velk in a web page: the start of velk's main with the page's folders, and
// the main loop handed to the browser's animation frames so the page never
// blocks. The page (web/) puts the world at /data, the glyph atlas at
// /atlas, a replay's script at the path it passes, and mounts the player's
// persistent store at the --save-dir it passes.

#include <emscripten.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/game_app.h"
#include "app/state_dump.h"
#include "core/game_state.h"
#include "items/player_record.h"
#include "platform/files.h"
#include "platform/game_random.h"
#include "platform/input_script.h"
#include "platform/key_bindings.h"
#include "platform/web/web_backend.h"
#include "platform/web/web_replay_backend.h"

namespace {

// clang-format off
EM_JS(void, velk_page_paced_frame, (int index, double costMs, int gameState), {
    if (Module['onPacedFrame']) Module['onPacedFrame'](index, costMs, gameState);
});
EM_JS(void, velk_page_screenshot, (int index), {
    if (Module['onScreenshot']) Module['onScreenshot'](index);
});
EM_JS(void, velk_page_end, (int code, const char* message, const char* dump), {
    if (Module['onGameEnd'])
        Module['onGameEnd'](code, UTF8ToString(message), dump ? UTF8ToString(dump) : null);
});
// clang-format on

// A replay runs paced frames back to back for this long in each animation
// frame, then lets the page draw.
constexpr double kReplaySliceMs = 12.0;

struct Run {
    velk::Options options;
    std::unique_ptr<velk::IBackend> backend;
    std::unique_ptr<CGameApp> app;
    bool screenshotFailed = false;
    double frameStart = 0;
};

// Lives past main: the browser calls the loop after main has returned.
Run* g_run = nullptr;

void end(int code, const std::string& message, const std::string* dump = nullptr) {
    velk_page_end(code, message.c_str(), dump ? dump->c_str() : nullptr);
}

velk::KeyBindings loadControls(const std::string& path) {
    velk::KeyBindings bindings;
    std::vector<std::string> warnings;
    velk::loadKeyBindings(path, bindings, warnings);
    for (const std::string& w : warnings) std::fprintf(stderr, "velk: %s: %s\n", path.c_str(), w.c_str());
    return bindings;
}

void finish() {
    emscripten_cancel_main_loop();
    Run& run = *g_run;
    for (const velk::Screenshot& shot : run.options.screenshots)
        if (shot.frame >= run.app->pacedFrames()) {
            std::fprintf(stderr, "velk: screenshot at frame %ld was not taken: the run ended after %ld paced frames\n",
                         shot.frame, run.app->pacedFrames());
            run.screenshotFailed = true;
        }
    int code = run.screenshotFailed ? 1 : 0;
    std::string dump;
    if (!run.options.dumpState.empty()) dump = velk::stateDumpJson(*run.app);
    g_app = nullptr;
    run.app.reset();  // saves the hero
    if (velk::saveFailed()) code = 1;
    end(code, code == 0 ? "" : "the run failed (see the console)", run.options.dumpState.empty() ? nullptr : &dump);
}

void step() {
    Run& run = *g_run;
    const double sliceStart = emscripten_get_now();
    do {
        if (!run.backend->pumpEvents() ||
            (run.options.frames >= 0 && run.app->pacedFrames() >= run.options.frames)) {
            finish();
            return;
        }
        run.frameStart = emscripten_get_now();
        run.app->frame();
        if (run.app->quitRequested()) {
            finish();
            return;
        }
    } while (run.backend->isHeadless() && emscripten_get_now() - sliceStart < kReplaySliceMs);
}

}  // namespace

int main(int argc, char** argv) {
    static Run run;
    g_run = &run;
    std::string error;
    if (!velk::parseCommandLine(argc, argv, run.options, error)) {
        end(2, error);
        return 2;
    }
    // The page is the game's window (Alt+Enter asks the browser for full
    // screen): there is no screen mode to ask for.
    run.options.screenMode = velk::ScreenMode::Windowed;
    const velk::Options& options = run.options;
    velk::setDataDirectory(options.dataDir.empty() ? "/data" : options.dataDir);
    velk::setSaveDirectory(options.saveDir);
    velk::setVerbose(options.verbose);
    if (options.seedGiven) velk::setFixedSeed(true, options.seed);
    const velk::KeyBindings bindings = loadControls(options.saveDir + "/controls.ini");

    if (options.headless) {
        std::vector<velk::ScriptEvent> script;
        if (!options.script.empty()) {
            std::vector<uint8_t> bytes;
            if (!velk::readFile(options.script, bytes, 64u * 1024 * 1024)) {
                end(1, "cannot read the script '" + options.script + "'");
                return 1;
            }
            if (!velk::parseInputScript(std::string(bytes.begin(), bytes.end()), script, &error)) {
                end(2, options.script + ": " + error);
                return 2;
            }
        }
        auto replay = std::make_unique<velk::WebReplayBackend>(std::move(script));
        replay->setKeyBindings(bindings);
        run.backend = std::move(replay);
    } else {
        auto live = std::make_unique<velk::WebBackend>();
        live->setKeyBindings(bindings);
        run.backend = std::move(live);
    }

    run.app = std::make_unique<CGameApp>(run.backend.get(), options);
    g_app = run.app.get();
    if (!run.app->init()) {
        const std::string why = run.app->error();
        g_app = nullptr;
        run.app.reset();
        end(1, why);
        return 1;
    }
    run.app->onPacedFrame = [](long index) {
        velk_page_paced_frame(int(index), emscripten_get_now() - g_run->frameStart, GameState);
        for (const velk::Screenshot& shot : g_run->options.screenshots)
            if (shot.frame == index) velk_page_screenshot(int(index));
    };
    emscripten_set_main_loop(step, 0, false);
    return 0;
}
