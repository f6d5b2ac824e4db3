#pragma once
// Gamepads: buttons and sticks of a standard pad (the face buttons named by
// their position on the common layout: a bottom, b right, x left, y top)
// turned into the game's own keys, so the game's rules see no difference.
//
//   d-pad, left stick   Up Down Left Right      a   jump (LAlt)
//   x                   attack (LCtrl)          b   pick up (LShift)
//   y                   skill (Space)           leftshoulder, rightshoulder,
//   start               the HUD's menu button   lefttrigger, righttrigger  F1..F4
//   rightstick (click)  the left mouse button   right stick moves the pointer

#include <array>
#include <cstdint>
#include <string>

namespace velk {

// In the order of SDL's game controller buttons, then the two triggers.
enum PadButton : int {
    kPadA, kPadB, kPadX, kPadY, kPadBack, kPadGuide, kPadStart, kPadLeftStick, kPadRightStick,
    kPadLeftShoulder, kPadRightShoulder, kPadUp, kPadDown, kPadLeft, kPadRight,
    kPadLeftTrigger, kPadRightTrigger, kPadButtonCount
};

// Script names ("a", "dpup", "lefttrigger"); -1 for an unknown name.
int padButtonFromName(const std::string& name);
std::string padButtonName(int button);

// Stick axes, -32768..32767; a stick counts as pushed past half way.
constexpr int kStickThreshold = 16384;

struct PadState {
    std::array<bool, kPadButtonCount> buttons{};
    int leftX = 0, leftY = 0;
    int rightX = 0, rightY = 0;
};

// Adds the keys the pad holds to the game's key table (bit 7 = down).
void addPadKeys(const PadState& pad, uint8_t keys[256]);

// Where start puts the pointer: the middle of the HUD's menu button.
constexpr int kMenuButtonX = 26;
constexpr int kMenuButtonY = 528;
// Whether the pad holds the left mouse button (start or the right stick's click).
bool padLeftButton(const PadState& pad);

}  // namespace velk
