// Input: the key table, mouse clamping, focus loss, and the script format.

#include <gtest/gtest.h>

#include "platform/input_script.h"
#include "platform/input_state.h"
#include "platform/pad.h"
#include "support/game_fixture.h"

namespace velk {
namespace {

class InputTest : public GameFixture {};

TEST_F(InputTest, EveryPolledKeySetsItsFlag) {
    struct Case {
        int code;
        uint8_t CInputState::*flag;
    };
    const Case cases[] = {
        {dik::kLCtrl, &CInputState::ctrlDown},   {dik::kLAlt, &CInputState::altDown},
        {dik::kLShift, &CInputState::shiftDown}, {dik::kSpace, &CInputState::spaceDown},
        {dik::kReturn, &CInputState::returnDown}, {dik::kUp, &CInputState::upDown},
        {dik::kDown, &CInputState::downDown},    {dik::kLeft, &CInputState::leftDown},
        {dik::kRight, &CInputState::rightDown},  {dik::kF1, &CInputState::f1Down},
        {dik::kF2, &CInputState::f2Down},        {dik::kF3, &CInputState::f3Down},
        {dik::kF4, &CInputState::f4Down},
    };
    for (const Case& c : cases) {
        backend.setKey(c.code, true);
        poll();
        EXPECT_EQ(g_input->*(c.flag), 1) << "key 0x" << std::hex << c.code;
        backend.setKey(c.code, false);
        poll();
        EXPECT_EQ(g_input->*(c.flag), 0) << "key 0x" << std::hex << c.code;
    }
}

TEST_F(InputTest, MouseIsClampedAndRemembered) {
    struct Case {
        int x, y, wantX, wantY;
    };
    const Case cases[] = {
        {400, 300, 400, 300}, {-20, -1, 5, 5}, {0, 0, 5, 5}, {799, 599, 795, 595}, {5000, 300, 795, 300},
    };
    for (const Case& c : cases) {
        backend.setMouse(c.x, c.y);
        poll();
        EXPECT_EQ(g_input->mouseX, c.wantX);
        EXPECT_EQ(g_input->mouseY, c.wantY);
    }
    backend.setButton(0, true);
    poll();
    EXPECT_EQ(g_input->leftButton, 1);
    EXPECT_EQ(g_input->prevButton, 0);
    backend.setMouse(100, 100);
    poll();
    EXPECT_EQ(g_input->prevButton, 1);
    EXPECT_EQ(g_input->prevX, 795);
    EXPECT_EQ(g_input->mouseX, 100);
}

TEST_F(InputTest, WithoutFocusNothingIsPressedButTheCursorIsRead) {
    backend.setKey(dik::kLCtrl, true);
    backend.setButton(0, true);
    backend.setMouse(123, 234);
    backend.setFocus(false);
    poll();
    EXPECT_EQ(g_input->ctrlDown, 0);
    EXPECT_EQ(g_input->leftButton, 0);
    EXPECT_EQ(g_input->mouseX, 123);
    EXPECT_EQ(g_input->mouseY, 234);
}

TEST_F(InputTest, ScriptEventsApplyBeforeTheirFramesPoll) {
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseInputScript("1 key LCtrl down\n2 key LCtrl up\n1 mouse 10 20\n", events, &error));
    HeadlessBackend scripted(events);
    CInputState polled(&scripted);
    polled.poll();  // frame 0
    EXPECT_EQ(polled.ctrlDown, 0);
    polled.poll();  // frame 1
    EXPECT_EQ(polled.ctrlDown, 1);
    EXPECT_EQ(polled.mouseX, 10);
    polled.poll();  // frame 2
    EXPECT_EQ(polled.ctrlDown, 0);
}

TEST(InputScript, ParsesEveryEventAndRoundTrips) {
    const std::string script =
        "# a comment\n"
        "0 mouse 640 515\n"
        "3 key LCtrl down   # trailing comment\n"
        "3 key 0x2C up\n"
        "4 button right down\n"
        "5 text 12 3\n"
        "6 backspace\n"
        "7 key F4 down\n"
        "8 pad lefttrigger down\n"
        "8 key z down\n"
        "9 quit\n";
    std::vector<ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(parseInputScript(script, events, &error)) << error;
    ASSERT_EQ(events.size(), 10u);
    EXPECT_EQ(events[1].key, dik::kLCtrl);
    EXPECT_EQ(events[2].key, 0x2C);
    EXPECT_EQ(events[4].text, "12 3");
    EXPECT_EQ(events[6].key, dik::kF4);
    EXPECT_EQ(events[7].type, ScriptEvent::Type::Pad);
    EXPECT_EQ(events[7].button, kPadLeftTrigger);
    EXPECT_EQ(events[8].key, 0x2C) << "key names ignore case";

    std::string again;
    for (const ScriptEvent& e : events) again += formatScriptEvent(e) + "\n";
    std::vector<ScriptEvent> reparsed;
    ASSERT_TRUE(parseInputScript(again, reparsed, &error)) << error;
    ASSERT_EQ(reparsed.size(), events.size());
    for (size_t i = 0; i < events.size(); ++i) EXPECT_EQ(formatScriptEvent(reparsed[i]), formatScriptEvent(events[i]));
}

TEST(InputScript, RejectsBadLinesNamingTheLine) {
    struct Case {
        const char* text;
        const char* where;
    };
    const Case cases[] = {
        {"x key LCtrl down\n", "line 1"},       {"0 key Nope down\n", "line 1"},
        {"0 key LCtrl sideways\n", "line 1"},   {"\n\n2 mouse 1\n", "line 3"},
        {"0 button middle down\n", "line 1"},   {"-1 quit\n", "line 1"},
        {"0 jump\n", "line 1"},                 {"0 key 0x100 down\n", "line 1"},
        {"0 pad select down\n", "line 1"},     {"0 pad a\n", "line 1"},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> events;
        std::string error;
        EXPECT_FALSE(parseInputScript(c.text, events, &error)) << c.text;
        EXPECT_NE(error.find(c.where), std::string::npos) << c.text << " -> " << error;
        EXPECT_TRUE(events.empty());
    }
}

}  // namespace
}  // namespace velk
