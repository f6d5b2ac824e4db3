// Not D3DX: CD3dxFont draws FreeType glyphs with the software compositor.
#pragma once
// CD3dxFont: the game's text font. CP949 text in, drawn with FreeType glyphs
// (a face with Hangul coverage found through fontconfig, bold as the game
// asks) blended onto the back buffer in an ARGB colour. Heights are pixel
// heights of the character cell. Glyphs are cached once for all fonts of one
// height.

#include <cstdint>
#include <memory>

class CDirect3D;

namespace velk {
class GlyphCache;
}

struct FontRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

class CD3dxFont {
public:
    CD3dxFont();
    virtual ~CD3dxFont();
    CD3dxFont(const CD3dxFont&) = delete;
    CD3dxFont& operator=(const CD3dxFont&) = delete;

    // The face argument is accepted and ignored, as in the game: every font
    // uses the one Hangul face. False if no face could be opened.
    bool create(CDirect3D* device, const char* face, int height);
    // Draws `text` (CP949, `length` bytes or -1 for a terminated string) with
    // its top-left at (left, top). Never clips and never wraps; a newline
    // starts the next line at `left`.
    void draw(int left, int top, int right, int bottom, uint32_t colour, const char* text,
              int length = -1);
    // Width in pixels that draw would cover.
    int measure(const char* text, int length = -1);
    bool valid() const { return cache_ != nullptr; }

    FontRect rect;

private:
    CDirect3D* device_ = nullptr;
    std::shared_ptr<velk::GlyphCache> cache_;
};
