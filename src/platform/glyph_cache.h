#pragma once
// The game's text glyphs: the Hangul face rasterised once per code point for
// one (height, bold) and shared by every CD3dxFont asking for that pair, so
// the many windows with 16-pixel fonts render each character once.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

class CDirect3D;
struct FontRect;

namespace velk {

class FontFace;

class GlyphCache {
public:
    struct Glyph {
        size_t offset = 0;  // into the coverage store, rows of `width` bytes
        int width = 0;
        int height = 0;
        int left = 0;  // ink offset right of the pen
        int top = 0;   // ink offset below the line's top
        int advance = 0;
    };

    // The cache for a Windows font height (positive: cell height in pixels);
    // null when no Hangul face can be opened at that height.
    static std::shared_ptr<GlyphCache> get(int height, bool bold);

    ~GlyphCache();
    GlyphCache(const GlyphCache&) = delete;
    GlyphCache& operator=(const GlyphCache&) = delete;

    // Draws CP949 text with its top-left at (x, y); a newline starts the next
    // line at x, one line lower, and other control characters are skipped.
    void draw(CDirect3D& device, int x, int y, uint32_t colour, const char* text, size_t length);
    // Width of the widest line of the text.
    int measure(const char* text, size_t length);
    // The rectangle draw at (x, y) would put ink in (right and bottom
    // exclusive); all zero when no glyph has ink.
    FontRect inkBounds(int x, int y, const char* text, size_t length);

    int lineHeight() const { return lineHeight_; }
    const Glyph& glyph(char32_t codePoint);
    const uint8_t* coverage(const Glyph& glyph) const { return store_.data() + glyph.offset; }

private:
    GlyphCache(std::unique_ptr<FontFace> face, int lineHeight);
    // Lays the text out as draw does, calling visit(glyph, left, top) for
    // every glyph with ink, at its place.
    template <class Visit>
    void layOut(int x, int y, const char* text, size_t length, Visit visit);

    std::unique_ptr<FontFace> face_;
    int lineHeight_;
    Glyph ascii_[128];
    bool asciiReady_[128] = {};
    std::unordered_map<char32_t, Glyph> others_;
    std::vector<uint8_t> store_;
};

}  // namespace velk
