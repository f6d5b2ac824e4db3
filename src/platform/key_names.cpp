#include "platform/key_names.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace velk {

namespace {

struct KeyName {
    const char* name;
    int code;
};

constexpr KeyName kKeyNames[] = {
    {"Escape", 0x01},    {"1", 0x02},          {"2", 0x03},        {"3", 0x04},
    {"4", 0x05},         {"5", 0x06},          {"6", 0x07},        {"7", 0x08},
    {"8", 0x09},         {"9", 0x0A},          {"0", 0x0B},        {"Minus", 0x0C},
    {"Equals", 0x0D},    {"Backspace", 0x0E},  {"Tab", 0x0F},      {"Q", 0x10},
    {"W", 0x11},         {"E", 0x12},          {"R", 0x13},        {"T", 0x14},
    {"Y", 0x15},         {"U", 0x16},          {"I", 0x17},        {"O", 0x18},
    {"P", 0x19},         {"LBracket", 0x1A},   {"RBracket", 0x1B}, {"Return", 0x1C},
    {"LCtrl", 0x1D},     {"A", 0x1E},          {"S", 0x1F},        {"D", 0x20},
    {"F", 0x21},         {"G", 0x22},          {"H", 0x23},        {"J", 0x24},
    {"K", 0x25},         {"L", 0x26},          {"Semicolon", 0x27}, {"Apostrophe", 0x28},
    {"Grave", 0x29},     {"LShift", 0x2A},     {"Backslash", 0x2B}, {"Z", 0x2C},
    {"X", 0x2D},         {"C", 0x2E},          {"V", 0x2F},        {"B", 0x30},
    {"N", 0x31},         {"M", 0x32},          {"Comma", 0x33},    {"Period", 0x34},
    {"Slash", 0x35},     {"RShift", 0x36},     {"KpMultiply", 0x37}, {"LAlt", 0x38},
    {"Space", 0x39},     {"CapsLock", 0x3A},   {"F1", 0x3B},       {"F2", 0x3C},
    {"F3", 0x3D},        {"F4", 0x3E},         {"F5", 0x3F},       {"F6", 0x40},
    {"F7", 0x41},        {"F8", 0x42},         {"F9", 0x43},       {"F10", 0x44},
    {"F11", 0x57},       {"F12", 0x58},        {"KpEnter", 0x9C},  {"RCtrl", 0x9D},
    {"RAlt", 0xB8},      {"Home", 0xC7},       {"Up", 0xC8},       {"PageUp", 0xC9},
    {"Left", 0xCB},      {"Right", 0xCD},      {"End", 0xCF},      {"Down", 0xD0},
    {"PageDown", 0xD1},  {"Insert", 0xD2},     {"Delete", 0xD3},
};

}  // namespace

int keyCodeFromName(const std::string& name) {
    for (const KeyName& k : kKeyNames)
        if (strcasecmp(name.c_str(), k.name) == 0) return k.code;
    if (name.size() < 3 || name[0] != '0' || (name[1] != 'x' && name[1] != 'X')) return -1;
    char* end = nullptr;
    long code = std::strtol(name.c_str(), &end, 16);
    if (*end != '\0' || code <= 0 || code >= 256) return -1;
    return int(code);
}

std::string keyNameFromCode(int code) {
    for (const KeyName& k : kKeyNames)
        if (k.code == code) return k.name;
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", code & 0xFF);
    return buf;
}

}  // namespace velk
