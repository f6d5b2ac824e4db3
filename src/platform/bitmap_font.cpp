#include "platform/bitmap_font.h"

#include <algorithm>

#include "platform/direct3d.h"
#include "platform/font_face.h"

namespace {

constexpr int kFirst = 32;
constexpr int kLast = 126;
constexpr int kScreenDpi = 96;
constexpr int kMaxAtlasSide = 4096;

struct Rendered {
    std::vector<uint8_t> coverage;
    int width = 0, height = 0, left = 0, top = 0, advance = 0;
};

}  // namespace

CBitmapFont::CBitmapFont(const char* face, int pointSize, uint32_t flags)
    : face_(face ? std::string(face).substr(0, 80) : std::string()),
      pointSize_(pointSize),
      flags_(flags) {}

CBitmapFont::~CBitmapFont() = default;

int CBitmapFont::createDeviceObjects(CDirect3D* device) {
    device_ = device;
    atlas_.clear();
    const bool bold = flags_ & 1;
    const bool italic = flags_ & 2;
    const auto file = velk::findFace(face_, bold, italic);
    if (!file) return -1;
    auto face = velk::FontFace::open(*file);
    // Points at the screen's 96 dpi give the em height in pixels.
    const int pixels = pointSize_ * kScreenDpi / 72;
    if (!face || pixels <= 0 || pixels > 256 || !face->setHeight(-pixels)) return -1;
    lineHeight_ = face->ascender() + face->descender();
    // The blank margin the font keeps around each character; the first
    // character of a line starts this far right of the pen.
    spacing_ = (lineHeight_ * 3 + 9) / 10;

    Rendered rendered[kLast - kFirst + 1];
    for (int c = kFirst; c <= kLast; ++c) {
        velk::RenderedGlyph glyph;
        if (!face->render(static_cast<char32_t>(c), glyph)) return -1;
        Rendered& r = rendered[c - kFirst];
        r.width = glyph.width;
        r.height = glyph.height;
        r.left = glyph.left;
        r.top = face->ascender() - glyph.top;
        r.advance = glyph.advance;
        r.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
        for (int row = 0; row < glyph.height; ++row)
            std::copy_n(glyph.coverage + static_cast<ptrdiff_t>(row) * glyph.pitch, glyph.width,
                        r.coverage.data() + static_cast<size_t>(row) * glyph.width);
    }

    // Rows of glyphs one pixel apart in a square that doubles until all fit.
    int side = 128;
    for (;; side *= 2) {
        if (side > kMaxAtlasSide) return -1;
        int x = 0, y = 0, rowHeight = 0;
        bool fits = true;
        for (int i = 0; i <= kLast - kFirst && fits; ++i) {
            const Rendered& r = rendered[i];
            if (x + r.width > side) {
                x = 0;
                y += rowHeight + 1;
                rowHeight = 0;
            }
            glyphs_[i] = Glyph{x, y, r.width, r.height, r.left, r.top, r.advance};
            x += r.width + 1;
            rowHeight = std::max(rowHeight, r.height);
            fits = r.width <= side && y + rowHeight <= side;
        }
        if (fits) break;
    }
    atlasWidth_ = side;
    atlasHeight_ = side;
    atlas_.assign(static_cast<size_t>(side) * side, 0);
    for (int i = 0; i <= kLast - kFirst; ++i) {
        const Glyph& g = glyphs_[i];
        for (int row = 0; row < g.h; ++row) {
            for (int col = 0; col < g.w; ++col) {
                // Sixteen coverage levels, as the glyph texture's 4-bit alpha held them.
                const uint8_t c = rendered[i].coverage[static_cast<size_t>(row) * g.w + col];
                atlas_[static_cast<size_t>(g.y + row) * side + g.x + col] =
                    static_cast<uint8_t>((c >> 4) * 17);
            }
        }
    }
    return 0;
}

void CBitmapFont::drawText(float x, float y, uint32_t colour, const char* text, uint32_t flags) {
    if (!device_ || atlas_.empty() || !text) return;
    int startX = static_cast<int>(x);
    int penY = static_cast<int>(y);
    if (flags & 3) {
        int width = 0, lineWidth = 0, lines = 1;
        for (const char* p = text; *p; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (c == '\n') {
                ++lines;
                lineWidth = 0;
            } else if (c >= kFirst && c <= kLast) {
                lineWidth += glyphs_[c - kFirst].advance;
                width = std::max(width, lineWidth);
            }
        }
        if (flags & 1) startX = (device_->width() - width) / 2;
        if (flags & 2) penY = (device_->height() - lines * lineHeight_) / 2;
    }
    int penX = startX;
    for (const char* p = text; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == '\n') {
            penX = startX;
            penY += lineHeight_;
            continue;
        }
        // Control characters and the bytes of two-byte text have no glyph.
        if (c < kFirst || c > kLast) continue;
        const Glyph& g = glyphs_[c - kFirst];
        if (g.w > 0 && g.h > 0)
            device_->drawCoverage(atlas_.data() + static_cast<size_t>(g.y) * atlasWidth_ + g.x,
                                  atlasWidth_, g.w, g.h, penX + spacing_ + g.left, penY + g.top,
                                  colour);
        penX += g.advance;
    }
}
