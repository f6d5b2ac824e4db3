#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp949.h"
#include "formats/minimap_files.h"

namespace {
const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }
}  // namespace

TEST(QuestText, LinesAreTheRestOfTheLineWithinTheirLength) {
    const struct {
        const char* text;
        bool ok;
        std::vector<std::string> want;
    } cases[] = {
        {"2\n8 wolves\n6 hunt\r\n", true, {" wolves", " hunt"}},
        // Seven bytes fit a length of 8 with the terminator; the rest of the
        // line is then read as the next length.
        {"1\n5 longer line\n", true, {" lon"}},
        {"2\n5 longer line\n5 x\n", false, {}},
        {"1\n1\n", true, {""}},
        {"0\n", true, {}},
        {"200\n", false, {}},
        {"2\n9 one\n", false, {}},
        {"1\n0 x\n", false, {}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> got{"stale"};
        const std::string text = c.text;
        ASSERT_EQ(velk::parseQuestText(bytesOf(text), text.size(), got, "q.txt"), c.ok) << c.text;
        if (c.ok) EXPECT_EQ(got, c.want) << c.text;
        else EXPECT_EQ(got, std::vector<std::string>{"stale"}) << c.text;
    }
}

TEST(MinimapName, FirstWordCutToFourteenBytesOnACharacter) {
    std::string name;
    const std::string plain = velk::toCp949("달빛마을\n");
    ASSERT_TRUE(velk::parseMinimapName(bytesOf(plain), plain.size(), name, "m.txt"));
    EXPECT_EQ(name, velk::toCp949("달빛마을"));
    // 15 bytes: a cut at 14 would split the eighth character.
    const std::string longName = "a" + velk::toCp949("가나다라마바사");
    ASSERT_TRUE(velk::parseMinimapName(bytesOf(longName), longName.size(), name, "m.txt"));
    EXPECT_EQ(name, "a" + velk::toCp949("가나다라마바"));
    EXPECT_FALSE(velk::parseMinimapName(bytesOf(std::string(" \n")), 2, name, "m.txt"));
}
