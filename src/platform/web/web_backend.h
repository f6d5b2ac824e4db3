#pragma once
// The web backend for play: the canvas, the page's keyboard and mouse, the
// browser's clock and Web Audio. Page events arrive between animation
// frames and go into the headless backend's input state through its input
// hooks: the same key table, bindings and edge latch, so a tap between two
// paced frames is not lost and both play by one set of rules.

#include <string>

#include "platform/headless/headless_backend.h"
#include "platform/web/web_audio.h"

namespace velk {

class WebBackend : public HeadlessBackend {
public:
    WebBackend();
    ~WebBackend() override;
    WebBackend(const WebBackend&) = delete;
    WebBackend& operator=(const WebBackend&) = delete;

    bool isHeadless() const override { return false; }
    bool openDisplay(int width, int height, bool windowed, int scale) override;
    void present(const uint32_t* pixels, int width, int height) override;
    void showSystemCursor(bool show) override;

    // The browser's animation frames pace the loop: a pass is not a paced
    // frame, and the clock is the browser's.
    bool pumpEvents() override { return true; }
    uint64_t counter() override;
    uint64_t frequency() override { return 1000000; }

    bool readMouse(MouseState& state) override;

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
    void pointer(int x, int y) { setMouse(x, y); }
    void button(int button, bool down);
    void wheel(int steps) { wheel_ += steps; }
    void focus(bool on);

private:
    int wheel_ = 0;
    WebAudio audio_;
};

}  // namespace velk
