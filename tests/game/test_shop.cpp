// The shop window driven with the mouse on a hero's world: its button row,
// the scroll limits, goods the tables do not hold, the quantity box, and
// that it holds the input from the windows below until it closes.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/npc_writer.h"
#include "items/item_tables.h"
#include "npc/shop.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "support/game/hero_world.h"
#include "widgets/notice_log.h"

namespace velk {
namespace {

constexpr int kTalk = 10;
constexpr int kX = 300, kY = 200;
// Message boxes stand at (300, 230): OK of a yes/no box, OK of a notice.
constexpr int kYesX = 460, kNoticeOkX = 410, kBoxButtonY = 335;

class ShopTest : public HeroWorldTest {
protected:
    void SetUp() override {
        HeroWorldTest::SetUp();
        for (const char* name : {"no", "eat", "out", "btn1", "btn2"}) writeEffect(std::string("sound/") + name + ".wav");
        startWorld(flatMap());
        g_itemTables.weapons = {{"blade", 2, 0, 200, 80, 6, 1}, {"gun", 0, 1, 700, 280, 7, 4}};
        g_itemTables.energy.clear();
        for (int i = 0; i < 9; ++i) g_itemTables.energy.push_back({"food", 8 + 2 * (i % 4), i, 30, 12, 30, 0});
    }
    void open(int32_t kind, const std::vector<int32_t>& goods) {
        dir.write(shopFileName(kTalk), shopFileText(goods));
        shop = std::make_unique<CShop>();
        shop->init(&device, &hero(), kind, kTalk);
    }
    void step(int mx, int my, bool left = false, bool right = false) {
        backend.setMouse(mx, my);
        backend.setButton(0, left);
        backend.setButton(1, right);
        backend.advance(HeadlessBackend::kPassTicks);
        poll();
        shop->update(g_input);
    }
    void click(int mx, int my) {
        step(mx, my, true);
        step(mx, my);
    }
    // The middle of goods row r, of bag row r; a spot on the button row.
    void clickGoods(int r) { click(kX + 30, kY + 37 + 40 * r); }
    void clickButton(int dx, int dy = 230) { click(kX + dx, kY + dy); }

    std::unique_ptr<CShop> shop;
};

TEST_F(ShopTest, TheButtonRowBuysAtItsBorderAndCloses) {
    open(kShopKindWeapon, {0, 1});
    EXPECT_TRUE(shop->takesInput());
    EXPECT_TRUE(shop->isOpen());
    clickButton(66);  // nothing selected: buy does nothing, and the border is not close's
    EXPECT_EQ(shop->result, CShop::kOpen);
    EXPECT_FALSE(shop->buyBox);

    clickGoods(1);
    EXPECT_EQ(shop->goodsSelection, 1);
    clickButton(66);
    ASSERT_TRUE(shop->buyBox);
    EXPECT_EQ(toUtf8(shop->buyBox->lines[0]), "이것을 구입합니까?");

    shop->buyBox.reset();
    clickButton(67);
    EXPECT_EQ(shop->result, CShop::kClosed);
    EXPECT_FALSE(shop->isOpen());
}

TEST_F(ShopTest, ScrollButtonsStopAtTheirLimits) {
    const struct {
        const char* name;
        int32_t kind;
        int goods;
        int buttonX, buttonY;
        int clicks;
        int32_t goodsScroll, bagScroll;
        long refusals;
    } cases[] = {
        {"five goods do not scroll", kShopKindWeapon, 5, 115, 245, 3, 0, 0, 0},
        {"nine goods scroll to four", kShopKindEnergy, 9, 115, 245, 6, 4, 0, 2},
        {"nothing above the first good", kShopKindEnergy, 9, 115, 228, 1, 0, 0, 1},
        {"the weapon bag scrolls to five", kShopKindWeapon, 2, 241, 245, 7, 0, 5, 2},
        {"the energy bag scrolls to twenty-five", kShopKindEnergy, 2, 241, 245, 26, 0, 25, 1},
        {"nothing above the first bag row", kShopKindEnergy, 2, 241, 228, 1, 0, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<int32_t> goods;
        for (int i = 0; i < c.goods; ++i) goods.push_back(i % 2);
        open(c.kind, goods);
        const long before = soundCount("no");
        for (int i = 0; i < c.clicks; ++i) clickButton(c.buttonX, c.buttonY);
        EXPECT_EQ(shop->goodsScroll, c.goodsScroll);
        EXPECT_EQ(shop->bagScroll, c.bagScroll);
        EXPECT_EQ(soundCount("no") - before, c.refusals);
    }
}

TEST_F(ShopTest, AGoodTheTablesDoNotHoldIsNeitherShownNorSold) {
    open(kShopKindWeapon, {7, 1});
    step(kX + 30, kY + 37);
    EXPECT_EQ(shop->infoShown, 0);
    clickGoods(0);
    EXPECT_EQ(shop->goodsSelection, CShop::kNone);
    step(kX + 30, kY + 77);
    EXPECT_EQ(shop->infoShown, 1);
}

TEST_F(ShopTest, TooLittleAruForTheQuantityShowsTheNoticeWithWhatIsMissing) {
    hero().aru = 100;
    open(kShopKindEnergy, {0, 1, 2});
    clickGoods(2);
    step(kX + 30, kY + 117, false, true);  // the right button asks for a quantity
    step(kX + 30, kY + 117);
    ASSERT_TRUE(shop->buyBox);
    EXPECT_EQ(toUtf8(shop->buyBox->lines[1]), "(1 ~ 100개까지만)");
    backend.typeText("10");
    step(kYesX, kBoxButtonY);
    click(kYesX, kBoxButtonY);
    EXPECT_FALSE(shop->buyBox);
    ASSERT_TRUE(shop->noticeBox);
    EXPECT_EQ(toUtf8(g_noticeLog->lines[0]), "아루가 부족합니다.(200)");
    EXPECT_EQ(hero().aru, 100);
    click(kNoticeOkX, kBoxButtonY);
    EXPECT_FALSE(shop->noticeBox);
}

}  // namespace
}  // namespace velk
