#include "platform/d3dx_font.h"

#include <cstring>
#include <utility>

#include "platform/cp949.h"
#include "platform/glyph_cache.h"

namespace {

// A given length still ends at a terminator, so a fixed-size line buffer
// never shows what lies after its text; a length that cuts a character in
// two (text typing out) leaves its first half unshown.
size_t textLength(const char* text, int length) {
    if (length < 0) return std::strlen(text);
    return velk::wholeCp949Length(text, strnlen(text, static_cast<size_t>(length)));
}

std::function<void(const DrawnText&)>& watcher() {
    static std::function<void(const DrawnText&)> w;
    return w;
}

void report(velk::GlyphCache& cache, int x, int y, int grow, uint32_t colour, const char* text,
            size_t length) {
    if (!watcher()) return;
    DrawnText drawn{std::string(text, length), colour, cache.inkBounds(x, y, text, length)};
    if (drawn.ink.right > drawn.ink.left) {
        drawn.ink.left -= grow;
        drawn.ink.top -= grow;
        drawn.ink.right += grow;
        drawn.ink.bottom += grow;
    }
    watcher()(drawn);
}

}  // namespace

CD3dxFont::CD3dxFont() = default;

CD3dxFont::~CD3dxFont() = default;

bool CD3dxFont::create(CDirect3D* device, const char* /*face*/, int height) {
    device_ = device;
    // Every game font is bold.
    cache_ = velk::GlyphCache::get(height, true);
    return cache_ != nullptr;
}

void CD3dxFont::draw(int left, int top, int right, int bottom, uint32_t colour, const char* text,
                     int length) {
    rect = FontRect{left, top, right, bottom};
    if (!cache_ || !device_ || !text) return;
    const size_t n = textLength(text, length);
    cache_->draw(*device_, left, top, colour, text, n);
    report(*cache_, left, top, 0, colour, text, n);
}

void CD3dxFont::drawOutlined(int left, int top, uint32_t colour, uint32_t outline, const char* text,
                             int length, int radius) {
    if (!cache_ || !device_ || !text) return;
    const size_t n = textLength(text, length);
    const uint32_t ring = (outline & 0x00FFFFFFu) | (colour & 0xFF000000u);
    // The glyphs stamped at every offset within the radius make a solid ring.
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if ((dx || dy) && dx * dx + dy * dy <= radius * radius + radius)
                cache_->draw(*device_, left + dx, top + dy, ring, text, n);
    cache_->draw(*device_, left, top, colour, text, n);
    report(*cache_, left, top, radius, colour, text, n);
}

FontRect CD3dxFont::inkBounds(int left, int top, const char* text, int length) {
    if (!cache_ || !text) return {};
    return cache_->inkBounds(left, top, text, textLength(text, length));
}

int CD3dxFont::lineHeight() const { return cache_ ? cache_->lineHeight() : 0; }

void CD3dxFont::setWatcher(std::function<void(const DrawnText&)> w) { watcher() = std::move(w); }

int CD3dxFont::measure(const char* text, int length) {
    if (!cache_ || !text) return 0;
    return cache_->measure(text, textLength(text, length));
}
