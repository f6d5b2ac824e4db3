#pragma once
// The player's keys: which keyboard keys stand for the game's keys, read
// from controls.ini in the user's settings folder. One line a game key,
// '#' starts a comment, any number of keys after the '=':
//
//   jump = Z            # instead of Left Alt
//   attack = LCtrl X    # either key attacks
//
// Game keys: attack jump pickup skill up down left right quick1..quick4.
// Keys are named as in platform/key_names.h. A bad line leaves its game key
// on the default and gives a warning; keys the game does not read pass
// through unchanged.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

class KeyBindings {
public:
    KeyBindings();  // the game's own keys

    // Applies the lines of a controls file; `warnings` gets one line for
    // every line that could not be used ("line 3: ...").
    void parse(const std::string& text, std::vector<std::string>& warnings);
    // Keyboard keys (by code, bit 7 = down) onto the game's key table.
    void apply(const uint8_t keyboard[256], uint8_t game[256]) const;
    // The keys bound to a game key, by its name ("jump"); empty if none.
    std::vector<int> keysFor(const std::string& gameKey) const;

private:
    void rebuild();
    std::array<std::vector<int>, 12> keys_;  // per game key, in kGameKeys order
    std::array<uint8_t, 256> table_{};       // keyboard code -> game code, 0 none
};

// Reads `path` into `bindings`. A missing file leaves the defaults and no
// warning; an unreadable or oversized one warns and leaves the defaults.
void loadKeyBindings(const std::string& path, KeyBindings& bindings,
                     std::vector<std::string>& warnings);

// Alt+Enter switches full screen and never reaches the game: the Return
// press is swallowed, and the Alt held for it is hidden from the game until
// it is released.
class FullscreenChord {
public:
    // A key going down, with the keyboard as it stood before; true when it
    // completes the chord (the caller switches and drops the press).
    bool press(int code, const uint8_t keyboard[256]);
    // Clears the hidden Alt keys from a copy of the keyboard.
    void hide(uint8_t keyboard[256]);
    // The keyboard as the game sees it, the chord's Alt keys hidden, without
    // changing what is hidden.
    void visible(const uint8_t keyboard[256], uint8_t out[256]) const;

private:
    bool hiddenLeft_ = false;
    bool hiddenRight_ = false;
};

}  // namespace velk
