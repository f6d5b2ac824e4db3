// The message box: buttons act on release over the armed button, number
// entry through the backend's typed text, and the values update returns.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/cp949.h"
#include "platform/input_state.h"
#include "core/effects.h"
#include "support/game_fixture.h"
#include "widgets/message_box.h"
#include "widgets/text_input.h"

namespace velk {
namespace {

constexpr int kX = 300, kY = 230;
// Points inside each button and one away from all of them.
constexpr int kOkOneX = kX + 120, kOkTwoX = kX + 170, kCancelX = kX + 220, kButtonY = kY + 105;
constexpr int kOffX = 100, kOffY = 100;

class MessageBoxTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        loadEffect("sound/btn.wav", &g_effects.btn);
        loadEffect("sound/btn0.wav", &g_effects.btn0);
    }
    void TearDown() override {
        box.reset();
        GameFixture::TearDown();
    }
    void open(int kind, int withNumber) {
        box = std::make_unique<CMessageBox>();
        box->init(&device, kX, kY, kind, withNumber);
    }
    // One paced frame with the mouse at (x, y) and the left button as given.
    int frame(int x, int y, bool down) {
        backend.setMouse(x, y);
        backend.setButton(0, down);
        backend.advance(HeadlessBackend::kPassTicks);
        poll();
        return box->update();
    }
    int click(int x, int y) {
        frame(x, y, false);
        frame(x, y, true);
        return frame(x, y, false);
    }
    std::unique_ptr<CMessageBox> box;
};

TEST_F(MessageBoxTest, NumberEntryAcceptsOnlyDigitsWithinTheLimit) {
    const std::string kBackspace = "\b";
    struct Case {
        std::vector<std::string> typed;  // one frame each; "\b" presses Backspace
        int maxValue;
        const char* shown;
        int result;
    };
    const Case cases[] = {
        {{"1", "2", "3", "4"}, -1, "123", 123},  // three characters at most
        {{"0"}, -1, "0", 0},
        {{"4a"}, -1, "4a", -10},
        {{}, -1, "", -10},
        {{"7"}, 5, "7", -10},
        {{"5"}, 5, "5", 5},
        {{"12", "\b", "9"}, -1, "19", 19},
        {{"1234", "\b"}, -1, "12", 12},          // the refused fourth digit is not there to erase
        {{"1\t\r\x1b", "2"}, -1, "12", 12},      // Tab, Enter and Escape are not typed
        {{"가1"}, -1, "가1", -10},
    };
    for (const Case& c : cases) {
        std::string label = c.shown + std::string(" max ") + std::to_string(c.maxValue);
        open(1, 1);
        box->maxValue = c.maxValue;
        for (const std::string& s : c.typed) {
            if (s == kBackspace)
                backend.pressBackspace();
            else
                backend.typeText(s);
            EXPECT_EQ(frame(kOffX, kOffY, false), CMessageBox::kOpen) << label;
        }
        EXPECT_EQ(toUtf8(g_textInput.liveText), c.shown) << label;
        EXPECT_EQ(click(kOkTwoX, kButtonY), c.result) << label;
        EXPECT_EQ(toUtf8(box->numberText), c.shown) << label;
        EXPECT_FALSE(backend.textInputEnabled()) << label;
    }
}

TEST_F(MessageBoxTest, ButtonsReturnTheirValues) {
    struct Case {
        int kind, withNumber, x;
        int result;
    };
    const Case cases[] = {
        {0, 0, kOkOneX, CMessageBox::kOk},
        {1, 0, kOkTwoX, CMessageBox::kOk},
        {1, 0, kCancelX, CMessageBox::kCancel},
        {1, 1, kCancelX, CMessageBox::kCancel},
    };
    for (const Case& c : cases) {
        open(c.kind, c.withNumber);
        if (c.withNumber) {
            backend.typeText("42");
            frame(kOffX, kOffY, false);
        }
        EXPECT_EQ(click(c.x, kButtonY), c.result) << c.kind << c.withNumber << c.x;
        EXPECT_FALSE(backend.textInputEnabled());
    }
}

TEST_F(MessageBoxTest, OneButtonBoxHasItsOkInTheMiddleAndNoCancel) {
    open(0, 0);
    EXPECT_EQ(click(kOkTwoX + 10, kButtonY), CMessageBox::kOpen);
    EXPECT_EQ(click(kCancelX, kButtonY), CMessageBox::kOpen);
    EXPECT_EQ(box->cancelPicture, 3);
    // The hit area includes both ends.
    EXPECT_EQ(click(kX + 145, kY + 119), CMessageBox::kOk);
}

TEST_F(MessageBoxTest, OkActsOnReleaseOverTheArmedButton) {
    open(1, 0);
    EXPECT_EQ(frame(kOkTwoX, kButtonY, false), CMessageBox::kOpen);
    EXPECT_EQ(box->okPicture, 1);
    EXPECT_EQ(frame(kOkTwoX, kButtonY, true), CMessageBox::kOpen);
    EXPECT_EQ(box->okPicture, 2);
    // Released off the button: let go; coming back over it later does nothing.
    EXPECT_EQ(frame(kOffX, kOffY, true), CMessageBox::kOpen);
    EXPECT_EQ(frame(kOffX, kOffY, false), CMessageBox::kOpen);
    EXPECT_EQ(frame(kOkTwoX, kButtonY, false), CMessageBox::kOpen);
    // Pressed on OK and released over Cancel: neither acts.
    frame(kOkTwoX, kButtonY, true);
    EXPECT_EQ(frame(kCancelX, kButtonY, false), CMessageBox::kOpen);
    EXPECT_EQ(frame(kOkTwoX, kButtonY, false), CMessageBox::kOpen);
    // Pressed and released over OK: it acts.
    frame(kOkTwoX, kButtonY, true);
    EXPECT_EQ(frame(kOkTwoX, kButtonY, false), CMessageBox::kOk);
    EXPECT_EQ(sounds().back(), "btn0");
}

TEST_F(MessageBoxTest, HoverSoundPlaysOncePerEntry) {
    open(1, 0);
    for (int i = 0; i < 3; ++i) frame(kOkTwoX, kButtonY, false);
    for (int i = 0; i < 3; ++i) frame(kCancelX, kButtonY, false);
    frame(kOffX, kOffY, false);
    frame(kOkTwoX, kButtonY, false);
    EXPECT_EQ(sounds(), (std::vector<std::string>{"btn", "btn", "btn"}));
}

TEST_F(MessageBoxTest, EntryIgnoresWhatWasTypedBeforeItOpened) {
    backend.enableTextInput(true);
    backend.typeText("9");
    open(1, 1);
    backend.typeText("1");
    EXPECT_EQ(click(kOkTwoX, kButtonY), 1);
    // Typing after the box is gone reaches nothing.
    backend.typeText("5");
    EXPECT_EQ(backend.takeTypedText(), "");
}

TEST_F(MessageBoxTest, CaretTogglesOnceMoreThanHalfASecondHasPassed) {
    open(1, 1);
    std::vector<int> toggles;
    int last = g_textInput.caretOn;
    for (int f = 1; f <= 20; ++f) {
        frame(kOffX, kOffY, false);
        if (g_textInput.caretOn != last) toggles.push_back(f);
        last = g_textInput.caretOn;
    }
    // Paced frames are 62.5 ms apart: 500 ms is not yet more than 500.
    EXPECT_EQ(toggles, (std::vector<int>{10, 19}));
}

TEST_F(MessageBoxTest, DrawsItsLinesAndTheTypedNumber) {
    auto litIn = [&](int left, int top, int right, int bottom) {
        int lit = 0;
        for (int py = top; py < bottom; ++py)
            for (int px = left; px < right; ++px)
                if ((device.backBuffer()[py * 800 + px] & 0xFFFFFF) == 0xFFFFFF) ++lit;
        return lit;
    };
    open(1, 1);
    box->setLine(0, toCp949("얼마큼").c_str());
    backend.typeText("8");
    device.clear(0xFF000000);
    frame(kOffX, kOffY, false);
    EXPECT_GT(litIn(kX + 10, kY + 50, kX + 130, kY + 66), 0);
    EXPECT_GT(litIn(kX + 140, kY + 60, kX + 160, kY + 80), 0);
    EXPECT_EQ(litIn(kX + 10, kY + 66, kX + 130, kY + 82), 0);  // line 2 is empty
}

}  // namespace
}  // namespace velk
