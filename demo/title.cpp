// The title screen's pictures and the mouse cursor.

#include <cmath>
#include <cstdint>

#include "content/pic_writer.h"
#include "demo/art.h"
#include "demo/demo.h"

namespace demo {

namespace {

using namespace palette;

void save(const DemoContext& ctx, const std::string& name, const Canvas& c, int bits) {
    velk::ImageBlockOptions options;
    options.bitsPerPixel = bits;
    writeOut(ctx, name, velk::encodePicture(uint32_t(c.width()), uint32_t(c.height()), c.data(), options));
}

// Deterministic scatter for stars.
uint32_t nextRandom(uint32_t& state) {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

Canvas titleBackground() {
    Canvas c(800, 600);
    c.verticalGradient(0, 0, 800, 600, kNight, rgb(0xC0616A));
    uint32_t seed = 12345;
    for (int i = 0; i < 160; ++i) {
        int x = int(nextRandom(seed) % 800), y = int(nextRandom(seed) % 330);
        c.blend(x, y, kCream, 120 + int(nextRandom(seed) % 135));
    }
    c.fillCircle(640, 120, 46, argb(60, 0xFF, 0xF4, 0xD6));
    c.fillCircle(640, 120, 38, kCream);
    c.fillCircle(626, 110, 7, rgb(0xEADFC0));
    // Three mountain ranges, darker towards the viewer.
    const uint32_t ranges[] = {rgb(0x3A3F6B), rgb(0x2A2D52), kInk};
    for (int r = 0; r < 3; ++r) {
        std::vector<float> poly = {0, 600};
        for (int x = 0; x <= 800; x += 20) {
            float h = 360 + float(r) * 60 +
                      40 * std::sin(float(x) * (0.011f + 0.004f * float(r)) + float(r) * 1.7f) +
                      25 * std::sin(float(x) * 0.031f + float(r));
            poly.push_back(float(x));
            poly.push_back(h);
        }
        poly.push_back(800);
        poly.push_back(600);
        c.fillPolygon(poly, ranges[r]);
    }
    // A keep on the nearest ridge, with lit windows.
    c.fillRect(120, 380, 70, 220, kInk);
    c.fillRect(105, 360, 100, 24, kInk);
    for (int i = 0; i < 5; ++i) c.fillRect(105 + i * 21, 348, 12, 14, kInk);
    c.fillRect(140, 410, 10, 16, kGold);
    c.fillRect(160, 440, 10, 16, kGold);
    return c;
}

Canvas titleLogo() {
    Canvas c(540, 230);
    const std::string name = "벨크";
    int w = Canvas::textWidth(name, 150);
    c.text((540 - w) / 2, 0, name, 150, kGold, kInk, 5);
    const std::string line = "검과 모험의 땅";
    int lw = Canvas::textWidth(line, 30);
    c.text((540 - lw) / 2, 180, line, 30, kCream, kInk, 2);
    return c;
}

Canvas startButton(bool hover) {
    Canvas c(128, 32);
    c.fillRoundRect(0, 0, 128, 32, 8, kGold);
    c.fillRoundRect(2, 2, 124, 28, 6, hover ? rgb(0x3D6FB0) : kDusk);
    if (hover) c.fillRoundRect(4, 3, 120, 10, 4, argb(70, 0xFF, 0xFF, 0xFF));
    const std::string label = "게임 시작";
    int w = Canvas::textWidth(label, 18);
    c.text((128 - w) / 2, 7, label, 18, hover ? kGold : kCream, kInk, 1);
    return c;
}

Canvas cursorPicture() {
    Canvas c(32, 32);
    c.fillPolygon({1, 1, 1, 22, 6, 17, 10, 26, 14, 24, 10, 16, 17, 16}, kWhite);
    c.outlineShapes(kInk);
    return c;
}

}  // namespace

void writeTitle(const DemoContext& ctx) {
    save(ctx, "pic/titleback.pic", titleBackground(), 24);
    save(ctx, "pic/title.pic", titleLogo(), 32);
    save(ctx, "pic/d_start.pic", startButton(false), 32);
    save(ctx, "pic/b_start.pic", startButton(true), 32);
    save(ctx, "cursor/akman.cur", cursorPicture(), 32);
}

}  // namespace demo
