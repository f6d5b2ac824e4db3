// End to end, the town's story from a new game: the smith sells a blade and
// buys it back, the herbalist sells potions by the number typed, the pet
// seller turns away a hero without the aru, the elder's offer starts the quest run, the hero
// walks through the forest and fights the boss until it falls, the elder
// pays the reward, the guide walks the hero to the gate and back. The game
// is steered in this process from what it shows; the real `velk` then
// replays the recorded input with the same seed and must end the same, and
// a second run loads what the first one saved.

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "actors/boss.h"
#include "app/state_dump_town.h"
#include "game/world.h"
#include "items/item_tables.h"
#include "platform/cp949.h"
#include "story.h"
#include "support/temp_dir.h"
#include "ui/interface.h"
#include "world/field.h"
#include "world/mini_map.h"

namespace velk {
namespace {

constexpr unsigned kSeed = 7;
constexpr int kPetSeller = 50, kElder = 30, kGuide = 40, kGateGuide = 90;
constexpr int kElderIndex = 2;
constexpr int kSmith = 10, kHerbalist = 20;
// The shop window's corner; its first goods and bag rows and its buttons,
// from that corner; the yes button of its message boxes on the screen.
constexpr int kShopX = 300, kShopY = 200;
constexpr int kGoodsRowX = 30, kBagRowX = 180, kRowY = 37, kRowStep = 40;
constexpr int kBuyX = 30, kSellX = 150, kCloseX = 90, kShopButtonY = 230;
constexpr int kYesX = 460, kYesY = 335;
constexpr int kWeaponBagFirst = 8, kEnergyBagFirst = 18;

class TownStory : public Story {
public:
    using Story::Story;
    void clickShop(int dx, int dy) { play.click(kShopX + dx, kShopY + dy); }
};

TEST(E2eStory, TheTownsQuestFromANewGameToItsRewardSavedAndLoaded) {
    TempDir work;
    const std::string data = freshWorld(work.path() + "/play");
    std::map<std::string, long> shots;  // screenshot name -> paced frame
    StoryEnd end;
    std::string script;
    {
        TownStory s(data, kSeed);
        ASSERT_TRUE(s.play.ok());
        ASSERT_EQ(s.map(), 0);

        // The smith: the first good is bought into the first free bag slot,
        // then sold back from there.
        ASSERT_TRUE(s.clickNpc(kSmith));
        ASSERT_TRUE(s.box().shop);
        EXPECT_EQ(s.play.topWindow(), s.box().shop.get());  // the HUD takes no input under it
        CPlayer& hero = s.play.hero();
        int freeRow = 0;
        while (freeRow < 10 && hero.slots[size_t(kWeaponBagFirst + freeRow)].icon != -1) ++freeRow;
        ASSERT_LT(freeRow, 5) << "the bag's first free slot must show without scrolling";
        const int aruBefore = hero.aru;
        s.clickShop(kGoodsRowX, kRowY);
        ASSERT_EQ(s.box().shop->goodsSelection, 0);
        const WeaponItem* blade = g_itemTables.weapon(s.box().shop->goods[0]);
        ASSERT_TRUE(blade);
        s.clickShop(kBuyX, kShopButtonY);
        s.play.until([] { return false; }, 10);
        shots["smith-buy-box"] = s.play.frames() - 1;
        s.play.click(kYesX, kYesY);
        EXPECT_EQ(hero.aru, aruBefore - blade->buyPrice);
        const ItemSlot& bought = hero.slots[size_t(kWeaponBagFirst + freeRow)];
        EXPECT_EQ(bought.icon, blade->icon);
        EXPECT_EQ(bought.itemId, blade->index);
        EXPECT_EQ(s.lastNotice(), "구매했습니다.(" + toUtf8(blade->name) + ")");
        s.clickShop(kBagRowX, kRowY + freeRow * kRowStep);
        EXPECT_EQ(s.box().shop->bagSelection, freeRow);
        s.play.until([] { return false; }, 5);
        shots["smith-shop"] = s.play.frames() - 1;
        s.clickShop(kSellX, kShopButtonY);
        s.play.click(kYesX, kYesY);
        EXPECT_EQ(hero.aru, aruBefore - blade->buyPrice + blade->sellPrice);
        EXPECT_EQ(bought.icon, -1);
        EXPECT_EQ(s.lastNotice(), "판매했습니다.(" + toUtf8(blade->name) + ")");
        s.clickShop(kCloseX, kShopButtonY);
        EXPECT_FALSE(s.box().shop);
        EXPECT_EQ(s.box().open, 0);
        EXPECT_EQ(s.play.topWindow(), g_interface);

        // The herbalist: three of the first potion, the number typed in.
        ASSERT_TRUE(s.clickNpc(kHerbalist));
        ASSERT_TRUE(s.box().shop);
        const ItemSlot& potions = hero.slots[size_t(kEnergyBagFirst)];
        const int potionsBefore = potions.count, aruAtHerbalist = hero.aru;
        s.clickShop(kGoodsRowX, kRowY);
        const EnergyItem* potion = g_itemTables.energyItem(s.box().shop->goods[0]);
        ASSERT_TRUE(potion);
        ASSERT_EQ(potions.icon, potion->icon) << "the new game's first bag slot holds this potion";
        s.clickShop(kBuyX, kShopButtonY);
        s.play.type("3");
        s.play.until([] { return false; }, 5);
        shots["herbalist-number"] = s.play.frames() - 1;
        s.play.click(kYesX, kYesY);
        EXPECT_EQ(potions.count, potionsBefore + 3);
        EXPECT_EQ(hero.aru, aruAtHerbalist - 3 * potion->buyPrice);
        s.clickShop(kCloseX, kShopButtonY);
        EXPECT_FALSE(s.box().shop);

        // Without 3000 aru the pet seller's condition leads to "come back".
        ASSERT_LT(s.play.hero().aru, 3000);
        ASSERT_TRUE(s.clickNpc(kPetSeller));
        EXPECT_EQ(s.box().talkNumber, 51);
        EXPECT_EQ(s.box().talk.actionCode, 60);
        s.play.until([] { return false; }, 40);
        shots["pet-seller"] = s.play.frames() - 1;
        s.clickBox(kOkX, kBottomY);
        EXPECT_EQ(s.box().open, 0);

        // The elder's three pages, then yes: the quest run of maps 1 and 2.
        ASSERT_TRUE(s.clickNpc(kElder));
        EXPECT_EQ(s.box().talkNumber, kElder);
        s.clickBox(kPageLeftX, kPageY);
        EXPECT_EQ(s.box().talkNumber, kElder + 1);
        s.clickBox(kPageRightX, kPageY);
        EXPECT_EQ(s.box().talkNumber, kElder + 2);
        EXPECT_EQ(s.box().lastTalkNumber, kElder);
        s.play.until([] { return false; }, 60);
        shots["elder-offer"] = s.play.frames() - 1;
        ASSERT_TRUE(s.acceptAndTravel(1));
        // The run's first map is its second step: the boss's map is the third.
        EXPECT_EQ(g_field->quest.step, 2);
        EXPECT_EQ((g_field->quest.npcMissionInfo >> 12) & 0xFFF, kElderIndex);
        EXPECT_EQ(g_miniMap->questLines.size(), 3u);
        s.play.until([] { return false; }, 5);
        shots["quest-forest"] = s.play.frames() - 1;

        ASSERT_TRUE(s.walkOut({968, 1232})) << "hero at " << s.play.hero().x << ", " << s.play.hero().y;
        ASSERT_EQ(s.map(), 2);
        EXPECT_EQ(g_field->quest.step, 3);
        ASSERT_TRUE(g_world->boss);
        const int bossHp = g_world->boss->hp;
        const std::function<void()> lookAtFight = [&] {
            if (g_world->boss && g_world->boss->hp < bossHp && !shots.count("boss-fight"))
                shots["boss-fight"] = s.play.frames();
        };
        s.play.afterFrame = lookAtFight;
        ASSERT_TRUE(s.fightBoss(4000)) << "boss hp " << (g_world->boss ? g_world->boss->hp : 0) << ", hero hp "
                                       << s.play.hero().hp;
        s.play.afterFrame = nullptr;
        ASSERT_EQ(s.map(), 0);
        EXPECT_EQ(g_field->quest.step, 0);
        ASSERT_GT(g_field->quest.missionStates.size(), size_t(kElderIndex));
        EXPECT_EQ(g_field->quest.missionStates[kElderIndex], 1);

        // The reward: the whole 은빛검 (its picture, table entry and so its
        // attack and level) into the bag's first free slot, aru and a skill
        // the book lacks; the elder's state becomes 2.
        const int aruBack = s.play.hero().aru;
        int swordSlot = kWeaponBagFirst;
        while (swordSlot < kEnergyBagFirst && s.play.hero().slots[size_t(swordSlot)].icon != -1) ++swordSlot;
        ASSERT_LT(swordSlot, kEnergyBagFirst);
        ASSERT_TRUE(s.clickNpc(kElder));
        EXPECT_EQ(s.box().talk.actionCode, 100);
        s.clickBox(kAcceptX, kBottomY);
        EXPECT_EQ(s.play.hero().aru, aruBack + 500);
        const ItemSlot& sword = s.play.hero().slots[size_t(swordSlot)];
        EXPECT_EQ(sword.count, 1);
        EXPECT_EQ(sword.icon, 2);
        EXPECT_EQ(sword.itemId, 3);
        const WeaponItem* swordItem = g_itemTables.weapon(sword.itemId);
        ASSERT_NE(swordItem, nullptr);
        EXPECT_EQ(swordItem->name, velk::toCp949("은빛검"));
        EXPECT_EQ(swordItem->attack, 11);
        EXPECT_EQ(swordItem->requiredLevel, 2);
        // The book's first slot holds the new game's speed skill: the
        // elder's kick, a skill the hero lacked, goes into the next.
        EXPECT_EQ(s.play.hero().slots[48].itemId, 0);
        EXPECT_EQ(s.play.hero().slots[49].icon, 54);
        EXPECT_EQ(s.play.hero().slots[49].itemId, 1);
        EXPECT_EQ(g_field->quest.missionStates[kElderIndex], 2);
        s.play.until([] { return false; }, 5);
        shots["rewarded"] = s.play.frames() - 1;

        // To the gate with the guide and back with the gate's guide.
        ASSERT_TRUE(s.clickNpc(kGuide));
        ASSERT_TRUE(s.acceptAndTravel(9));
        s.play.until([] { return false; }, 5);
        shots["gate"] = s.play.frames() - 1;
        ASSERT_TRUE(s.clickNpc(kGateGuide));
        ASSERT_TRUE(s.acceptAndTravel(0));
        s.play.until([] { return false; }, 5);
        end = {s.play.frames(), 0, s.play.hero().aru, s.play.hero().level, npcsJson(), "txt/npc/mssck/mss_0.txt",
               readText(data + "/txt/npc/mssck/mss_0.txt")};
        script = s.play.script();
    }
    EXPECT_EQ(end.states, "0\n0\n2\n0\n0\n0\n");

    // The real program replays the same input on the same world and ends
    // the same, its screenshots taken along the way; a second run loads the
    // save it wrote.
    freshWorld(work.path() + "/data");
    expectReplayAndReload(work.path(), kSeed, script, shots, end);
}

}  // namespace
}  // namespace velk
