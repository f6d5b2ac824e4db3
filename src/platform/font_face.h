#pragma once
// One opened face at one pixel size, rendering antialiased glyphs. The
// native build renders with FreeType; the web build serves the same glyphs
// from the atlas the native build made (platform/glyph_atlas.h).

#include <cstdint>
#include <memory>

#include "platform/font_finder.h"

namespace velk {

// A rendered glyph; `coverage` is valid until the next render.
struct RenderedGlyph {
    const uint8_t* coverage = nullptr;
    int pitch = 0;
    int width = 0;
    int height = 0;
    int left = 0;     // ink columns right of the pen
    int top = 0;      // ink rows above the baseline
    int advance = 0;  // whole pixels
};

class FontFace {
public:
    // Null if the face cannot be opened.
    static std::unique_ptr<FontFace> open(const FaceFile& file);
    virtual ~FontFace() = default;

    // Windows font heights: a positive height is the character cell
    // (ascender plus descender), a negative one the em size.
    virtual bool setHeight(int height) = 0;
    int ascender() const { return ascender_; }
    int descender() const { return descender_; }  // rows below the baseline

    // Renders `codePoint` (or '?' when the face lacks it). False on failure.
    virtual bool render(char32_t codePoint, RenderedGlyph& out) = 0;

protected:
    FontFace() = default;
    int ascender_ = 0;
    int descender_ = 0;
};

}  // namespace velk
