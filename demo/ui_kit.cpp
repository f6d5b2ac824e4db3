#include "demo/ui_kit.h"

#include "content/pic_writer.h"

namespace demo {

using namespace palette;

void savePicture(const DemoContext& ctx, const std::string& name, const Canvas& c) {
    velk::ImageBlockOptions options;
    options.bitsPerPixel = 32;
    writeOut(ctx, name,
             velk::encodePicture(uint32_t(c.width()), uint32_t(c.height()), c.data(), options));
}

Canvas panel(int w, int h, const std::string& heading) {
    Canvas c(w, h);
    c.fillRoundRect(0, 0, w, h, 8, kGold);
    c.fillRoundRect(2, 2, w - 4, h - 4, 6, kNight);
    for (int y = 2; y < h - 2; ++y) {
        const uint32_t shade = mix(kDusk, kNight, float(y - 2) / float(h - 5));
        for (int x = 2; x < w - 2; ++x)
            if (c.at(x, y) == kNight) c.set(x, y, shade);
    }
    c.frameRoundRect(4, 4, w - 8, h - 8, 5, withAlpha(kGold, 90));
    if (!heading.empty()) {
        c.text((w - Canvas::textWidth(heading, 13)) / 2, 6, heading, 13, kGold, kInk, 1);
        c.fillRect(10, 23, w - 20, 1, withAlpha(kGold, 160));
    }
    return c;
}

namespace {

uint32_t faceColour(Look look) {
    return look == Look::kHover ? rgb(0x3D6FB0) : look == Look::kPressed ? kNight : kDusk;
}

}  // namespace

Canvas labelButton(int w, int h, const std::string& label, Look look) {
    Canvas c(w, h);
    c.fillRoundRect(0, 0, w, h, 6, kGold);
    c.fillRoundRect(2, 2, w - 4, h - 4, 4, faceColour(look));
    if (look == Look::kHover) c.fillRoundRect(4, 3, w - 8, h / 3, 3, argb(70, 0xFF, 0xFF, 0xFF));
    const int sink = look == Look::kPressed ? 1 : 0;
    const int size = 14;
    c.text((w - Canvas::textWidth(label, size)) / 2 + sink, (h - size) / 2 - 1 + sink, label, size,
           look == Look::kHover ? kGold : kCream, kInk, 1);
    return c;
}

Canvas symbolButton(char symbol, Look look) {
    Canvas c(16, 16);
    c.fillRoundRect(0, 0, 16, 16, 3, kGold);
    c.fillRoundRect(1, 1, 14, 14, 2, faceColour(look));
    const uint32_t ink = look == Look::kHover ? kGold : kCream;
    const float s = look == Look::kPressed ? 0.5f : 0.0f;
    switch (symbol) {
        case 'x':
            c.line(5 + s, 5 + s, 10 + s, 10 + s, 1.6f, ink);
            c.line(10 + s, 5 + s, 5 + s, 10 + s, 1.6f, ink);
            break;
        case '^': c.fillPolygon({8 + s, 4 + s, 12.5f + s, 11 + s, 3.5f + s, 11 + s}, ink); break;
        case 'v': c.fillPolygon({3.5f + s, 5 + s, 12.5f + s, 5 + s, 8 + s, 12 + s}, ink); break;
        case '>': c.fillPolygon({5 + s, 3.5f + s, 12 + s, 8 + s, 5 + s, 12.5f + s}, ink); break;
        case '<': c.fillPolygon({11 + s, 3.5f + s, 4 + s, 8 + s, 11 + s, 12.5f + s}, ink); break;
        default:
            c.fillRect(4 + int(s), 7 + int(s), 8, 2, ink);
            c.fillRect(7 + int(s), 4 + int(s), 2, 8, ink);
            break;
    }
    return c;
}

}  // namespace demo
