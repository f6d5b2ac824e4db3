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

    // Refuses to start without a Hangul font, before anything is made, then
    // creates every long-lived object. False with `error()` set on a fatal
    // failure.
    bool init();
    // One main-loop pass.
    void frame();
    void stepState();
    void resetTiming();

    // Set by the game menu's quit or a failed first map load.
    void requestQuit() { quitRequested_ = true; }
    bool quitRequested() const { return quitRequested_; }
    const std::string& error() const { return error_; }

    // Paced frames run so far (title and play), and a hook run after each.
    long pacedFrames() const { return pacedFrames_; }
    std::function<void(long frameIndex)> onPacedFrame;
    // Counter value at which the next pass can do useful work, so the main
    // loop can wait instead of spinning.
    uint64_t nextFrameDue() const;

    velk::IBackend* backend() const { return backend_; }

    float frameRate = 0;
    float averageRate = 0;
    float msAccumulator = 0;
    float rateSum = 0;
    int32_t rateCount = 0;
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
    void finishPacedFrame();
    void choosePlayMusic();
    void changeMap();

    velk::IBackend* backend_;
    velk::Options options_;
    std::string error_;
    bool quitRequested_ = false;
    long pacedFrames_ = 0;
    uint64_t lastTitlePresent_ = 0;
};

// The application object, set by the entry point.
extern CGameApp* g_app;
