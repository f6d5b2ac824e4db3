#include "widgets/fit_font.h"

bool CFitFont::create(CDirect3D* device, const std::vector<int>& heights) {
    faces_.clear();
    for (int height : heights) {
        auto face = std::make_unique<CD3dxFont>();
        if (face->create(device, "System", height)) faces_.push_back(std::move(face));
    }
    return !faces_.empty();
}

CD3dxFont* CFitFont::fitting(const std::string& text, int width, int height, FontRect* ink) {
    // The ink decides, not the advance: a glyph may reach past its advance.
    FontRect measured{};
    for (const auto& face : faces_) {
        measured = face->inkBounds(0, 0, text.c_str());
        if (ink) *ink = measured;
        if (measured.right - measured.left <= width && measured.bottom - measured.top <= height) return face.get();
    }
    // None fits: the smallest, whose ink the loop measured last.
    return faces_.empty() ? nullptr : faces_.back().get();
}

void CFitFont::draw(const FontRect& box, uint32_t colour, const std::string& text, Align align,
                    uint32_t outline) {
    // An outline needs a pixel of room on each side.
    const int ring = outline ? 1 : 0;
    const int width = box.right - box.left - 2 * ring;
    const int height = box.bottom - box.top - 2 * ring;
    FontRect ink{};
    CD3dxFont* face = fitting(text, width, height, &ink);
    if (!face) return;
    // Placed and centred by the ink: digits have no descenders.
    const int inkWidth = ink.right - ink.left;
    int x = box.left + ring - ink.left;
    if (align == Align::Centre) x += (width - inkWidth) / 2;
    if (align == Align::Right) x += width - inkWidth;
    const int y = box.top + (box.bottom - box.top - (ink.bottom - ink.top)) / 2 - ink.top;
    if (outline)
        face->drawOutlined(x, y, colour, outline, text.c_str());
    else
        face->draw(x, y, box.right, box.bottom, colour, text.c_str());
}
