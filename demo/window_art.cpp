#include "demo/window_art.h"

#include <cstdint>

#include "content/pic_writer.h"

namespace demo {

using namespace palette;

namespace {

uint32_t faceOf(Look look) { return look == Look::kHover ? rgb(0x3D6FB0) : look == Look::kPressed ? kNight : kDusk; }

}  // namespace

Canvas labelButton(int width, int height, const std::string& label, Look look, int textHeight) {
    Canvas c(width, height);
    c.fillRoundRect(0, 0, width, height, 6, kGold);
    c.fillRoundRect(2, 2, width - 4, height - 4, 4, faceOf(look));
    if (look == Look::kHover) c.fillRoundRect(4, 3, width - 8, height / 3, 3, argb(70, 0xFF, 0xFF, 0xFF));
    // A pressed button sinks by a pixel.
    const int sink = look == Look::kPressed ? 1 : 0;
    const int w = Canvas::textWidth(label, textHeight);
    c.text((width - w) / 2 + sink, (height - textHeight) / 2 + sink, label, textHeight,
           look == Look::kHover ? kGold : kCream, kInk, 1);
    return c;
}

Canvas glyphButton(int size, Glyph glyph, Look look, bool disabled) {
    Canvas c(size, size);
    c.fillRoundRect(0, 0, size, size, 3, disabled ? kStone : kGold);
    c.fillRoundRect(1, 1, size - 2, size - 2, 2, disabled ? rgb(0x4A4C58) : faceOf(look));
    const uint32_t ink = disabled ? rgb(0x8E909C) : look == Look::kHover ? kGold : kCream;
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
