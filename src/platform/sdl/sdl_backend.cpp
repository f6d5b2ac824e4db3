#include "platform/sdl/sdl_backend.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/input_script.h"
#include "platform/sdl/quiet_stderr.h"

namespace velk {

namespace {

// SDL scancodes onto DirectInput key codes (the PC set-1 scan codes).
int dikFromScancode(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 0x02 + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F10) return 0x3B + (sc - SDL_SCANCODE_F1);
    static constexpr struct {
        SDL_Scancode sc;
        int dik;
    } kMap[] = {
        {SDL_SCANCODE_ESCAPE, 0x01}, {SDL_SCANCODE_0, 0x0B}, {SDL_SCANCODE_MINUS, 0x0C},
        {SDL_SCANCODE_EQUALS, 0x0D}, {SDL_SCANCODE_BACKSPACE, 0x0E}, {SDL_SCANCODE_TAB, 0x0F},
        {SDL_SCANCODE_Q, 0x10}, {SDL_SCANCODE_W, 0x11}, {SDL_SCANCODE_E, 0x12},
        {SDL_SCANCODE_R, 0x13}, {SDL_SCANCODE_T, 0x14}, {SDL_SCANCODE_Y, 0x15},
        {SDL_SCANCODE_U, 0x16}, {SDL_SCANCODE_I, 0x17}, {SDL_SCANCODE_O, 0x18},
        {SDL_SCANCODE_P, 0x19}, {SDL_SCANCODE_LEFTBRACKET, 0x1A},
        {SDL_SCANCODE_RIGHTBRACKET, 0x1B}, {SDL_SCANCODE_RETURN, 0x1C},
        {SDL_SCANCODE_LCTRL, 0x1D}, {SDL_SCANCODE_A, 0x1E}, {SDL_SCANCODE_S, 0x1F},
        {SDL_SCANCODE_D, 0x20}, {SDL_SCANCODE_F, 0x21}, {SDL_SCANCODE_G, 0x22},
        {SDL_SCANCODE_H, 0x23}, {SDL_SCANCODE_J, 0x24}, {SDL_SCANCODE_K, 0x25},
        {SDL_SCANCODE_L, 0x26}, {SDL_SCANCODE_SEMICOLON, 0x27},
        {SDL_SCANCODE_APOSTROPHE, 0x28}, {SDL_SCANCODE_GRAVE, 0x29},
        {SDL_SCANCODE_LSHIFT, 0x2A}, {SDL_SCANCODE_BACKSLASH, 0x2B}, {SDL_SCANCODE_Z, 0x2C},
        {SDL_SCANCODE_X, 0x2D}, {SDL_SCANCODE_C, 0x2E}, {SDL_SCANCODE_V, 0x2F},
        {SDL_SCANCODE_B, 0x30}, {SDL_SCANCODE_N, 0x31}, {SDL_SCANCODE_M, 0x32},
        {SDL_SCANCODE_COMMA, 0x33}, {SDL_SCANCODE_PERIOD, 0x34}, {SDL_SCANCODE_SLASH, 0x35},
        {SDL_SCANCODE_RSHIFT, 0x36}, {SDL_SCANCODE_KP_MULTIPLY, 0x37},
        {SDL_SCANCODE_LALT, 0x38}, {SDL_SCANCODE_SPACE, 0x39}, {SDL_SCANCODE_CAPSLOCK, 0x3A},
        {SDL_SCANCODE_F11, 0x57}, {SDL_SCANCODE_F12, 0x58}, {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_RCTRL, 0x9D}, {SDL_SCANCODE_RALT, 0xB8}, {SDL_SCANCODE_HOME, 0xC7},
        {SDL_SCANCODE_UP, 0xC8}, {SDL_SCANCODE_PAGEUP, 0xC9}, {SDL_SCANCODE_LEFT, 0xCB},
        {SDL_SCANCODE_RIGHT, 0xCD}, {SDL_SCANCODE_END, 0xCF}, {SDL_SCANCODE_DOWN, 0xD0},
        {SDL_SCANCODE_PAGEDOWN, 0xD1}, {SDL_SCANCODE_INSERT, 0xD2}, {SDL_SCANCODE_DELETE, 0xD3},
    };
    for (const auto& m : kMap)
        if (m.sc == sc) return m.dik;
    return 0;
}

}  // namespace

SdlBackend::SdlBackend() = default;

SdlBackend::~SdlBackend() {
    if (record_) std::fclose(record_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

bool SdlBackend::startRecording(const std::string& path) {
    record_ = std::fopen(path.c_str(), "w");
    if (!record_) return false;
    std::fprintf(record_, "# velk input recording: replay with velk --headless --script FILE\n");
    return true;
}

void SdlBackend::recordFromHere() {
    recording_ = record_ != nullptr;
    polls_ = 0;
    std::fill(std::begin(recKeys_), std::end(recKeys_), 0);
    std::fill(std::begin(recButtons_), std::end(recButtons_), 0);
    recPad_ = PadState{};
    recX_ = recY_ = -1;
    recTyped_.clear();
    recBackspaces_ = 0;
}

int SdlBackend::fittedScale(int wanted) const {
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return wanted;
    int scale = wanted;
    while (scale > 1 && (width_ * scale > usable.w || height_ * scale > usable.h)) --scale;
    if (scale != wanted)
        std::fprintf(stderr, "velk: scale %d does not fit the desktop (%d x %d usable); using scale %d\n",
                     wanted, usable.w, usable.h, scale);
    return scale;
}

bool SdlBackend::openDisplay(int width, int height, bool windowed, int scale) {
    width_ = width;
    height_ = height;
    int videoError = 0;
    {
        QuietStderr quiet;  // display libraries complain on their own for every driver tried
        videoError = SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    }
    if (videoError != 0) {
        error_ = std::string("cannot open the display: ") + SDL_GetError();
        return false;
    }
    if (!checkDisplay()) return false;
    // On X11 SDL would back the window's surface with an OpenGL texture,
    // which without a GPU renders in software at a high cost; a shared-memory
    // image is cheap everywhere. The environment variable still decides.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver && std::string(driver) == "x11") SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    scale_ = fittedScale(std::clamp(scale, 1, 8));
    window_ = SDL_CreateWindow("벨크 --", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               width * scale_, height * scale_, SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) {
        error_ = std::string("cannot create the window: ") + SDL_GetError();
        return false;
    }
    applyFullscreen(!windowed);
    if (!SDL_GetWindowSurface(window_)) {
        error_ = std::string("cannot draw into the window: ") + SDL_GetError();
        return false;
    }
    SDL_StopTextInput();
    bool audio = false;
    {
        QuietStderr quiet;
        audio = audio_.open();
    }
    if (!audio) std::fprintf(stderr, "velk: no sound device, audio is off (%s)\n", SDL_GetError());
    pads_.open(padMappings_);
    return true;
}

bool SdlBackend::checkDisplay() {
    // Without a display SDL falls back to drivers that draw nowhere; a game
    // nobody can see would run for ever. Asked for by name, they are fine.
    const char* driver = SDL_GetCurrentVideoDriver();
    const std::string name = driver ? driver : "";
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if ((name == "offscreen" || name == "dummy") && !(asked && name == asked)) {
        error_ = "no display found (SDL could only offer its '" + name + "' video driver)";
        return false;
    }
    return true;
}

void SdlBackend::applyFullscreen(bool on) {
    fullscreen_ = on;
    SDL_Rect bounds{0, 0, width_, height_};
    SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &bounds);
    // A borderless window covering the display: the desktop full-screen mode
    // asks the window manager, and with none the window would keep its size
    // while the renderer draws for the desktop's.
    SDL_SetWindowBordered(window_, on ? SDL_FALSE : SDL_TRUE);
    if (on) {
        SDL_SetWindowPosition(window_, bounds.x, bounds.y);
        SDL_SetWindowSize(window_, bounds.w, bounds.h);
    } else {
        SDL_SetWindowSize(window_, width_ * scale_, height_ * scale_);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
    SDL_SetWindowAlwaysOnTop(window_, on ? SDL_TRUE : SDL_FALSE);
    // Smoothing only full screen: a window is always a whole scale.
    presenter_.setSmooth(on && smooth_);
}

void SdlBackend::present(const uint32_t* pixels, int width, int height) {
    if (window_) presenter_.present(window_, pixels, width, height);
}

void SdlBackend::windowToGame(int& x, int& y) const {
    int w = 1, h = 1, pw = 1, ph = 1;
    SDL_GetWindowSize(window_, &w, &h);
    SDL_GetWindowSizeInPixels(window_, &pw, &ph);
    presenter_.layout(window_).toGame(x * pw / std::max(w, 1), y * ph / std::max(h, 1), x, y);
}

void SdlBackend::gamePerPoint(double& sx, double& sy) const {
    int w = 1, h = 1, pw = 1, ph = 1;
    SDL_GetWindowSize(window_, &w, &h);
    SDL_GetWindowSizeInPixels(window_, &pw, &ph);
    const PixelRect dest = presenter_.layout(window_).dest;
    sx = double(pw) / std::max(w, 1) * width_ / dest.w;
    sy = double(ph) / std::max(h, 1) * height_ / dest.h;
}

void SdlBackend::showSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void SdlBackend::warpCursor(int x, int y) {
    if (!window_ || !focus_) return;
    int wx = x, wy = y, w = 1, h = 1, pw = 1, ph = 1;
    presenter_.layout(window_).toWindow(x, y, wx, wy);
    SDL_GetWindowSize(window_, &w, &h);
    SDL_GetWindowSizeInPixels(window_, &pw, &ph);
    SDL_WarpMouseInWindow(window_, wx * w / std::max(pw, 1), wy * h / std::max(ph, 1));
    mouseX_ = x;
    mouseY_ = y;
}

void SdlBackend::toggleFullscreen() { applyFullscreen(!fullscreen_); }

bool SdlBackend::pumpEvents() {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            quit_ = true;
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                focus_ = false;
                std::fill(std::begin(keys_), std::end(keys_), 0);
                std::fill(std::begin(buttons_), std::end(buttons_), 0);
                keyPresses_.clear();
                buttonPresses_.clear();
            } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
                focus_ = true;
            } else if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                       e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                       e.window.event == SDL_WINDOWEVENT_SHOWN ||
                       e.window.event == SDL_WINDOWEVENT_RESTORED) {
                // The window's pixels are gone or stale: draw the next frame whole.
                presenter_.invalidate();
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKey(e);
            break;
        case SDL_TEXTINPUT:
            if (textInput_) {
                typed_ += e.text.text;
                recTyped_ += e.text.text;
            }
            break;
        case SDL_MOUSEMOTION: {
            mouseX_ = e.motion.x;
            mouseY_ = e.motion.y;
            windowToGame(mouseX_, mouseY_);
            double sx = 1, sy = 1;
            gamePerPoint(sx, sy);
            moveX_ += e.motion.xrel * sx;
            moveY_ += e.motion.yrel * sy;
            break;
        }
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            int b = e.button.button == SDL_BUTTON_LEFT ? 0 : e.button.button == SDL_BUTTON_RIGHT ? 1 : -1;
            if (b >= 0) {
                buttons_[b] = e.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
                if (buttons_[b]) buttonPresses_.press(size_t(b));
            }
            mouseX_ = e.button.x;
            mouseY_ = e.button.y;
            windowToGame(mouseX_, mouseY_);
            break;
        }
        case SDL_MOUSEWHEEL:
            wheel_ += e.wheel.y;
            break;
        default: {
            const PadState before = mapping_.pad;
            if (pads_.handle(e, mapping_.pad)) padPressed(before);
            break;
        }
        }
    }
    if (quit_ && recording_ && !recQuit_) {
        std::fprintf(record_, "%ld quit\n", polls_);
        recQuit_ = true;
    }
    return !quit_;
}

void SdlBackend::handleKey(const SDL_Event& e) {
    const bool down = e.type == SDL_KEYDOWN;
    if (down && textInput_ && e.key.keysym.scancode == SDL_SCANCODE_BACKSPACE) {
        ++backspaces_;
        ++recBackspaces_;
    }
    const int dik = dikFromScancode(e.key.keysym.scancode);
    if (!dik || (down && e.key.repeat)) return;
    if (!mapping_.key(keys_, dik, down)) {
        toggleFullscreen();
        return;
    }
    if (down && keys_[dik]) keyPresses_.press(size_t(dik));
}

void SdlBackend::padPressed(const PadState& before) {
    if (mapping_.pad.buttons[kPadStart] && !before.buttons[kPadStart])
        warpCursor(kMenuButtonX, kMenuButtonY);
}

void SdlBackend::waitUntil(uint64_t deadline) {
    uint64_t now = SDL_GetPerformanceCounter();
    if (deadline <= now) return;
    uint64_t ms = (deadline - now) * 1000 / SDL_GetPerformanceFrequency();
    if (ms > 0) SDL_WaitEventTimeout(nullptr, int(std::min<uint64_t>(ms, 100)));
}

uint64_t SdlBackend::counter() { return SDL_GetPerformanceCounter(); }
uint64_t SdlBackend::frequency() { return SDL_GetPerformanceFrequency(); }
int64_t SdlBackend::calendarSeconds() { return int64_t(std::time(nullptr)); }

void SdlBackend::beginPoll() {
    int dx = 0, dy = 0;
    SdlGamepads::pointerStep(mapping_.pad, dx, dy);
    if (dx || dy) warpCursor(std::clamp(mouseX_ + dx, 0, width_ - 1), std::clamp(mouseY_ + dy, 0, height_ - 1));
    if (recording_) recordChanges();
    ++polls_;
}

void SdlBackend::recordChanges() {
    ScriptEvent ev;
    ev.frame = polls_;
    auto emit = [&] { std::fprintf(record_, "%s\n", formatScriptEvent(ev).c_str()); };
    if (mouseX_ != recX_ || mouseY_ != recY_) {
        ev.type = ScriptEvent::Type::Mouse;
        ev.x = recX_ = mouseX_;
        ev.y = recY_ = mouseY_;
        emit();
    }
    // A tap that went down and up since the last poll replays as both on
    // this poll's frame, which reads it as one press.
    auto tap = [&] {
        ev.down = true;
        emit();
        ev.down = false;
        emit();
    };
    for (int b = 0; b < 2; ++b) {
        if (!buttons_[b] && !recButtons_[b] && buttonPresses_.pressed(size_t(b))) {
            ev.type = ScriptEvent::Type::Button;
            ev.button = b;
            tap();
        }
        if (buttons_[b] != recButtons_[b]) {
            ev.type = ScriptEvent::Type::Button;
            ev.button = b;
            ev.down = buttons_[b] != 0;
            recButtons_[b] = buttons_[b];
            emit();
        }
    }
    // The keys as the game gets them: an Alt that made the full-screen
    // chord never reached the game, so the replay must not have it either.
    uint8_t keys[256], presses[256], pressesSeen[256];
    mapping_.visibleKeys(keys_, keys);
    for (int k = 0; k < 256; ++k) presses[k] = keyPresses_.pressed(size_t(k)) ? 0x80 : 0;
    mapping_.visibleKeys(presses, pressesSeen);
    for (int k = 0; k < 256; ++k) {
        if (!keys[k] && !recKeys_[k] && pressesSeen[k]) {
            ev.type = ScriptEvent::Type::Key;
            ev.key = k;
            tap();
        }
        if (keys[k] != recKeys_[k]) {
            ev.type = ScriptEvent::Type::Key;
            ev.key = k;
            ev.down = keys[k] != 0;
            recKeys_[k] = keys[k];
            emit();
        }
    }
    for (int b = 0; b < kPadButtonCount; ++b) {
        if (mapping_.pad.buttons[size_t(b)] != recPad_.buttons[size_t(b)]) {
            ev.type = ScriptEvent::Type::Pad;
            ev.button = b;
            ev.down = recPad_.buttons[size_t(b)] = mapping_.pad.buttons[size_t(b)];
            emit();
        }
    }
    if (!recTyped_.empty()) {
        ev.type = ScriptEvent::Type::Text;
        ev.text = recTyped_;
        recTyped_.clear();
        emit();
    }
    for (; recBackspaces_ > 0; --recBackspaces_) {
        ev.type = ScriptEvent::Type::Backspace;
        emit();
    }
    std::fflush(record_);
}

bool SdlBackend::readKeyboard(uint8_t keys[256]) {
    if (!focus_) return false;
    uint8_t held[256];
    std::copy(std::begin(keys_), std::end(keys_), held);
    keyPresses_.drainInto(held);
    mapping_.gameKeys(held, keys);
    return true;
}

bool SdlBackend::readMouse(MouseState& state) {
    if (!focus_) return false;
    state.dx = int(moveX_);
    state.dy = int(moveY_);
    moveX_ -= state.dx;
    moveY_ -= state.dy;
    state.wheel = wheel_;
    std::copy(std::begin(buttons_), std::end(buttons_), state.buttons);
    if (padLeftButton(mapping_.pad)) state.buttons[0] = 0x80;
    buttonPresses_.drainInto(state.buttons);
    wheel_ = 0;
    return true;
}

void SdlBackend::cursorPosition(int& x, int& y) {
    x = mouseX_;
    y = mouseY_;
}

void SdlBackend::enableTextInput(bool on) {
    if (on == textInput_) return;
    textInput_ = on;
    if (on)
        SDL_StartTextInput();
    else
        SDL_StopTextInput();
}

std::string SdlBackend::takeTypedText() {
    std::string out;
    out.swap(typed_);
    return out;
}

int SdlBackend::takeBackspaces() {
    int n = backspaces_;
    backspaces_ = 0;
    return n;
}

}  // namespace velk
