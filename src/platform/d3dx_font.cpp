#include "platform/d3dx_font.h"

#include <cstring>

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
    cache_->draw(*device_, left, top, colour, text, textLength(text, length));
}

int CD3dxFont::measure(const char* text, int length) {
    if (!cache_ || !text) return 0;
    return cache_->measure(text, textLength(text, length));
}
