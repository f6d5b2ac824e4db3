#pragma once
// The web backend for play: the canvas, the page's keyboard and mouse, the
// browser's clock and Web Audio. Input arrives from the page's event
// handlers between animation frames into the same key table and edge latch
// as the native backends use, so a tap between two paced frames is not lost.

#include <string>

#include "platform/backend.h"
#include "platform/edge_latch.h"
#include "platform/input_mapping.h"
#include "platform/web/web_audio.h"

namespace velk {

class WebBackend : public IBackend {
public:
    WebBackend();
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    void setKeyBindings(const KeyBindings& bindings) { mapping_.setBindings(bindings); }

    bool isHeadless() const override { return false; }
    bool openDisplay(int width, int height, bool windowed, int scale) override;
    void present(const uint32_t* pixels, int width, int height) override;
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    void showSystemCursor(bool show) override;
    // A page cannot move the pointer; the game's idea of it moves.
    void warpCursor(int x, int y) override;

    bool pumpEvents() override { return true; }
    // The browser's animation frames pace the loop; nothing here blocks.
    void waitUntil(uint64_t) override {}
    uint64_t counter() override;
    uint64_t frequency() override { return 1000000; }
    int64_t calendarSeconds() override;
    void beginPoll() override {}

    bool readKeyboard(uint8_t keys[256]) override;
    bool readMouse(MouseState& state) override;
    void cursorPosition(int& x, int& y) override;
    void enableTextInput(bool on) override { textInput_ = on; }
    std::string takeTypedText() override;
    int takeBackspaces() override;

    SoundHandle createSound(const std::string& name, const WaveFormat& format, const uint8_t* samples,
                            size_t size) override {
        return audio_.createSound(name, format, samples, size);
    }
    void releaseSound(SoundHandle handle) override { audio_.releaseSound(handle); }
    bool isSoundPlaying(SoundHandle handle) override { return audio_.isSoundPlaying(handle); }
    bool playSound(SoundHandle handle, bool loop) override { return audio_.playSound(handle, loop); }
    MusicHandle openMusic(const std::string& path) override { return audio_.openMusic(path); }
    void closeMusic(MusicHandle handle) override { audio_.closeMusic(handle); }
    uint32_t musicLength(MusicHandle handle) override { return audio_.musicLength(handle); }
    uint32_t musicPosition(MusicHandle handle) override { return audio_.musicPosition(handle); }
    void playMusic(MusicHandle handle) override { audio_.playMusic(handle); }
    void rewindMusic(MusicHandle handle) override { audio_.rewindMusic(handle); }

    // Page events, called by the handlers the constructor installs.
    // True when the page should not act on the key itself. `modifier`: Ctrl
    // or the command key is held.
    bool key(const char* code, const char* text, bool down, bool repeat, bool modifier);
    void pointer(int x, int y);
    void button(int button, bool down);
    void wheel(int steps) { wheel_ += steps; }
    void focus(bool on);

private:
    InputMapping mapping_;
    bool focus_ = true;
    bool textInput_ = false;
    uint8_t keys_[256] = {};
    uint8_t buttons_[4] = {};
    EdgeLatch<256> keyPresses_;
    EdgeLatch<4> buttonPresses_;
    int mouseX_ = 400, mouseY_ = 300;
    int moveX_ = 0, moveY_ = 0;
    int wheel_ = 0;
    std::string typed_;
    int backspaces_ = 0;
    WebAudio audio_;
};

}  // namespace velk
