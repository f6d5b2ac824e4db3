#pragma once
// CFitFont: the game's font at a few heights, largest first, for text that
// must stay inside a box of the window art. A text takes the largest height
// whose ink fits the box, so a long value (a level-100 experience goal, a
// full purse) gets smaller instead of running out of its box; every height
// is its own rasterised face, so the text stays crisp at any of them.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx_font.h"

class CDirect3D;

class CFitFont {
public:
    enum class Align { Left, Centre, Right };

    // Makes a face per height (listed largest first); false when none could
    // be made.
    bool create(CDirect3D* device, const std::vector<int>& heights);
    // Draws CP949 `text` inside the box: the largest height whose ink (and
    // outline) fits it (the smallest when none does), placed by `align` and centred
    // vertically on its ink. A non-zero `outline` rings the glyphs with it.
    void draw(const FontRect& box, uint32_t colour, const std::string& text, Align align = Align::Left,
              uint32_t outline = 0);
    // The face draw would use for `text` in a box of that size, and when
    // `ink` is given, that face's ink for the text at (0, 0); null without
    // faces.
    CD3dxFont* fitting(const std::string& text, int width, int height, FontRect* ink = nullptr);

private:
    std::vector<std::unique_ptr<CD3dxFont>> faces_;
};
