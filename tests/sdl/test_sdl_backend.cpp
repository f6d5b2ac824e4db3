// The SDL backend on SDL's dummy video and audio drivers: key mapping, focus,
// and the recorder, whose output must replay the same input headless.

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "platform/input_state.h"
#include "platform/sdl/sdl_backend.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

class SdlBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(backend.openDisplay(800, 600, true, 1)) << backend.error();
    }
    void key(SDL_Scancode sc, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.keysym.scancode = sc;
        SDL_PushEvent(&e);
    }
    void motion(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = x;
        e.motion.y = y;
        SDL_PushEvent(&e);
    }
    void button(bool down) {
        SDL_Event e{};
        e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        e.button.button = SDL_BUTTON_LEFT;
        SDL_PushEvent(&e);
    }
    SdlBackend backend;
};

TEST_F(SdlBackendTest, KeysMapOntoTheGamesCodes) {
    struct Case {
        SDL_Scancode sc;
        int dik;
    };
    const Case cases[] = {
        {SDL_SCANCODE_LCTRL, dik::kLCtrl}, {SDL_SCANCODE_LALT, dik::kLAlt},
        {SDL_SCANCODE_LSHIFT, dik::kLShift}, {SDL_SCANCODE_SPACE, dik::kSpace},
        {SDL_SCANCODE_RETURN, dik::kReturn}, {SDL_SCANCODE_UP, dik::kUp},
        {SDL_SCANCODE_DOWN, dik::kDown}, {SDL_SCANCODE_LEFT, dik::kLeft},
        {SDL_SCANCODE_RIGHT, dik::kRight}, {SDL_SCANCODE_F1, dik::kF1},
        {SDL_SCANCODE_F4, dik::kF4},
    };
    uint8_t keys[256];
    for (const Case& c : cases) {
        key(c.sc, true);
        backend.pumpEvents();
        ASSERT_TRUE(backend.readKeyboard(keys));
        EXPECT_EQ(keys[c.dik], 0x80) << SDL_GetScancodeName(c.sc);
        key(c.sc, false);
        backend.pumpEvents();
        backend.readKeyboard(keys);
        EXPECT_EQ(keys[c.dik], 0) << SDL_GetScancodeName(c.sc);
    }
}

TEST_F(SdlBackendTest, ATapBetweenTwoPollsReadsAsOnePress) {
    key(SDL_SCANCODE_LALT, true);
    key(SDL_SCANCODE_LALT, false);
    button(true);
    button(false);
    backend.pumpEvents();
    for (int poll = 0; poll < 2; ++poll) {
        uint8_t keys[256];
        MouseState mouse;
        ASSERT_TRUE(backend.readKeyboard(keys));
        ASSERT_TRUE(backend.readMouse(mouse));
        // Down for exactly one read, then up.
        EXPECT_EQ(keys[dik::kLAlt], poll == 0 ? 0x80 : 0) << "poll " << poll;
        EXPECT_EQ(mouse.buttons[0], poll == 0 ? 0x80 : 0) << "poll " << poll;
    }
}

TEST_F(SdlBackendTest, LosingFocusReleasesEverything) {
    key(SDL_SCANCODE_LCTRL, true);
    backend.pumpEvents();
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
    backend.pumpEvents();
    uint8_t keys[256];
    EXPECT_FALSE(backend.readKeyboard(keys));
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&e);
    backend.pumpEvents();
    ASSERT_TRUE(backend.readKeyboard(keys));
    EXPECT_EQ(keys[dik::kLCtrl], 0);
}

TEST_F(SdlBackendTest, RecordingReplaysTheSameInputHeadless) {
    TempDir dir;
    const std::string path = dir.path() + "/run.txt";
    ASSERT_TRUE(backend.startRecording(path));

    // The screen-mode question before the run: its clicks are no part of
    // the recording, but a key still held when the run starts is.
    CInputState live(&backend);
    motion(440, 275);
    button(true);
    backend.pumpEvents();
    live.poll();
    button(false);
    key(SDL_SCANCODE_RIGHT, true);
    backend.pumpEvents();
    live.poll();
    backend.recordFromHere();

    // What a person did, frame by frame, and what each frame's poll saw.
    struct Seen {
        int x, y;
        uint8_t left, ctrl, right, alt;
    };
    std::vector<Seen> seen;
    auto frame = [&] {
        backend.pumpEvents();
        live.poll();
        seen.push_back({live.mouseX, live.mouseY, live.leftButton, live.ctrlDown, live.rightDown, live.altDown});
    };
    frame();
    motion(650, 515);
    frame();
    button(true);
    key(SDL_SCANCODE_LCTRL, true);
    frame();
    frame();
    button(false);
    key(SDL_SCANCODE_LCTRL, false);
    key(SDL_SCANCODE_RIGHT, true);
    frame();
    frame();
    // Alt+Enter switches the screen mode: neither key reaches the game,
    // so the replay must not jump.
    key(SDL_SCANCODE_LALT, true);
    key(SDL_SCANCODE_RETURN, true);
    frame();
    key(SDL_SCANCODE_RETURN, false);
    frame();
    key(SDL_SCANCODE_LALT, false);
    frame();
    // An Alt held before the Enter reached the game, and is let go.
    key(SDL_SCANCODE_LALT, true);
    frame();
    key(SDL_SCANCODE_RETURN, true);
    frame();
    key(SDL_SCANCODE_RETURN, false);
    key(SDL_SCANCODE_LALT, false);
    frame();

    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseInputScript(text.str(), events, &error)) << error << "\n" << text.str();

    HeadlessBackend replay(events);
    CInputState again(&replay);
    for (size_t i = 0; i < seen.size(); ++i) {
        again.poll();
        EXPECT_EQ(again.mouseX, seen[i].x) << "frame " << i;
        EXPECT_EQ(again.mouseY, seen[i].y) << "frame " << i;
        EXPECT_EQ(again.leftButton, seen[i].left) << "frame " << i;
        EXPECT_EQ(again.ctrlDown, seen[i].ctrl) << "frame " << i;
        EXPECT_EQ(again.rightDown, seen[i].right) << "frame " << i;
        EXPECT_EQ(again.altDown, seen[i].alt) << "frame " << i;
    }
}

// A windowed run's state dump lists the effects it started, as a headless
// run's does.
TEST_F(SdlBackendTest, StartedEffectsAreListedForTheStateDump) {
    WaveFormat format;
    format.sampleRate = 22050;
    format.bitsPerSample = 16;
    format.blockAlign = 2;
    format.avgBytesPerSec = 44100;
    const std::vector<uint8_t> samples(2000, 0);
    const SoundHandle jump = backend.createSound("jump", format, samples.data(), samples.size());
    if (!jump) GTEST_SKIP() << "no audio device";
    ASSERT_TRUE(backend.playSound(jump, false));
    EXPECT_EQ(backend.startedEffects(), std::vector<std::string>{"jump"});
}

// SDL's dummy display is 1024 x 768.
TEST(SdlDisplayTest, WindowFitsTheDesktopAndFullScreenScalesSharply) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    struct Case {
        bool windowed;
        int scale;
        bool smooth;
        int width, height;
        bool integerScale;
    };
    const Case cases[] = {
        {true, 2, false, 800, 600, true},      // 1600 x 1200 would not fit
        {false, 1, false, 1024, 768, true},    // letterboxed at a whole scale
        {false, 1, true, 1024, 768, false},    // --smooth fills the screen
    };
    for (const Case& c : cases) {
        SdlBackend backend;
        backend.setSmoothScaling(c.smooth);
        ASSERT_TRUE(backend.openDisplay(800, 600, c.windowed, c.scale)) << backend.error();
        int w = 0, h = 0;
        SDL_GetWindowSize(backend.window(), &w, &h);
        EXPECT_EQ(w, c.width) << "windowed " << c.windowed << " smooth " << c.smooth;
        EXPECT_EQ(h, c.height) << "windowed " << c.windowed << " smooth " << c.smooth;
        EXPECT_EQ(!backend.presenter().layout(backend.window()).smooth(), c.integerScale);
    }
}

}  // namespace
}  // namespace velk
