// End to end, the first hour of a new game played by a simple policy with
// the README's controls only: wear the best weapon the level allows, buy
// potions with the aru beyond the next fare, walk each quest map to its
// exit striking what stands in front, drink from F1 under a third of the hit
// points (refilling F1 from the bag), and fight each boss until it falls.
// The elder's quest, the carriage to the camp and the scout's quest are
// played in this process from what the game shows; the real `velk` then
// replays the recorded input with the same seed and must end the same.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "actors/boss.h"
#include "actors/monster_set.h"
#include "app/state_dump_town.h"
#include "game/world.h"
#include "items/item_tables.h"
#include "platform/input_state.h"
#include "story.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace velk {
namespace {

constexpr unsigned kSeed = 5;
constexpr int kHerbalist = 20, kElder = 30, kGuide = 40, kScout = 200;
constexpr int kElderIndex = 2, kScoutIndex = 0;
constexpr int kCampFare = 300;
// The shop window and its message boxes on the screen.
constexpr int kShopX = 300, kShopY = 200;
constexpr int kGoodsRowX = 30, kRowY = 37, kBuyX = 30, kCloseX = 90, kShopButtonY = 230;
constexpr int kYesX = 460, kYesY = 335;
// The HUD's worn-weapon slot and quick slot F1; the inventory's rows and
// close button (the window's corner x by tab, its rows from y 305, 32 apart).
constexpr int kHudWeaponX = 340, kHudF1X = 520, kHudY = 530;
constexpr int kWeaponTabX = 255, kEnergyTabX = 440;
constexpr int kWeaponBagFirst = 8, kEnergyBagFirst = 18, kQuickF1 = 2, kRedPotionIcon = 8;

// What a boss fight cost the hero.
struct BossReport {
    int level = 0;
    int hpLow = 0;
    int maxHp = 0;
    int potions = 0;
    long frames = 0;
};

class Player : public Story {
public:
    using Story::Story;

    // The strongest weapon of the bag that the hero's level allows goes on.
    void wearBest() {
        const CPlayer& hero = play.hero();
        const WeaponItem* worn = g_itemTables.weapon(hero.slots[0].itemId);
        int best = -1, bestAttack = worn ? worn->attack : 0;
        for (int s = kWeaponBagFirst; s < kWeaponBagFirst + 5; ++s) {
            const ItemSlot& slot = hero.slots[size_t(s)];
            const WeaponItem* w = slot.icon < 0 ? nullptr : g_itemTables.weapon(slot.itemId);
            if (w && w->requiredLevel <= hero.level && w->attack > bestAttack) {
                best = s;
                bestAttack = w->attack;
            }
        }
        if (best < 0) return;
        play.click(kHudWeaponX, kHudY);
        const int rowY = 320 + 32 * (best - kWeaponBagFirst);
        play.click(kWeaponTabX + 35, rowY);
        play.click(kWeaponTabX + 35, rowY, 1);
        play.click(kWeaponTabX + 91, 282);
    }

    // Quick slot F1 takes the red potions of the bag when it runs dry.
    void refillF1() {
        const CPlayer& hero = play.hero();
        if (hero.slots[kQuickF1].icon >= 0) return;
        for (int s = kEnergyBagFirst; s < kEnergyBagFirst + 5; ++s) {
            if (hero.slots[size_t(s)].icon != kRedPotionIcon) continue;
            play.click(kHudF1X, kHudY);
            const int rowY = 320 + 32 * (s - kEnergyBagFirst);
            play.click(kEnergyTabX + 20, rowY);
            play.click(kEnergyTabX + 20, rowY, 1);
            play.click(kEnergyTabX + 91, 282);
            return;
        }
    }

    // Red potions for every 30 aru beyond `keep`, typed into the herbalist's box.
    void buyPotions(int keep) {
        ASSERT_TRUE(clickNpc(kHerbalist));
        ASSERT_TRUE(box().shop);
        play.click(kShopX + kGoodsRowX, kShopY + kRowY);
        const EnergyItem* potion = g_itemTables.energyItem(box().shop->goods[0]);
        ASSERT_TRUE(potion);
        const int n = (play.hero().aru - keep) / potion->buyPrice;
        if (n > 0) {
            play.click(kShopX + kBuyX, kShopY + kShopButtonY);
            play.type(std::to_string(n));
            idle(2);
            play.click(kYesX, kYesY);
            potionsBought += n;
        }
        play.click(kShopX + kCloseX, kShopY + kShopButtonY);
        ASSERT_FALSE(box().shop);
    }

    // Drinks from F1 under a third of the hit points; true when it did.
    bool drinkIfLow() {
        CPlayer& hero = play.hero();
        hpLow = std::min(hpLow, int(hero.hp));
        if (hero.hp * 3 >= hero.maxHp || hero.hp <= 0) return false;
        refillF1();
        if (hero.slots[kQuickF1].icon < 0) return false;
        const int before = hero.slots[kQuickF1].count;
        play.keys({dik::kF1});
        play.pass();
        play.keys({});
        play.pass();
        if (hero.slots[kQuickF1].count != before) ++potionsUsed;
        return true;
    }

    // A monster alive within reach in front of the hero, on its level.
    bool monsterInFront() const {
        const CPlayer& hero = play.hero();
        if (!g_world->monsters) return false;
        for (const CMonster& m : g_world->monsters->monsters) {
            if (!m.plays || m.move == kMoveDying || m.move == kMoveDead || m.hp <= 0) continue;
            const int ahead = hero.facing == 0 ? m.x - hero.x : hero.x - m.x;
            if (ahead > -16 && ahead < 44 && std::abs(m.y - hero.y) < 64) return true;
        }
        return false;
    }

    // Walks east into the forward exit: a running jump at each of `jumpsAt`
    // and wherever the hero stands stuck, a strike at whatever is in front.
    bool walkToExit(const std::vector<int>& jumpsAt, int frameLimit) {
        const int from = map();
        size_t nextJump = 0;
        int stuckFrames = 0, lastX = play.hero().x;
        for (int f = 0; f < frameLimit && map() == from; ++f) {
            if (play.hero().hp <= 0) return false;
            if (drinkIfLow()) continue;
            const CPlayer& hero = play.hero();
            stuckFrames = hero.x > lastX ? 0 : stuckFrames + 1;
            lastX = std::max(lastX, int(hero.x));
            if (monsterInFront()) {
                play.keys(f % 6 < 3 ? std::initializer_list<int>{dik::kLCtrl} : std::initializer_list<int>{});
                stuckFrames = 0;
            } else if ((nextJump < jumpsAt.size() && hero.x >= jumpsAt[nextJump]) || stuckFrames > 90) {
                if (nextJump < jumpsAt.size() && hero.x >= jumpsAt[nextJump]) ++nextJump;
                play.keys({dik::kRight, dik::kLAlt});
                play.pass();
                play.keys({dik::kRight});
                play.until([&] { return play.hero().jumpStep == 0; }, 200);
                stuckFrames = 0;
                continue;
            } else {
                play.keys({dik::kRight});
            }
            play.pass();
        }
        play.keys({});
        return map() != from;
    }

    // Close to the boss, facing it, striking; potions under a third.
    BossReport fightToTheEnd(int frameLimit) {
        const int from = map();
        hpLow = play.hero().hp;
        const int potionsBefore = potionsUsed;
        BossReport report{play.hero().level, 0, play.hero().maxHp, 0, play.frames()};
        for (int f = 0; f < frameLimit && map() == from && play.hero().hp > 0; ++f) {
            if (drinkIfLow()) continue;
            approachOrStrikeBoss(f);
            play.pass();
        }
        play.keys({});
        report.hpLow = hpLow;
        report.potions = potionsUsed - potionsBefore;
        report.frames = play.frames() - report.frames;
        return report;
    }

    int hpLow = 1 << 30;
    int potionsUsed = 0;
    int potionsBought = 0;
};

std::string describe(const char* boss, const BossReport& r) {
    char line[160];
    std::snprintf(line, sizeof line, "%s: level %d, hp low %d of %d, potions %d, %ld frames", boss, r.level, r.hpLow,
                  r.maxHp, r.potions, r.frames);
    return line;
}

TEST(E2ePlaythrough, ANewGamePlaysThroughBothQuestsAndTheReplayEndsTheSame) {
    TempDir work;
    const std::string data = freshWorld(work.path() + "/play");
    std::map<std::string, long> shots;
    StoryEnd end;
    std::string script;
    {
        Player p(data, kSeed);
        ASSERT_TRUE(p.play.ok());
        ASSERT_EQ(p.map(), 0);
        CPlayer& hero = p.play.hero();
        ASSERT_EQ(hero.level, 1);

        // Town: the blade on, potions with what the purse holds.
        p.wearBest();
        ASSERT_EQ(hero.slots[0].icon, 2) << "the new game's blade is worn";
        p.buyPotions(0);
        ASSERT_GT(p.potionsBought, 0);

        // The elder's quest: the forest, its boss, the reward.
        ASSERT_TRUE(p.clickNpc(kElder));
        p.clickBox(kPageLeftX, kPageY);
        p.clickBox(kPageRightX, kPageY);
        ASSERT_TRUE(p.acceptAndTravel(1));
        ASSERT_TRUE(p.walkToExit({968, 1232}, 6000)) << "hero at " << hero.x << ", " << hero.y << " hp " << hero.hp;
        ASSERT_EQ(p.map(), 2);
        std::printf("forest: level %d, exp %d, hp low %d\n", int(hero.level), int(hero.exp), p.hpLow);
        const BossReport forest = p.fightToTheEnd(6000);
        RecordProperty("forestBoss", describe("forest boss", forest));
        std::printf("%s\n", describe("forest boss", forest).c_str());
        EXPECT_GE(forest.level, 2) << "the forest's monsters give the level its boss asks for";
        ASSERT_EQ(p.map(), 0) << "boss hp " << (g_world->boss ? g_world->boss->hp : 0) << ", hero hp " << hero.hp;
        ASSERT_EQ(g_field->quest.missionStates[kElderIndex], 1);
        ASSERT_TRUE(p.clickNpc(kElder));
        ASSERT_EQ(p.box().talk.actionCode, 100);
        const int aruBeforeReward = hero.aru;
        p.clickBox(kAcceptX, kBottomY);
        EXPECT_EQ(g_field->quest.missionStates[kElderIndex], 2);
        EXPECT_GT(hero.aru, aruBeforeReward);
        p.idle(5);
        shots["elder-reward"] = p.idle(1);

        // The reward's sword is worn at once; potions beyond the fare.
        p.wearBest();
        const WeaponItem* sword = g_itemTables.weapon(hero.slots[0].itemId);
        ASSERT_TRUE(sword);
        EXPECT_EQ(sword->attack, 11) << "the elder's silver sword is worn";
        p.buyPotions(kCampFare);
        ASSERT_GE(hero.aru, kCampFare);

        // The carriage to the camp, the scout's quest, its boss, the reward.
        ASSERT_TRUE(p.clickNpc(kGuide));
        p.clickBox(kPageLeftX, kPageY);
        p.clickBox(kPageRightX, kPageY);
        ASSERT_EQ(p.box().talkNumber, kGuide + 2);
        ASSERT_TRUE(p.acceptAndTravel(20));
        ASSERT_TRUE(p.clickNpc(kScout));
        p.clickBox(kPageLeftX, kPageY);
        ASSERT_TRUE(p.acceptAndTravel(21));
        p.hpLow = hero.hp;
        ASSERT_TRUE(p.walkToExit({1304}, 8000)) << "hero at " << hero.x << ", " << hero.y << " hp " << hero.hp;
        ASSERT_EQ(p.map(), 22);
        std::printf("cliff path: level %d, exp %d, hp low %d\n", int(hero.level), int(hero.exp), p.hpLow);
        const BossReport summit = p.fightToTheEnd(8000);
        RecordProperty("summitBoss", describe("summit boss", summit));
        std::printf("%s\n", describe("summit boss", summit).c_str());
        EXPECT_GE(summit.level, 3) << "the elder's reward and the cliff path give the level the summit asks for";
        ASSERT_EQ(p.map(), 20) << "boss hp " << (g_world->boss ? g_world->boss->hp : 0) << ", hero hp " << hero.hp;
        ASSERT_TRUE(p.clickNpc(kScout));
        ASSERT_EQ(p.box().talk.actionCode, 100);
        p.clickBox(kAcceptX, kBottomY);
        EXPECT_EQ(g_field->quest.missionStates[kScoutIndex], 2);
        std::printf("end: level %d, aru %d, potions bought %d, used %d, frames %ld\n", int(hero.level),
                    int(hero.aru), p.potionsBought, p.potionsUsed, p.play.frames());
        end = {p.idle(5) + 1, 20, hero.aru, hero.level, npcsJson(), "txt/npc/mssck/mss_20.txt",
               readText(data + "/txt/npc/mssck/mss_20.txt")};
        script = p.play.script();
    }
    EXPECT_EQ(end.states, "2\n0\n");
    freshWorld(work.path() + "/data");
    expectReplayAndReload(work.path(), kSeed, script, shots, end);
}

}  // namespace
}  // namespace velk
