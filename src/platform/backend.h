#pragma once
// The one narrow interface between the game's platform layer and the system.
// Two implementations exist: platform/sdl (a real window, keyboard, mouse,
// audio and music) and platform/headless (scripted input, a fake clock,
// silent audio that records what it was asked to play, PNG screenshots).
// Game code never talks to a backend directly; CDirect3D, CInputState,
// CSoundBank, CMusic and CFrameCheck do.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

// DirectInput-style mouse state: relative axes and four buttons.
struct MouseState {
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t wheel = 0;
    uint8_t buttons[4] = {0, 0, 0, 0};
};

// Format of an effect's samples, as the game describes it to the mixer.
struct WaveFormat {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 0;
    uint32_t avgBytesPerSec = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
};

using SoundHandle = int;    // 0 = none
using MusicHandle = int;    // 0 = none

class IBackend {
public:
    virtual ~IBackend() = default;

    virtual bool isHeadless() const = 0;

    // --- display -----------------------------------------------------------
    // Opens the 800 x 600 client area (or the full-screen mode). False on failure.
    virtual bool openDisplay(int width, int height, bool windowed, int scale) = 0;
    // Shows a finished back buffer of width x height 0xAARRGGBB pixels.
    virtual void present(const uint32_t* pixels, int width, int height) = 0;
    // Switches an open display between a window and full screen; nothing
    // where there is no screen mode to switch.
    virtual void setWindowed(bool windowed) { (void)windowed; }
    virtual void showSystemCursor(bool show) = 0;
    // Moves the system pointer to a point of the 800 x 600 client area.
    virtual void warpCursor(int x, int y) = 0;

    // --- events and time ---------------------------------------------------
    // Drains pending events. Returns false once the user asked to quit.
    virtual bool pumpEvents() = 0;
    // Blocks until an event arrives or `counter()` reaches `deadline`.
    virtual void waitUntil(uint64_t deadline) = 0;
    virtual uint64_t counter() = 0;
    virtual uint64_t frequency() = 0;
    // Calendar time in whole seconds (the game seeds its generator from it).
    virtual int64_t calendarSeconds() = 0;
    // Called by the input poll at the start of every paced frame, before
    // reading the devices; the headless backend applies its script here.
    virtual void beginPoll() = 0;

    // --- input -------------------------------------------------------------
    // Both return false while the window has no keyboard focus.
    virtual bool readKeyboard(uint8_t keys[256]) = 0;
    virtual bool readMouse(MouseState& state) = 0;
    // Pointer in 800 x 600 client coordinates (not clamped).
    virtual void cursorPosition(int& x, int& y) = 0;
    // Typed text for the number entry: enabled while an entry is open;
    // `takeTypedText` returns the UTF-8 characters typed since the last call
    // and `takeBackspaces` the number of Backspace presses.
    virtual void enableTextInput(bool on) = 0;
    virtual std::string takeTypedText() = 0;
    virtual int takeBackspaces() = 0;

    // --- sound effects -----------------------------------------------------
    // The samples are copied; `name` is the effect's name ("btn", "jump").
    virtual SoundHandle createSound(const std::string& name, const WaveFormat& format,
                                    const uint8_t* samples, size_t size) = 0;
    virtual void releaseSound(SoundHandle handle) = 0;
    virtual bool isSoundPlaying(SoundHandle handle) = 0;
    virtual bool playSound(SoundHandle handle, bool loop) = 0;

    // --- music (one mp3 track at a time) -----------------------------------
    virtual MusicHandle openMusic(const std::string& path) = 0;
    virtual void closeMusic(MusicHandle handle) = 0;
    // Length and position in milliseconds.
    virtual uint32_t musicLength(MusicHandle handle) = 0;
    virtual uint32_t musicPosition(MusicHandle handle) = 0;
    virtual void playMusic(MusicHandle handle) = 0;
    virtual void rewindMusic(MusicHandle handle) = 0;

    // Names of the effects started so far, in order, where the backend keeps
    // them (the headless one does, for the state dump).
    virtual std::vector<std::string> startedEffects() const { return {}; }
};

}  // namespace velk
