#pragma once
// CGameApp: owns the application's own objects (device, timer, stage, fonts,
// cursor, title) and the play objects through CGameObjects, runs the
// game-state machine and the paced title and play frames.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/command_line.h"
#include "core/game_state.h"

class CDirect3D;
class CFrameCheck;
class CGameObjects;
class CBitmapFont;
class CCursor;
class CTitle;
class CStage;

namespace velk {
class IBackend;
struct Settings;
}

// Decides when a paced frame runs: 50 x the seconds of each pass are added,
// and a frame runs once the sum passes 3.0 (60 ms).
extern float PacingAccumulator;

class CGameApp {
public:
    CGameApp(velk::IBackend* backend, const velk::Options& options);
    ~CGameApp();
    CGameApp(const CGameApp&) = delete;
    CGameApp& operator=(const CGameApp&) = delete;

    // Where the player's settings are read and the screen-mode answer is
    // remembered; without one the question is asked at every start that
    // does not answer it. Set before init.
    void setSettingsFile(const std::string& path) { settingsFile_ = path; }

    // Refuses to start without a Hangul font, before anything is made, then
    // creates every long-lived object, applies the options that test a world
    // and asks the screen-mode question when it is due. False with `error()`
    // set on a fatal failure; `errorCode()` is 2 for an option that cannot
    // be done, else 1.
    bool init();
    // One main-loop pass.
    void frame();
    void stepState();
    void resetTiming();

    // Set by the game menu's quit or a failed first map load.
    void requestQuit() { quitRequested_ = true; }
    bool quitRequested() const { return quitRequested_; }
    const std::string& error() const { return error_; }
    int errorCode() const { return errorCode_; }

    // Paced frames run so far (title and play), and a hook run after each.
    long pacedFrames() const { return pacedFrames_; }
    std::function<void(long frameIndex)> onPacedFrame;
    // Counter value at which the next pass can do useful work, so the main
    // loop can wait instead of spinning.
    uint64_t nextFrameDue() const;

    velk::IBackend* backend() const { return backend_; }

    float frameRate = 0;
    // The frame-rate line: paced play frames a second, over the last whole
    // second. Extra main-loop passes (events) do not count.
    float averageRate = 0;
    float msAccumulator = 0;  // milliseconds of the second being counted
    int32_t rateCount = 0;    // paced frames in it
    std::unique_ptr<CDirect3D> device;
    std::unique_ptr<CFrameCheck> frameCheck;
    std::unique_ptr<CBitmapFont> font;
    std::unique_ptr<CCursor> cursor;
    std::unique_ptr<CTitle> title;
    std::unique_ptr<CStage> stage;
    std::unique_ptr<CGameObjects> objects;  // the play objects

private:
    void titleFrame();
    void playFrame();
    // One scene of the back buffer: cleared, `body` drawn, the cursor on top.
    template <typename Body>
    void drawScene(Body body);
    void finishPacedFrame();
    void countPacedFrame();
    void choosePlayMusic();
    void changeMap();
    // Asks the screen-mode question in the game's window until it is
    // answered, switches to full screen on no and remembers the answer.
    void askScreenMode(velk::Settings settings);

    velk::IBackend* backend_;
    velk::Options options_;
    std::string error_;
    int errorCode_ = 1;
    std::string settingsFile_;
    bool quitRequested_ = false;
    long pacedFrames_ = 0;
    uint64_t lastTitlePresent_ = 0;
    uint64_t lastPlayFrame_ = 0;
    int32_t unreachableMap_ = -1;  // the map a change last failed to load  // counter at the last paced play frame; 0: none since a reset
};

// The application object, set by the entry point.
extern CGameApp* g_app;
