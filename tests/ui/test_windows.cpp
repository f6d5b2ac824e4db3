// The HUD's bars, the game menu's release rule and the status window's
// rules, driven through the headless backend.

#include <gtest/gtest.h>

#include <memory>

#include "actors/player.h"
#include "core/effects.h"
#include "support/game_fixture.h"
#include "ui/game_menu.h"
#include "ui/interface.h"
#include "ui/status_window.h"
#include "world/field.h"

namespace velk {
namespace {

TEST(HudBars, WidthFollowsTheShareAndStaysInBounds) {
    const struct {
        int32_t current, maximum, width;
    } cases[] = {{0, 100, 0},    {100, 100, 114}, {50, 100, 57}, {33, 100, 37}, {1, 3, 38},
                 {150, 100, 114}, {5, 0, 0},      {-5, 100, 0}, {7, -1, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(hudBarWidth(c.current, c.maximum), c.width) << c.current << "/" << c.maximum;
}

TEST(HudAreas, PointerFindsTheSlotAndTheMenuButton) {
    const struct {
        int32_t x, y;
    } cases[] = {{315, 510}, {368, 558}, {369, 530}, {385, 530}, {550, 530}, {617, 530},
                 {730, 558}, {5, 507},   {47, 549},  {47, 550},  {4, 520},   {400, 509}};
    const int want[] = {1, 1, 0, 2, 3, 5, 6, 7, 7, 0, 0, 0};
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(hudAreaAt(cases[i].x, cases[i].y), want[i]) << cases[i].x << "," << cases[i].y;
}

class WindowTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        field = std::make_unique<CField>(&device);
        player = std::make_unique<CPlayer>(*field);
        player->savesOnExit = false;
        player->maxHp = 100;
        player->takeDamage(player->hp - 80);
    }
    void TearDown() override {
        menu.reset();
        status.reset();
        player.reset();
        field.reset();
        GameFixture::TearDown();
    }
    void input(int x, int y, bool down) {
        backend.setMouse(x, y);
        backend.setButton(0, down);
        backend.advance(HeadlessBackend::kPassTicks);
        poll();
    }
    int32_t menuFrame(int x, int y, bool down = false) {
        input(x, y, down);
        menu->update(g_input);
        return menu->outcome;
    }
    int32_t statusFrame(int x, int y, bool down = false) {
        input(x, y, down);
        status->update(g_input);
        return status->isOpen() ? CStatusWindow::kOpen : CStatusWindow::kClosed;
    }
    void openStatus(int32_t points) {
        player->statPoints = points;
        status = std::make_unique<CStatusWindow>();
        status->init(&device, player.get());
    }

    std::unique_ptr<CField> field;
    std::unique_ptr<CPlayer> player;
    std::unique_ptr<CGameMenu> menu;
    std::unique_ptr<CStatusWindow> status;
};

TEST_F(WindowTest, MenuButtonsActOnReleaseOverTheArmedButton) {
    menu = std::make_unique<CGameMenu>();
    menu->init(&device, player.get());
    EXPECT_EQ(menuFrame(118, 390, true), CGameMenu::kOpen);  // press on close
    EXPECT_EQ(menuFrame(300, 300), CGameMenu::kOpen);        // released elsewhere: let go
    EXPECT_EQ(menuFrame(118, 390), CGameMenu::kOpen);        // back over it, button up
    EXPECT_EQ(menuFrame(118, 390, true), CGameMenu::kOpen);
    EXPECT_EQ(menuFrame(118, 390), CGameMenu::kClose);  // pressed and released over it
}

TEST_F(WindowTest, CancellingTheQuitQuestionClosesTheWholeMenu) {
    const struct {
        int x;
        int32_t result;
    } cases[] = {{460, CGameMenu::kQuit}, {510, CGameMenu::kClose}};  // OK, Cancel
    for (const auto& c : cases) {
        menu = std::make_unique<CGameMenu>();
        menu->init(&device, player.get());
        menuFrame(60, 428, true);  // status first: the question closes it
        menuFrame(60, 428);
        ASSERT_TRUE(menu->statusWindow);
        menuFrame(60, 460, true);
        menuFrame(60, 460);
        ASSERT_TRUE(menu->quitQuestion);
        EXPECT_EQ(menuFrame(c.x, 205, true), CGameMenu::kOpen);
        EXPECT_FALSE(menu->statusWindow);
        EXPECT_EQ(menuFrame(c.x, 205), c.result);
    }
}

TEST_F(WindowTest, StatPointsRaiseStatsAndTheirMaximums) {
    const struct {
        int y;
        int32_t CPlayer::*stat;
        int32_t CPlayer::*maximum;
    } cases[] = {{365, &CPlayer::attackStat, nullptr}, {380, &CPlayer::defenceStat, nullptr},
                 {400, &CPlayer::skillStat, nullptr},  {416, &CPlayer::hpStat, &CPlayer::maxHp},
                 {430, &CPlayer::mpStat, &CPlayer::maxMp}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.y);
        openStatus(2);
        const int32_t stat = (*player).*c.stat;
        const int32_t maxHp = player->maxHp, maxMp = player->maxMp, hp = player->hp;
        statusFrame(248, c.y, true);
        statusFrame(248, c.y);
        EXPECT_EQ((*player).*c.stat, stat + 1);
        EXPECT_EQ(player->statPoints, 1);
        EXPECT_EQ(player->maxHp, maxHp + (c.maximum == &CPlayer::maxHp ? 10 : 0));
        EXPECT_EQ(player->maxMp, maxMp + (c.maximum == &CPlayer::maxMp ? 10 : 0));
        EXPECT_EQ(player->hp, hp);
    }
    // The last point spent, the plus buttons no longer answer.
    openStatus(1);
    statusFrame(248, 365, true);
    statusFrame(248, 365);
    const int32_t attack = player->attackStat;
    statusFrame(248, 365, true);
    statusFrame(248, 365);
    EXPECT_EQ(player->attackStat, attack);
    EXPECT_EQ(player->statPoints, 0);
}

TEST_F(WindowTest, StatusCloseAndSlideButtonsKeepTheirRules) {
    openStatus(0);
    statusFrame(248, 235, true);  // press close, release away: still open
    EXPECT_EQ(statusFrame(400, 300), CStatusWindow::kOpen);
    EXPECT_EQ(statusFrame(248, 235), CStatusWindow::kOpen) << "let go: hovering it later does not close";
    statusFrame(248, 470, true);  // slide out
    statusFrame(248, 470);
    EXPECT_EQ(status->panelState, 1);
    statusFrame(268, 470, true);  // slide in while still moving out: refused
    statusFrame(268, 470);
    EXPECT_EQ(status->panelState, 1);
    for (int i = 0; i < 16; ++i) statusFrame(400, 300);
    EXPECT_EQ(status->slideSteps, 16);
    EXPECT_EQ(status->slideOffset, 128);
    statusFrame(268, 470, true);
    statusFrame(268, 470);
    EXPECT_EQ(status->panelState, 2);
    for (int i = 0; i < 16; ++i) statusFrame(400, 300);
    EXPECT_EQ(status->panelState, 0);
    EXPECT_EQ(status->slideOffset, 0);
    statusFrame(248, 235, true);
    EXPECT_EQ(statusFrame(248, 235), CStatusWindow::kClosed);
}

}  // namespace
}  // namespace velk
