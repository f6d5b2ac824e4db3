// velk: the game's entry point and main loop.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/game_app.h"
#include "app/state_dump.h"
#include "items/player_record.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/game_random.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "platform/png_io.h"
#include "platform/sdl/sdl_backend.h"

namespace {

int fail(const std::string& message, int code = 1) {
    std::fprintf(stderr, "velk: %s\n", message.c_str());
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    velk::Options options;
    std::string error;
    if (!velk::parseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "velk: %s\n\n%s", error.c_str(), velk::usageText());
        return 2;
    }
    if (options.help) {
        std::fputs(velk::usageText(), stdout);
        return 0;
    }

    std::error_code ec;
    if (!std::filesystem::is_directory(options.dataDir, ec))
        return fail("data directory '" + options.dataDir + "' not found (give one with --data DIR)");
    velk::setDataDirectory(options.dataDir);
    velk::setVerbose(options.verbose);
    if (options.seedGiven) velk::setFixedSeed(true, options.seed);

    std::vector<velk::ScriptEvent> script;
    if (!options.script.empty()) {
        std::vector<uint8_t> bytes;
        if (!velk::readFile(options.script, bytes, 64u * 1024 * 1024))
            return fail("cannot read the script '" + options.script + "'");
        if (!velk::parseInputScript(std::string(bytes.begin(), bytes.end()), script, &error))
            return fail(options.script + ": " + error, 2);
        if (!options.headless)
            std::fprintf(stderr, "velk: --script replays input in headless runs only; add --headless\n");
    }

    std::unique_ptr<velk::IBackend> backend;
    if (options.headless) {
        backend = std::make_unique<velk::HeadlessBackend>(std::move(script));
    } else {
        auto sdl = std::make_unique<velk::SdlBackend>();
        sdl->setSmoothScaling(options.smooth);
        if (!options.record.empty() && !sdl->startRecording(options.record))
            return fail("cannot write the recording '" + options.record + "'");
        backend = std::move(sdl);
    }

    auto app = std::make_unique<CGameApp>(backend.get(), options);
    g_app = app.get();
    if (!app->init()) {
        std::string why = app->error();
        if (auto* sdl = dynamic_cast<velk::SdlBackend*>(backend.get()); sdl && !sdl->error().empty())
            why += ": " + sdl->error() + " (without a display, run with --headless)";
        g_app = nullptr;
        app.reset();
        return fail(why);
    }

    bool screenshotFailed = false;
    app->onPacedFrame = [&](long index) {
        for (const velk::Screenshot& shot : options.screenshots) {
            if (shot.frame != index) continue;
            const CDirect3D& d = *app->device;
            if (!velk::writePng(shot.path, d.backBuffer(), uint32_t(d.width()), uint32_t(d.height()))) {
                std::fprintf(stderr, "velk: cannot write the screenshot '%s'\n", shot.path.c_str());
                screenshotFailed = true;
            }
        }
    };

    while (backend->pumpEvents()) {
        if (options.frames >= 0 && app->pacedFrames() >= options.frames) break;
        app->frame();
        if (app->quitRequested()) break;
        if (!backend->isHeadless()) backend->waitUntil(app->nextFrameDue());
    }

    for (const velk::Screenshot& shot : options.screenshots)
        if (shot.frame >= app->pacedFrames()) {
            std::fprintf(stderr, "velk: screenshot '%s' was not taken: the run ended after %ld paced frames\n",
                         shot.path.c_str(), app->pacedFrames());
            screenshotFailed = true;
        }
    int code = screenshotFailed ? 1 : 0;
    if (!options.dumpState.empty()) {
        std::string json = velk::stateDumpJson(*app);
        if (!velk::writeFileAtomic(options.dumpState, json.data(), json.size()))
            code = fail("cannot write the state dump '" + options.dumpState + "'");
    }
    g_app = nullptr;
    app.reset();  // saves the hero
    if (velk::saveFailed()) code = 1;
    return code;
}
