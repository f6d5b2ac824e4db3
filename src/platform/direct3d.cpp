#include "platform/direct3d.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/backend.h"
#include "platform/image_block.h"

namespace {

constexpr uint32_t kOpaqueAlpha = 0xFF000000u;
// Corners beyond this are far off any screen; clamping keeps the integer
// maths of huge or stretched quads well inside 64 bits.
constexpr double kCoordLimit = double(1 << 30);

// The quad edge sits at trunc(v) - 0.5, so trunc(v) is the first pixel whose
// centre lies inside. False for coordinates that are not numbers.
bool corner(float v, int64_t& out) {
    if (!std::isfinite(v)) return false;
    out = int64_t(std::clamp(double(std::trunc(v)), -kCoordLimit, kCoordLimit));
    return true;
}

// The texture stage's modulate in 8 bits: a * f / 255, rounded to nearest.
// So a texel survives the alpha test after blendOn(f) when a * f >= 128.
inline uint32_t mul8(uint32_t a, uint32_t f) {
    const uint32_t t = a * f + 128;
    return (t + (t >> 8)) >> 8;
}

// Source-over with alpha a (1..254): dst = (src * a + dst * (255 - a)) / 255
// per colour channel, rounded to nearest; red and blue share one multiply.
inline uint32_t blendPixel(uint32_t src, uint32_t dst, uint32_t a) {
    const uint32_t ia = 255 - a;
    uint32_t rb = (src & 0xFF00FF) * a + (dst & 0xFF00FF) * ia + 0x800080;
    rb = ((rb + ((rb >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    uint32_t g = ((src >> 8) & 0xFF) * a + ((dst >> 8) & 0xFF) * ia + 128;
    g = (g + (g >> 8)) >> 8;
    return kOpaqueAlpha | rb | (g << 8);
}

#if defined(__SSE2__)
// The same maths as blendPixel on 16-bit lanes, exact to the last bit:
// (s * a + d * (255 - a) + 128) fits 16 bits, and so does the rounding step.
inline __m128i blendLanes(__m128i s, __m128i d, __m128i a) {
    const __m128i x = _mm_add_epi16(
        _mm_add_epi16(_mm_mullo_epi16(s, a),
                      _mm_mullo_epi16(d, _mm_sub_epi16(_mm_set1_epi16(255), a))),
        _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
}

// Four pixels; aLo holds the alpha of pixels 0 and 1 in each channel lane, aHi of 2 and 3.
inline __m128i blend4(__m128i src, __m128i dst, __m128i aLo, __m128i aHi) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = blendLanes(_mm_unpacklo_epi8(src, zero), _mm_unpacklo_epi8(dst, zero), aLo);
    const __m128i hi = blendLanes(_mm_unpackhi_epi8(src, zero), _mm_unpackhi_epi8(dst, zero), aHi);
    return _mm_or_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(int(kOpaqueAlpha)));
}

// mul8 on 16-bit lanes.
inline __m128i mul8Lanes(__m128i a, __m128i f) {
    const __m128i t = _mm_add_epi16(_mm_mullo_epi16(a, f), _mm_set1_epi16(128));
    return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}
#endif

void blendConstant(const uint32_t* src, uint32_t* dst, uint32_t n, uint32_t a) {
    uint32_t i = 0;
#if defined(__SSE2__)
    const __m128i alpha = _mm_set1_epi16(short(a));
    for (; i + 4 <= n; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), blend4(s, d, alpha, alpha));
    }
#endif
    for (; i < n; ++i) dst[i] = blendPixel(src[i], dst[i], a);
}

// Each texel with its own alpha times the factor. An alpha of 0 leaves the
// pixel as it was and 255 replaces it, so no texel needs a branch.
void blendVarying(const uint32_t* src, uint32_t* dst, uint32_t n, uint32_t factor) {
    uint32_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    const __m128i f = _mm_set1_epi16(short(factor));
    for (; i + 4 <= n; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i));
        const __m128i sLo = _mm_unpacklo_epi8(s, zero), sHi = _mm_unpackhi_epi8(s, zero);
        __m128i aLo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sLo, 0xFF), 0xFF);
        __m128i aHi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sHi, 0xFF), 0xFF);
        if (factor != 255) {
            aLo = mul8Lanes(aLo, f);
            aHi = mul8Lanes(aHi, f);
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), blend4(s, d, aLo, aHi));
    }
#endif
    for (; i < n; ++i) {
        const uint32_t a = mul8(src[i] >> 24, factor);
        if (a == 255)
            dst[i] = src[i] | kOpaqueAlpha;
        else if (a != 0)
            dst[i] = blendPixel(src[i], dst[i], a);
    }
}

void copyOpaque(const uint32_t* src, uint32_t* dst, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) dst[i] = src[i] | kOpaqueAlpha;
}

}  // namespace

CDirect3D::CDirect3D() = default;
CDirect3D::~CDirect3D() = default;

bool CDirect3D::init(velk::IBackend* backend, int width, int height, bool windowed, int scale) {
    if (width <= 0 || height <= 0 || !velk::imageSizeAcceptable(uint32_t(width), uint32_t(height)))
        return false;
    if (backend && !backend->openDisplay(width, height, windowed, scale)) return false;
    backend_ = backend;
    width_ = width;
    height_ = height;
    buffer_.assign(size_t(width) * size_t(height), kOpaqueAlpha);
    taps_.reserve(size_t(width));
    row_.reserve(size_t(width));
    ready_ = true;
    return true;
}

void CDirect3D::clear(uint32_t colour) {
    if (buffer_.empty()) return;
    // One row by hand, the others by the library's fast copy.
    uint32_t* first = buffer_.data();
    std::fill_n(first, width_, colour | kOpaqueAlpha);
    for (int y = 1; y < height_; ++y)
        std::memcpy(first + size_t(y) * size_t(width_), first, size_t(width_) * sizeof(uint32_t));
}

void CDirect3D::present() {
    if (backend_ && ready_) backend_->present(buffer_.data(), width_, height_);
}

void CDirect3D::blendOn(int alpha) {
    blend_ = true;
    factor_ = std::clamp(alpha, 0, 255);
}

std::unique_ptr<CTexture> CDirect3D::createTexture(uint32_t width, uint32_t height,
                                                   const uint32_t* pixels) {
    if (!pixels || width == 0 || height == 0 || !velk::imageSizeAcceptable(width, height))
        return nullptr;
    return std::make_unique<CTexture>(width, height, pixels);
}

CDirect3D::BlitState CDirect3D::blitState() const {
    const uint32_t f = uint32_t(factor_);
    if (blend_) return {Mode::kBlend, f, 0};
    if (!alphaTest_) return {Mode::kCopy, f, 0};
    // mul8(a, f) > 0 exactly when a * f >= 128.
    const uint32_t minAlpha = f == 0 ? 256 : (128 + f - 1) / f;
    return {Mode::kTest, f, minAlpha};
}

void CDirect3D::drawQuad(const CTexture* texture, float x, float y, float w, float h) {
    if (!texture || buffer_.empty()) return;
    int64_t x0, y0, x1, y1;
    if (!corner(x, x0) || !corner(y, y0) || !corner(x + w, x1) || !corner(y + h, y1)) return;
    // A mirrored quad faces away and is culled.
    if (x1 <= x0 || y1 <= y0) return;
    const int64_t cx0 = std::max<int64_t>(x0, 0), cx1 = std::min<int64_t>(x1, width_);
    const int64_t cy0 = std::max<int64_t>(y0, 0), cy1 = std::min<int64_t>(y1, height_);
    if (cx1 <= cx0 || cy1 <= cy0) return;

    const BlitState st = blitState();
    // Every final alpha is 0: the test drops all texels, blending changes nothing.
    if (st.mode != Mode::kCopy && st.factor == 0) return;

    const int64_t qw = x1 - x0, qh = y1 - y0;
    const int cw = int(cx1 - cx0), ch = int(cy1 - cy0);
    const uint32_t sx = uint32_t(cx0 - x0), sy = uint32_t(cy0 - y0);
    if (qw == texture->width() && qh == texture->height())
        blitLayer(texture->base_, sx, sy, int(cx0), int(cy0), cw, ch, st);
    else if (velk::imageSizeAcceptable(uint32_t(qw), uint32_t(qh)) &&
             uint64_t(qw) * uint64_t(qh) <= CTexture::kMaxCachedStretch)
        blitLayer(texture->stretched(uint32_t(qw), uint32_t(qh)), sx, sy, int(cx0), int(cy0), cw,
                  ch, st);
    else
        drawStretchedDirect(*texture, x0, y0, qw, qh, int(cx0), int(cy0), cw, ch, st);
}

// Texels of unknown alpha, one by one.
void CDirect3D::blitMixed(const uint32_t* src, uint32_t* dst, uint32_t n, const BlitState& st) {
    switch (st.mode) {
    case Mode::kCopy:
        copyOpaque(src, dst, n);
        break;
    case Mode::kTest:
        for (uint32_t i = 0; i < n; ++i)
            if ((src[i] >> 24) >= st.minAlpha) dst[i] = src[i] | kOpaqueAlpha;
        break;
    case Mode::kBlend:
        blendVarying(src, dst, n, st.factor);
        break;
    }
}

void CDirect3D::blitLayer(const CTexture::Layer& layer, uint32_t sx, uint32_t sy, int dx, int dy,
                          int cw, int ch, const BlitState& st) {
    const size_t pitch = size_t(width_);
    uint32_t* dstRow = buffer_.data() + size_t(dy) * pitch + size_t(dx);
    const uint32_t* srcRow = layer.pixels.data() + size_t(sy) * layer.width + sx;

    // Opaque textures drawn without translucency: plain row copies.
    if (layer.opaque && (st.mode != Mode::kBlend || st.factor == 255)) {
        for (int r = 0; r < ch; ++r, dstRow += pitch, srcRow += layer.width)
            std::memcpy(dstRow, srcRow, size_t(cw) * sizeof(uint32_t));
        return;
    }

    const uint32_t from = sx, to = sx + uint32_t(cw);
    for (int r = 0; r < ch; ++r, dstRow += pitch, srcRow += layer.width) {
        const uint32_t y = sy + uint32_t(r);
        const CTexture::Span* span = layer.spans.data() + layer.rowSpans[y];
        const CTexture::Span* end = layer.spans.data() + layer.rowSpans[y + 1];
        for (; span != end && span->begin < to; ++span) {
            if (span->end <= from) continue;
            const uint32_t b = std::max(span->begin, from), e = std::min(span->end, to);
            const uint32_t* s = srcRow + (b - from);
            uint32_t* d = dstRow + (b - from);
            const uint32_t n = e - b;
            switch (span->kind) {
            case CTexture::kOpaque:
                if (st.mode == Mode::kBlend && st.factor != 255)
                    blendConstant(s, d, n, st.factor);
                else
                    std::memcpy(d, s, size_t(n) * sizeof(uint32_t));
                break;
            case CTexture::kClear:
                if (st.mode == Mode::kCopy) copyOpaque(s, d, n);
                break;
            case CTexture::kMixed:
                blitMixed(s, d, n, st);
                break;
            }
        }
    }
}

void CDirect3D::drawStretchedDirect(const CTexture& texture, int64_t x0, int64_t y0, int64_t w,
                                    int64_t h, int cx0, int cy0, int cw, int ch,
                                    const BlitState& st) {
    const CTexture::Layer& base = texture.base_;
    taps_.resize(size_t(cw));
    row_.resize(size_t(cw));
    velk::stretchTaps(base.width, uint32_t(w), uint32_t(cx0 - x0), uint32_t(cw), taps_.data());
    for (int r = 0; r < ch; ++r) {
        velk::StretchTap rowTap;
        velk::stretchTaps(base.height, uint32_t(h), uint32_t(cy0 + r - y0), 1, &rowTap);
        velk::stretchRow(base.pixels.data(), base.width, rowTap, taps_.data(), uint32_t(cw),
                         row_.data());
        blitMixed(row_.data(), buffer_.data() + size_t(cy0 + r) * size_t(width_) + size_t(cx0),
                  uint32_t(cw), st);
    }
}

void CDirect3D::drawCoverage(const uint8_t* coverage, int pitch, int width, int height, int x,
                             int y, uint32_t colour) {
    if (!coverage || buffer_.empty() || width <= 0 || height <= 0) return;
    const uint32_t alpha = colour >> 24;
    if (alpha == 0) return;
    const int64_t cx0 = std::max<int64_t>(x, 0), cx1 = std::min<int64_t>(int64_t(x) + width, width_);
    const int64_t cy0 = std::max<int64_t>(y, 0), cy1 = std::min<int64_t>(int64_t(y) + height, height_);
    if (cx1 <= cx0 || cy1 <= cy0) return;
    const uint32_t solid = colour | kOpaqueAlpha;
    const int n = int(cx1 - cx0);
    for (int64_t row = cy0; row < cy1; ++row) {
        const uint8_t* cov = coverage + (row - y) * int64_t(pitch) + (cx0 - x);
        uint32_t* d = buffer_.data() + size_t(row) * size_t(width_) + size_t(cx0);
        int i = 0;
#if defined(__SSE2__)
        const __m128i src = _mm_set1_epi32(int(solid));
        const __m128i ca = _mm_set1_epi16(short(alpha));
        for (; i + 4 <= n; i += 4) {
            uint32_t four;
            std::memcpy(&four, cov + i, 4);
            if (four == 0) continue;  // the gaps between glyphs
            // c0 c1 c2 c3 -> each coverage in the four channel lanes of its pixel
            __m128i c = _mm_cvtsi32_si128(int(four));
            c = _mm_unpacklo_epi8(c, c);
            c = _mm_unpacklo_epi8(c, c);
            __m128i aLo = _mm_unpacklo_epi8(c, _mm_setzero_si128());
            __m128i aHi = _mm_unpackhi_epi8(c, _mm_setzero_si128());
            if (alpha != 255) {
                aLo = mul8Lanes(aLo, ca);
                aHi = mul8Lanes(aHi, ca);
            }
            __m128i* p = reinterpret_cast<__m128i*>(d + i);
            _mm_storeu_si128(p, blend4(src, _mm_loadu_si128(p), aLo, aHi));
        }
#endif
        for (; i < n; ++i) {
            const uint32_t a = alpha == 255 ? cov[i] : mul8(cov[i], alpha);
            if (a == 255)
                d[i] = solid;
            else if (a != 0)
                d[i] = blendPixel(solid, d[i], a);
        }
    }
}
