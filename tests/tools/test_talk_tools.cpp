#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "content/item_pack_writer.h"
#include "content_tree.h"
#include "lib/content_check.h"

namespace {

using namespace packtest;

// Map 0's people: a page pair, a quest giver with its reward and thanks, a
// shop, and a condition chain through two checks.
constexpr const char* kTown = R"(
map 0
npc 30 look 0 at 100 576
npc 10 look 1 at 300 576
npc 50 look 2 at 500 576
talk 30
  pages next
  text
    first page
  end
talk 31
  pages previous
  buttons choose
  action quest 1
  text
    second page
  end
talk 30 state 1
  buttons choose
  action reward
  reward aru 100
  text
    thanks, here
  end
talk 30 state 2
  text
    thanks again
  end
talk 10
  shop energy 0 1
talk 50
  check 500 aru 10 yes 52 no 51
talk 51
  check 501 level 2 yes 53 no 53
talk 52
  text
    rich
  end
talk 53
  action travel 1
  text
    poor
  end
)";

// The town's talks with, since it then has people, their sprite set (a
// look and a frame for each of three), and the boss map its quest run ends at.
void writeSource(const velk::TempDir& dir, const std::string& text) {
    std::ofstream(dir.path() + "/town.txt") << text;
    writeSpriteSet(dir, kNpcSet, 3, 3);
    writeBossMap(dir);
}

std::vector<std::string> problems(const std::string& dir) {
    std::vector<std::string> out;
    for (const auto& p : velk::pack::checkContent(dir).problems) out.push_back(p.file + ": " + p.reason);
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace

TEST(PackTalk, CompiledTalksPassValidateAndKeepPlayedStates) {
    velk::TempDir dir;
    writeContentTree(dir);
    writeSource(dir, kTown);
    PackResult r = pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(problems(dir.path()).empty()) << ::testing::PrintToString(problems(dir.path()));

    dir.write("txt/npc/mssck/mss_0.txt", "2\n0\n0\n");
    r = pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"});
    ASSERT_EQ(r.code, 0) << r.err;
    std::ifstream states(dir.path() + "/txt/npc/mssck/mss_0.txt");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(states), {}), "2\n0\n0\n");

    writeSource(dir, "talk 5\n text\n  no end\n");
    r = pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("town.txt:2: text without end"), std::string::npos) << r.err;
}

TEST(PackValidate, TalksThatLeadNowhere) {
    velk::TempDir dir;
    writeContentTree(dir);
    writeSource(dir, kTown);
    ASSERT_EQ(pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"}).code, 0);
    const std::string talk = dir.path() + "/txt/npc/talk/";
    std::filesystem::remove(talk + "talk0_31.txt");      // the next page
    std::filesystem::remove(talk + "talk2_30.txt");      // the thanks after the reward
    std::filesystem::remove(dir.path() + "/txt/npc/shop/shop_10.txt");
    dir.write("txt/npc/talk/talk0_53.txt", "-555 500\n");  // back to the first check
    dir.write("txt/npc/talk/talk0_52.txt", "4\n0rich0 0 98 6\n");  // travel to map 7
    dir.write("txt/npc/talk/talk1_30.txt", "4\n0here1 0 100 1\n100 60 2\n");

    EXPECT_EQ(problems(dir.path()),
              (std::vector<std::string>{
                  "txt/npc/ckecked/500.txt: the condition chain comes back to it from txt/npc/talk/talk0_53.txt",
                  "txt/npc/shop/shop_10.txt: missing (named by txt/npc/talk/talk0_10.txt)",
                  "txt/npc/talk/talk0_31.txt: missing (named by txt/npc/talk/talk0_30.txt (next page))",
                  "txt/npc/talk/talk0_52.txt: travels to map 7, but maps/map_7.mmf is missing",
                  "txt/npc/talk/talk1_30.txt: an item reward names slot 60 and icon 2",
                  "txt/npc/talk/talk2_30.txt: missing (named by txt/npc/pos/0.txt NPC 0)",
              }));
}

TEST(PackValidate, ShopGoodsMustBeInTheItemPack) {
    velk::TempDir dir;
    writeContentTree(dir);
    writeSource(dir, kTown);
    ASSERT_EQ(pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"}).code, 0);
    velk::ItemPackSource items;  // one energy item: the shop's second good is a stranger
    items.energy = {{"", 0, 0, 10, 4, 30, 0}};
    items.pictures.assign(2, {1, 1, {0xFF000000u}, {}});
    dir.write(velk::kItemPackFileName, velk::encodeItemPack(items));

    std::vector<std::string> shopProblems;
    for (const std::string& p : problems(dir.path()))
        if (p.rfind("txt/npc/shop/", 0) == 0) shopProblems.push_back(p);
    EXPECT_EQ(shopProblems, (std::vector<std::string>{
                                "txt/npc/shop/shop_10.txt: good 1 is energy item 1, but the item pack holds 1 "
                                "energy items"}));
}

TEST(PackValidate, RewardsThatGiveAPictureWithoutItsItemOrASkillTwice) {
    velk::TempDir dir;
    writeContentTree(dir);
    SaveRecord hero;  // the new game's book holds skill 0
    hero.level = 1;
    hero.hpStat = hero.mpStat = 5;
    hero.slots[size_t(velk::kSlotSkillBookFirst)] = {1, 52, 0};
    dir.write(velk::kNewGameFileName, velk::newGameFileText(hero));
    const std::string talk1 = "txt/npc/talk/talk1_30.txt";
    const struct {
        const char* rewards;  // the talk file's reward records
        const char* want;     // "" when the reward is sound
    } cases[] = {
        {"100 17 2", "an item reward (type 100) gives slot 17 picture 2 without its item; type 103 gives a whole item"},
        {"102 1 0", "a reward gives skill 0, which the new game already has"},
        {"103 48 52", "a reward gives skill 0, which the new game already has"},
        {"103 60 2", "a whole-item reward names slot 60 and item code 2"},
        {"103 48 53", ""},
        {"102 1 1", ""},
        {"100 7 58", ""},  // the pet's slot holds a picture alone
    };
    for (const auto& c : cases) {
        writeSource(dir, kTown);
        ASSERT_EQ(pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"}).code, 0);
        dir.write(talk1, std::string("4\n0here1 0 100 1\n") + c.rewards + "\n");
        std::vector<std::string> found;
        for (const std::string& p : problems(dir.path()))
            if (p.rfind(talk1, 0) == 0) found.push_back(p.substr(talk1.size() + 2));
        EXPECT_EQ(found, c.want[0] ? std::vector<std::string>{c.want} : std::vector<std::string>{}) << c.rewards;
    }
}
