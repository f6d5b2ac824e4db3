#include "platform/web/web_backend.h"

#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "platform/web/web_canvas.h"
#include "platform/web/web_keys.h"

namespace {

constexpr const char* kCanvas = "#canvas";

// clang-format off
// Page coordinates of an event onto the 800 x 600 frame, whatever size the
// page shows the canvas at.
EM_JS(void, velk_canvas_point, (double clientX, double clientY, int* x, int* y), {
    const canvas = Module['canvas'];
    const rect = canvas.getBoundingClientRect();
    const sx = rect.width > 0 ? canvas.width / rect.width : 1;
    const sy = rect.height > 0 ? canvas.height / rect.height : 1;
    HEAP32[x >> 2] = Math.floor((clientX - rect.left) * sx);
    HEAP32[y >> 2] = Math.floor((clientY - rect.top) * sy);
});

EM_JS(void, velk_canvas_cursor, (int show), {
    if (Module['canvas']) Module['canvas'].style.cursor = show ? 'default' : 'none';
});

EM_JS(void, velk_toggle_fullscreen, (void), {
    if (document.fullscreenElement) document.exitFullscreen();
    else if (Module['canvas'] && Module['canvas'].requestFullscreen) Module['canvas'].requestFullscreen();
});
// clang-format on

velk::WebBackend* self(void* data) { return static_cast<velk::WebBackend*>(data); }

EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* e, void* data) {
    const bool modifier = e->ctrlKey || e->metaKey;
    return self(data)->key(e->code, e->key, type == EMSCRIPTEN_EVENT_KEYDOWN, e->repeat, modifier);
}

EM_BOOL onMove(int, const EmscriptenMouseEvent* e, void* data) {
    int x = 0, y = 0;
    velk_canvas_point(e->clientX, e->clientY, &x, &y);
    self(data)->pointer(x, y);
    return EM_FALSE;
}

EM_BOOL onButton(int type, const EmscriptenMouseEvent* e, void* data) {
    int x = 0, y = 0;
    velk_canvas_point(e->clientX, e->clientY, &x, &y);
    self(data)->pointer(x, y);
    // The left and right buttons are the game's 0 and 1.
    const int b = e->button == 0 ? 0 : e->button == 2 ? 1 : -1;
    if (b < 0) return EM_FALSE;
    self(data)->button(b, type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    return type == EMSCRIPTEN_EVENT_MOUSEDOWN;
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* e, void* data) {
    // One step a notch, upwards positive, as the native backends count.
    self(data)->wheel(e->deltaY < 0 ? 1 : e->deltaY > 0 ? -1 : 0);
    return EM_TRUE;
}

EM_BOOL onFocus(int type, const EmscriptenFocusEvent*, void* data) {
    self(data)->focus(type == EMSCRIPTEN_EVENT_FOCUS);
    return EM_FALSE;
}

}  // namespace

namespace velk {

WebBackend::WebBackend() : audio_([this] { return counter() / 1000; }) {
    const char* win = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(win, this, true, onKey);
    emscripten_set_keyup_callback(win, this, true, onKey);
    emscripten_set_mousemove_callback(win, this, true, onMove);
    // Presses start on the canvas only (the page's own buttons stay the
    // page's); releases count anywhere, so a drag out of the canvas ends.
    emscripten_set_mousedown_callback(kCanvas, this, true, onButton);
    emscripten_set_mouseup_callback(win, this, true, onButton);
    emscripten_set_wheel_callback(kCanvas, this, true, onWheel);
    emscripten_set_blur_callback(win, this, true, onFocus);
    emscripten_set_focus_callback(win, this, true, onFocus);
}

WebBackend::~WebBackend() {
    const char* win = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(win, nullptr, true, nullptr);
    emscripten_set_keyup_callback(win, nullptr, true, nullptr);
    emscripten_set_mousemove_callback(win, nullptr, true, nullptr);
    emscripten_set_mousedown_callback(kCanvas, nullptr, true, nullptr);
    emscripten_set_mouseup_callback(win, nullptr, true, nullptr);
    emscripten_set_wheel_callback(kCanvas, nullptr, true, nullptr);
    emscripten_set_blur_callback(win, nullptr, true, nullptr);
    emscripten_set_focus_callback(win, nullptr, true, nullptr);
}

bool WebBackend::openDisplay(int width, int height, bool, int) {
    openCanvas(width, height);
    return true;
}

void WebBackend::present(const uint32_t* pixels, int width, int height) {
    presentToCanvas(pixels, width, height);
}

void WebBackend::showSystemCursor(bool show) { velk_canvas_cursor(show ? 1 : 0); }

uint64_t WebBackend::counter() { return uint64_t(emscripten_get_now() * 1000.0); }

bool WebBackend::key(const char* code, const char* text, bool down, bool repeat, bool modifier) {
    // Keys reach only a page that has the focus.
    if (down) setFocus(true);
    if (down && textInputEnabled()) {
        if (std::strcmp(code, "Backspace") == 0) {
            pressBackspace();
        } else if (!modifier && text && text[0] && std::strlen(text) <= 4) {
            // One character (KeyboardEvent.key is a name such as "Enter" otherwise).
            const unsigned char lead = static_cast<unsigned char>(text[0]);
            const size_t expected = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            if (std::strlen(text) == expected) typeText(text);
        }
    }
    const int dik = dikFromDomCode(code);
    if (!dik) return false;
    if (!repeat) {
        const int chords = fullscreenChords();
        setKey(dik, down);
        if (fullscreenChords() != chords) velk_toggle_fullscreen();
    }
    // Ctrl is the attack key, so the game sees every key; but Ctrl with a
    // letter or digit (reload, copy, the developer tools) still reaches the
    // browser.
    const bool shortcut = modifier && (std::strncmp(code, "Key", 3) == 0 || std::strncmp(code, "Digit", 5) == 0);
    return !shortcut;
}

void WebBackend::button(int b, bool down) {
    // A press means the page has the player's attention, whatever focus
    // events it saw before (a page opened in the background gets none).
    if (down) setFocus(true);
    setButton(b, down);
}

void WebBackend::focus(bool on) {
    setFocus(on);
    if (on) return;
    // Keys let go while the page had no focus never reach it: let go of all.
    for (int code = 0; code < 256; ++code) setKey(code, false);
    for (int b = 0; b < 4; ++b) setButton(b, false);
}

bool WebBackend::readMouse(MouseState& state) {
    if (!HeadlessBackend::readMouse(state)) return false;
    state.wheel = wheel_;
    wheel_ = 0;
    return true;
}

}  // namespace velk
