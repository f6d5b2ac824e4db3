#pragma once
// The headless backend: no window and no audio device. Every main-loop pass
// is one paced frame on a fake clock; input comes from a script applied at
// the start of each paced frame's poll; audio is silent and recorded.

#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/edge_latch.h"
#include "platform/headless/headless_audio.h"
#include "platform/input_mapping.h"
#include "platform/input_script.h"

namespace velk {

class HeadlessBackend : public IBackend {
public:
    // Counter ticks per second, and how far one main-loop pass moves it: a
    // little over the 60 ms pace, so every pass runs exactly one paced frame.
    static constexpr uint64_t kFrequency = 1000000;
    static constexpr uint64_t kPassTicks = 62500;

    explicit HeadlessBackend(std::vector<ScriptEvent> script = {});
    void setKeyBindings(const KeyBindings& bindings) { mapping_.setBindings(bindings); }

    bool isHeadless() const override { return true; }
    bool openDisplay(int width, int height, bool windowed, int scale) override;
    void present(const uint32_t* pixels, int width, int height) override;
    void showSystemCursor(bool) override {}
    void warpCursor(int x, int y) override;

    bool pumpEvents() override;
    void waitUntil(uint64_t) override {}
    uint64_t counter() override { return counter_; }
    uint64_t frequency() override { return kFrequency; }
    int64_t calendarSeconds() override;
    void beginPoll() override;

    bool readKeyboard(uint8_t keys[256]) override;
    bool readMouse(MouseState& state) override;
    void cursorPosition(int& x, int& y) override;
    void enableTextInput(bool on) override { textInput_ = on; }
    std::string takeTypedText() override;
    int takeBackspaces() override;

    SoundHandle createSound(const std::string& name, const WaveFormat& format,
                            const uint8_t* samples, size_t size) override;
    void releaseSound(SoundHandle handle) override { audio_.releaseSound(handle); }
    bool isSoundPlaying(SoundHandle handle) override { return audio_.isSoundPlaying(handle); }
    bool playSound(SoundHandle handle, bool loop) override { return audio_.playSound(handle, loop); }
    MusicHandle openMusic(const std::string& path) override { return audio_.openMusic(path); }
    void closeMusic(MusicHandle handle) override { audio_.closeMusic(handle); }
    uint32_t musicLength(MusicHandle handle) override { return audio_.musicLength(handle); }
    uint32_t musicPosition(MusicHandle handle) override { return audio_.musicPosition(handle); }
    void playMusic(MusicHandle handle) override { audio_.playMusic(handle); }
    void rewindMusic(MusicHandle handle) override { audio_.rewindMusic(handle); }
    std::vector<std::string> startedEffects() const override { return audio_.started(); }

    // Test hooks: advance the fake clock, press keys and pad buttons directly.
    void advance(uint64_t ticks) { counter_ += ticks; }
    // A key or button that goes down reads as down at the next poll even if
    // it is up again by then.
    void setKey(int code, bool down);
    void setPadButton(int button, bool down);
    // Moves the pointer there, as a real mouse would: the move shows in the
    // next read's movement too.
    void setMouse(int x, int y) {
        moveX_ += x - mouseX_;
        moveY_ += y - mouseY_;
        mouseX_ = x;
        mouseY_ = y;
    }
    void setButton(int button, bool down) {
        buttons_[button & 3] = down ? 0x80 : 0;
        if (down) buttonPresses_.press(size_t(button & 3));
    }
    void setFocus(bool focus) { focus_ = focus; }
    // Typing as a script's text and backspace lines do: kept only while
    // text input is enabled.
    void typeText(const std::string& utf8) { if (textInput_) typed_ += utf8; }
    void pressBackspace() { if (textInput_) ++backspaces_; }
    bool textInputEnabled() const { return textInput_; }
    long pollCount() const { return polls_; }
    // Alt+Enter presses seen (there is no screen mode to switch).
    int fullscreenChords() const { return chords_; }
    const HeadlessAudio& audio() const { return audio_; }

private:
    void apply(const ScriptEvent& ev);

    std::vector<ScriptEvent> script_;
    size_t nextEvent_ = 0;
    long polls_ = 0;
    uint64_t counter_ = 0;
    bool started_ = false;
    bool quit_ = false;
    bool focus_ = true;
    bool textInput_ = false;
    uint8_t keys_[256] = {};
    InputMapping mapping_;
    int chords_ = 0;
    uint8_t buttons_[4] = {};
    EdgeLatch<256> keyPresses_;
    EdgeLatch<4> buttonPresses_;
    int mouseX_ = 400, mouseY_ = 300;
    int moveX_ = 0, moveY_ = 0;
    std::string typed_;
    int backspaces_ = 0;
    HeadlessAudio audio_;
};

}  // namespace velk
