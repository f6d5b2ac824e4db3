#pragma once
// What a backend puts between the devices and the game's key table: the
// player's key bindings, the Alt+Enter chord, and the gamepad.

#include <cstdint>

#include "platform/key_bindings.h"
#include "platform/pad.h"

namespace velk {

class InputMapping {
public:
    void setBindings(const KeyBindings& bindings) { bindings_ = bindings; }

    // A keyboard key going down or up, applied to `keyboard` (the keys the
    // player holds, by code). False when the press was the full-screen
    // chord: it is then dropped and the caller switches the screen mode.
    bool key(uint8_t keyboard[256], int code, bool down);
    // The game's key table for a poll: the keyboard through the bindings,
    // then whatever the pad holds.
    void gameKeys(const uint8_t keyboard[256], uint8_t game[256]);
    // The keyboard less the Alt keys of a full-screen chord: what the game
    // is given, and so what a recording keeps.
    void visibleKeys(const uint8_t keyboard[256], uint8_t out[256]) const { chord_.visible(keyboard, out); }

    PadState pad;

private:
    KeyBindings bindings_;
    FullscreenChord chord_;
};

}  // namespace velk
