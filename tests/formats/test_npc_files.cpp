#include <gtest/gtest.h>

#include "platform/files.h"

#include <string>
#include <vector>

#include "content/npc_writer.h"
#include "formats/npc_files.h"
#include "platform/cp949.h"

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

bool parseTalk(const std::string& text, TalkFile& out) {
    return velk::parseTalkFile(bytesOf(text), text.size(), out, "talk.txt");
}

}  // namespace

TEST(TalkFile, RawRunsStartRightAfterTheirNumber) {
    // The blank after "5" belongs to the line text; the main text runs from
    // the byte after the last line's y.
    const std::string text = "6\n1\n5 red! 0 3 4 18hello\n0 1 99 1\n";
    TalkFile t;
    ASSERT_TRUE(parseTalk(text, t));
    EXPECT_EQ(t.kind, TalkFile::Kind::Text);
    ASSERT_EQ(t.lines.size(), 1u);
    EXPECT_EQ(t.lines[0].text, " red!");
    EXPECT_EQ(t.lines[0].colour, 3);
    EXPECT_EQ(t.lines[0].x, 4);
    EXPECT_EQ(t.lines[0].y, 18);
    EXPECT_EQ(t.text, "hello\n");
    EXPECT_EQ(t.bottomMode, 0);
    EXPECT_EQ(t.pageMode, 1);
    EXPECT_EQ(t.actionCode, 99);
    EXPECT_EQ(t.actionValue, 1);
}

TEST(TalkFile, WriterRoundTripsEveryField) {
    TalkFile t;
    t.text = velk::toCp949("안녕하신가.\n자네에게 부탁이 있네.");
    t.lines = {{velk::toCp949("보상: 300아루"), 12, 3, 0, 36}, {" 5 apples", 0, 1, -4, 0}};
    t.bottomMode = 1;
    t.pageMode = 3;
    t.actionCode = velk::kActionRewards;
    t.rewards = {{100, 17, 2}, {101, 300, 0}, {102, 1, 1}};
    t.actionValue = 3;
    std::string text;
    ASSERT_TRUE(velk::talkFileText(t, text));
    TalkFile back;
    ASSERT_TRUE(parseTalk(text, back));
    EXPECT_EQ(back.text, t.text);
    ASSERT_EQ(back.lines.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.lines[i].text, t.lines[i].text);
        EXPECT_EQ(back.lines[i].start, t.lines[i].start);
        EXPECT_EQ(back.lines[i].colour, t.lines[i].colour);
        EXPECT_EQ(back.lines[i].x, t.lines[i].x);
        EXPECT_EQ(back.lines[i].y, t.lines[i].y);
    }
    EXPECT_EQ(back.bottomMode, 1);
    EXPECT_EQ(back.pageMode, 3);
    ASSERT_EQ(back.rewards.size(), 3u);
    EXPECT_EQ(back.rewards[2].type, 102);
    EXPECT_EQ(back.rewards[2].extra, 1);
    // A run that starts with a digit would merge into its number.
    t.text = "300 aru";
    EXPECT_FALSE(velk::talkFileText(t, text));
}

TEST(TalkFile, ConditionAndShopForms) {
    TalkFile t;
    ASSERT_TRUE(parseTalk("-555 12", t));
    EXPECT_EQ(t.kind, TalkFile::Kind::Condition);
    EXPECT_EQ(t.conditionNumber, 12);
    ASSERT_TRUE(parseTalk("-3\n", t));
    EXPECT_EQ(t.kind, TalkFile::Kind::Shop);
    EXPECT_EQ(t.shopKind, -3);
}

TEST(TalkFile, BrokenFilesAreRefusedWhole) {
    const struct {
        const char* text;
        const char* why;
    } cases[] = {
        {"", "empty file"},
        {"0\n0\n0 0 60 0", "empty text opens a box nothing closes"},
        {"10\n0\nshort", "text runs past the end"},
        {"5\n1\n900 x", "line longer than the bound"},
        {"5\n99\n", "too many lines"},
        {"5\n0\nhello0 0 60", "no action value"},
        {"5\n0\nhello0 0 300 0", "action code beyond a signed byte"},
        {"5\n0\nhello0 0 100 2\n101 5 0\n", "fewer rewards than counted"},
        {"5\n0\nhello0 0 100 5000", "reward count beyond the bound"},
        {"99999999999", "number overflows"},
        {"-555", "condition without its number"},
        {"5\n0\nhello0 x 60 0", "letters for a number"},
    };
    for (const auto& c : cases) {
        TalkFile t;
        t.text = "kept";
        EXPECT_FALSE(parseTalk(c.text, t)) << c.why;
        EXPECT_EQ(t.text, "kept") << c.why;
    }
}

TEST(ConditionFile, KindsAndTheirNumbers) {
    const struct {
        const char* text;
        bool ok;
        TalkCondition want;
    } cases[] = {
        {"100 0 2 63 64", true, {100, 0, 2, 63, 64}},
        {"101 3 61 62", true, {101, 3, 0, 61, 62}},
        {"102 3000 51 52", true, {102, 3000, 0, 51, 52}},
        {"103 1 2 3", false, {}},
        {"101 3 61", false, {}},
        {"102 5 -1 52", false, {}},
    };
    for (const auto& c : cases) {
        TalkCondition got;
        const std::string text = c.text;
        ASSERT_EQ(velk::parseConditionFile(bytesOf(text), text.size(), got, "c.txt"), c.ok) << c.text;
        if (!c.ok) continue;
        EXPECT_EQ(got.kind, c.want.kind) << c.text;
        EXPECT_EQ(got.a, c.want.a) << c.text;
        EXPECT_EQ(got.b, c.want.b) << c.text;
        EXPECT_EQ(got.unmet, c.want.unmet) << c.text;
        EXPECT_EQ(got.met, c.want.met) << c.text;
        EXPECT_EQ(velk::conditionFileText(got), text + "\n");
    }
}

TEST(ShopAndPositionFiles, BoundedCounts) {
    std::vector<int32_t> goods{9};
    const std::string shop = velk::shopFileText({1, 4, 6});
    ASSERT_TRUE(velk::parseShopFile(bytesOf(shop), shop.size(), goods, "s.txt"));
    EXPECT_EQ(goods, (std::vector<int32_t>{1, 4, 6}));
    for (const std::string bad : {"3 1 2", "100000 1", "1 -4"})
        EXPECT_FALSE(velk::parseShopFile(bytesOf(bad), bad.size(), goods, "s.txt")) << bad;
    EXPECT_EQ(goods.size(), 3u);

    const std::vector<NpcRecord> npcs = {{240, 544, 10, 0}, {976, 512, 30, 2}};
    const std::string pos = velk::npcPositionText(npcs);
    std::vector<NpcRecord> back;
    ASSERT_TRUE(velk::parseNpcPositions(bytesOf(pos), pos.size(), back, "p.txt"));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].x, 976);
    EXPECT_EQ(back[1].animRow, 2);
    for (const std::string bad : {"2 1 2 3 4", "65", "1 1 1 1 999", "1 999999999 0 0 0"})
        EXPECT_FALSE(velk::parseNpcPositions(bytesOf(bad), bad.size(), back, "p.txt")) << bad;
}

TEST(MissionStates, MissingNumbersStartAtZero) {
    const struct {
        const char* text;
        std::vector<int8_t> want;
    } cases[] = {
        {"1\n2\n0\n", {1, 2, 0}},
        {"1\n", {1, 0, 0}},
        {"", {0, 0, 0}},
        {"2 x 1", {2, 0, 0}},
        {"1 2 3 4 5", {1, 2, 3}},
    };
    for (const auto& c : cases) {
        std::vector<int8_t> got;
        const std::string text = c.text;
        velk::parseMissionStates(bytesOf(text), text.size(), 3, got, "m.txt");
        EXPECT_EQ(got, c.want) << c.text;
    }
    EXPECT_EQ(velk::missionStateText({1, 0, 2}), "1\n0\n2\n");
}

// A state no talk answers is kept as written, but named.
TEST(MissionStates, AStateOutsideZeroToTwoIsNamed) {
    std::vector<std::string> reports;
    velk::setBadFileListener([&](const std::string& file, const std::string& why) { reports.push_back(file + ": " + why); });
    std::vector<int8_t> got;
    const std::string text = "0\n-1\n2\n";
    velk::parseMissionStates(bytesOf(text), text.size(), 3, got, "m.txt");
    velk::setBadFileListener(nullptr);
    EXPECT_EQ(got, (std::vector<int8_t>{0, -1, 2}));
    EXPECT_EQ(reports, std::vector<std::string>{"m.txt: NPC 1's state -1 is none of 0 to 2"});
}

TEST(NpcNames, LinesAreCutToANameWithoutSplittingACharacter) {
    // CRLF ends, control bytes dropped, a long name cut between characters.
    const std::string text = "a\r\n\tb\n" + velk::toCp949("가나다라마바사") + "\n";
    const std::vector<std::string> names =
        velk::parseNpcNames(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(names[0], "a");
    EXPECT_EQ(names[1], "b");
    EXPECT_EQ(names[2], velk::toCp949("가나다라마바"));
}
