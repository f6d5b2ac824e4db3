#pragma once
// Bilinear resampling for stretched quads. A quad of `dst` pixels showing a
// texture of `src` texels puts the centre of destination pixel j on texel
// coordinate (j + 0.5) * src / dst - 0.5, as a rasteriser does for the
// game's half-pixel-offset quads; neighbours outside the texture are clamped
// to its edge. Fractions have 8 bits, as texture units filter.

#include <cstddef>
#include <cstdint>

namespace velk {

struct StretchTap {
    uint32_t first;   // texel on the near side
    uint32_t second;  // texel on the far side (equal to first at an edge)
    uint32_t weight;  // 0..255: share of `second`, in 256ths
};

// Taps for destination positions from .. from + count - 1.
void stretchTaps(uint32_t src, uint32_t dst, uint32_t from, uint32_t count, StretchTap* out);

// One destination row: `row` selects and weighs the two source rows, `cols`
// the source columns of each output pixel.
void stretchRow(const uint32_t* pixels, uint32_t srcWidth, const StretchTap& row,
                const StretchTap* cols, uint32_t count, uint32_t* out);

}  // namespace velk
