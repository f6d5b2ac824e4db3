#include <gtest/gtest.h>

#include "content/item_pack_writer.h"
#include "items/item_text.h"
#include "platform/cp949.h"

namespace {

struct Parsed {
    bool ok;
    velk::TextBoxFile box;
};

Parsed description(const std::string& text) {
    Parsed p;
    p.ok = velk::parseItemDescription(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                      p.box, nullptr);
    return p;
}

TEST(ItemDescription, ReadsLinesByTheirLengths) {
    struct Case {
        const char* what;
        std::string text;
        bool ok;
        int32_t width;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"as written", velk::itemDescriptionText(230, 150, {"short blade", "sharp"}), true, 230,
         {"short blade", "sharp"}},
        {"CRLF line ends", "100 80 2\r\n7 first\r\n8 second\r\n", true, 100, {"first", "second"}},
        // L counts blank, text, line end and terminator: 5 keeps "abc".
        {"length too small cuts the line, the next one still reads", "10 10 2\n5 abcdef\n4 xy\n",
         true, 10, {"abc", "xy"}},
        {"text on the next line reads as an empty line", "10 10 1\n9\nlater\n", true, 10, {""}},
        {"short file leaves the promised lines empty", "10 10 3\n6 one\n", false, 10,
         {"one", "", ""}},
        {"missing count", "10 10", false, 10, {}},
        {"too many lines", "10 10 33\n", false, 10, {}},
        {"line length past the bound", "10 10 1\n257 x\n", false, 10, {""}},
        {"zero line length", "10 10 1\n0 x\n", false, 10, {""}},
        {"width past the screen", "801 10 0\n", false, 0, {}},
        {"not a number", "wide 10 0\n", false, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Parsed p = description(c.text);
        EXPECT_EQ(p.ok, c.ok);
        EXPECT_EQ(p.box.width, c.width);
        EXPECT_EQ(p.box.lines, c.lines);
    }
}

TEST(HelpText, ReadsItsPlaceAndKoreanLines) {
    const std::string text =
        velk::helpTextText(330, 410, 220, 90, {velk::toCp949("스킬 칸"), velk::toCp949("뺀다.")});
    velk::TextBoxFile box;
    std::string error;
    ASSERT_TRUE(velk::parseHelpText(reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                                    box, &error))
        << error;
    EXPECT_EQ(box.x, 330);
    EXPECT_EQ(box.y, 410);
    EXPECT_EQ(box.width, 220);
    EXPECT_EQ(box.height, 90);
    ASSERT_EQ(box.lines.size(), 2u);
    EXPECT_EQ(velk::toUtf8(box.lines[1]), "뺀다.");
}

}  // namespace
