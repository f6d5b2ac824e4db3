#include "demo/ui_kit.h"

#include <cstdint>

#include "content/pic_writer.h"

namespace demo {

using namespace palette;

void savePicture(const DemoContext& ctx, const std::string& name, const Canvas& c) {
    velk::ImageBlockOptions options;
    options.bitsPerPixel = 32;
    writeOut(ctx, name,
             velk::encodePicture(uint32_t(c.width()), uint32_t(c.height()), c.data(), options));
}

Canvas shadedPanel(int w, int h, int radius) {
    Canvas c(w, h);
    c.fillRoundRect(0, 0, w, h, radius, kGold);
    c.fillRoundRect(2, 2, w - 4, h - 4, radius - 2, kNight);
    // Shade inside the rim only: the corners outside it stay clear.
    for (int y = 2; y < h - 2; ++y) {
        const uint32_t shade = mix(kDusk, kNight, float(y - 2) / float(h - 5));
        for (int x = 2; x < w - 2; ++x)
            if (c.at(x, y) == kNight) c.set(x, y, shade);
    }
    return c;
}

Canvas panel(int w, int h, const std::string& heading) {
    Canvas c = shadedPanel(w, h, 8);
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

// The rim and face every small square button starts from.
Canvas squareButton(int size, Look look, bool disabled) {
    Canvas c(size, size);
    c.fillRoundRect(0, 0, size, size, 3, disabled ? kStone : kGold);
    c.fillRoundRect(1, 1, size - 2, size - 2, 2, disabled ? rgb(0x4A4C58) : faceColour(look));
    return c;
}

uint32_t inkOf(Look look) { return look == Look::kHover ? kGold : kCream; }

}  // namespace

Canvas labelButton(int w, int h, const std::string& label, Look look, int textSize, int lift) {
    Canvas c(w, h);
    c.fillRoundRect(0, 0, w, h, 6, kGold);
    c.fillRoundRect(2, 2, w - 4, h - 4, 4, faceColour(look));
    if (look == Look::kHover) c.fillRoundRect(4, 3, w - 8, h / 3, 3, argb(70, 0xFF, 0xFF, 0xFF));
    // A pressed button sinks by a pixel.
    const int sink = look == Look::kPressed ? 1 : 0;
    c.text((w - Canvas::textWidth(label, textSize)) / 2 + sink, (h - textSize) / 2 - lift + sink, label,
           textSize, inkOf(look), kInk, 1);
    return c;
}

Canvas symbolButton(char symbol, Look look) {
    Canvas c = squareButton(16, look, false);
    const uint32_t ink = inkOf(look);
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

Canvas glyphButton(int size, Glyph glyph, Look look, bool disabled) {
    Canvas c = squareButton(size, look, disabled);
    const uint32_t ink = disabled ? rgb(0x8E909C) : inkOf(look);
    const float m = float(size) / 2, s = float(size) / 4 + (look == Look::kPressed ? 0.5f : 0.0f);
    switch (glyph) {
        case Glyph::kUp:
            c.fillPolygon({m - s, m + s * 0.6f, m, m - s * 0.8f, m + s, m + s * 0.6f}, ink);
            break;
        case Glyph::kDown:
            c.fillPolygon({m - s, m - s * 0.6f, m + s, m - s * 0.6f, m, m + s * 0.8f}, ink);
            break;
        case Glyph::kPlus:
            c.fillRect(int(m - s), int(m) - 1, int(2 * s), 2, ink);
            c.fillRect(int(m) - 1, int(m - s), 2, int(2 * s), ink);
            break;
        case Glyph::kMinus:
            c.fillRect(int(m - s), int(m) - 1, int(2 * s), 2, ink);
            break;
    }
    return c;
}

}  // namespace demo
