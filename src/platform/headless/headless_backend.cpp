#include "platform/headless/headless_backend.h"

#include <ctime>

namespace velk {

HeadlessBackend::HeadlessBackend(std::vector<ScriptEvent> script)
    : script_(std::move(script)), audio_([this] { return counter_ * 1000 / kFrequency; }) {}

bool HeadlessBackend::openDisplay(int, int, bool, int) { return true; }

void HeadlessBackend::present(const uint32_t*, int, int) {}

void HeadlessBackend::warpCursor(int x, int y) {
    mouseX_ = x;
    mouseY_ = y;
}

bool HeadlessBackend::pumpEvents() {
    // The first pass starts the clock; each later pass is one paced frame on.
    if (started_) counter_ += kPassTicks;
    started_ = true;
    return !quit_;
}

int64_t HeadlessBackend::calendarSeconds() { return int64_t(std::time(nullptr)); }

void HeadlessBackend::beginPoll() {
    while (nextEvent_ < script_.size() && script_[nextEvent_].frame <= polls_)
        apply(script_[nextEvent_++]);
    ++polls_;
}

void HeadlessBackend::apply(const ScriptEvent& ev) {
    switch (ev.type) {
    case ScriptEvent::Type::Key:
        setKey(ev.key, ev.down);
        break;
    case ScriptEvent::Type::Pad:
        setPadButton(ev.button, ev.down);
        break;
    case ScriptEvent::Type::Mouse:
        setMouse(ev.x, ev.y);
        break;
    case ScriptEvent::Type::Button:
        setButton(ev.button, ev.down);
        break;
    case ScriptEvent::Type::Text:
        typeText(ev.text);
        break;
    case ScriptEvent::Type::Backspace:
        pressBackspace();
        break;
    case ScriptEvent::Type::Quit:
        quit_ = true;
        break;
    }
}

void HeadlessBackend::setKey(int code, bool down) {
    if (!mapping_.key(keys_, code, down)) {
        ++chords_;
        return;
    }
    if (down && keys_[code & 0xFF]) keyPresses_.press(size_t(code & 0xFF));
}

void HeadlessBackend::setPadButton(int button, bool down) {
    if (button < 0 || button >= kPadButtonCount) return;
    mapping_.pad.buttons[size_t(button)] = down;
    if (button == kPadStart && down) warpCursor(kMenuButtonX, kMenuButtonY);
}

bool HeadlessBackend::readKeyboard(uint8_t keys[256]) {
    if (!focus_) return false;
    uint8_t held[256];
    for (int i = 0; i < 256; ++i) held[i] = keys_[i];
    keyPresses_.drainInto(held);
    mapping_.gameKeys(held, keys);
    return true;
}

bool HeadlessBackend::readMouse(MouseState& state) {
    if (!focus_) return false;
    state.dx = moveX_;
    state.dy = moveY_;
    state.wheel = 0;
    for (int i = 0; i < 4; ++i) state.buttons[i] = buttons_[i];
    if (padLeftButton(mapping_.pad)) state.buttons[0] = 0x80;
    buttonPresses_.drainInto(state.buttons);
    moveX_ = moveY_ = 0;
    return true;
}

void HeadlessBackend::cursorPosition(int& x, int& y) {
    x = mouseX_;
    y = mouseY_;
}

std::string HeadlessBackend::takeTypedText() {
    std::string out;
    out.swap(typed_);
    return out;
}

int HeadlessBackend::takeBackspaces() {
    int n = backspaces_;
    backspaces_ = 0;
    return n;
}

SoundHandle HeadlessBackend::createSound(const std::string& name, const WaveFormat& format,
                                         const uint8_t* samples, size_t size) {
    return audio_.createSound(name, format, samples, size);
}

}  // namespace velk
