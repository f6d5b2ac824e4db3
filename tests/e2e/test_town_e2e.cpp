// End to end in the demo town: a new game walks up to the people of the
// town and talks to them with the mouse through the real `velk`: the elder's
// three-page offer starts the quest run, the travel guide walks the hero to
// the gate, the pet seller turns away a hero without the aru, and the two
// merchants buy and sell.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

// The town's people stand on their feet; their body box is centred this
// far above the feet.
constexpr int kBodyCentreAbove = 32;
// The talk box opens with its corner here; its buttons, from that corner.
constexpr int kBoxX = 280, kBoxY = 150;
constexpr int kPageLeftX = 10 + 20, kPageRightX = 82 + 20, kPageY = 170 + 10;
constexpr int kAcceptX = 180 + 20, kBottomY = 225 + 10;
// The shop window's corner; its first goods and bag rows and its buttons,
// from that corner; the yes button of its message boxes on the screen.
constexpr int kShopX = 300, kShopY = 200;
constexpr int kGoodsRowX = 30, kBagRowX = 180, kRowY = 37, kRowStep = 40;
constexpr int kBuyX = 30, kSellX = 150, kCloseX = 90, kShopButtonY = 230;
constexpr int kYesX = 460, kYesY = 335;
// The HUD's weapon slot opens the inventory.
constexpr int kHudWeaponX = 340, kHudWeaponY = 530;

class E2eTown : public ::testing::Test {
protected:
    // The hero walks right from the town's start for `frames` frames; the
    // clicks and the frames played follow.
    static std::string walk(int frames) {
        return "0 key Right down\n" + std::to_string(frames) + " key Right up\n";
    }
    static std::string click(int frame, int x, int y) {
        return std::to_string(frame) + " mouse " + std::to_string(x) + " " + std::to_string(y) + "\n" +
               std::to_string(frame + 1) + " button left down\n" + std::to_string(frame + 2) + " button left up\n";
    }
    // A new game each time: the save a run leaves behind is removed first.
    std::string play(int frames, const std::string& script) {
        std::filesystem::remove(work.path() + "/data/txt/user/user.txt");
        run = runVelk(work.path(), {"--skip-title", "--frames", std::to_string(frames)}, script);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return run.state;
    }
    // Where to click the NPC with talk number `talk` in a dump's camera.
    static void npcOnScreen(const std::string& dump, int talk, int& x, int& y) {
        const std::string npcs = jsonArray(dump, "npcs");
        std::smatch m;
        const std::regex entry("\\{\"x\": (-?\\d+), \"y\": (-?\\d+), \"talkNumber\": " + std::to_string(talk) + ",");
        ASSERT_TRUE(std::regex_search(npcs, m, entry)) << npcs;
        x = std::stoi(m[1]) - int(jsonNumberIn(dump, "map", "camX"));
        y = std::stoi(m[2]) - kBodyCentreAbove - int(jsonNumberIn(dump, "map", "camY"));
        ASSERT_TRUE(x > 0 && x < 800 && y > 0 && y < 600) << x << ", " << y;
    }

    // Walks left for `walked` frames (the smith stands left of the
    // start) and clicks the merchant with `talk`; his shop is open from
    // frame walked + 4.
    std::string openShop(int talk, int walked) {
        const std::string walk = "0 key Left down\n" + std::to_string(walked) + " key Left up\n";
        int x = 0, y = 0;
        npcOnScreen(play(walked + 2, walk), talk, x, y);
        return walk + click(walked + 2, x, y);
    }
    static std::string clickShop(int frame, int dx, int dy) { return click(frame, kShopX + dx, kShopY + dy); }
    static std::string notices(const std::string& dump) { return jsonArray(dump, "notices"); }

    TempDir work;
    VelkRun run;
};

TEST_F(E2eTown, TheEldersOfferTakenStartsTheQuestRun) {
    const int walked = 60;
    int x = 0, y = 0;
    npcOnScreen(play(walked + 2, walk(walked)), 30, x, y);
    std::string script = walk(walked) + click(walked + 2, x, y);
    std::string dump = play(walked + 8, script);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "talkNumber"), 30);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "action"), 60);

    // Next, next, then accept on the last page.
    script += click(walked + 10, kBoxX + kPageLeftX, kBoxY + kPageY);
    script += click(walked + 16, kBoxX + kPageRightX, kBoxY + kPageY);
    dump = play(walked + 22, script);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "talkNumber"), 32);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "action"), 99);
    script += click(walked + 22, kBoxX + kAcceptX, kBoxY + kBottomY);
    dump = play(walked + 40, script);
    EXPECT_EQ(jsonNumberIn(dump, "map", "number"), 1) << dump;
    EXPECT_GT(jsonNumberIn(dump, "map", "questStep"), 0);
    EXPECT_NE(dump.find("\"talk\": null"), std::string::npos);
}

TEST_F(E2eTown, TheGuideWalksTheHeroToTheGateAndThePetSellerWantsMoreAru) {
    const int walked = 100;
    int x = 0, y = 0;
    const std::string at = play(walked + 2, walk(walked));
    npcOnScreen(at, 40, x, y);
    std::string dump = play(walked + 40, walk(walked) + click(walked + 2, x, y) +
                                             click(walked + 10, kBoxX + kAcceptX, kBoxY + kBottomY));
    EXPECT_EQ(jsonNumberIn(dump, "map", "number"), 9) << dump;
    EXPECT_EQ(jsonNumberIn(dump, "map", "questStep"), 0);

    npcOnScreen(at, 50, x, y);
    dump = play(walked + 8, walk(walked) + click(walked + 2, x, y));
    EXPECT_EQ(jsonNumberIn(dump, "talk", "talkNumber"), 51);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "action"), 60);
    EXPECT_LT(jsonNumberIn(dump, "hero", "aru"), 3000);
}

TEST_F(E2eTown, TheSmithSellsABladeAndBuysItBack) {
    const int walked = 30, f = walked + 6;  // the shop is open from frame f
    std::string script = openShop(10, walked);
    script += clickShop(f, kGoodsRowX, kRowY);  // the first good: a blade for 120
    script += clickShop(f + 4, kBuyX, kShopButtonY);
    script += click(f + 8, kYesX, kYesY);
    std::string dump = play(f + 13, script);
    EXPECT_EQ(jsonNumberIn(dump, "shop", "kind"), -1) << dump;
    EXPECT_EQ(jsonNumberIn(dump, "shop", "goodsSelection"), 0);
    EXPECT_EQ(jsonNumberIn(dump, "hero", "aru"), 80);
    EXPECT_EQ(jsonSlot(dump, 9), (std::array<long, 3>{1, 2, 1}));  // after the new game's blade
    EXPECT_NE(notices(dump).find("구매했습니다.(단검)"), std::string::npos) << notices(dump);

    script += clickShop(f + 14, kBagRowX, kRowY + kRowStep);
    script += clickShop(f + 20, kSellX, kShopButtonY);
    script += click(f + 24, kYesX, kYesY);
    dump = play(f + 28, script);
    EXPECT_EQ(jsonNumberIn(dump, "hero", "aru"), 130);
    EXPECT_EQ(jsonSlot(dump, 9)[1], -1);
    EXPECT_EQ(jsonNumberIn(dump, "shop", "bagSelection"), -1);
    EXPECT_NE(notices(dump).find("판매했습니다.(단검)"), std::string::npos) << notices(dump);

    // Closed, the shop is gone and the HUD answers again.
    script += clickShop(f + 28, kCloseX, kShopButtonY);
    script += click(f + 32, kHudWeaponX, kHudWeaponY);
    dump = play(f + 36, script);
    EXPECT_NE(dump.find("\"shop\": null"), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"talk\": null"), std::string::npos);
    EXPECT_EQ(jsonNumberIn(dump, "ui", "inventoryTab"), 0);
}

TEST_F(E2eTown, TheHerbalistSellsPotionsByTheNumberTyped) {
    const int walked = 30, f = walked + 6;
    std::string script = openShop(20, walked);
    script += clickShop(f, kGoodsRowX, kRowY);  // red potions at 30
    script += click(f + 4, kHudWeaponX, kHudWeaponY);  // the HUD takes no input while the shop is open
    script += clickShop(f + 8, kBuyX, kShopButtonY);
    script += std::to_string(f + 12) + " text 3\n";
    script += click(f + 14, kYesX, kYesY);
    const std::string dump = play(f + 18, script);
    EXPECT_EQ(jsonNumberIn(dump, "shop", "kind"), -3) << dump;
    EXPECT_EQ(jsonNumberIn(dump, "ui", "inventoryTab"), -1);
    EXPECT_EQ(jsonSlot(dump, 18), (std::array<long, 3>{6, 8, 0}));
    EXPECT_EQ(jsonNumberIn(dump, "hero", "aru"), 110);
    EXPECT_NE(notices(dump).find("구매했습니다.(빨간물약)"), std::string::npos) << notices(dump);
}

}  // namespace
}  // namespace velk
