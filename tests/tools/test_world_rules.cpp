#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "content/item_pack_writer.h"
#include "content_tree.h"
#include "formats/npc_files.h"
#include "lib/content_check.h"
#include "content/npc_writer.h"
#include "support/run_velk.h"

namespace {

using namespace packtest;

// Every problem and warning of the tree, as validate prints them.
std::vector<std::string> findings(const std::string& dir) {
    const velk::pack::ContentReport report = velk::pack::checkContent(dir);
    std::vector<std::string> out;
    auto add = [&out](const velk::pack::ContentProblem& p, const std::string& label) {
        out.push_back(p.file + ": " + label + p.reason + (p.more ? " (and " + std::to_string(p.more) + " more)" : ""));
    };
    for (const auto& p : report.problems) add(p, "");
    for (const auto& p : report.warnings) add(p, "warning: ");
    return out;
}

std::vector<std::string> findingsFor(const std::string& dir, const std::string& file) {
    std::vector<std::string> out;
    for (const std::string& f : findings(dir))
        if (f.rfind(file + ": ", 0) == 0) out.push_back(f.substr(file.size() + 2));
    return out;
}

void writeItems(const velk::TempDir& dir, std::vector<int32_t> weaponPictures) {
    velk::ItemPackSource items;
    for (int32_t picture : weaponPictures)
        items.weapons.push_back({"", picture, int32_t(items.weapons.size()), 0, 0, 2, 1});
    items.energy = {{"", 0, 0, 10, 4, 30, 0}};
    items.pictures.assign(8, {1, 1, {0xFF000000u}, {}});
    dir.write(velk::kItemPackFileName, velk::encodeItemPack(items));
}

void writeTownNpcs(const velk::TempDir& dir, int map, std::vector<NpcRecord> npcs) {
    dir.write(velk::npcPositionFileName(map), velk::npcPositionText(npcs));
    dir.write(velk::missionStateFileName(map), velk::missionStateText(std::vector<int8_t>(npcs.size(), 0)));
}

std::vector<NpcRecord> townNpcs() { return {{kNpcX[0], kFeetY, 30, 0}, {kNpcX[1], kFeetY, 40, 1}}; }

// Talk 40 of mission state `state`: `action` with `value`, and `rewards`.
void writeTalk40(const velk::TempDir& dir, int state, int32_t action, int32_t value,
                 std::vector<TalkReward> rewards = {}) {
    TalkFile talk;
    talk.text = "words";
    talk.bottomMode = 1;
    talk.actionCode = action;
    talk.actionValue = value;
    talk.rewards = std::move(rewards);
    std::string text;
    ASSERT_TRUE(velk::talkFileText(talk, text));
    dir.write(velk::talkFileName(state, 40), text);
}

}  // namespace

// Each row breaks one rule in a world that keeps them all: validate names
// that one mistake, in the file that holds it, and nothing else there.
TEST(PackValidate, EachBrokenWorldRuleIsNamed) {
    const std::string pack = velk::kItemPackFileName, town = velk::npcPositionFileName(0);
    const std::string monsters = velk::monsterFileName(1), quest = "txt/npc/talk/talk0_40.txt";
    const std::string thanks = "txt/npc/talk/talk1_40.txt";
    const struct {
        const char* mistake;
        std::function<void(const velk::TempDir&)> make;
        std::string file;
        std::string found;
    } cases[] = {
        {"a weapon whose picture is no weapon kind",
         [](const velk::TempDir& d) { writeItems(d, {6, 3}); }, pack,
         "weapon 1's picture is 3, no weapon kind (0 gun, 2 blade, 4 boomerang, 6 fist): the hero cannot attack "
         "with it"},
        {"NPCs on a map with monsters",
         [](const velk::TempDir& d) { writeTownNpcs(d, 1, {{100, kFeetY, 30, 0}}); }, velk::npcPositionFileName(1),
         "map 1 has monsters (txt/monster/mon_1.txt): its 1 NPCs never show; people belong on maps with neither "
         "monsters nor a boss"},
        {"NPCs on the boss's map",
         [](const velk::TempDir& d) { writeTownNpcs(d, 2, {{100, kFeetY, 30, 0}}); }, velk::npcPositionFileName(2),
         "map 2 has a boss (txt/boss/boss_2.txt): its 1 NPCs never show; people belong on maps with neither "
         "monsters nor a boss"},
        {"a quest run whose last map has no boss",
         [](const velk::TempDir& d) { std::filesystem::remove(d.path() + "/" + velk::bossFileName(2)); }, quest,
         "the quest run ends on map 2, which has no boss (txt/boss/boss_2.txt, and no monster file): the mission "
         "can never be done"},
        {"a quest run that is not the giver's next maps",
         [](const velk::TempDir& d) {
             writeMapFiles(d, 3);
             d.write(velk::bossFileName(3), velk::bossFileText(worldBoss()));
             writeTalk40(d, 0, velk::kActionQuest, 2);
         },
         quest,
         "a quest given on map 0 must start its run on map 1, not 2: the boss on map 3 marks the mission of map 1"},
        {"a monster in the air",
         [](const velk::TempDir& d) {
             std::vector<MonsterRecord> m = worldMonsters();
             m[0].y -= 64;
             d.write(velk::monsterFileName(1), velk::monsterFileText(m));
         },
         monsters, "warning: monster 0 (walker) stands in the air at (200, 512): no ground under its feet"},
        {"a floater sunk into the ground",
         [](const velk::TempDir& d) {
             std::vector<MonsterRecord> m = worldMonsters();
             m[1].y += 8;
             d.write(velk::monsterFileName(1), velk::monsterFileText(m));
         },
         monsters, "warning: monster 1 (floater) stands inside rock at (400, 576)"},
        {"an NPC inside rock",
         [](const velk::TempDir& d) {
             std::vector<NpcRecord> npcs = townNpcs();
             npcs[0].y += 32;
             writeTownNpcs(d, 0, npcs);
         },
         town, "warning: NPC 0 stands inside rock at (100, 608)"},
        {"an NPC look outside its sprite set",
         [](const velk::TempDir& d) {
             std::vector<NpcRecord> npcs = townNpcs();
             npcs[1].animRow = 5;
             writeTownNpcs(d, 0, npcs);
         },
         town, "NPC 1's look 5 is not a row of sprite set 1000, which has 2: it is never drawn"},
        {"an NPC with no frame to click",
         [](const velk::TempDir& d) {
             std::vector<NpcRecord> npcs = townNpcs();
             npcs.push_back({500, kFeetY, 30, 0});
             writeTownNpcs(d, 0, npcs);
         },
         town, "NPC 2 cannot be clicked: sprite set 1000 has no body box on frame 2 (NPC i is clicked through frame i)"},
        {"a whole-item reward naming no item",
         [](const velk::TempDir& d) {
             writeItems(d, {6, 2});
             writeTalk40(d, 1, velk::kActionRewards, 1, {{velk::kRewardWholeItem, 8, 7}});
         },
         thanks, "a whole-item reward gives item code 7, which the item pack does not hold"},
        {"a picture reward naming no picture",
         [](const velk::TempDir& d) {
             writeItems(d, {6, 2});
             writeTalk40(d, 1, velk::kActionRewards, 1, {{velk::kRewardItem, 6, 40}});
         },
         thanks, "an item reward (type 100) gives picture 40, but the item pack holds 8 pictures: it names no item"},
        {"a weapon table over its limit",
         [](const velk::TempDir& d) { writeItems(d, std::vector<int32_t>(9, 6)); }, pack,
         "weapon table of 9 entries (at most 8)"},
    };
    {
        velk::TempDir dir;
        std::string error;
        ASSERT_TRUE(writeWorld(dir, error)) << error;
        EXPECT_EQ(findings(dir.path()), std::vector<std::string>{});
    }
    for (const auto& c : cases) {
        velk::TempDir dir;
        std::string error;
        ASSERT_TRUE(writeWorld(dir, error)) << error;
        c.make(dir);
        EXPECT_EQ(findingsFor(dir.path(), c.file), std::vector<std::string>{c.found}) << c.mistake;
    }
}

TEST(PackValidate, DemoWorldKeepsEveryRule) {
    const velk::pack::ContentReport report = velk::pack::checkContent(velk::demoDataDir());
    std::vector<std::string> problems;
    for (const auto& p : report.problems) problems.push_back(p.file + ": " + p.reason);
    EXPECT_EQ(problems, std::vector<std::string>{});
}

// A warning is printed with its file but does not fail validate; an error does.
TEST(PackValidate, WarningsPrintButDoNotFail) {
    velk::TempDir dir;
    std::string error;
    ASSERT_TRUE(writeWorld(dir, error)) << error;
    std::vector<MonsterRecord> m = worldMonsters();
    m[0].y -= 64;
    dir.write(velk::monsterFileName(1), velk::monsterFileText(m));
    PackResult r = pack({"validate", dir.path()});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_NE(r.out.find("txt/monster/mon_1.txt: warning: monster 0 (walker) stands in the air"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("no problems, 1 file with warnings\n"), std::string::npos) << r.out;

    std::filesystem::remove(dir.path() + "/" + velk::bossFileName(2));
    r = pack({"validate", dir.path()});
    EXPECT_EQ(r.code, 1) << r.out;
    EXPECT_NE(r.out.find("1 file with problems, 1 file with warnings\n"), std::string::npos) << r.out;
}
