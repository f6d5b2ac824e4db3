#pragma once
// Plays the real application in this process on a copy of the demo world,
// steering it frame by frame from what the game shows, and records every
// input it gives as a script: the real `velk`, replaying that script with
// the same seed on the same content, plays the same game.

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "app/game_app.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"

class CWindow;

class CPlayer;

namespace velk {

class PlayDriver {
public:
    // Boots on `data` (which is also the save folder, as runVelk has it)
    // with every seeding fixed to `seed`, and runs into play.
    PlayDriver(const std::string& data, unsigned seed);
    ~PlayDriver();
    PlayDriver(const PlayDriver&) = delete;
    PlayDriver& operator=(const PlayDriver&) = delete;

    bool ok() const { return ok_; }
    // One pass of the main loop; `beforeFrame` and `afterFrame` run around it.
    void pass();
    // Holds exactly these keys from the next paced frame on.
    void keys(std::initializer_list<int> down);
    void mouse(int x, int y);
    // The left button (0) or the right one (1).
    void button(bool down, int which = 0);
    // Points at (x, y), presses and lets go, a pass each.
    void click(int x, int y, int which = 0);
    // Types UTF-8 text into whatever entry is open, on the next paced frame.
    void type(const std::string& utf8);
    // Passes until `done` holds, at most `limit` of them; false if it never did.
    bool until(const std::function<bool()>& done, int limit);

    long frames() const { return app_->pacedFrames(); }
    const std::string& script() const { return script_; }
    CPlayer& hero() const;
    // The open window of play that gets the input first.
    const CWindow* topWindow() const;

    std::function<void()> beforeFrame;
    std::function<void()> afterFrame;

private:
    void record(ScriptEvent event);

    HeadlessBackend backend_;
    std::unique_ptr<CGameApp> app_;
    bool ok_ = false;
    bool held_[256] = {};
    std::string script_;
};

}  // namespace velk
