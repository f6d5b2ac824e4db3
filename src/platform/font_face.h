#pragma once
// One opened FreeType face at one pixel size, rendering antialiased glyphs.

#include <cstdint>
#include <memory>

#include "platform/font_finder.h"

struct FT_FaceRec_;

namespace velk {

// A glyph as FreeType rendered it; `coverage` is valid until the next render.
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
    // Null if FreeType cannot open the file.
    static std::unique_ptr<FontFace> open(const FaceFile& file);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Windows font heights: a positive height is the character cell
    // (ascender plus descender), a negative one the em size.
    bool setHeight(int height);
    int ascender() const { return ascender_; }
    int descender() const { return descender_; }  // rows below the baseline

    // Renders `codePoint` (or '?' when the face lacks it). False on failure.
    bool render(char32_t codePoint, RenderedGlyph& out);

private:
    struct Library;
    FontFace(std::shared_ptr<Library> library, FT_FaceRec_* face, bool embolden);

    std::shared_ptr<Library> library_;  // outlives the face
    FT_FaceRec_* face_;
    bool embolden_;
    int ascender_ = 0;
    int descender_ = 0;
};

}  // namespace velk
