// End to end, the camp's story: a seasoned hero pays the town's guide for
// the carriage up to the mountain camp, takes the scout's quest, walks the
// cliff path to the summit and fights the charging boss until it falls; the
// run ends back at the camp, where the scout pays the reward. The game is
// steered in this process from what it shows; the real `velk` then replays
// the recorded input with the same seed and must end the same, and a second
// run loads what the first one saved.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "actors/boss.h"
#include "app/state_dump_town.h"
#include "content/save_writer.h"
#include "game/world.h"
#include "platform/cp949.h"
#include "story.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace velk {
namespace {

constexpr unsigned kSeed = 11;
constexpr int kGuide = 40, kScout = 200, kScoutIndex = 0;
constexpr int kFare = 300;

// A hero well above the level the cliff path asks for, in town, a silver blade worn,
// potions in quick slot F1 and the carriage's fare in the purse.
std::string seasonedHero() {
    SaveRecord r;
    r.name = toCp949("벨크");
    r.mapNumber = 0;
    r.level = 10;
    r.hpStat = 40;
    r.hp = 454;
    r.mpStat = 8;
    r.mp = 107;
    r.attackStat = 30;
    r.defenceStat = 20;
    r.skillStat = 12;
    r.aru = 1200;
    r.slots[0] = {1, 2, 3};
    r.slots[2] = {5, 8, 0};
    return saveFileText(r);
}

std::string preparedWorld(const std::string& dir) {
    freshWorld(dir);
    std::ofstream(dir + "/txt/user/user.txt", std::ios::binary) << seasonedHero();
    return dir;
}

TEST(E2eCamp, TheCampsQuestFromTheCarriageToItsRewardSavedAndLoaded) {
    TempDir work;
    const std::string data = preparedWorld(work.path() + "/play");
    std::map<std::string, long> shots;  // screenshot name -> paced frame
    StoryEnd end;
    std::string script;
    {
        Story s(data, kSeed);
        ASSERT_TRUE(s.play.ok());
        ASSERT_EQ(s.map(), 0);

        // The guide's third page: the carriage up to the camp, for its fare.
        ASSERT_TRUE(s.clickNpc(kGuide));
        s.clickBox(kPageLeftX, kPageY);
        s.clickBox(kPageRightX, kPageY);
        ASSERT_EQ(s.box().talkNumber, kGuide + 2);
        shots["carriage-offer"] = s.idle(90);
        const int aruInTown = s.play.hero().aru;
        ASSERT_TRUE(s.acceptAndTravel(20));
        EXPECT_EQ(s.play.hero().aru, aruInTown - kFare);
        shots["camp"] = s.idle(5);

        // The scout's two pages, then yes: the quest run of maps 21 and 22.
        ASSERT_TRUE(s.clickNpc(kScout));
        s.clickBox(kPageLeftX, kPageY);
        EXPECT_EQ(s.box().talkNumber, kScout + 1);
        ASSERT_TRUE(s.acceptAndTravel(21));
        EXPECT_EQ(g_field->quest.step, 2);
        EXPECT_EQ((g_field->quest.npcMissionInfo >> 12) & 0xFFF, kScoutIndex);
        shots["cliff-path"] = s.idle(5);

        ASSERT_TRUE(s.walkOut({1304})) << "hero at " << s.play.hero().x << ", " << s.play.hero().y;
        ASSERT_EQ(s.map(), 22);
        EXPECT_EQ(g_field->quest.step, 3);
        ASSERT_TRUE(g_world->boss);
        const int bossHp = g_world->boss->hp;
        s.play.afterFrame = [&] {
            if (g_world->boss && g_world->boss->hp < bossHp && !shots.count("summit-fight"))
                shots["summit-fight"] = s.play.frames();
        };
        ASSERT_TRUE(s.fightBoss(4000)) << "boss hp " << (g_world->boss ? g_world->boss->hp : 0) << ", hero hp "
                                       << s.play.hero().hp;
        s.play.afterFrame = nullptr;

        // A won run ends where it was given, the scout's mission done.
        ASSERT_EQ(s.map(), 20);
        EXPECT_EQ(g_field->quest.step, 0);
        ASSERT_GT(g_field->quest.missionStates.size(), size_t(kScoutIndex));
        EXPECT_EQ(g_field->quest.missionStates[kScoutIndex], 1);
        shots["back-at-camp"] = s.idle(5);

        // The reward: a boomerang and 1000 aru; the scout's state becomes 2.
        const int aruBack = s.play.hero().aru;
        int bagSlot = 8;
        while (bagSlot < 18 && s.play.hero().slots[size_t(bagSlot)].icon != -1) ++bagSlot;
        ASSERT_TRUE(s.clickNpc(kScout));
        EXPECT_EQ(s.box().talk.actionCode, 100);
        s.clickBox(kAcceptX, kBottomY);
        EXPECT_EQ(s.play.hero().aru, aruBack + 1000);
        // The whole 새매부메랑 (weapon 5) into the bag's first free slot.
        ASSERT_LT(bagSlot, 18);
        EXPECT_EQ(s.play.hero().slots[size_t(bagSlot)].icon, 4);
        EXPECT_EQ(s.play.hero().slots[size_t(bagSlot)].itemId, 5);
        EXPECT_EQ(g_field->quest.missionStates[kScoutIndex], 2);
        end = {s.idle(5) + 1, 20, s.play.hero().aru, s.play.hero().level, npcsJson(), "txt/npc/mssck/mss_20.txt",
               readText(data + "/txt/npc/mssck/mss_20.txt")};
        script = s.play.script();
    }
    EXPECT_EQ(end.states, "2\n0\n");

    // The real program replays the same input from the same save and ends
    // the same, its screenshots taken along the way; a second run loads the
    // save it wrote: at the camp, with the reward and the scout's mission.
    preparedWorld(work.path() + "/data");
    expectReplayAndReload(work.path(), kSeed, script, shots, end);
}

}  // namespace
}  // namespace velk
