#include "platform/sdl/sdl_gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/files.h"

namespace velk {

static_assert(int(SDL_CONTROLLER_BUTTON_A) == kPadA && int(SDL_CONTROLLER_BUTTON_START) == kPadStart &&
              int(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) == kPadRight);

namespace {
// Pixels a fully pushed right stick moves the pointer in one paced frame.
constexpr int kPointerSpeed = 18;
constexpr int kStickDeadZone = 8000;
}  // namespace

SdlGamepads::~SdlGamepads() {
    for (SDL_GameController* p : pads_) SDL_GameControllerClose(p);
    if (open_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepads::open(const std::string& extraMappings) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        reportBadFile("gamepads", std::string("unavailable: ") + SDL_GetError());
        return;
    }
    open_ = true;
    std::error_code ec;
    if (!extraMappings.empty() && std::filesystem::exists(extraMappings, ec) &&
        SDL_GameControllerAddMappingsFromFile(extraMappings.c_str()) < 0)
        std::fprintf(stderr, "velk: %s: %s\n", extraMappings.c_str(), SDL_GetError());
    // Pads already plugged in arrive as "added" events.
}

bool SdlGamepads::handle(const SDL_Event& e, PadState& pad) {
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* p = SDL_GameControllerOpen(e.cdevice.which)) {
            if (std::find(pads_.begin(), pads_.end(), p) == pads_.end()) pads_.push_back(p);
            if (verbose()) std::fprintf(stderr, "velk: gamepad '%s' connected\n", SDL_GameControllerName(p));
        }
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        for (auto it = pads_.begin(); it != pads_.end(); ++it) {
            if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) != e.cdevice.which) continue;
            SDL_GameControllerClose(*it);
            pads_.erase(it);
            pad = PadState{};  // nothing stays held by a pad that left
            break;
        }
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        if (e.cbutton.button < SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1)
            pad.buttons[e.cbutton.button] = e.type == SDL_CONTROLLERBUTTONDOWN;
        return true;
    case SDL_CONTROLLERAXISMOTION: {
        const int v = e.caxis.value;
        switch (e.caxis.axis) {
        case SDL_CONTROLLER_AXIS_LEFTX: pad.leftX = v; break;
        case SDL_CONTROLLER_AXIS_LEFTY: pad.leftY = v; break;
        case SDL_CONTROLLER_AXIS_RIGHTX: pad.rightX = v; break;
        case SDL_CONTROLLER_AXIS_RIGHTY: pad.rightY = v; break;
        case SDL_CONTROLLER_AXIS_TRIGGERLEFT: pad.buttons[kPadLeftTrigger] = v >= kStickThreshold; break;
        case SDL_CONTROLLER_AXIS_TRIGGERRIGHT: pad.buttons[kPadRightTrigger] = v >= kStickThreshold; break;
        default: break;
        }
        return true;
    }
    default:
        return false;
    }
}

void SdlGamepads::pointerStep(const PadState& pad, int& dx, int& dy) {
    auto step = [](int v) {
        if (std::abs(v) < kStickDeadZone) return 0;
        return v * kPointerSpeed / 32768;
    };
    dx = step(pad.rightX);
    dy = step(pad.rightY);
}

}  // namespace velk
