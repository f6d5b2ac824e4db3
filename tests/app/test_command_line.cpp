// The options that test a world, as the command line reads them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace velk {
namespace {

bool parse(std::vector<const char*> args, Options& o, std::string& error) {
    args.insert(args.begin(), "velk");
    return parseCommandLine(int(args.size()), args.data(), o, error);
}

TEST(CommandLine, WorldTestOptionsAreReadOrRefusedWithTheirForm) {
    const struct {
        std::vector<const char*> args;
        const char* error;  // null: accepted
        int32_t map;
        StartSide side;
        int32_t level;
    } cases[] = {
        {{"--start", "3"}, nullptr, 3, StartSide::Back, 0},
        {{"--start", "0:back"}, nullptr, 0, StartSide::Back, 0},
        {{"--start", "21:forward", "--level", "12"}, nullptr, 21, StartSide::Forward, 12},
        {{"--level", "999"}, nullptr, -1, StartSide::Back, 999},
        {{"--start", "3:up"}, "--start takes MAP or MAP:back or MAP:forward", 0, {}, 0},
        {{"--start", "-1"}, "--start takes", 0, {}, 0},
        {{"--start", ":back"}, "--start takes", 0, {}, 0},
        {{"--start", "1000001"}, "--start takes", 0, {}, 0},
        {{"--start"}, "--start needs MAP[:SIDE]", 0, {}, 0},
        {{"--level", "0"}, "--level takes a whole number from 1 to 999, not '0'", 0, {}, 0},
        {{"--level", "5x"}, "--level takes", 0, {}, 0},
        {{"--give", ""}, "--give takes ITEM or ITEM:COUNT", 0, {}, 0},
        {{"--give", "사과:0"}, "--give takes", 0, {}, 0},
        {{"--give", "사과:201"}, "a count from 1 to 200), not '사과:201'", 0, {}, 0},
        {{"--give", "사과:"}, "--give takes", 0, {}, 0},
        {{"--give", ":3"}, "--give takes", 0, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.back());
        Options o;
        std::string error;
        const bool ok = parse(c.args, o, error);
        EXPECT_EQ(ok, c.error == nullptr) << error;
        if (!c.error) {
            EXPECT_EQ(o.startMap, c.map);
            EXPECT_EQ(o.startSide, c.side);
            EXPECT_EQ(o.level, c.level);
            EXPECT_TRUE(o.testsAWorld());
        } else {
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        }
    }
}

TEST(CommandLine, GiftsKeepTheirOrderNamesAndCounts) {
    Options o;
    std::string error;
    ASSERT_TRUE(parse({"--give", "은빛검", "--give", "빨간물약:25", "--give", "9:200"}, o, error)) << error;
    ASSERT_EQ(o.gifts.size(), 3u);
    EXPECT_EQ(o.gifts[0].item, "은빛검");
    EXPECT_EQ(o.gifts[0].count, 1);
    EXPECT_EQ(o.gifts[1].item, "빨간물약");
    EXPECT_EQ(o.gifts[1].count, 25);
    EXPECT_EQ(o.gifts[2].item, "9");
    EXPECT_EQ(o.gifts[2].count, 200);

    Options plain;
    ASSERT_TRUE(parse({"--headless", "--frames", "3"}, plain, error));
    EXPECT_FALSE(plain.testsAWorld());
}

}  // namespace
}  // namespace velk
