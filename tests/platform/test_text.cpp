#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/bitmap_font.h"
#include "platform/cp949.h"
#include "platform/d3dx_font.h"
#include "platform/direct3d.h"
#include "platform/font_finder.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000;

// The box around every pixel that is no longer the background.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int pixels = 0;
    bool empty() const { return pixels == 0; }
};

class TextTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!velk::fontProblem().empty()) GTEST_SKIP() << velk::fontProblem();
        ASSERT_TRUE(device.init(nullptr, 800, 600, true));
        device.clear(kBlack);
    }

    std::vector<uint32_t> pixels() const {
        return {device.backBuffer(), device.backBuffer() + 800 * 600};
    }

    Ink ink() const {
        Ink box;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                if (device.backBuffer()[y * 800 + x] != kBlack) {
                    box.left = std::min(box.left, x);
                    box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y);
                    box.bottom = std::max(box.bottom, y);
                    ++box.pixels;
                }
        return box;
    }

    // The brightest value each channel reached.
    uint32_t brightest() const {
        uint32_t r = 0, g = 0, b = 0;
        for (int i = 0; i < 800 * 600; ++i) {
            const uint32_t p = device.backBuffer()[i];
            r = std::max(r, (p >> 16) & 0xFF);
            g = std::max(g, (p >> 8) & 0xFF);
            b = std::max(b, p & 0xFF);
        }
        return r << 16 | g << 8 | b;
    }

    CDirect3D device;
};

TEST_F(TextTest, KoreanTextLandsAtTheTopLeftInItsColour) {
    CD3dxFont font;
    ASSERT_TRUE(font.create(&device, "돋움", 16));
    const std::string text = velk::toCp949("벨크 Velk 아루");
    font.draw(100, 200, 400, 216, 0xFFFF0000, text.c_str());

    EXPECT_EQ(font.rect.left, 100);
    EXPECT_EQ(font.rect.bottom, 216);
    const Ink box = ink();
    ASSERT_FALSE(box.empty());
    EXPECT_GE(box.left, 100);
    EXPECT_LE(box.left, 104);
    EXPECT_GE(box.top, 200);
    EXPECT_LE(box.bottom, 216);
    EXPECT_GE(box.bottom - box.top, 10);  // a full-height Hangul line
    EXPECT_NEAR(box.right, 100 + font.measure(text.c_str()), 3);
    EXPECT_EQ(brightest(), 0xFF0000u);  // solid strokes, pure red

    // The colour's alpha scales the coverage (fading notices).
    device.clear(kBlack);
    font.draw(100, 200, 400, 216, 0x80FFFFFF, text.c_str());
    EXPECT_NEAR(static_cast<int>(brightest() & 0xFF), 0x80, 2);
}

TEST_F(TextTest, TextRunsPastTheRectangleAndStopsAtItsLength) {
    CD3dxFont font;
    ASSERT_TRUE(font.create(&device, nullptr, 15));
    const std::string text = velk::toCp949("경험치를 얻었습니다(+1234567)");
    ASSERT_EQ(text.size(), 29u);
    font.draw(600, 400, 610, 405, 0xFFFFFFFF, text.c_str());
    const Ink box = ink();
    EXPECT_GT(box.right, 700);
    EXPECT_GT(box.bottom, 405);

    // A given length ends the text, and so does a terminator inside it.
    EXPECT_EQ(font.measure("AB", 1), font.measure("A"));
    EXPECT_EQ(font.measure("A\0B", 3), font.measure("A"));
    EXPECT_LT(font.measure("A"), font.measure("AB"));
}

TEST_F(TextTest, NewlineStartsALineBelowAtTheLeft) {
    CD3dxFont font;
    ASSERT_TRUE(font.create(&device, nullptr, 16));
    font.draw(50, 50, 60, 60, 0xFFFFFFFF, "MM\nMM");
    const Ink two = ink();
    device.clear(kBlack);
    font.draw(50, 50, 60, 60, 0xFFFFFFFF, "MM");
    const Ink one = ink();
    EXPECT_EQ(two.left, one.left);
    EXPECT_EQ(two.right, one.right);
    EXPECT_EQ(two.bottom - one.bottom, 16);
}

TEST_F(TextTest, FontsOfOneHeightShareAFace) {
    CD3dxFont a, b, c;
    ASSERT_TRUE(a.create(&device, nullptr, 16));
    ASSERT_TRUE(b.create(&device, "돋움체", 16));
    ASSERT_TRUE(c.create(&device, nullptr, 70));
    const char* text = "\xBA\xA7\xC5\xA9";
    EXPECT_EQ(a.measure(text), b.measure(text));
    EXPECT_GT(c.measure(text), 3 * a.measure(text));
    CD3dxFont none;
    EXPECT_FALSE(none.create(&device, nullptr, 100000));
    none.draw(0, 0, 0, 0, 0xFFFFFFFF, "A");  // harmless without a face
    EXPECT_TRUE(ink().empty());
}

class BitmapFontTest : public TextTest {
protected:
    void SetUp() override {
        TextTest::SetUp();
        if (IsSkipped()) return;
        ASSERT_GE(font.createDeviceObjects(&device), 0);
    }

    std::vector<uint32_t> drawn(const char* text, uint32_t flags = 0) {
        device.clear(kBlack);
        font.drawText(300, 100, 0xFFFF0000, text, flags);
        return pixels();
    }

    CBitmapFont font{"Arial", 10, 0};
};

TEST_F(BitmapFontTest, DrawsAsciiAtThePenInRed) {
    drawn(" 60.0 fps");
    const Ink box = ink();
    ASSERT_FALSE(box.empty());
    EXPECT_GE(box.left, 300);
    EXPECT_LT(box.left, 330);
    EXPECT_GE(box.top, 100);
    EXPECT_LT(box.bottom, 120);
    EXPECT_EQ(brightest() & 0x00FFFF, 0u);
}

TEST_F(BitmapFontTest, SkipsControlCharactersAndTwoByteText) {
    const auto plain = drawn("AB");
    EXPECT_EQ(drawn("A\x01" "B"), plain);
    EXPECT_EQ(drawn("A\tB\x7F"), plain);
    EXPECT_EQ(drawn(("A" + velk::toCp949("벨") + "B").c_str()), plain);
    drawn(velk::toCp949("벨크").c_str());
    EXPECT_TRUE(ink().empty());
}

TEST_F(BitmapFontTest, NewlineGoesDownALineAtTheStartingX) {
    drawn("H");
    const Ink one = ink();
    drawn("H\nH");
    const Ink two = ink();
    EXPECT_EQ(two.left, one.left);
    EXPECT_EQ(two.right, one.right);
    EXPECT_GE(two.bottom - one.bottom, 12);
    EXPECT_LE(two.bottom - one.bottom, 20);
}

TEST_F(BitmapFontTest, CentresOnTheScreen) {
    drawn("WWWW", 3);
    const Ink box = ink();
    EXPECT_NEAR((box.left + box.right) / 2, 400, 8);
    EXPECT_NEAR((box.top + box.bottom) / 2, 300, 8);
}

TEST(BitmapFont, RefusesAnEmptySize) {
    CBitmapFont font("Arial", 0, 0);
    EXPECT_LT(font.createDeviceObjects(nullptr), 0);
    font.drawText(0, 0, 0xFFFFFFFF, "A");  // nothing built, nothing drawn
}

}  // namespace
