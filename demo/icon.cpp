// The desktop icon: the hero with blade raised on a dusk sky badge, drawn
// small in the demo's pixel-art style and scaled up by whole pixels.

#include "demo/art.h"
#include "demo/demo.h"
#include "demo/figure.h"
#include "platform/png_io.h"

namespace demo {

namespace {

using namespace palette;

constexpr int kSmall = 64;  // drawn at 64 x 64, shown at 128 x 128

Canvas badge() {
    Canvas c(kSmall, kSmall);
    c.ditherGradient(0, 0, kSmall, kSmall, {kNight, kDusk, rgb(0x8E5C8A), rgb(0xC0616A)});
    c.fillCircle(46, 16, 7, kCream);
    c.fillCircle(43, 14, 2, rgb(0xEADFC0));
    c.fillPolygon({0, 52, 18, 40, 30, 47, 44, 36, 64, 50, 64, 64, 0, 64}, kMoss);
    c.fillPolygon({0, 56, 22, 50, 40, 55, 64, 52, 64, 64, 0, 64}, kLeaf);
    // Rounded corners: everything outside the badge is transparent.
    Canvas shape(kSmall, kSmall);
    shape.fillRoundRect(1, 1, kSmall - 2, kSmall - 2, 10, kInk);
    for (int y = 0; y < kSmall; ++y)
        for (int x = 0; x < kSmall; ++x)
            if ((shape.at(x, y) >> 24) == 0) c.set(x, y, 0);
    c.frameRoundRect(1, 1, kSmall - 2, kSmall - 2, 10, kInk);
    return c;
}

Canvas hero() {
    Canvas c(kSmall, kSmall);
    Pose p;
    p.lean = 0.1f;
    p.frontFoot = {7, -2};
    p.backFoot = {-6, -2};
    p.frontArm = {2.6f, 0.2f};
    p.held = Held::Blade;
    p.heldAngle = 2.8f;
    p.scarf = 0.6f;
    drawFigure(c, p, heroColours(), 30, 58);
    c.outlineShapes(kInk);
    return c;
}

}  // namespace

bool writeIcon(const std::string& path) {
    Canvas small = badge();
    small.blit(hero(), 0, 0);
    Canvas big(kSmall * 2, kSmall * 2);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); ++x) big.set(x, y, small.at(x / 2, y / 2));
    if (velk::writePng(path, big.data(), uint32_t(big.width()), uint32_t(big.height()), true)) return true;
    fail("cannot write the icon " + path);
    return false;
}

}  // namespace demo
