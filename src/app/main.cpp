// velk: the game's entry point and main loop.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/game_app.h"
#include "app/settings.h"
#include "app/state_dump.h"
#include "game/world.h"
#include "items/player_record.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/game_random.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "platform/key_bindings.h"
#include "platform/png_io.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/sdl_paths.h"

namespace {

int fail(const std::string& message, int code = 1) {
    std::fprintf(stderr, "velk: %s\n", message.c_str());
    return code;
}

// --data, else the world installed beside the program, else the current
// directory.
std::string chooseDataDirectory(const velk::Options& options) {
    if (!options.dataDir.empty()) return options.dataDir;
    const std::string program = velk::programDirectory();
    std::error_code ec;
    if (!program.empty()) {
        const std::filesystem::path installed = std::filesystem::path(program) / VELK_INSTALLED_DATA;
        if (std::filesystem::is_directory(installed, ec))
            return std::filesystem::weakly_canonical(installed, ec).string();
    }
    return ".";
}

// --save-dir, else the user's own folder for this content tree. Empty when
// there is none: the content tree itself is never written.
std::string chooseSaveDirectory(const velk::Options& options, const std::string& data) {
    if (!options.saveDir.empty()) return options.saveDir;
    const std::string user = velk::userDataDirectory();
    return user.empty() ? "" : user + "/" + velk::contentTreeId(data);
}

// A display server that goes away ends the program from inside the display
// library, which calls exit(); the hero is saved on the way out. After a
// normal shutdown there is no world left and nothing to do.
void saveOnForcedExit() {
    if (g_world) g_world->player.reset();  // the hero saves as it goes
}

// The options that test a world never write into the player's own save: a
// new folder under the temporary one takes it. Empty when none can be made.
std::string makeScratchSaveFolder() {
    std::error_code ec;
    const std::filesystem::path tmp = std::filesystem::temp_directory_path(ec);
    std::string pattern = (ec ? std::filesystem::path("/tmp") : tmp).string() + "/velk-scratch-XXXXXX";
    return mkdtemp(pattern.data()) ? pattern : "";
}

std::string controlsPath() {
    const std::string dir = velk::userConfigDirectory();
    return dir.empty() ? "" : dir + "/controls.ini";
}

velk::KeyBindings loadControls() {
    velk::KeyBindings bindings;
    std::vector<std::string> warnings;
    const std::string path = controlsPath();
    velk::loadKeyBindings(path, bindings, warnings);
    for (const std::string& w : warnings) std::fprintf(stderr, "velk: %s: %s\n", path.c_str(), w.c_str());
    if (!warnings.empty())
        std::fprintf(stderr, "velk: %s: the keys of the lines above stay on their defaults\n", path.c_str());
    return bindings;
}

}  // namespace

int main(int argc, char** argv) {
    velk::Options options;
    std::string error;
    if (!velk::parseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "velk: %s\n\n%s", error.c_str(), velk::usageText());
        return 2;
    }
    const std::string dataDir = chooseDataDirectory(options);
    std::string saveDir = chooseSaveDirectory(options, dataDir);
    if (options.help) {
        std::fputs(velk::usageText(), stdout);
        if (options.testsAWorld() && options.saveDir.empty()) saveDir = "a new scratch folder";
        std::printf("\nThis command line plays %s and saves in %s.\nControls file: %s\nSettings file: %s\n",
                    dataDir.c_str(), saveDir.empty() ? "(no folder found)" : saveDir.c_str(),
                    controlsPath().c_str(), velk::settingsPath().c_str());
        return 0;
    }

    std::error_code ec;
    if (!std::filesystem::is_directory(dataDir, ec))
        return fail("data directory '" + dataDir + "' not found (give one with --data DIR)");
    // The folders this start makes for saves: a refused start removes them.
    std::vector<std::filesystem::path> madeFolders;
    std::string scratchFolder;  // made for this run: a refused start removes it whole
    if (options.testsAWorld() && options.saveDir.empty()) {
        saveDir = makeScratchSaveFolder();
        if (saveDir.empty()) return fail("cannot make a scratch save folder; give one with --save-dir DIR");
        scratchFolder = saveDir;
        std::fprintf(stderr, "velk: --start, --level and --give play in the scratch save folder %s\n",
                     saveDir.c_str());
    } else if (options.testsAWorld()) {
        std::fprintf(stderr, "velk: --start, --level and --give play in the save folder %s (--save-dir)\n",
                     saveDir.c_str());
    }
    if (saveDir.empty())
        return fail("no folder for saves found (is HOME set?); give one with --save-dir DIR");
    for (std::filesystem::path p = saveDir; !p.empty() && !std::filesystem::exists(p, ec); p = p.parent_path()) {
        madeFolders.push_back(p);
        if (p == p.parent_path()) break;
    }
    if (!std::filesystem::is_directory(saveDir, ec) &&
        !std::filesystem::create_directories(saveDir, ec))
        return fail("cannot make the save folder '" + saveDir + "' (" + ec.message() + ")");
    velk::setDataDirectory(dataDir);
    velk::setSaveDirectory(saveDir);
    velk::setVerbose(options.verbose);
    if (options.verbose) std::fprintf(stderr, "velk: playing %s, saving in %s\n", dataDir.c_str(), saveDir.c_str());
    const velk::KeyBindings bindings = loadControls();
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
        auto headless = std::make_unique<velk::HeadlessBackend>(std::move(script));
        headless->setKeyBindings(bindings);
        backend = std::move(headless);
    } else {
        auto sdl = std::make_unique<velk::SdlBackend>();
        sdl->setKeyBindings(bindings);
        if (const std::string config = velk::userConfigDirectory(); !config.empty())
            sdl->setPadMappings(config + "/gamecontrollerdb.txt");
        sdl->setSmoothScaling(options.smooth);
        if (!options.record.empty() && !sdl->startRecording(options.record))
            return fail("cannot write the recording '" + options.record + "'");
        backend = std::move(sdl);
    }

    std::atexit(saveOnForcedExit);
    auto app = std::make_unique<CGameApp>(backend.get(), options);
    app->setSettingsFile(velk::settingsPath());
    g_app = app.get();
    if (!app->init()) {
        std::string why = app->error();
        const int code = app->errorCode();
        if (auto* sdl = dynamic_cast<velk::SdlBackend*>(backend.get()); sdl && !sdl->error().empty())
            why += ": " + sdl->error() + " (without a display, run with --headless)";
        g_app = nullptr;
        app.reset();
        // Only folders left empty go: fs::remove never removes a full one.
        for (const std::filesystem::path& p : madeFolders) std::filesystem::remove(p, ec);
        if (!scratchFolder.empty()) std::filesystem::remove_all(scratchFolder, ec);
        if (!std::filesystem::is_directory(std::filesystem::path(dataDir) / "maps", ec))
            why += "; '" + dataDir + "' holds no maps: give the world with --data DIR (in a built clone, --data build/data)";
        return fail(why, code);
    }
    if (auto* sdl = dynamic_cast<velk::SdlBackend*>(backend.get())) sdl->recordFromHere();

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
