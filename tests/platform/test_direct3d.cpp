#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/direct3d.h"

namespace {

constexpr int kScreenW = 40;
constexpr int kScreenH = 30;
constexpr uint32_t kBackground = 0xFF102030;

struct Screen {
    CDirect3D dev;
    Screen() {
        EXPECT_TRUE(dev.init(nullptr, kScreenW, kScreenH, true));
        dev.clear(kBackground);
    }
    uint32_t at(int x, int y) const { return dev.backBuffer()[y * kScreenW + x]; }
};

// Each texel distinct and opaque, so a pixel tells which texel landed on it.
std::vector<uint32_t> numbered(uint32_t w, uint32_t h) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (uint32_t i = 0; i < px.size(); ++i) px[i] = 0xFF000000u | (i + 1) * 0x010101u;
    return px;
}

uint8_t channel(uint32_t c, int shift) { return uint8_t(c >> shift); }

uint32_t expectedBlend(uint32_t src, uint32_t dst, uint32_t a) {
    uint32_t out = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        const double v = (channel(src, shift) * double(a) + channel(dst, shift) * (255.0 - a)) / 255.0;
        out |= uint32_t(std::lround(v)) << shift;
    }
    return out;
}

}  // namespace

TEST(Direct3D, QuadPlacementFollowsTruncatedCorners) {
    struct Case {
        float x, y, w, h;
        int left, top, right, bottom;  // pixels covered, right/bottom exclusive
    };
    const Case cases[] = {
        {10.7f, 5.2f, 4, 3, 10, 5, 14, 8},   // edges at 9.5 and 4.5
        {-0.7f, 0, 4, 3, 0, 0, 3, 3},        // trunc(-0.7) = 0, trunc(3.3) = 3
        {2, 2, 3.5f, 3, 2, 2, 5, 5},         // a fractional width loses its fraction
        {2.9f, 2, 3.2f, 3, 2, 2, 6, 5},      // trunc(6.1) = 6: four pixels
        {-2, -1, 4, 3, 0, 0, 2, 2},          // clipped at the top-left
        {38, 28, 4, 3, 38, 28, 40, 30},      // clipped at the bottom-right
        {40, 0, 4, 3, 0, 0, 0, 0},           // wholly off screen
        {5, 5, -4, 3, 0, 0, 0, 0},           // mirrored: culled
    };
    const std::vector<uint32_t> px = numbered(4, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "quad at " << c.x << "," << c.y << " size " << c.w
                                        << "x" << c.h);
        Screen s;
        auto tex = s.dev.createTexture(4, 3, px.data());
        s.dev.drawQuad(tex.get(), c.x, c.y, c.w, c.h);
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x) {
                const bool inside = x >= c.left && x < c.right && y >= c.top && y < c.bottom;
                ASSERT_EQ(s.at(x, y) != kBackground, inside) << "pixel " << x << "," << y;
            }
    }
}

TEST(Direct3D, UnscaledQuadMapsTexelsOneToOneEvenWhenClipped) {
    const std::vector<uint32_t> px = numbered(5, 4);
    for (float x : {10.7f, -2.0f, 37.0f}) {
        Screen s;
        auto tex = s.dev.createTexture(5, 4, px.data());
        s.dev.drawQuad(tex.get(), x, -1, 5, 4);
        const int left = int(std::trunc(x)), top = -1;
        for (int y = 0; y < kScreenH; ++y)
            for (int sx = 0; sx < kScreenW; ++sx) {
                const int u = sx - left, v = y - top;
                const bool inside = u >= 0 && u < 5 && v >= 0 && v < 4;
                ASSERT_EQ(s.at(sx, y), inside ? tex->texel(uint32_t(u), uint32_t(v)) : kBackground)
                    << "x=" << x << " pixel " << sx << "," << y;
            }
    }
}

TEST(Direct3D, AlphaTestAndBlendRules) {
    const uint32_t dst = kBackground;
    struct Case {
        const char* what;
        bool test;
        int blendOnAlpha;  // -1: never switched on
        bool blendStaysOn;
        uint32_t texel;
        uint32_t expected;
    };
    const Case cases[] = {
        {"test on: alpha 0 dropped", true, -1, false, 0x00FF0000, dst},
        {"test on: alpha 1 drawn whole", true, -1, false, 0x01FF0000, 0xFFFF0000},
        {"test off, blend off: alpha 0 copied", false, -1, false, 0x00FF0000, 0xFFFF0000},
        {"sticky 80: opaque drawn whole", true, 80, false, 0xFF00FF00, 0xFF00FF00},
        {"sticky 80: 1 * 80 / 255 rounds to 0", true, 80, false, 0x01FF0000, dst},
        {"sticky 80: 2 * 80 / 255 rounds to 1", true, 80, false, 0x02FF0000, 0xFFFF0000},
        {"sticky 80 without the test: copied", false, 80, false, 0x01FF0000, 0xFFFF0000},
        {"blend 150 opaque", true, 150, true, 0xFFC86432,
         expectedBlend(0xFFC86432, dst, 150)},
        {"blend 255 half alpha", true, 255, true, 0x80FFFFFF,
         expectedBlend(0xFFFFFFFF, dst, 128)},
        {"blend 80 of alpha 200", false, 80, true, 0xC8FF8000,
         expectedBlend(0xFFFF8000, dst, 63)},  // 200 * 80 / 255 = 62.7
        {"blend 0 draws nothing", false, 0, true, 0xFFFFFFFF, dst},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // One lone texel, and the same texel as a long run: both paths agree.
        for (uint32_t width : {1u, 16u}) {
            Screen s;
            const std::vector<uint32_t> px(width, c.texel);
            auto tex = s.dev.createTexture(width, 1, px.data());
            if (c.test) s.dev.alphaTestOn();
            if (c.blendOnAlpha >= 0) s.dev.blendOn(c.blendOnAlpha);
            if (!c.blendStaysOn) s.dev.blendOff();
            s.dev.drawQuad(tex.get(), 3, 3, float(width), 1);
            for (uint32_t x = 0; x < width; ++x) EXPECT_EQ(s.at(3 + int(x), 3), c.expected);
        }
    }
}

TEST(Direct3D, RunsOfTexelsDrawLikeSingleTexels) {
    // Long and short runs of every kind of alpha, clipped mid-run on both sides.
    std::vector<uint32_t> px;
    const uint32_t pattern[][2] = {{12, 0x00112233}, {3, 0xFF445566}, {9, 0xFF778899},
                                   {2, 0x00AABBCC}, {5, 0x80DDEEFF}, {1, 0x01020304},
                                   {10, 0xFF0A0B0C}, {4, 0x40303030}};
    for (int copy = 0; copy < 2; ++copy)
        for (auto [count, colour] : pattern)
            for (uint32_t i = 0; i < count; ++i) px.push_back(colour + i * 0x010000);
    const uint32_t w = uint32_t(px.size());
    for (int state = 0; state < 4; ++state) {
        SCOPED_TRACE(state);
        auto setState = [state](CDirect3D& dev) {
            if (state & 1) dev.alphaTestOn();
            if (state & 2) dev.blendOn(170);
            if (state == 1) {  // alpha test with a sticky factor
                dev.blendOn(90);
                dev.blendOff();
            }
        };
        Screen whole, single;
        auto tex = whole.dev.createTexture(w, 1, px.data());
        setState(whole.dev);
        whole.dev.drawQuad(tex.get(), -5, 2, float(w), 1);
        setState(single.dev);
        for (uint32_t i = 0; i < w; ++i) {
            auto one = single.dev.createTexture(1, 1, &px[i]);
            single.dev.drawQuad(one.get(), float(int(i) - 5), 2, 1, 1);
        }
        for (int y = 0; y < kScreenH; ++y)
            for (int x = 0; x < kScreenW; ++x)
                ASSERT_EQ(whole.at(x, y), single.at(x, y)) << x << "," << y;
    }
}

TEST(Direct3D, StretchedQuadsSampleBilinearlyClampedAtEdges) {
    {
        Screen s;
        const std::vector<uint32_t> uniform(9, 0xFF336699);
        auto tex = s.dev.createTexture(3, 3, uniform.data());
        s.dev.drawQuad(tex.get(), 1, 1, 17, 9);
        for (int y = 1; y < 10; ++y)
            for (int x = 1; x < 18; ++x) ASSERT_EQ(s.at(x, y), 0xFF336699u) << x << "," << y;
    }
    {
        // Two texels over four pixels: centres land on -0.25, 0.25, 0.75, 1.25.
        Screen s;
        const uint32_t px[2] = {0xFF000000, 0xFFC8C8C8};
        auto tex = s.dev.createTexture(2, 1, px);
        s.dev.drawQuad(tex.get(), 0, 0, 4, 1);
        EXPECT_EQ(s.at(0, 0), 0xFF000000u);
        EXPECT_EQ(s.at(1, 0), 0xFF323232u);
        EXPECT_EQ(s.at(2, 0), 0xFF969696u);
        EXPECT_EQ(s.at(3, 0), 0xFFC8C8C8u);
    }
}

TEST(Direct3D, StretchedQuadsDoNotDependOnClippingOrCaching) {
    std::vector<uint32_t> px(7 * 5);
    for (size_t i = 0; i < px.size(); ++i) px[i] = 0xFF000000u | uint32_t(i * 0x0705F3u);
    Screen whole, clipped;
    auto a = whole.dev.createTexture(7, 5, px.data());
    auto b = clipped.dev.createTexture(7, 5, px.data());
    whole.dev.drawQuad(a.get(), 0, 0, 23, 13);
    clipped.dev.drawQuad(b.get(), -6, -4, 23, 13);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 17; ++x) ASSERT_EQ(clipped.at(x, y), whole.at(x + 6, y + 4));

    // A new size replaces the cached one.
    Screen resized;
    auto fresh = resized.dev.createTexture(7, 5, px.data());
    resized.dev.drawQuad(fresh.get(), 0, 0, 11, 6);
    whole.dev.clear(kBackground);
    whole.dev.drawQuad(a.get(), 0, 0, 11, 6);
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) ASSERT_EQ(whole.at(x, y), resized.at(x, y));

    // Past the cache limit the quad is sampled on the fly; a one-row texture
    // gives the same rows at any height.
    const uint32_t row[3] = {0xFF0000FF, 0xFF00FF00, 0xFFFF0000};
    Screen cached, direct;
    auto c = cached.dev.createTexture(3, 1, row);
    auto d = direct.dev.createTexture(3, 1, row);
    cached.dev.drawQuad(c.get(), -3000, 0, 8000, 1);
    direct.dev.drawQuad(d.get(), -3000, 0, 8000, 600);
    for (int x = 0; x < kScreenW; ++x) ASSERT_EQ(direct.at(x, 7), cached.at(x, 0)) << x;
}

TEST(Direct3D, CoverageBlendsTheColourClipped) {
    Screen s;
    const uint8_t mask[2 * 3] = {0, 128, 255, 255, 64, 0};
    s.dev.drawCoverage(mask, 3, 3, 2, -1, 0, 0xFFFFFFFF);
    EXPECT_EQ(s.at(0, 0), expectedBlend(0xFFFFFFFF, kBackground, 128));
    EXPECT_EQ(s.at(1, 0), 0xFFFFFFFFu);
    EXPECT_EQ(s.at(0, 1), expectedBlend(0xFFFFFFFF, kBackground, 64));
    EXPECT_EQ(s.at(1, 1), kBackground);
    // Half the colour's alpha halves the coverage.
    s.dev.drawCoverage(mask, 3, 3, 2, kScreenW - 1, kScreenH - 1, 0x80FF0000);
    EXPECT_EQ(s.at(kScreenW - 1, kScreenH - 1), kBackground);
    s.dev.drawCoverage(mask + 2, 3, 1, 1, 5, 5, 0x80FF0000);
    EXPECT_EQ(s.at(5, 5), expectedBlend(0xFFFF0000, kBackground, 128));

    // A longer line, with every coverage weighed by the colour's alpha.
    const uint8_t line[11] = {0, 1, 64, 128, 200, 254, 255, 7, 128, 0, 255};
    for (uint32_t colour : {0xFF40C0FFu, 0x80FFFF00u}) {
        Screen t;
        t.dev.drawCoverage(line, 11, 11, 1, 2, 3, colour);
        for (int i = 0; i < 11; ++i) {
            const uint32_t a = uint32_t(std::lround(line[i] * (colour >> 24) / 255.0));
            EXPECT_EQ(t.at(2 + i, 3), expectedBlend(colour, kBackground, a)) << i;
        }
    }
}

TEST(Direct3D, BackBufferStaysOpaque) {
    Screen s;
    s.dev.clear(0x00123456);
    EXPECT_EQ(s.at(0, 0), 0xFF123456u);
    EXPECT_FALSE(CDirect3D().hasDevice());
    const uint32_t texel = 0x00ABCDEF;
    auto tex = s.dev.createTexture(1, 1, &texel);
    s.dev.drawQuad(tex.get(), 0, 0, 1, 1);
    EXPECT_EQ(s.at(0, 0), 0xFFABCDEFu);
    EXPECT_EQ(s.dev.createTexture(0, 4, &texel), nullptr);
}
