#include <gtest/gtest.h>

#include "platform/cp949.h"

using velk::cutCp949;
using velk::toCp949;
using velk::toUtf8;

TEST(Cp949, KoreanRoundTrips) {
    EXPECT_EQ(toCp949("벨크"), "\xBA\xA7\xC5\xA9");
    EXPECT_EQ(toUtf8("\xBA\xA7\xC5\xA9"), "벨크");

    const std::string notice = "경험치를 얻었습니다(+1234567)";
    const std::string bytes = toCp949(notice);
    EXPECT_EQ(bytes.size(), 29u);
    EXPECT_EQ(toUtf8(bytes), notice);
    EXPECT_EQ(toUtf8(toCp949("mp가 모자랍니다.")), "mp가 모자랍니다.");
}

TEST(Cp949, UnconvertibleAndMalformedText) {
    struct Case {
        const char* utf8;
        const char* cp949;
    } cases[] = {
        {"a😀b", "a?b"},          // no CP949 form
        {"a\xFF" "b", "a?b"},      // not UTF-8
        {"a\xEB\xB2", "a?"},       // cut short at the end
        {"\xC3", "?"},
    };
    for (const auto& c : cases) EXPECT_EQ(toCp949(c.utf8), c.cp949) << c.utf8;

    struct Back {
        std::string cp949;
        const char* utf8;
    } back[] = {
        {"\x80" "A", "\uFFFD" "A"},
        {"\xB0\x20", "\uFFFD "},       // a lead byte without its trail keeps the space
        {"A\xBA", "A\uFFFD"},          // lead byte at the very end
        {"\xC9\xA1", "\uFFFD"},        // a pair with no character is one replacement
    };
    for (const auto& b : back) EXPECT_EQ(toUtf8(b.cp949), b.utf8);
    EXPECT_EQ(toUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Cp949, CutNeverSplitsAPair) {
    const std::string belk = toCp949("벨크");  // two pairs
    const std::string aBel = toCp949("a벨");
    struct Case {
        std::string text;
        size_t max;
        std::string expected;
    } cases[] = {
        {belk, 4, belk},
        {belk, 3, belk.substr(0, 2)},
        {belk, 1, ""},
        {aBel, 2, "a"},
        {aBel, 3, aBel},
        {aBel, 0, ""},
        {"abc", 10, "abc"},
        {"ab\xBA" "c", 3, "ab"},  // a lead byte takes whatever follows
        {"ab\xBA", 3, "ab\xBA"},  // a lone lead byte at the end is kept when it fits
    };
    for (const auto& c : cases)
        EXPECT_EQ(cutCp949(c.text, c.max), c.expected) << toUtf8(c.text) << " / " << c.max;
}

TEST(Cp949, TypedTextShowsOnlyWholeCharacters) {
    const std::string text = toCp949("a벨크");  // a, then two pairs
    // Bytes typed so far -> bytes shown.
    const size_t cases[][2] = {{0, 0}, {1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}};
    for (const auto& c : cases) EXPECT_EQ(velk::wholeCp949Length(text.data(), c[0]), c[1]) << c[0];
    // A pair whose second byte is a lead byte too stays whole.
    const std::string pair = "\xB0\xA1\xB0";
    EXPECT_EQ(velk::wholeCp949Length(pair.data(), 3), 2u);
    EXPECT_EQ(velk::wholeCp949Length("\xB0\xB0", 2), 2u);
}
