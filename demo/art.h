#pragma once
// A small canvas for the demo world's code-drawn art: shapes, gradients,
// outlines and text drawn with the game's own glyphs.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace demo {

constexpr uint32_t argb(uint8_t a, uint8_t r, uint8_t g, uint8_t b) {
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}
constexpr uint32_t rgb(uint32_t hex) { return 0xFF000000u | hex; }

// The demo's palette: a few colours shared by every picture.
namespace palette {
constexpr uint32_t kInk = rgb(0x1B1B2F);
constexpr uint32_t kNight = rgb(0x162447);
constexpr uint32_t kDusk = rgb(0x1F4068);
constexpr uint32_t kSky = rgb(0x6BB5E8);
constexpr uint32_t kCream = rgb(0xFFF4D6);
constexpr uint32_t kGold = rgb(0xF2C14E);
constexpr uint32_t kEmber = rgb(0xE4572E);
constexpr uint32_t kLeaf = rgb(0x4C9A2A);
constexpr uint32_t kMoss = rgb(0x2E6B30);
constexpr uint32_t kStone = rgb(0x7D7F8C);
constexpr uint32_t kWhite = rgb(0xFFFFFF);
}  // namespace palette

uint32_t mix(uint32_t a, uint32_t b, float t);
// The colour with its alpha replaced.
constexpr uint32_t withAlpha(uint32_t c, uint8_t a) { return (c & 0xFFFFFFu) | uint32_t(a) << 24; }

// Deterministic noise for textures: a well-mixed hash of a position and a seed.
uint32_t hash3(int x, int y, uint32_t seed);
// The 4 x 4 ordered-dither threshold at a position, in [0, 1).
float bayer4(int x, int y);

class Canvas {
public:
    Canvas(int width, int height, uint32_t fill = 0);

    int width() const { return w_; }
    int height() const { return h_; }
    const uint32_t* data() const { return px_.data(); }
    uint32_t at(int x, int y) const { return px_[size_t(y) * w_ + x]; }

    void set(int x, int y, uint32_t c);
    // Source-over with the colour's own alpha scaled by `cover` (0..255).
    void blend(int x, int y, uint32_t c, int cover = 255);
    void fillRect(int x, int y, int w, int h, uint32_t c);
    void fillRoundRect(int x, int y, int w, int h, int radius, uint32_t c);
    void frameRoundRect(int x, int y, int w, int h, int radius, uint32_t c);
    void verticalGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom);
    void fillCircle(float cx, float cy, float r, uint32_t c);
    void fillPolygon(const std::vector<float>& xy, uint32_t c);
    // Text (UTF-8) with its top-left at (x, y) in the game's Hangul face.
    void text(int x, int y, const std::string& utf8, int height, uint32_t colour,
              uint32_t outline = 0, int outlineWidth = 0);
    static int textWidth(const std::string& utf8, int height);
    // Draws a 1-pixel dark outline around every opaque shape.
    void outlineShapes(uint32_t c);

    // Pixel-art helpers: hard-edged shapes, no anti-aliasing.
    // A thick line with round caps from (x0, y0) to (x1, y1).
    void line(float x0, float y0, float x1, float y1, float width, uint32_t c);
    // Vertical ramp through `ramp`'s colours, ordered-dithered between steps.
    void ditherGradient(int x, int y, int w, int h, const std::vector<uint32_t>& ramp);
    // Source-over of `src` with its top-left corner at (x, y).
    void blit(const Canvas& src, int x, int y);
    Canvas mirrored() const;
    std::vector<uint32_t> pixels() const { return px_; }

private:
    int w_, h_;
    std::vector<uint32_t> px_;
};

// Draws one part on its own layer, outlines it in ink and lays it over `c`,
// so parts in front get an ink line against the parts behind.
void inkedPart(Canvas& c, const std::function<void(Canvas&)>& draw);

}  // namespace demo
