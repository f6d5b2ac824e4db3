#include "platform/key_bindings.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "platform/files.h"
#include "platform/input_state.h"
#include "platform/key_names.h"
#include "platform/trim.h"

namespace velk {

namespace {

constexpr int kRAlt = 0xB8;

struct GameKey {
    const char* name;
    int code;
};

constexpr GameKey kGameKeys[] = {
    {"attack", dik::kLCtrl}, {"jump", dik::kLAlt},   {"pickup", dik::kLShift},
    {"skill", dik::kSpace},  {"up", dik::kUp},       {"down", dik::kDown},
    {"left", dik::kLeft},    {"right", dik::kRight}, {"quick1", dik::kF1},
    {"quick2", dik::kF2},    {"quick3", dik::kF3},   {"quick4", dik::kF4},
};
static_assert(std::size(kGameKeys) == 12);

int gameKeyIndex(const std::string& name) {
    for (size_t i = 0; i < std::size(kGameKeys); ++i)
        if (name == kGameKeys[i].name) return int(i);
    return -1;
}

// Controls files are a few lines; anything bigger is not one.
constexpr size_t kMaxControlsFile = 64 * 1024;

}  // namespace

KeyBindings::KeyBindings() {
    for (size_t i = 0; i < std::size(kGameKeys); ++i) keys_[i] = {kGameKeys[i].code};
    rebuild();
}

void KeyBindings::rebuild() {
    for (int c = 0; c < 256; ++c) table_[size_t(c)] = uint8_t(c);
    for (const GameKey& g : kGameKeys) table_[size_t(g.code)] = 0;
    for (size_t i = 0; i < std::size(kGameKeys); ++i)
        for (int key : keys_[i]) table_[size_t(key)] = uint8_t(kGameKeys[i].code);
}

void KeyBindings::parse(const std::string& text, std::vector<std::string>& warnings) {
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        line = trim(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        size_t eq = line.find('=');
        if (eq == std::string::npos) {
            warnings.push_back(where + "expected 'gamekey = KEY', got '" + line + "'");
            continue;
        }
        const std::string name = trim(line.substr(0, eq));
        const int index = gameKeyIndex(name);
        if (index < 0) {
            warnings.push_back(where + "unknown game key '" + name +
                               "' (attack jump pickup skill up down left right quick1..quick4)");
            continue;
        }
        std::vector<int> keys;
        std::istringstream words(line.substr(eq + 1));
        bool bad = false;
        for (std::string w; words >> w;) {
            int code = keyCodeFromName(w);
            if (code < 0) {
                warnings.push_back(where + "unknown key '" + w + "'; " + name + " keeps " +
                                   keyNameFromCode(keys_[size_t(index)].empty()
                                                       ? kGameKeys[index].code
                                                       : keys_[size_t(index)].front()));
                bad = true;
                break;
            }
            keys.push_back(code);
        }
        if (bad) continue;
        if (keys.empty()) {
            warnings.push_back(where + "no key given for " + name);
            continue;
        }
        // A key serves one game key: the later line takes it.
        for (auto& list : keys_)
            for (int key : keys) list.erase(std::remove(list.begin(), list.end(), key), list.end());
        keys_[size_t(index)] = keys;
    }
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i].empty())
            warnings.push_back(std::string(kGameKeys[i].name) + " has no key left (another line took it)");
    rebuild();
}

void KeyBindings::apply(const uint8_t keyboard[256], uint8_t game[256]) const {
    std::fill(game, game + 256, uint8_t(0));
    for (int c = 1; c < 256; ++c)
        if ((keyboard[c] & 0x80) && table_[size_t(c)]) game[table_[size_t(c)]] = 0x80;
}

std::vector<int> KeyBindings::keysFor(const std::string& gameKey) const {
    int index = gameKeyIndex(gameKey);
    return index < 0 ? std::vector<int>{} : keys_[size_t(index)];
}

void loadKeyBindings(const std::string& path, KeyBindings& bindings,
                     std::vector<std::string>& warnings) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) return;
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, kMaxControlsFile)) {
        warnings.push_back("cannot read it (or it is over 64 KiB); using the default keys");
        return;
    }
    bindings.parse(std::string(bytes.begin(), bytes.end()), warnings);
}

bool FullscreenChord::press(int code, const uint8_t keyboard[256]) {
    if (code != dik::kReturn) return false;
    const bool left = keyboard[dik::kLAlt] & 0x80, right = keyboard[kRAlt] & 0x80;
    if (!left && !right) return false;
    hiddenLeft_ = hiddenLeft_ || left;
    hiddenRight_ = hiddenRight_ || right;
    return true;
}

void FullscreenChord::visible(const uint8_t keyboard[256], uint8_t out[256]) const {
    std::copy(keyboard, keyboard + 256, out);
    if (hiddenLeft_) out[dik::kLAlt] = 0;
    if (hiddenRight_) out[kRAlt] = 0;
}

void FullscreenChord::hide(uint8_t keyboard[256]) {
    if (!(keyboard[dik::kLAlt] & 0x80)) hiddenLeft_ = false;
    if (!(keyboard[kRAlt] & 0x80)) hiddenRight_ = false;
    if (hiddenLeft_) keyboard[dik::kLAlt] = 0;
    if (hiddenRight_) keyboard[kRAlt] = 0;
}

}  // namespace velk
