// The screen-mode question in the game's window: answered by the message
// box's buttons or by keys, a key held when it opens counting only once let go.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/screen_mode_question.h"
#include "core/effects.h"
#include "platform/cp949.h"
#include "platform/input_state.h"
#include "support/game_fixture.h"

namespace velk {
namespace {

// Inside the box's OK and Cancel buttons, and a point away from both.
constexpr int kOkX = CScreenModeQuestion::kBoxX + 170, kCancelX = CScreenModeQuestion::kBoxX + 220,
              kButtonY = CScreenModeQuestion::kBoxY + 105, kOffX = 100, kOffY = 100;
constexpr int kReturn = 0x1C, kEscape = 0x01, kY = 0x15, kN = 0x31;

class ScreenModeQuestionTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadEffect("sound/btn.wav", &g_effects.btn);
        loadEffect("sound/btn0.wav", &g_effects.btn0);
        question.emplace(&device);
    }
    void TearDown() override {
        question.reset();
        GameFixture::TearDown();
    }
    void frame(int x, int y, bool down) {
        backend.setMouse(x, y);
        backend.setButton(0, down);
        backend.advance(HeadlessBackend::kPassTicks);
        poll();
        question->update(input.get());
    }
    void key(int code, bool down) {
        backend.setKey(code, down);
        frame(kOffX, kOffY, false);
    }
    std::optional<CScreenModeQuestion> question;
};

TEST_F(ScreenModeQuestionTest, AsksInKoreanWithOkForAWindowAndCancelForFullScreen) {
    EXPECT_EQ(toUtf8(question->box->lines[0]), "창모드로 할까요?");
    EXPECT_EQ(question->box->kind, 1);
    for (const bool ok : {true, false}) {
        SCOPED_TRACE(ok);
        question.emplace(&device);
        const int x = ok ? kOkX : kCancelX;
        frame(x, kButtonY, false);
        frame(x, kButtonY, true);
        EXPECT_TRUE(question->isOpen());
        frame(x, kButtonY, false);
        EXPECT_FALSE(question->isOpen());
        EXPECT_EQ(question->answer(), std::optional<bool>(ok));
    }
}

TEST_F(ScreenModeQuestionTest, KeysAnswerOnceAKeyHeldAtTheStartIsLetGo) {
    const struct {
        int key;
        bool windowed;
    } cases[] = {{kReturn, true}, {kY, true}, {kEscape, false}, {kN, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        question.emplace(&device);
        key(c.key, true);  // held into the question: not an answer
        frame(kOffX, kOffY, false);
        EXPECT_TRUE(question->isOpen());
        key(c.key, false);
        EXPECT_TRUE(question->isOpen());
        key(c.key, true);
        EXPECT_EQ(question->answer(), std::optional<bool>(c.windowed));
        key(c.key, false);
    }
    EXPECT_EQ(sounds(), std::vector<std::string>(4, "btn0"));

    // Yes and no together say nothing.
    question.emplace(&device);
    frame(kOffX, kOffY, false);
    backend.setKey(kReturn, true);
    key(kEscape, true);
    EXPECT_TRUE(question->isOpen());
    backend.setKey(kReturn, false);
    key(kEscape, false);
}

}  // namespace
}  // namespace velk
