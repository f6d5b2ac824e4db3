#include "platform/texture.h"

#include <algorithm>

#include "platform/stretch.h"

namespace {

// Uniform runs shorter than this are folded into the neighbouring
// texel-by-texel span: a memcpy or a skip does not pay for itself there.
constexpr uint32_t kMinRun = 8;

}  // namespace

CTexture::CTexture(uint32_t width, uint32_t height, const uint32_t* pixels) {
    base_.width = width;
    base_.height = height;
    base_.pixels.assign(pixels, pixels + size_t(width) * height);
    base_.analyse();
}

void CTexture::Layer::analyse() {
    rowSpans.assign(size_t(height) + 1, 0);
    spans.clear();
    opaque = true;
    for (uint32_t y = 0; y < height; ++y) {
        const size_t first = spans.size();
        rowSpans[y] = uint32_t(first);
        const uint32_t* row = pixels.data() + size_t(y) * width;
        auto kindOf = [](uint32_t texel) {
            const uint32_t a = texel >> 24;
            return a == 0 ? kClear : (a == 255 ? kOpaque : kMixed);
        };
        uint32_t x = 0;
        while (x < width) {
            SpanKind kind = kindOf(row[x]);
            uint32_t end = x + 1;
            while (end < width && kindOf(row[end]) == kind) ++end;
            if (kind != kOpaque) opaque = false;
            if (kind != kMixed && end - x < kMinRun && !(x == 0 && end == width)) kind = kMixed;
            if (kind == kMixed && spans.size() > first && spans.back().kind == kMixed)
                spans.back().end = end;
            else
                spans.push_back({x, end, kind});
            x = end;
        }
    }
    rowSpans[height] = uint32_t(spans.size());
}

const CTexture::Layer& CTexture::stretched(uint32_t w, uint32_t h) const {
    if (stretched_.width == w && stretched_.height == h && !stretched_.pixels.empty())
        return stretched_;
    stretched_.width = w;
    stretched_.height = h;
    stretched_.pixels.resize(size_t(w) * h);
    columns_.resize(w);
    velk::stretchTaps(base_.width, w, 0, w, columns_.data());
    for (uint32_t y = 0; y < h; ++y) {
        velk::StretchTap row;
        velk::stretchTaps(base_.height, h, y, 1, &row);
        velk::stretchRow(base_.pixels.data(), base_.width, row, columns_.data(), w,
                         stretched_.pixels.data() + size_t(y) * w);
    }
    stretched_.analyse();
    return stretched_;
}
