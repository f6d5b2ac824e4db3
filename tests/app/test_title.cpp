// The title's start button: hover sound, press, leave, release.

#include <gtest/gtest.h>

#include "app/title.h"
#include "platform/input_state.h"
#include "core/effects.h"
#include "support/game_fixture.h"

namespace velk {
namespace {

class TitleTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadEffect("sound/btn.wav", &g_effects.btn);
        loadEffect("sound/btn0.wav", &g_effects.btn0);
        title.init(&device);
    }
    // One title frame with the mouse at (x, y) and the left button as given;
    // the fake clock moves a paced frame on, as in play.
    int frame(int x, int y, bool down) {
        backend.setMouse(x, y);
        backend.setButton(0, down);
        backend.advance(HeadlessBackend::kPassTicks);
        poll();
        return title.step();
    }
    CTitle title;
};

constexpr int kOnX = 650, kOnY = 510, kOffX = 300, kOffY = 300;

TEST_F(TitleTest, ClickOverTheButtonStartsOnRelease) {
    EXPECT_EQ(frame(kOnX, kOnY, false), 0);
    EXPECT_EQ(title.buttonState, 2);
    EXPECT_EQ(frame(kOnX, kOnY, true), 0);
    EXPECT_EQ(frame(kOnX, kOnY, false), 1);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"btn", "btn0"}));
}

TEST_F(TitleTest, PressSurvivesLeavingTheButton) {
    frame(kOnX, kOnY, true);
    frame(kOffX, kOffY, true);
    frame(kOffX, kOffY, false);
    EXPECT_EQ(title.pressed, 1);
    // Back over the button with the mouse up: the armed button fires at once.
    EXPECT_EQ(frame(kOnX, kOnY, false), 1);
}

TEST_F(TitleTest, HoldingTheButtonWhileEnteringThenReleasingStarts) {
    frame(kOffX, kOffY, true);
    EXPECT_EQ(frame(kOnX, kOnY, true), 0);
    EXPECT_EQ(frame(kOnX, kOnY, false), 1);
}

TEST_F(TitleTest, HoverSoundPlaysOncePerEntry) {
    for (int i = 0; i < 4; ++i) frame(kOnX, kOnY, false);
    frame(kOffX, kOffY, false);
    for (int i = 0; i < 4; ++i) frame(kOnX, kOnY, false);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"btn", "btn"}));
}

TEST_F(TitleTest, HitAreaIncludesBothEnds) {
    struct Case {
        int x, y;
        uint8_t state;
    };
    const Case cases[] = {
        {600, 500, 2}, {728, 532, 2}, {599, 510, 1}, {729, 510, 1}, {650, 499, 1}, {650, 533, 1},
    };
    for (const Case& c : cases) {
        frame(c.x, c.y, false);
        EXPECT_EQ(title.buttonState, c.state) << c.x << "," << c.y;
    }
}

}  // namespace
}  // namespace velk
