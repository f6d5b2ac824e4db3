#include <gtest/gtest.h>

#include <map>
#include <string>

#include "content/talk_source.h"
#include "formats/npc_files.h"
#include "platform/cp949.h"

namespace {

using Files = std::map<std::string, std::string>;

Files compile(const std::string& text) {
    Files files;
    std::string error;
    EXPECT_TRUE(velk::compileTalkSources({{"t.txt", text}}, files, error)) << error;
    return files;
}

TalkFile talkOf(const Files& files, const std::string& name) {
    TalkFile t;
    const std::string& bytes = files.at(name);
    EXPECT_TRUE(velk::parseTalkFile(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), t,
                                    name.c_str()));
    return t;
}

}  // namespace

TEST(TalkSource, CountsCp949BytesAndPlacesColouredLinesOnTheirRows) {
    const Files files = compile(R"(
map 3
npc 30 look 2 at 976 512
talk 30 state 1     # the reward
  pages next
  buttons choose
  action reward
  reward item 17 2
  reward aru 800
  reward skill 1
  text
    해냈구먼!
    [red] 은빛검, 800아루
    받게나.
    [blue] 하나 더
  end
)");
    const TalkFile t = talkOf(files, "txt/npc/talk/talk1_30.txt");
    const std::string first = velk::toCp949("해냈구먼!\n");
    EXPECT_EQ(t.text, first + "\n" + velk::toCp949("받게나."));
    ASSERT_EQ(t.lines.size(), 2u);
    EXPECT_EQ(t.lines[0].text, velk::toCp949("은빛검, 800아루"));
    EXPECT_EQ(t.lines[0].start, int32_t(first.size()));
    EXPECT_EQ(t.lines[0].y, velk::kTalkRowHeight);
    EXPECT_EQ(t.lines[0].colour, 3);
    // Past the last row of text: shown once the whole text is out.
    EXPECT_EQ(t.lines[1].start, int32_t(t.text.size()));
    EXPECT_EQ(t.lines[1].y, 3 * velk::kTalkRowHeight);
    EXPECT_EQ(t.bottomMode, 1);
    EXPECT_EQ(t.pageMode, 1);
    EXPECT_EQ(t.actionCode, velk::kActionRewards);
    EXPECT_EQ(t.actionValue, 3);
    ASSERT_EQ(t.rewards.size(), 3u);
    EXPECT_EQ(t.rewards[0].value, 17);
    EXPECT_EQ(t.rewards[1].value, 800);
    EXPECT_EQ(t.rewards[2].extra, 1);
    EXPECT_EQ(files.at("txt/npc/pos/3.txt"), "1\n976 512 30 2\n");
    EXPECT_EQ(files.at("txt/npc/mssck/mss_3.txt"), "0\n");
}

TEST(TalkSource, ActionsAreWrittenAsTheMapChangeExpects) {
    // A map change adds 1: travel and fares name the map before the target;
    // a quest run names its first map.
    const struct {
        const char* action;
        int32_t code, value;
    } cases[] = {
        {"travel 9", velk::kActionTravel, 8},
        {"travel 0", velk::kActionTravel, -1},
        {"fee 1 30", 0, 30},
        {"fee 0 5", -1, 5},
        {"quest 21", velk::kActionQuest, 21},
        {"pet 3000", velk::kActionPet, 3000},
        {"none", velk::kActionNone, 0},
    };
    for (const auto& c : cases) {
        const Files files = compile(std::string("talk 5\n action ") + c.action + "\n text\n  안녕\n end\n");
        const TalkFile t = talkOf(files, "txt/npc/talk/talk0_5.txt");
        EXPECT_EQ(t.actionCode, c.code) << c.action;
        EXPECT_EQ(t.actionValue, c.value) << c.action;
    }
    // Without an action line nothing happens: code 0 would be a journey to map 1.
    EXPECT_EQ(talkOf(compile("talk 5\n text\n  hi\n end\n"), "txt/npc/talk/talk0_5.txt").actionCode,
              velk::kActionNone);
}

TEST(TalkSource, ShopsChecksAndDigitLeadingText) {
    const Files files = compile(R"(
talk 10
  shop weapon 1 4 6
talk 50
  check 500 slot 0 icon 2 yes 52 no 51
talk 51
  text
    3000아루가 필요하오.
    [red] 다시 오시오
  end
)");
    EXPECT_EQ(talkOf(files, "txt/npc/talk/talk0_10.txt").shopKind, velk::kShopKindWeapon);
    EXPECT_EQ(files.at("txt/npc/shop/shop_10.txt"), "3\n1\n4\n6\n");
    EXPECT_EQ(talkOf(files, "txt/npc/talk/talk0_50.txt").conditionNumber, 500);
    EXPECT_EQ(files.at("txt/npc/ckecked/500.txt"), "100 0 2 51 52\n");
    // A text may start with a digit: a blank keeps it apart from its length.
    const TalkFile t = talkOf(files, "txt/npc/talk/talk0_51.txt");
    EXPECT_EQ(t.text, velk::toCp949(" 3000아루가 필요하오."));
    EXPECT_EQ(t.lines[0].start, int32_t(t.text.size()));
}

TEST(TalkSource, MistakesNameTheSourceAndLine) {
    const struct {
        const char* text;
        const char* where;
    } cases[] = {
        {"talk 5\n text\n  hello\n", "t.txt:2:"},
        {"talk 5\n colour red\n", "t.txt:2:"},
        {"npc 5 look 0 at 1 2\n", "t.txt:1:"},
        {"talk 5\n text\n  a\n end\ntalk 5\n text\n  b\n end\n", "t.txt:5:"},
        {"talk 5\n reward aru 5\n text\n  a\n end\n", "t.txt:1:"},
        {"talk 5\n shop weapon 1\n text\n  a\n end\n", "t.txt:1:"},
        {"talk 5\n action fee 60 10\n", "t.txt:2:"},
        {"talk 5\n text\n  \xF0\x9F\x98\x80\n end\n", "t.txt:3:"},
        {"talk 5\n pages sideways\n", "t.txt:2:"},
        {"talk 5\n check 1 aru 10 yes 2\n", "t.txt:2:"},
        {"talk 5\n shop weapon 1\ntalk 6\n check 1 level 2 yes 3 no 4\ntalk 7\n check 1 level 2 yes 3 no 4\n",
         "t.txt:6:"},
        {"talk 5 state 1\n shop energy 1\n", "t.txt:1:"},
        {"talk 5\n buttons choose\n", "t.txt:1:"},
        {"map 1\nnpc 5 look 0 at 1 2 name\n", "t.txt:2:"},
        {"map 1\nnpc 5 look 0 at 1 2 called 촌장\n", "t.txt:2:"},
        {"map 1\nnpc 5 look 0 at 1 2 name 일곱글자이름이\n", "t.txt:2:"},
    };
    for (const auto& c : cases) {
        Files files;
        std::string error;
        EXPECT_FALSE(velk::compileTalkSources({{"t.txt", c.text}}, files, error)) << c.text;
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << c.text << " -> " << error;
    }
    // Talk numbers are shared by the whole tree.
    Files files;
    std::string error;
    EXPECT_FALSE(velk::compileTalkSources({{"a.txt", "talk 5\n shop weapon 1\n"}, {"b.txt", "talk 5\n shop energy 1\n"}},
                                          files, error));
    EXPECT_EQ(error.rfind("b.txt:1:", 0), 0u) << error;
}

TEST(TalkSource, ARewardItemByNameIsAWholeItemInItsBag) {
    ItemTables items;
    items.weapons = {{velk::toCp949("맨주먹"), 6, 0}, {velk::toCp949("은빛검"), 2, 1}};
    items.energy = {{velk::toCp949("빨간물약"), 8, 0}, {velk::toCp949("사과"), 20, 1}};
    items.skills = {{velk::toCp949("질풍걸음"), 52, 0}, {velk::toCp949("회오리차기"), 54, 1}};
    const std::string head = "talk 30 state 1\n action reward\n";
    const std::string tail = " text\n  here\n end\n";
    const struct {
        const char* line;
        TalkReward want;
    } cases[] = {
        {" reward item 은빛검\n", {velk::kRewardWholeItem, 8, 1}},
        {" reward item 사과\n", {velk::kRewardWholeItem, 18, 9}},
        {" reward item 회오리차기\n", {velk::kRewardWholeItem, 48, 53}},
        {" reward item 7 58\n", {velk::kRewardItem, 7, 58}},  // a picture alone stays type 100
    };
    for (const auto& c : cases) {
        Files files;
        std::string error;
        ASSERT_TRUE(velk::compileTalkSources({{"t.txt", head + c.line + tail}}, files, error, &items)) << error;
        const TalkFile t = talkOf(files, "txt/npc/talk/talk1_30.txt");
        ASSERT_EQ(t.rewards.size(), 1u) << c.line;
        EXPECT_EQ(t.rewards[0].type, c.want.type) << c.line;
        EXPECT_EQ(t.rewards[0].value, c.want.value) << c.line;
        EXPECT_EQ(t.rewards[0].extra, c.want.extra) << c.line;
    }
    // An unknown name, or no table to look it up in, is an error on its line.
    for (const ItemTables* table : std::initializer_list<const ItemTables*>{&items, nullptr}) {
        Files files;
        std::string error;
        EXPECT_FALSE(velk::compileTalkSources({{"t.txt", head + " reward item 금빛검\n" + tail}}, files, error, table));
        EXPECT_EQ(error.rfind("t.txt:3: reward item 금빛검: ", 0), 0u) << error;
    }
}

TEST(TalkSource, OtherBlanksMakeABlankLine) {
    const Files files = compile("map 3\n\v  # a note\n\f\nnpc 30 look 2 at 976 512\n");
    EXPECT_EQ(files.count("txt/npc/pos/3.txt"), 1u);
}

TEST(TalkSource, NamedPeopleGetANameFileInTheirOrder) {
    const Files files = compile("map 3\nnpc 30 look 2 at 976 512 name 촌장\nnpc 40 look 1 at 10 20\n"
                                "npc 50 look 1 at 30 20 name 떠돌이 상인\n");
    const std::string& names = files.at(velk::npcNameFileName(3));
    EXPECT_EQ(names, velk::toCp949("촌장\n\n떠돌이 상인\n"));
    // The game reads them back in the position file's order.
    const std::vector<std::string> read =
        velk::parseNpcNames(reinterpret_cast<const uint8_t*>(names.data()), names.size());
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0], velk::toCp949("촌장"));
    EXPECT_EQ(read[1], "");
    // A map nobody is named on has no name file.
    EXPECT_EQ(compile("map 4\nnpc 30 look 2 at 976 512\n").count(velk::npcNameFileName(4)), 0u);
}
