#pragma once
// Gamepads through SDL's game controller layer: pads plugged in before or
// during play are opened, their buttons and sticks kept in a PadState (the
// most recently used pad drives it), and mappings from the user's
// gamecontrollerdb.txt are added to the database SDL carries.

#include <string>
#include <vector>

#include "platform/pad.h"

union SDL_Event;
struct _SDL_GameController;

namespace velk {

class SdlGamepads {
public:
    ~SdlGamepads();
    // Starts the controller subsystem; `extraMappings` may name a missing file.
    void open(const std::string& extraMappings);
    // Handles a controller event; false for any other event.
    bool handle(const SDL_Event& e, PadState& pad);
    // Pointer movement from the right stick for one poll, in screen pixels.
    static void pointerStep(const PadState& pad, int& dx, int& dy);

private:
    std::vector<_SDL_GameController*> pads_;
    bool open_ = false;
};

}  // namespace velk
