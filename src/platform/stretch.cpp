#include "platform/stretch.h"

namespace velk {

void stretchTaps(uint32_t src, uint32_t dst, uint32_t from, uint32_t count, StretchTap* out) {
    const int64_t last = int64_t(src) - 1;
    for (uint32_t k = 0; k < count; ++k) {
        const int64_t j = int64_t(from) + k;
        // Texel coordinate in 256ths: (j + 0.5) * src / dst - 0.5, floored.
        const int64_t pos = ((2 * j + 1) * int64_t(src) * 256) / (2 * int64_t(dst)) - 128;
        const int64_t i0 = pos >> 8;
        const int64_t a = i0 < 0 ? 0 : (i0 > last ? last : i0);
        const int64_t b = i0 + 1 < 0 ? 0 : (i0 + 1 > last ? last : i0 + 1);
        out[k].first = uint32_t(a);
        out[k].second = uint32_t(b);
        out[k].weight = a == b ? 0 : uint32_t(pos & 255);
    }
}

namespace {

// A pixel's four channels in four 16-bit lanes (blue, red, green, alpha).
inline uint64_t spread(uint32_t c) {
    const uint64_t x = c;
    return (x | (x << 24)) & 0x00FF00FF00FF00FFull;
}

inline uint32_t gather(uint64_t lanes) {
    const uint64_t y = lanes & 0x00FF00FF00FF00FFull;
    return uint32_t(y | (y >> 24));
}

// Per channel: ((p00 (256 - wx) + p01 wx) (256 - wy) + (p10 (256 - wx) + p11 wx) wy + 2^15) >> 16.
// The horizontal sums fit 16-bit lanes; the vertical step splits them into
// 32-bit lanes, two channels at a time.
inline uint32_t bilinear(uint32_t p00, uint32_t p01, uint32_t p10, uint32_t p11, uint32_t wx,
                         uint32_t wy) {
    constexpr uint64_t kLow = 0x0000FFFF0000FFFFull;
    constexpr uint64_t kByte = 0x000000FF000000FFull;
    constexpr uint64_t kHalf = 0x0000800000008000ull;
    const uint64_t top = spread(p00) * (256 - wx) + spread(p01) * wx;
    const uint64_t bottom = spread(p10) * (256 - wx) + spread(p11) * wx;
    const uint64_t even = (top & kLow) * (256 - wy) + (bottom & kLow) * wy + kHalf;
    const uint64_t odd = ((top >> 16) & kLow) * (256 - wy) + ((bottom >> 16) & kLow) * wy + kHalf;
    return gather(((even >> 16) & kByte) | (((odd >> 16) & kByte) << 16));
}

}  // namespace

void stretchRow(const uint32_t* pixels, uint32_t srcWidth, const StretchTap& row,
                const StretchTap* cols, uint32_t count, uint32_t* out) {
    const uint32_t* r0 = pixels + size_t(row.first) * srcWidth;
    const uint32_t* r1 = pixels + size_t(row.second) * srcWidth;
    for (uint32_t k = 0; k < count; ++k) {
        const StretchTap& c = cols[k];
        out[k] = bilinear(r0[c.first], r0[c.second], r1[c.first], r1[c.second], c.weight,
                          row.weight);
    }
}

}  // namespace velk
