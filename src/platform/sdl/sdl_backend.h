#pragma once
// The SDL2 backend: a window whose client area is the 800 x 600 screen (an
// integer scale on request, desktop full screen letterboxed, drawn by the
// WindowPresenter), keyboard and
// mouse mapped onto the game's tables, SDL2_mixer audio, and an optional
// recorder that writes the input as a replayable script.

#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "platform/edge_latch.h"
#include "platform/input_mapping.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_gamepad.h"
#include "platform/sdl/window_presenter.h"

struct SDL_Window;
union SDL_Event;

namespace velk {

class SdlBackend : public IBackend {
public:
    SdlBackend();
    ~SdlBackend() override;

    void setKeyBindings(const KeyBindings& bindings) { mapping_.setBindings(bindings); }
    // A gamecontrollerdb.txt of the user's, added to SDL's own mappings.
    void setPadMappings(const std::string& path) { padMappings_ = path; }
    // Full screen smoothed to fill the desktop instead of the largest whole
    // scale with sharp pixels. Set before openDisplay.
    void setSmoothScaling(bool smooth) { smooth_ = smooth; }
    // Opens `path` for a recording of the input in the script format.
    bool startRecording(const std::string& path);
    // Writes every input change from the next poll on, counting frames
    // from there: what the game asked before its run (the screen mode) is
    // no part of what a replay repeats.
    void recordFromHere();
    const std::string& error() const { return error_; }
    SDL_Window* window() const { return window_; }
    // The window scale in use (lowered when the desktop cannot hold the one asked for).
    int scale() const { return scale_; }
    const WindowPresenter& presenter() const { return presenter_; }

    bool isHeadless() const override { return false; }
    bool openDisplay(int width, int height, bool windowed, int scale) override;
    void present(const uint32_t* pixels, int width, int height) override;
    void setWindowed(bool windowed) override { applyFullscreen(!windowed); }
    void showSystemCursor(bool show) override;
    void warpCursor(int x, int y) override;

    bool pumpEvents() override;
    void waitUntil(uint64_t deadline) override;
    uint64_t counter() override;
    uint64_t frequency() override;
    int64_t calendarSeconds() override;
    void beginPoll() override;

    bool readKeyboard(uint8_t keys[256]) override;
    bool readMouse(MouseState& state) override;
    void cursorPosition(int& x, int& y) override;
    void enableTextInput(bool on) override;
    std::string takeTypedText() override;
    int takeBackspaces() override;

    SoundHandle createSound(const std::string& name, const WaveFormat& format,
                            const uint8_t* samples, size_t size) override {
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
    std::vector<std::string> startedEffects() const override { return audio_.started(); }

private:
    void toggleFullscreen();
    bool checkDisplay();
    void handleKey(const SDL_Event& e);
    void padPressed(const PadState& before);
    // The largest scale up to `wanted` whose window fits the desktop's usable area.
    int fittedScale(int wanted) const;
    // Full screen as a borderless window over the whole display: what works
    // with or without a window manager.
    void applyFullscreen(bool on);
    // A point of the window (as mouse events give it) onto the game's screen.
    void windowToGame(int& x, int& y) const;
    // Game pixels per window point, across and down, for relative motion.
    void gamePerPoint(double& sx, double& sy) const;
    void recordChanges();

    SDL_Window* window_ = nullptr;
    WindowPresenter presenter_;
    SdlAudio audio_;
    std::string error_;
    int width_ = 800, height_ = 600;
    int scale_ = 1;
    bool smooth_ = false;
    bool quit_ = false;
    bool focus_ = true;
    bool fullscreen_ = false;
    bool textInput_ = false;
    uint8_t keys_[256] = {};  // the keyboard as held, before the bindings
    InputMapping mapping_;
    SdlGamepads pads_;
    std::string padMappings_;
    uint8_t buttons_[4] = {};
    // Presses since the last read: a quick tap between two polls still counts.
    EdgeLatch<256> keyPresses_;
    EdgeLatch<4> buttonPresses_;
    int mouseX_ = 400, mouseY_ = 300;
    // Relative motion in game pixels; the fraction a scaled window leaves
    // is kept for the next read.
    double moveX_ = 0, moveY_ = 0;
    int wheel_ = 0;
    std::string typed_;
    int backspaces_ = 0;

    // Recorder: what the last recorded poll saw, and what came since.
    FILE* record_ = nullptr;
    bool recording_ = false;
    long polls_ = 0;
    uint8_t recKeys_[256] = {};
    PadState recPad_;
    uint8_t recButtons_[2] = {};
    int recX_ = -1, recY_ = -1;
    std::string recTyped_;
    int recBackspaces_ = 0;
    bool recQuit_ = false;
};

}  // namespace velk
