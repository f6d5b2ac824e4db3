#include "app/game_app.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/cursor.h"
#include "app/frame_check.h"
#include "app/screen_mode_question.h"
#include "app/settings.h"
#include "app/title.h"
#include "app/world_test_start.h"
#include "core/effects.h"
#include "game/game_objects.h"
#include "game/window_stack.h"
#include "game/world.h"
#include "platform/backend.h"
#include "platform/bitmap_font.h"
#include "platform/direct3d.h"
#include "platform/font_finder.h"
#include "platform/game_random.h"
#include "platform/input_state.h"
#include "platform/music.h"
#include "platform/picture.h"
#include "platform/cp949.h"
#include "formats/formats.h"
#include "ui/interface.h"
#include "widgets/notice_log.h"
#include "world/field.h"
#include "world/mini_map.h"
#include "world/stage.h"

float PacingAccumulator = 0;
CGameApp* g_app = nullptr;

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;
constexpr float kPaceThreshold = 3.0f;  // 60 ms at 50 per second
// The title frame runs on every pass once the pace is reached; a person's
// screen shows at most this many of them a second, so the loop waits between.
constexpr int kTitleFramesPerSecond = 60;

}  // namespace

CGameApp::CGameApp(velk::IBackend* backend, const velk::Options& options)
    : backend_(backend), options_(options) {
    GameState = kStateBoot;
    PacingAccumulator = 0;
}

bool CGameApp::init() {
    // Every window's text needs the Hangul face; without it the game cannot
    // run, and nothing is made or written before that is known.
    if (std::string problem = velk::fontProblem(); !problem.empty()) {
        error_ = problem;
        return false;
    }

    velk::Settings settings;
    if (!settingsFile_.empty()) {
        std::vector<std::string> warnings;
        settings = velk::loadSettings(settingsFile_, warnings);
        for (const std::string& w : warnings) std::fprintf(stderr, "velk: %s: %s\n", settingsFile_.c_str(), w.c_str());
    }
    const velk::ScreenChoice screen = velk::chooseScreenMode(options_.screenMode, settings.screenMode, backend_->isHeadless());

    device = std::make_unique<CDirect3D>();
    if (!device->init(backend_, kScreenWidth, kScreenHeight, screen.windowed, options_.scale)) {
        error_ = "cannot open the game's screen";
        return false;
    }

    frameCheck = std::make_unique<CFrameCheck>(backend_);
    objects = std::make_unique<CGameObjects>(backend_, device.get());
    if (!objects->create()) {
        error_ = objects->error;
        return false;
    }
    if (options_.testsAWorld() && !velk::applyWorldTestOptions(options_, error_)) {
        errorCode_ = 2;
        g_world->player->savesOnExit = false;
        return false;
    }
    g_soundBank.play(&g_effects.wait);

    stage = std::make_unique<CStage>();
    stage->init(device.get(), g_field->mapNumber);

    font = std::make_unique<CBitmapFont>("Arial", 10, 0);
    if (font->createDeviceObjects(device.get()) < 0) {
        error_ = "cannot build the frame-rate font";
        return false;
    }
    font->restoreDeviceObjects();

    cursor = std::make_unique<CCursor>();
    cursor->init(device.get());

    backend_->showSystemCursor(false);
    if (screen.ask) askScreenMode(settings);
    return true;
}

template <typename Body>
void CGameApp::drawScene(Body body) {
    device->clear(0x000000FF);
    device->alphaTestOn();
    device->beginScene();
    body();
    cursor->draw();
    device->endScene();
    device->alphaTestOff();
}

void CGameApp::askScreenMode(velk::Settings settings) {
    CScreenModeQuestion question(device.get());
    const std::unique_ptr<CPicture> backdrop = CPicture::loaded(device.get(), "pic/titleback.pic");
    while (question.isOpen()) {
        // Closing the window instead of answering ends the run before it
        // began: nothing is remembered or saved.
        if (!backend_->pumpEvents()) {
            g_world->player->savesOnExit = false;
            requestQuit();
            return;
        }
        g_input->poll();
        drawScene([&] {
            backdrop->draw(0, 0, float(kScreenWidth), float(kScreenHeight));
            question.update(g_input);
        });
        device->present();
        backend_->waitUntil(backend_->counter() + backend_->frequency() / kTitleFramesPerSecond);
    }
    const bool windowed = *question.answer();
    if (!windowed) backend_->setWindowed(false);
    settings.screenMode = windowed ? velk::ScreenMode::Windowed : velk::ScreenMode::FullScreen;
    std::string why;
    if (!settingsFile_.empty() && !velk::saveSettings(settingsFile_, settings, why))
        std::fprintf(stderr, "velk: cannot remember the screen mode in %s (%s); it will be asked again\n",
                     settingsFile_.c_str(), why.c_str());
}

CGameApp::~CGameApp() {
    // The play objects go first: the world saves the hero on its way out.
    objects.reset();
    title.reset();
    cursor.reset();
    font.reset();
    stage.reset();
    frameCheck.reset();
    device.reset();
    backend_->showSystemCursor(true);
}

void CGameApp::resetTiming() {
    backend_->warpCursor(kScreenWidth / 2, kScreenHeight / 2);
    msAccumulator = 0;
    PacingAccumulator = 0;
    rateCount = 0;
    lastPlayFrame_ = 0;
    frameRate = frameCheck->measure();
}

void CGameApp::choosePlayMusic() {
    char name[32];
    std::snprintf(name, sizeof name, "music\\%d.mp3", velk::gameRand() % 2);
    objects->openMusic(name);
}

void CGameApp::stepState() {
    switch (GameState) {
    case kStateBoot:
        resetTiming();
        objects->openMusic("music\\2.mp3");
        g_soundBank.loadEffect("sound\\pet.wav", &g_effects.wait);
        GameState = kStateEnterTitle;
        break;
    case kStateEnterTitle:
        resetTiming();
        if (options_.skipTitle) {
            choosePlayMusic();
            GameState = kStatePlay;
            break;
        }
        title = std::make_unique<CTitle>();
        title->init(device.get());
        GameState = kStateTitle;
        break;
    case kStatePlay:
        frameRate = frameCheck->measure();
        if (g_music && !g_music->isPlaying()) {
            g_music->rewind();
            g_music->play();
        }
        break;
    case kStateNextMap:
    case kStatePreviousMap:
    case kStateReturn:
        changeMap();
        break;
    default:
        break;
    }
}

void CGameApp::changeMap() {
    const int32_t map = g_field->mapNumber, side = g_field->entrySide;
    const int8_t step = g_field->quest.step;
    g_field->changeMapNumbers(GameState);
    GameState = kStatePlay;
    // A map that cannot load leaves the hero where he was, on the map he is
    // on: the save never names a map that failed. Walking into the same
    // exit again does not retry it until another map change succeeds.
    if (g_field->mapNumber == unreachableMap_ || !g_field->loadMap()) {
        if (g_field->mapNumber != unreachableMap_) {
            std::fprintf(stderr, "velk: %s cannot be loaded; staying on map %d\n",
                         velk::mapFileName(g_field->mapNumber).c_str(), map);
            velk::addNotice("그곳으로 가는 길이 막혔습니다");
            unreachableMap_ = g_field->mapNumber;
        }
        g_field->mapNumber = map;
        g_field->entrySide = side;
        g_field->quest.step = step;
        return;
    }
    unreachableMap_ = -1;
    resetTiming();
    choosePlayMusic();
    g_field->camera.resetScroll();
    g_miniMap->reload();
    stage = std::make_unique<CStage>();
    stage->init(device.get(), g_field->mapNumber);
    g_world->enterMap();
}

void CGameApp::frame() {
    if (!device || !device->hasDevice()) return;
    stepState();
    if (GameState != kStateTitle && GameState != kStatePlay) return;
    PacingAccumulator += 50.0f / frameRate;
    if (!(PacingAccumulator > kPaceThreshold)) return;
    if (GameState == kStateTitle)
        titleFrame();
    else
        playFrame();
}

void CGameApp::titleFrame() {
    g_input->poll();
    drawScene([&] {
        if (title->step() == 1) {
            title.reset();
            choosePlayMusic();
            GameState = kStatePlay;
        }
    });
    device->present();
    lastTitlePresent_ = backend_->counter();
    finishPacedFrame();
}

void CGameApp::playFrame() {
    g_input->poll();
    drawScene([&] {
        stage->step(g_field->camera.lastScroll);
        g_world->update();
        objects->showSaveFailures();
        objects->windows->update(g_input);
        if (objects->hud->quitRequested) requestQuit();
    });
    g_noticeLog->draw();
    countPacedFrame();
    char line[32];
    std::snprintf(line, sizeof line, "%6.1f fps", double(averageRate));
    font->drawText(700.0f, 0.0f, 0xFFFF0000, line, 0);
    PacingAccumulator = 0;
    device->present();
    finishPacedFrame();
}

void CGameApp::countPacedFrame() {
    const uint64_t now = backend_->counter();
    if (lastPlayFrame_ != 0) {
        msAccumulator += float(double(now - lastPlayFrame_) * 1000.0 / double(backend_->frequency()));
        rateCount += 1;
        // Until a whole second has passed, the line shows the rate so far.
        if (msAccumulator >= 1000.0f || averageRate == 0) averageRate = float(rateCount) * 1000.0f / msAccumulator;
        if (msAccumulator >= 1000.0f) {
            msAccumulator = 0;
            rateCount = 0;
        }
    }
    lastPlayFrame_ = now;
}

void CGameApp::finishPacedFrame() {
    long index = pacedFrames_++;
    if (onPacedFrame) onPacedFrame(index);
}

uint64_t CGameApp::nextFrameDue() const {
    uint64_t now = backend_->counter();
    uint64_t freq = backend_->frequency();
    if (GameState == kStateTitle && lastTitlePresent_ != 0)
        return lastTitlePresent_ + freq / kTitleFramesPerSecond;
    if (GameState != kStatePlay) return now;
    // Seconds still missing before the accumulator passes the threshold,
    // plus half a millisecond so the pass that wakes surely runs the frame.
    // They count from the last measure: the time the frame itself took since
    // then counts towards the next one.
    double missing = (kPaceThreshold - PacingAccumulator) / 50.0;
    if (missing <= 0) return now;
    const uint64_t due = uint64_t(frameCheck->nowCount) + uint64_t((missing + 0.0005) * double(freq));
    return std::max(due, now);
}
