#include "platform/pad.h"

#include <strings.h>

#include "platform/input_state.h"

namespace velk {

namespace {

constexpr const char* kPadNames[kPadButtonCount] = {
    "a",         "b",          "x",            "y",           "back",  "guide",
    "start",     "leftstick",  "rightstick",   "leftshoulder", "rightshoulder", "dpup",
    "dpdown",    "dpleft",     "dpright",      "lefttrigger", "righttrigger",
};

struct PadKey {
    int button;
    int key;
};

constexpr PadKey kPadKeys[] = {
    {kPadA, dik::kLAlt},         {kPadX, dik::kLCtrl},         {kPadB, dik::kLShift},
    {kPadY, dik::kSpace},        {kPadUp, dik::kUp},           {kPadDown, dik::kDown},
    {kPadLeft, dik::kLeft},      {kPadRight, dik::kRight},     {kPadLeftShoulder, dik::kF1},
    {kPadRightShoulder, dik::kF2}, {kPadLeftTrigger, dik::kF3}, {kPadRightTrigger, dik::kF4},
};

}  // namespace

int padButtonFromName(const std::string& name) {
    for (int b = 0; b < kPadButtonCount; ++b)
        if (strcasecmp(name.c_str(), kPadNames[b]) == 0) return b;
    return -1;
}

std::string padButtonName(int button) {
    return button >= 0 && button < kPadButtonCount ? kPadNames[button] : "?";
}

void addPadKeys(const PadState& pad, uint8_t keys[256]) {
    for (const PadKey& k : kPadKeys)
        if (pad.buttons[size_t(k.button)]) keys[k.key] = 0x80;
    if (pad.leftX <= -kStickThreshold) keys[dik::kLeft] = 0x80;
    if (pad.leftX >= kStickThreshold) keys[dik::kRight] = 0x80;
    if (pad.leftY <= -kStickThreshold) keys[dik::kUp] = 0x80;
    if (pad.leftY >= kStickThreshold) keys[dik::kDown] = 0x80;
}

bool padLeftButton(const PadState& pad) {
    return pad.buttons[kPadStart] || pad.buttons[kPadRightStick];
}

}  // namespace velk
