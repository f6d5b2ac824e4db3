#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/enemy_file.h"
#include "content/enemy_file_writer.h"
#include "support/temp_dir.h"

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

MonsterRecord sampleMonster(int32_t k) {
    return {200 + k, 2 + k, k, k % 5, 100 + k, 640, 5 + k, 1 + k, 30 + k, 99 + k, 40 + k, 300 + k};
}

}  // namespace

TEST(MonsterFile, RoundTripsEveryField) {
    const std::vector<MonsterRecord> in = {sampleMonster(0), sampleMonster(4), sampleMonster(7)};
    const std::string text = velk::monsterFileText(in);
    std::vector<MonsterRecord> out;
    ASSERT_TRUE(velk::parseMonsterFile(bytesOf(text), text.size(), out, "m.txt"));
    ASSERT_EQ(out.size(), in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        EXPECT_EQ(velk::monsterFileText({out[i]}), velk::monsterFileText({in[i]}));
    }
}

TEST(MonsterFile, RefusesBadFilesWithoutTouchingTheOutput) {
    const struct {
        const char* why;
        std::string text;
    } cases[] = {
        {"count above the bound", "257\n"},
        {"negative count", "-1\n"},
        {"fewer monsters than the count", "2\n200 2 0 0 100 640 5 1 30 99 40 300\n"},
        {"kind 8", "1\n200 2 8 0 100 640 5 1 30 99 40 300\n"},
        {"aggro 5", "1\n200 2 0 5 100 640 5 1 30 99 40 300\n"},
        {"negative position", "1\n200 2 0 0 -4 640 5 1 30 99 40 300\n"},
        {"half a number", "1\n200 2 0 0 100 640 5x 1 30 99 40 300\n"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        std::vector<MonsterRecord> out(1, sampleMonster(3));
        EXPECT_FALSE(velk::parseMonsterFile(bytesOf(c.text), c.text.size(), out, "m.txt")) << c.why;
        ASSERT_EQ(out.size(), 1u) << c.why;
        EXPECT_EQ(out[0].kind, 3) << c.why;
    }
}

TEST(MonsterFile, ACountOfZeroIsAMapWithNoMonsters) {
    std::vector<MonsterRecord> out(2);
    ASSERT_TRUE(velk::parseMonsterFile(bytesOf(std::string("0\n")), 2, out, "m.txt"));
    EXPECT_TRUE(out.empty());
}

TEST(BossFile, KeepsTheLowByteOfModeAndSpareAndRefusesBadValues) {
    BossRecord b{300, 500, 12, 4, 1, 7, 900, 544, 250, 4};
    std::string text = velk::bossFileText(b);
    BossRecord back;
    ASSERT_TRUE(velk::parseBossFile(bytesOf(text), text.size(), back, "b.txt"));
    EXPECT_EQ(velk::bossFileText(back), text);

    text = "300 500 12 4 257 -1 900 544 250 4";
    ASSERT_TRUE(velk::parseBossFile(bytesOf(text), text.size(), back, "b.txt"));
    EXPECT_EQ(back.mode, 1);
    EXPECT_EQ(back.spareByte, 255);

    for (std::string bad : {"300 500 12 4 0 0 900 544 250", "300 -1 12 4 0 0 900 544 250 4",
                            "300 500 12 4 0 0 900 544 250 65"}) {
        BossRecord keep;
        keep.hp = 77;
        EXPECT_FALSE(velk::parseBossFile(bytesOf(bad), bad.size(), keep, "b.txt")) << bad;
        EXPECT_EQ(keep.hp, 77) << bad;
    }
}

TEST(EnemyFiles, AMissingFileIsToldApartFromAMalformedOne) {
    velk::TempDir dir;
    std::vector<MonsterRecord> monsters;
    BossRecord boss;
    EXPECT_EQ(velk::loadMonsterFile(3, monsters), velk::EnemyFileResult::Missing);
    EXPECT_EQ(velk::loadBossFile(3, boss), velk::EnemyFileResult::Missing);
    dir.write(velk::monsterFileName(3), "1\n200 2\n");
    EXPECT_EQ(velk::loadMonsterFile(3, monsters), velk::EnemyFileResult::Malformed);
    dir.write(velk::bossFileName(3), velk::bossFileText({}));
    EXPECT_EQ(velk::loadBossFile(3, boss), velk::EnemyFileResult::Loaded);
}
