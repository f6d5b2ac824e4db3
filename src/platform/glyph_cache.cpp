#include "platform/glyph_cache.h"

#include <algorithm>
#include <cstdlib>
#include <map>
#include <utility>

#include "platform/cp949.h"
#include "platform/d3dx_font.h"
#include "platform/direct3d.h"
#include "platform/font_face.h"

namespace velk {
namespace {

// Far beyond any height the game asks for; keeps a bad height from
// rasterising screen-sized glyphs.
constexpr int kMaxHeight = 1024;

}  // namespace

std::shared_ptr<GlyphCache> GlyphCache::get(int height, bool bold) {
    // Kept for the whole run: windows come and go, their glyphs stay drawn.
    static std::map<std::pair<int, bool>, std::shared_ptr<GlyphCache>> caches;
    if (height == 0 || std::abs(height) > kMaxHeight) return nullptr;
    auto& slot = caches[{height, bold}];
    if (slot) return slot;
    const auto& file = findHangulFace(bold);
    if (!file) return nullptr;
    auto face = FontFace::open(*file);
    if (!face || !face->setHeight(height)) return nullptr;
    const int lineHeight = height > 0 ? height : face->ascender() + face->descender();
    slot.reset(new GlyphCache(std::move(face), lineHeight));
    return slot;
}

GlyphCache::GlyphCache(std::unique_ptr<FontFace> face, int lineHeight)
    : face_(std::move(face)), lineHeight_(lineHeight) {}

GlyphCache::~GlyphCache() = default;

const GlyphCache::Glyph& GlyphCache::glyph(char32_t codePoint) {
    Glyph* entry;
    if (codePoint < 128) {
        entry = &ascii_[codePoint];
        if (asciiReady_[codePoint]) return *entry;
        asciiReady_[codePoint] = true;
    } else {
        auto [it, added] = others_.try_emplace(codePoint);
        entry = &it->second;
        if (!added) return *entry;
    }
    // A glyph that fails to render stays an empty one, never retried per frame.
    RenderedGlyph rendered;
    if (!face_->render(codePoint, rendered)) return *entry;
    entry->width = rendered.width;
    entry->height = rendered.height;
    entry->left = rendered.left;
    entry->top = face_->ascender() - rendered.top;
    entry->advance = rendered.advance;
    entry->offset = store_.size();
    store_.resize(store_.size() + static_cast<size_t>(rendered.width) * rendered.height);
    for (int row = 0; row < rendered.height; ++row)
        std::copy_n(rendered.coverage + static_cast<ptrdiff_t>(row) * rendered.pitch,
                    rendered.width, store_.data() + entry->offset + static_cast<size_t>(row) * rendered.width);
    return *entry;
}

template <class Visit>
void GlyphCache::layOut(int x, int y, const char* text, size_t length, Visit visit) {
    int penX = x;
    int lineTop = y;
    for (size_t i = 0; i < length;) {
        char32_t cp;
        i += decodeCp949(text, length, i, cp);
        if (cp == '\n') {
            penX = x;
            lineTop += lineHeight_;
            continue;
        }
        if (cp < 32) continue;
        const Glyph& g = glyph(cp);
        if (g.width > 0 && g.height > 0) visit(g, penX + g.left, lineTop + g.top);
        penX += g.advance;
    }
}

void GlyphCache::draw(CDirect3D& device, int x, int y, uint32_t colour, const char* text,
                      size_t length) {
    if ((colour >> 24) == 0) return;
    layOut(x, y, text, length, [&](const Glyph& g, int left, int top) {
        device.drawCoverage(coverage(g), g.width, g.width, g.height, left, top, colour);
    });
}

FontRect GlyphCache::inkBounds(int x, int y, const char* text, size_t length) {
    FontRect box{};
    bool any = false;
    layOut(x, y, text, length, [&](const Glyph& g, int left, int top) {
        const FontRect r{left, top, left + g.width, top + g.height};
        box = any ? FontRect{std::min(box.left, r.left), std::min(box.top, r.top), std::max(box.right, r.right),
                             std::max(box.bottom, r.bottom)}
                  : r;
        any = true;
    });
    return box;
}

int GlyphCache::measure(const char* text, size_t length) {
    int widest = 0;
    int width = 0;
    for (size_t i = 0; i < length;) {
        char32_t cp;
        i += decodeCp949(text, length, i, cp);
        if (cp == '\n') {
            width = 0;
            continue;
        }
        if (cp < 32) continue;
        width += glyph(cp).advance;
        widest = std::max(widest, width);
    }
    return widest;
}

}  // namespace velk
