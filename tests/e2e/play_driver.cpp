#include "play_driver.h"

#include <algorithm>

#include "core/game_state.h"
#include "game/game_objects.h"
#include "game/window_stack.h"
#include "game/world.h"
#include "platform/files.h"
#include "platform/game_random.h"
#include "platform/input_state.h"

namespace velk {

PlayDriver::PlayDriver(const std::string& data, unsigned seed) {
    setDataDirectory(data);
    setSaveDirectory(data);
    setFixedSeed(true, seed);
    Options options;
    options.skipTitle = true;
    app_ = std::make_unique<CGameApp>(&backend_, options);
    ok_ = app_->init();
    // Boot and enter play, as `velk --skip-title` does.
    while (ok_ && GameState != kStatePlay) pass();
}

PlayDriver::~PlayDriver() {
    app_.reset();
    setFixedSeed(false, 0);
}

CPlayer& PlayDriver::hero() const { return *g_world->player; }

const CWindow* PlayDriver::topWindow() const { return app_->objects->windows->top(); }

void PlayDriver::pass() {
    backend_.pumpEvents();
    if (beforeFrame) beforeFrame();
    app_->frame();
    if (afterFrame) afterFrame();
}

void PlayDriver::record(ScriptEvent event) {
    event.frame = app_->pacedFrames();
    script_ += formatScriptEvent(event) + "\n";
}

void PlayDriver::keys(std::initializer_list<int> down) {
    for (int k = 0; k < 256; ++k) {
        const bool want = std::find(down.begin(), down.end(), k) != down.end();
        if (want == held_[k]) continue;
        held_[k] = want;
        backend_.setKey(k, want);
        ScriptEvent ev;
        ev.type = ScriptEvent::Type::Key;
        ev.key = k;
        ev.down = want;
        record(ev);
    }
}

void PlayDriver::mouse(int x, int y) {
    backend_.setMouse(x, y);
    ScriptEvent ev;
    ev.type = ScriptEvent::Type::Mouse;
    ev.x = x;
    ev.y = y;
    record(ev);
}

void PlayDriver::button(bool down, int which) {
    backend_.setButton(which, down);
    ScriptEvent ev;
    ev.type = ScriptEvent::Type::Button;
    ev.button = which;
    ev.down = down;
    record(ev);
}

void PlayDriver::type(const std::string& utf8) {
    backend_.typeText(utf8);
    ScriptEvent ev;
    ev.type = ScriptEvent::Type::Text;
    ev.text = utf8;
    record(ev);
}

void PlayDriver::click(int x, int y, int which) {
    mouse(x, y);
    pass();
    button(true, which);
    pass();
    button(false, which);
    pass();
}

bool PlayDriver::until(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
        pass();
        if (done()) return true;
    }
    return false;
}

}  // namespace velk
