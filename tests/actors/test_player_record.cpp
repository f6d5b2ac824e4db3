#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "actors/player.h"
#include "formats/save_file.h"
#include "content/save_writer.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace {

std::string readGameFile(const std::string& name) {
    std::ifstream in(velk::dataPath(name), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every slot distinct, so any slot landing in the wrong place shows.
SaveRecord sampleRecord() {
    SaveRecord r;
    r.name = velk::toCp949("하늘");
    r.mapNumber = 12;
    r.mp = 17;
    r.hp = 23;
    r.level = 3;
    r.attackStat = 7;
    r.defenceStat = 8;
    r.skillStat = 9;
    r.mpStat = 4;
    r.hpStat = 5;
    r.exp = 150;
    r.aru = 4321;
    r.statPoints = 2;
    for (int s = 0; s < velk::kSlotCount; ++s) r.slots[size_t(s)] = {s, s + 100, 1000 + s};  // count, icon, itemId
    r.slots[9].icon = -1;
    return r;
}

class PlayerSave : public ::testing::Test {
protected:
    velk::TempDir dir;
    CField field{nullptr};
};

}  // namespace

TEST_F(PlayerSave, NewGameStartsInTownWithFullPoints) {
    SaveRecord init = sampleRecord();
    init.level = 1;
    dir.write(velk::kNewGameFileName, velk::newGameFileText(init));
    field.mapNumber = 9;
    {
        CPlayer player(field);
        EXPECT_EQ(std::string(player.name), velk::toCp949("벨크"));
        EXPECT_EQ(field.mapNumber, 0);
        EXPECT_EQ(player.maxHp, 50);
        EXPECT_EQ(player.hp, 50);
        EXPECT_EQ(player.maxMp, 40);
        EXPECT_EQ(player.mp, 40);
        EXPECT_EQ(player.expNext, 60);
        EXPECT_EQ(player.aru, 4321);
        for (int s = 0; s < velk::kSlotCount; ++s) {
            EXPECT_EQ(player.slots[size_t(s)].icon, init.slots[size_t(s)].icon) << s;
            EXPECT_EQ(player.slots[size_t(s)].itemId, 1000 + s) << s;
        }
    }
    // The first save is written as the player goes.
    SaveRecord saved;
    const std::string text = readGameFile(velk::kSaveFileName);
    ASSERT_TRUE(velk::parseSaveFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), false,
                                    saved, nullptr));
    EXPECT_EQ(saved.hp, 50);
    EXPECT_EQ(saved.name, velk::toCp949("벨크"));
}

TEST_F(PlayerSave, DerivedValuesComeFromLevelAndStats) {
    struct Case {
        int32_t level, hpStat, mpStat;
        int32_t maxHp, maxMp, expNext;
    };
    const Case cases[] = {
        {1, 5, 4, 50, 40, 60},
        {2, 5, 4, 56, 43, 208},
        {3, 5, 4, 62, 46, 414},
        {10, 0, 0, 54, 27, 6000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        SaveRecord r = sampleRecord();
        r.level = c.level;
        r.hpStat = c.hpStat;
        r.mpStat = c.mpStat;
        dir.write(velk::kSaveFileName, velk::saveFileText(r));
        CPlayer player(field);
        EXPECT_EQ(player.maxHp, c.maxHp);
        EXPECT_EQ(player.maxMp, c.maxMp);
        EXPECT_EQ(player.expNext, c.expNext);
        EXPECT_EQ(player.hp, 23);  // a loaded hero keeps its points
        EXPECT_EQ(player.mp, 17);
        EXPECT_EQ(field.mapNumber, 12);
    }
}

TEST_F(PlayerSave, SaveRoundTripsEveryFieldInTheFileLayout) {
    const SaveRecord r = sampleRecord();
    const std::string written = velk::saveFileText(r);
    dir.write(velk::kSaveFileName, written);
    {
        CPlayer player(field);
        EXPECT_EQ(std::string(player.name), r.name);
        EXPECT_EQ(player.level, 3);
        EXPECT_EQ(player.attackStat, 7);
        EXPECT_EQ(player.defenceStat, 8);
        EXPECT_EQ(player.skillStat, 9);
        EXPECT_EQ(player.statPoints, 2);
        EXPECT_EQ(player.exp, 150);
        // Skill book and energy bag land in their own slots although the
        // file stores the skill book first.
        for (int s = 0; s < velk::kSlotCount; ++s) {
            EXPECT_EQ(player.slots[size_t(s)].icon, r.slots[size_t(s)].icon) << s;
            EXPECT_EQ(player.slots[size_t(s)].count, s) << s;
            EXPECT_EQ(player.slots[size_t(s)].itemId, 1000 + s) << s;
        }
    }
    const std::string saved = readGameFile(velk::kSaveFileName);
    EXPECT_EQ(saved, written);
    // Slot lines end with a blank before the newline; the last has no newline.
    const std::string lastLines = saved.substr(saved.find("101 1 1001"));
    EXPECT_EQ(std::count(lastLines.begin(), lastLines.end(), '\n'), 3);
    EXPECT_EQ(lastLines.find("\n"), lastLines.find(" \n") + 1);
    EXPECT_EQ(saved.substr(saved.size() - 5), "1047 ");
    EXPECT_NE(saved.find("117 17 1017 \n148 48 1048 "), std::string::npos);
    EXPECT_NE(saved.find("152 52 1052 \n118 18 1018 "), std::string::npos)
        << "the skill book line comes before the energy bag";
    EXPECT_FALSE(std::filesystem::exists(velk::dataPath(velk::kSaveFileName) + ".tmp"));
}

TEST_F(PlayerSave, SavingAppliesDeathAndQuestRunRules) {
    struct Case {
        const char* what;
        int32_t level, exp, mapNumber, questStep;
        bool dead;
        int32_t savedMap, savedHp, savedExp, fieldMapAfter;
    };
    // Level 11 with hpStat 5: maxHp 110; level 10: 104.
    const Case cases[] = {
        {"alive", 11, 1000, 12, 0, false, 12, 23, 1000, 12},
        {"dead above level 10", 11, 1000, 12, 0, true, 0, 55, 300, 0},
        {"dead at level 10", 10, 1000, 12, 0, true, 0, 52, 1000, 0},
        {"dead in a quest run", 11, 1000, 17, 3, true, 15, 23, 300, 17},
        {"alive in a quest run", 11, 1000, 17, 3, false, 15, 23, 1000, 17},
        {"exp cut without overflow", 11, 2000000000, 12, 0, true, 0, 55, 600000000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SaveRecord r = sampleRecord();
        r.level = c.level;
        r.exp = c.exp;
        r.mapNumber = c.mapNumber;
        dir.write(velk::kSaveFileName, velk::saveFileText(r));
        {
            CPlayer player(field);
            field.quest.step = int8_t(c.questStep);
            if (c.dead) player.animRow = CPlayer::kDyingRow;
        }
        SaveRecord saved;
        const std::string text = readGameFile(velk::kSaveFileName);
        ASSERT_TRUE(velk::parseSaveFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                        false, saved, nullptr));
        EXPECT_EQ(saved.mapNumber, c.savedMap);
        EXPECT_EQ(saved.hp, c.savedHp);
        EXPECT_EQ(saved.exp, c.savedExp);
        EXPECT_EQ(field.mapNumber, c.fieldMapAfter);
        field.quest.step = 0;
    }
}

TEST_F(PlayerSave, LongNamesAreCutToTwelveBytesOnACharacterBoundary) {
    struct Case {
        std::string word, name;
    };
    const Case cases[] = {
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "ABCDEFGHIJKL"},
        {velk::toCp949("가나다라마바사"), velk::toCp949("가나다라마바")},
        {"A" + velk::toCp949("가나다라마바"), "A" + velk::toCp949("가나다라마")},
    };
    for (const Case& c : cases) {
        SaveRecord r = sampleRecord();
        r.name = c.word;
        dir.write(velk::kSaveFileName, velk::saveFileText(r));
        CPlayer player(field);
        EXPECT_EQ(std::string(player.name), c.name);
        EXPECT_EQ(player.name[12], '\0');
    }
}

std::vector<std::string> tokensOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

// Whatever name a save holds, the save written after it reads back whole
// and unchanged: a name that would not (a NUL, a control byte, bytes that
// are no CP949) becomes the new game's, a long one is cut.
TEST_F(PlayerSave, EveryNameWrittenReadsBack) {
    using namespace std::string_literals;
    struct Case {
        std::string word, name;
    };
    const std::string fallback = velk::toCp949("벨크");
    const Case cases[] = {
        {"a\0b"s, fallback},
        {"\0"s, fallback},
        {"ab\x01"s, fallback},
        {"\x7F"s, fallback},
        {"\xFF\xFE"s, fallback},  // no CP949 character
        {"ab\x81"s, fallback},     // a lead byte with no trail
        {"\x81\x30"s, fallback},  // a lead byte with a digit for its trail
        {"ABCDEFGHIJKLMN"s, "ABCDEFGHIJKL"},
        {velk::toCp949("하늘"), velk::toCp949("하늘")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(velk::toUtf8(c.word));
        SaveRecord r = sampleRecord();
        std::string text = velk::saveFileText(r);
        text.replace(0, text.find('\n'), c.word);
        dir.write(velk::kSaveFileName, text);
        { CPlayer player(field); EXPECT_EQ(std::string(player.name), c.name); }
        const std::string saved = readGameFile(velk::kSaveFileName);
        EXPECT_EQ(tokensOf(saved).size(), size_t(velk::kSaveTokens)) << saved;
        CPlayer again(field);
        EXPECT_EQ(again.origin(), velk::SaveOrigin::Save);
        EXPECT_EQ(std::string(again.name), c.name);
        EXPECT_EQ(field.mapNumber, r.mapNumber);
        EXPECT_EQ(again.aru, r.aru);
        again.savesOnExit = false;
    }
}

// An empty save (a power cut right after a write) is a damaged save with
// nothing in it: a new game that saves over it, never a locked save.
TEST_F(PlayerSave, AnEmptySaveStartsANewGameThatIsSavedOverIt) {
    velk::resetSaveFailures();
    SaveRecord init = sampleRecord();
    init.level = 1;
    dir.write(velk::kNewGameFileName, velk::newGameFileText(init));
    dir.write(velk::kSaveFileName, "");
    {
        CPlayer player(field);
        EXPECT_EQ(player.origin(), velk::SaveOrigin::RecoveredSave);
        EXPECT_FALSE(player.damagedSaveCopy.empty());
        EXPECT_EQ(std::string(player.name), velk::toCp949("벨크"));
        EXPECT_EQ(field.mapNumber, 0);
        EXPECT_EQ(player.hp, player.maxHp);
        player.aru = 77;
    }
    EXPECT_FALSE(velk::saveFailed());
    CPlayer again(field);
    EXPECT_EQ(again.origin(), velk::SaveOrigin::Save);
    EXPECT_EQ(again.aru, 77);
}

// A bad token anywhere: the hero starts with every value before it (saved
// again unchanged at shutdown), the rest from the new game, and each damaged
// file is kept under its own numbered name.
TEST_F(PlayerSave, DamagedSaveKeepsEveryValueBeforeTheDamage) {
    SaveRecord init = sampleRecord();
    init.level = 1;
    dir.write(velk::kNewGameFileName, velk::newGameFileText(init));
    const std::vector<std::string> good = tokensOf(velk::saveFileText(sampleRecord()));
    ASSERT_EQ(int(good.size()), velk::kSaveTokens);
    for (int bad = 1; bad < velk::kSaveTokens; ++bad) {
        SCOPED_TRACE("bad token " + std::to_string(bad + 1));
        std::string text;
        for (int t = 0; t < velk::kSaveTokens; ++t) text += (t == bad ? "x" : good[size_t(t)]) + " ";
        dir.write(velk::kSaveFileName, text);
        {
            CPlayer player(field);
            ASSERT_FALSE(player.damagedSaveCopy.empty());
            EXPECT_EQ(readGameFile(player.damagedSaveCopy), text);
            if (bad == 4) {
                EXPECT_EQ(player.level, 1) << "the level comes from the new game";
            }
        }
        const std::vector<std::string> saved = tokensOf(readGameFile(velk::kSaveFileName));
        ASSERT_EQ(saved.size(), good.size());
        for (int t = 0; t < bad; ++t) EXPECT_EQ(saved[size_t(t)], good[size_t(t)]) << "token " << t + 1;
    }
    // Every damaged file was kept: user.txt.bad, then .bad.2, .bad.3 ...
    EXPECT_EQ(readGameFile(std::string(velk::kSaveFileName) + ".bad").substr(0, 3), good[0].substr(0, 3));
    EXPECT_TRUE(std::filesystem::exists(velk::dataPath(std::string(velk::kSaveFileName) + ".bad." +
                                                       std::to_string(velk::kSaveTokens - 1))));
}

// Values out of their range are clamped on load, from the save and from the
// new-game file alike.
TEST_F(PlayerSave, OutOfRangeValuesAreClampedOnLoad) {
    struct Case {
        const char* what;
        std::function<void(SaveRecord&)> damage;
        bool newGame;
        std::function<bool(const CPlayer&)> sound;
    };
    const Case cases[] = {
        {"hp above maxHp", [](SaveRecord& r) { r.hp = 5000; }, false,
         [](const CPlayer& p) { return p.hp == p.maxHp; }},
        {"mp far below 0", [](SaveRecord& r) { r.mp = INT32_MIN; }, false, [](const CPlayer& p) { return p.mp == 0; }},
        {"hp 0", [](SaveRecord& r) { r.hp = 0; }, false, [](const CPlayer& p) { return p.hp == 1; }},
        {"negative aru and count", [](SaveRecord& r) { r.aru = -7; r.slots[3].count = -2; }, false,
         [](const CPlayer& p) { return p.aru == 0 && p.slots[3].count == 0; }},
        {"level -5 in init.txt", [](SaveRecord& r) { r.level = -5; }, true,
         [](const CPlayer& p) { return p.level == 1 && p.hp == p.maxHp && p.maxHp > 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove(velk::dataPath(velk::kSaveFileName));
        SaveRecord r = sampleRecord();
        c.damage(r);
        dir.write(c.newGame ? velk::kNewGameFileName : velk::kSaveFileName,
                  c.newGame ? velk::newGameFileText(r) : velk::saveFileText(r));
        CPlayer player(field);
        player.savesOnExit = false;
        EXPECT_TRUE(c.sound(player));
    }
}

TEST_F(PlayerSave, WithoutAnyFileABlankHeroStarts) {
    {
        CPlayer player(field);
        EXPECT_EQ(player.level, 1);
        EXPECT_EQ(player.maxHp, 50);
        EXPECT_EQ(player.hp, 50);
        EXPECT_EQ(player.expNext, 60);
        for (const ItemSlot& s : player.slots) EXPECT_EQ(s.icon, -1);
    }
    EXPECT_TRUE(std::filesystem::exists(velk::dataPath(velk::kSaveFileName)));
}

TEST(IntPower, SquaresRepeatedly) {
    EXPECT_EQ(intPower(2.0f, 10), 1024.0f);
    EXPECT_EQ(intPower(-3.0f, 3), -27.0f);
    EXPECT_EQ(intPower(2.0f, -2), 0.25f);
    EXPECT_EQ(intPower(7.0f, 0), 1.0f);
    EXPECT_EQ(expForLevel(INT32_MAX), INT32_MAX);
}

// Past level 78 a single-precision sum or product loses the last digits;
// only the squares may be single precision.
TEST(ExpForLevel, HighLevelsKeepEveryDigit) {
    const struct {
        int32_t level, expNext;
    } cases[] = {{78, 32220864}, {79, 33963522}, {99, 86072382}, {150, 470700000}, {151, 483609210}};
    for (const auto& c : cases) EXPECT_EQ(expForLevel(c.level), c.expNext) << c.level;
}

// With a save directory of its own the content tree is only read: the
// player's copy wins, the tree's own save serves until there is one, and a
// damaged save in the tree is never moved or replaced.
TEST_F(PlayerSave, SaveDirectoryIsReadFirstAndTheTreeNeverWritten) {
    SaveRecord init = sampleRecord();
    init.level = 1;
    dir.write(velk::kNewGameFileName, velk::newGameFileText(init));
    const std::string own = dir.path() + "/own";
    velk::setSaveDirectory(own);
    struct Reset {
        ~Reset() { velk::setSaveDirectory(""); }
    } reset;
    auto readOwn = [&](const std::string& name) {
        std::ifstream in(own + "/" + name, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    };
    SaveRecord treeSave = sampleRecord();
    SaveRecord ownSave = sampleRecord();
    ownSave.aru = 99;
    struct Case {
        const char* what;
        std::string tree;  // the tree's user.txt, "" for none
        std::string mine;  // the save directory's, "" for none
        int32_t aru;       // loaded
    };
    const Case cases[] = {
        {"nothing saved", "", "", init.aru},
        {"the tree's save", velk::saveFileText(treeSave), "", treeSave.aru},
        {"the player's save wins", velk::saveFileText(treeSave), velk::saveFileText(ownSave), 99},
        {"a damaged save in the tree", "hero 3 x", "", init.aru},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(own);
        std::filesystem::remove(velk::dataPath(velk::kSaveFileName));
        if (!c.tree.empty()) dir.write(velk::kSaveFileName, c.tree);
        if (!c.mine.empty()) velk::writeFileAtomic(own + "/" + velk::kSaveFileName, c.mine.data(), c.mine.size());
        {
            CPlayer player(field);
            EXPECT_EQ(player.aru, c.aru);
            player.aru = 1234;
        }
        EXPECT_EQ(readGameFile(velk::kSaveFileName), c.tree) << "the tree is never written";
        EXPECT_NE(readOwn(velk::kSaveFileName).find("\n1234\n"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(velk::dataPath(velk::kSaveFileName) + ".bad"));
    }
}
