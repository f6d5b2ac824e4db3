// The notice log: order, fading, line lengths.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/cp949.h"
#include "widgets/notice_log.h"
#include "support/game_fixture.h"

namespace velk {
namespace {

class NoticeLogTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        log = std::make_unique<CNoticeLog>(&device);
        log->init();
    }
    std::unique_ptr<CNoticeLog> log;
};

TEST_F(NoticeLogTest, SixNoticesKeepTheFiveNewest) {
    for (int i = 1; i <= 6; ++i) log->add(("notice " + std::to_string(i)).c_str());
    EXPECT_STREQ(log->lines[0], "notice 6");
    EXPECT_STREQ(log->lines[4], "notice 2");
}

TEST_F(NoticeLogTest, FadesInItsLastFiftyFramesAndGoesAfterTwoHundred) {
    log->add("hello");
    std::vector<int> alphaAt;
    for (int frame = 1; frame <= 200; ++frame) {
        log->draw();
        if (log->lines[0][0]) alphaAt.push_back(CNoticeLog::alphaForLife(g_noticeLife[0]));
    }
    EXPECT_EQ(log->lines[0][0], '\0');
    EXPECT_EQ(g_noticeLife[0], CNoticeLog::kLife);
    ASSERT_EQ(alphaAt.size(), 199u);
    EXPECT_EQ(alphaAt[148], 255);   // frame 149
    EXPECT_EQ(alphaAt[149], 224);   // frame 150: life 5
    EXPECT_EQ(alphaAt[198], 96);    // frame 199: life 1
}

TEST_F(NoticeLogTest, EmptyLinesMoveDownWithTheOthers) {
    log->add("a");
    log->add("b");
    log->add("c");
    log->lines[2][0] = '\0';  // "a" aged out
    log->add("d");
    EXPECT_STREQ(log->lines[0], "d");
    EXPECT_STREQ(log->lines[1], "c");
    EXPECT_STREQ(log->lines[2], "b");
    EXPECT_EQ(log->lines[3][0], '\0');
}

TEST_F(NoticeLogTest, TextIsCutToTwentyNineBytesWithoutSplittingACharacter) {
    // 14 Hangul syllables and a digit: exactly 29 CP949 bytes, kept whole.
    std::string exact = toCp949("경험치를얻었습니다경험치를얻1");
    ASSERT_EQ(exact.size(), 29u);
    log->add(exact.c_str());
    EXPECT_EQ(std::string(log->lines[0]), exact);

    // 15 syllables (30 bytes): the last one cannot fit and is dropped whole.
    std::string longer = toCp949("경험치를얻었습니다경험치를얻었");
    log->add(longer.c_str());
    EXPECT_EQ(std::strlen(log->lines[0]), 28u);
    EXPECT_EQ(std::string(log->lines[0]), longer.substr(0, 28));

    std::string huge(500, 'x');
    log->add(huge.c_str());
    EXPECT_EQ(std::strlen(log->lines[0]), 29u);
}

}  // namespace
}  // namespace velk
