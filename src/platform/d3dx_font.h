// Not D3DX: CD3dxFont draws FreeType glyphs with the software compositor.
#pragma once
// CD3dxFont: the game's text font. CP949 text in, drawn with FreeType glyphs
// (a face with Hangul coverage found through fontconfig, bold as the game
// asks) blended onto the back buffer in an ARGB colour. Heights are pixel
// heights of the character cell. Glyphs are cached once for all fonts of one
// height.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

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

// What one draw call put on screen: its CP949 text, its colour and the
// rectangle its ink covers (right and bottom exclusive; empty for no ink).
struct DrawnText {
    std::string text;
    uint32_t colour = 0;
    FontRect ink;
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
    // The same text with a ring of `outline` colour `radius` pixels wide
    // around every glyph, so it reads on any backdrop; the outline takes the
    // text's alpha.
    void drawOutlined(int left, int top, uint32_t colour, uint32_t outline, const char* text,
                      int length = -1, int radius = 1);
    // Width in pixels that draw would cover.
    int measure(const char* text, int length = -1);
    // The rectangle the ink of `text` drawn at (left, top) covers (right and
    // bottom exclusive); all zero without ink.
    FontRect inkBounds(int left, int top, const char* text, int length = -1);
    // The pixel height of the character cell; 0 without a face.
    int lineHeight() const;
    bool valid() const { return cache_ != nullptr; }

    // Tests watch where text lands: every draw reports its ink while a
    // watcher is set. Null (the game) costs nothing.
    static void setWatcher(std::function<void(const DrawnText&)> watcher);

    FontRect rect;

private:
    CDirect3D* device_ = nullptr;
    std::shared_ptr<velk::GlyphCache> cache_;
};
