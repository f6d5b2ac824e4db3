#pragma once
// CTexture: a compositor texture. Holds the ARGB texels and what the blitter
// precomputes from them (which rows and spans are opaque or empty, and a
// cache of the last stretched size), so drawing allocates nothing per quad.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/stretch.h"

class CTexture {
public:
    CTexture(uint32_t width, uint32_t height, const uint32_t* pixels);

    uint32_t width() const { return base_.width; }
    uint32_t height() const { return base_.height; }
    const uint32_t* pixels() const { return base_.pixels.data(); }
    uint32_t texel(uint32_t x, uint32_t y) const { return base_.pixels[size_t(y) * base_.width + x]; }

private:
    friend class CDirect3D;

    // A run of texels in one row that the blitter treats alike.
    enum SpanKind : uint32_t {
        kClear,   // alpha 0 everywhere
        kOpaque,  // alpha 255 everywhere
        kMixed,   // anything else: decided texel by texel
    };
    struct Span {
        uint32_t begin;
        uint32_t end;
        SpanKind kind;
    };

    // One image as the blitter sees it: texels plus the spans of each row.
    struct Layer {
        uint32_t width = 0;
        uint32_t height = 0;
        std::vector<uint32_t> pixels;
        std::vector<uint32_t> rowSpans;  // spans of row y: [rowSpans[y], rowSpans[y + 1])
        std::vector<Span> spans;
        bool opaque = false;             // every texel has alpha 255

        void analyse();
    };

    // Stretched images larger than this, or with a side longer than any
    // loader accepts, are sampled on the fly instead of being cached, so an
    // absurd quad size cannot allocate without bound.
    static constexpr uint64_t kMaxCachedStretch = 4u * 1024u * 1024u;

    // The texture resampled to w x h. Cached: quads drawn at the same size
    // every frame (the title backdrop) resample only once.
    const Layer& stretched(uint32_t w, uint32_t h) const;

    Layer base_;
    mutable Layer stretched_;
    mutable std::vector<velk::StretchTap> columns_;  // kept to resample without allocating
};
