// The player's key bindings, the Alt+Enter chord and the gamepad, as the
// game's key table sees them through the headless backend.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/input_state.h"
#include "platform/key_bindings.h"
#include "platform/key_names.h"
#include "platform/pad.h"

namespace velk {
namespace {

// The game keys that one keyboard key produces under `bindings`.
std::vector<int> gameKeysOf(const KeyBindings& bindings, int key) {
    uint8_t keyboard[256] = {}, game[256];
    keyboard[key] = 0x80;
    bindings.apply(keyboard, game);
    std::vector<int> out;
    for (int c = 0; c < 256; ++c)
        if (game[c]) out.push_back(c);
    return out;
}

TEST(KeyBindings, FileMovesKeysAndBadLinesKeepDefaults) {
    const int Z = keyCodeFromName("Z"), X = keyCodeFromName("X"), Q = keyCodeFromName("Q");
    struct Case {
        const char* file;
        int key;                  // a keyboard key ...
        std::vector<int> game;    // ... and the game keys it gives
        size_t warnings;
    };
    const Case cases[] = {
        {"", dik::kLAlt, {dik::kLAlt}, 0},
        {"jump = Z\n", Z, {dik::kLAlt}, 0},
        {"jump = Z\n", dik::kLAlt, {}, 0},                        // moved, not copied
        {"  jump=z   # lower case, comment\n", Z, {dik::kLAlt}, 0},
        {"attack = LCtrl X\n", X, {dik::kLCtrl}, 0},
        {"attack = LCtrl X\n", dik::kLCtrl, {dik::kLCtrl}, 0},
        {"jump = LCtrl\nattack = LAlt\n", dik::kLCtrl, {dik::kLAlt}, 0},  // swapped
        {"jump = LCtrl\nattack = LAlt\n", dik::kLAlt, {dik::kLCtrl}, 0},
        {"jump = LCtrl\n", dik::kLCtrl, {dik::kLAlt}, 1},        // attack left without a key
        {"jump = Nope\n", dik::kLAlt, {dik::kLAlt}, 1},
        {"jump = Z Nope\n", Z, {Z}, 1},                           // whole line refused
        {"fly = Z\n", Z, {Z}, 1},                                 // unknown game key
        {"jump\n", dik::kLAlt, {dik::kLAlt}, 1},
        {"jump =\n", dik::kLAlt, {dik::kLAlt}, 1},
        {"\xff\xfe garbage = \x01\n", dik::kLAlt, {dik::kLAlt}, 1},
        {"quick1 = Q\n", Q, {dik::kF1}, 0},
        {"", dik::kEscape, {dik::kEscape}, 0},                    // keys the game does not bind pass
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " key " + keyNameFromCode(c.key));
        KeyBindings b;
        std::vector<std::string> warnings;
        b.parse(c.file, warnings);
        EXPECT_EQ(gameKeysOf(b, c.key), c.game);
        EXPECT_EQ(warnings.size(), c.warnings);
    }
}

TEST(KeyBindings, MissingFileIsQuietUnreadableOneWarns) {
    KeyBindings b;
    std::vector<std::string> warnings;
    loadKeyBindings("/nonexistent/controls.ini", b, warnings);
    EXPECT_TRUE(warnings.empty());
    loadKeyBindings("/", b, warnings);  // a folder, not a file
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_EQ(gameKeysOf(b, dik::kLAlt), std::vector<int>{dik::kLAlt});
}

struct Poller {
    HeadlessBackend backend;
    CInputState input{&backend};
};

TEST(FullscreenChord, AltEnterNeverJumps) {
    Poller p;
    // Alt and Return in the same frame: no jump, and none while Alt stays held.
    p.backend.setKey(dik::kLAlt, true);
    p.backend.setKey(dik::kReturn, true);
    p.input.poll();
    EXPECT_EQ(p.backend.fullscreenChords(), 1);
    EXPECT_EQ(p.input.altDown, 0);
    EXPECT_EQ(p.input.returnDown, 0);
    p.backend.setKey(dik::kReturn, false);
    p.input.poll();
    EXPECT_EQ(p.input.altDown, 0);
    // Released and pressed again, Alt jumps as ever.
    p.backend.setKey(dik::kLAlt, false);
    p.input.poll();
    p.backend.setKey(dik::kLAlt, true);
    p.input.poll();
    EXPECT_EQ(p.input.altDown, 1);
    // Return alone is only Return.
    p.backend.setKey(dik::kLAlt, false);
    p.backend.setKey(dik::kReturn, true);
    p.input.poll();
    EXPECT_EQ(p.input.returnDown, 1);
    EXPECT_EQ(p.backend.fullscreenChords(), 1);
}

TEST(Pad, ButtonsAndStickGiveTheGamesKeys) {
    struct Case {
        int button;  // -1: the left stick below
        int stickX, stickY;
        std::vector<int> keys;
    };
    const Case cases[] = {
        {kPadA, 0, 0, {dik::kLAlt}},          {kPadX, 0, 0, {dik::kLCtrl}},
        {kPadB, 0, 0, {dik::kLShift}},        {kPadY, 0, 0, {dik::kSpace}},
        {kPadLeft, 0, 0, {dik::kLeft}},       {kPadUp, 0, 0, {dik::kUp}},
        {kPadLeftShoulder, 0, 0, {dik::kF1}}, {kPadRightShoulder, 0, 0, {dik::kF2}},
        {kPadLeftTrigger, 0, 0, {dik::kF3}},  {kPadRightTrigger, 0, 0, {dik::kF4}},
        {kPadBack, 0, 0, {}},
        {-1, -32768, 0, {dik::kLeft}},        {-1, 32767, 32767, {dik::kRight, dik::kDown}},
        {-1, kStickThreshold - 1, -kStickThreshold + 1, {}},      // inside the dead zone
        {-1, 0, -kStickThreshold, {dik::kUp}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button >= 0 ? padButtonName(c.button) : "stick");
        PadState pad;
        if (c.button >= 0) pad.buttons[size_t(c.button)] = true;
        pad.leftX = c.stickX;
        pad.leftY = c.stickY;
        uint8_t game[256] = {};
        addPadKeys(pad, game);
        std::vector<int> got;
        for (int k = 0; k < 256; ++k)
            if (game[k]) got.push_back(k);
        EXPECT_EQ(got, c.keys);
    }
}

TEST(Pad, StartClicksTheMenuButton) {
    Poller p;
    p.backend.setPadButton(kPadStart, true);
    p.input.poll();
    EXPECT_EQ(p.input.mouseX, kMenuButtonX);
    EXPECT_EQ(p.input.mouseY, kMenuButtonY);
    EXPECT_EQ(p.input.leftButton, 1);
    p.backend.setPadButton(kPadStart, false);
    p.input.poll();
    EXPECT_EQ(p.input.leftButton, 0);
}

}  // namespace
}  // namespace velk
