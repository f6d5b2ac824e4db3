#include "demo/art.h"

#include <algorithm>
#include <cmath>

#include "platform/glyph_cache.h"

namespace demo {

namespace {

std::u32string decodeUtf8(const std::string& s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = s[i];
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
        for (int k = 1; k <= extra && i + k < s.size(); ++k) cp = (cp << 6) | (s[i + k] & 0x3F);
        out += cp;
        i += size_t(extra) + 1;
    }
    return out;
}

}  // namespace

uint32_t mix(uint32_t a, uint32_t b, float t) {
    auto ch = [&](int shift) {
        float x = float((a >> shift) & 0xFF), y = float((b >> shift) & 0xFF);
        return uint32_t(std::lround(x + (y - x) * t)) << shift;
    };
    return ch(24) | ch(16) | ch(8) | ch(0);
}

uint32_t hash3(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 0x8DA6B343u ^ uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float bayer4(int x, int y) {
    static constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return float(kMatrix[y & 3][x & 3]) / 16.0f;
}

Canvas::Canvas(int width, int height, uint32_t fill)
    : w_(width), h_(height), px_(size_t(width) * height, fill) {}

void Canvas::set(int x, int y, uint32_t c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[size_t(y) * w_ + x] = c;
}

void Canvas::blend(int x, int y, uint32_t c, int cover) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_) return;
    uint32_t& d = px_[size_t(y) * w_ + x];
    float sa = float(c >> 24) / 255.0f * float(cover) / 255.0f;
    float da = float(d >> 24) / 255.0f;
    float oa = sa + da * (1 - sa);
    if (oa <= 0) return;
    auto ch = [&](int shift) {
        float s = float((c >> shift) & 0xFF), t = float((d >> shift) & 0xFF);
        return uint32_t(std::lround((s * sa + t * da * (1 - sa)) / oa)) << shift;
    };
    d = uint32_t(std::lround(oa * 255)) << 24 | ch(16) | ch(8) | ch(0);
}

void Canvas::fillRect(int x, int y, int w, int h, uint32_t c) {
    for (int j = std::max(0, y); j < std::min(h_, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(w_, x + w); ++i) blend(i, j, c);
}

namespace {
// Whether (i, j) lies inside a rounded rectangle.
bool insideRound(int i, int j, int x, int y, int w, int h, int r) {
    int cx = std::clamp(i, x + r, x + w - 1 - r);
    int cy = std::clamp(j, y + r, y + h - 1 - r);
    int dx = i - cx, dy = j - cy;
    return dx * dx + dy * dy <= r * r;
}
}  // namespace

void Canvas::fillRoundRect(int x, int y, int w, int h, int radius, uint32_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (insideRound(i, j, x, y, w, h, radius)) blend(i, j, c);
}

void Canvas::frameRoundRect(int x, int y, int w, int h, int radius, uint32_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i)
            if (insideRound(i, j, x, y, w, h, radius) &&
                !insideRound(i, j, x + 1, y + 1, w - 2, h - 2, std::max(0, radius - 1)))
                blend(i, j, c);
}

void Canvas::verticalGradient(int x, int y, int w, int h, uint32_t top, uint32_t bottom) {
    for (int j = 0; j < h; ++j) {
        uint32_t c = mix(top, bottom, h > 1 ? float(j) / float(h - 1) : 0.0f);
        for (int i = 0; i < w; ++i) set(x + i, y + j, c);
    }
}

void Canvas::fillCircle(float cx, float cy, float r, uint32_t c) {
    for (int j = int(cy - r - 1); j <= int(cy + r + 1); ++j)
        for (int i = int(cx - r - 1); i <= int(cx + r + 1); ++i) {
            float d = std::hypot(float(i) + 0.5f - cx, float(j) + 0.5f - cy);
            if (d <= r) blend(i, j, c);
        }
}

void Canvas::fillPolygon(const std::vector<float>& xy, uint32_t c) {
    size_t n = xy.size() / 2;
    if (n < 3) return;
    for (int j = 0; j < h_; ++j) {
        float py = float(j) + 0.5f;
        std::vector<float> xs;
        for (size_t k = 0; k < n; ++k) {
            float x0 = xy[2 * k], y0 = xy[2 * k + 1];
            float x1 = xy[2 * ((k + 1) % n)], y1 = xy[2 * ((k + 1) % n) + 1];
            if ((y0 <= py && y1 > py) || (y1 <= py && y0 > py))
                xs.push_back(x0 + (py - y0) / (y1 - y0) * (x1 - x0));
        }
        std::sort(xs.begin(), xs.end());
        for (size_t k = 0; k + 1 < xs.size(); k += 2)
            for (int i = int(std::ceil(xs[k] - 0.5f)); i < int(std::ceil(xs[k + 1] - 0.5f)); ++i)
                blend(i, j, c);
    }
}

int Canvas::textWidth(const std::string& utf8, int height) {
    auto cache = velk::GlyphCache::get(height, true);
    if (!cache) return 0;
    int w = 0;
    for (char32_t cp : decodeUtf8(utf8)) w += cache->glyph(cp).advance;
    return w;
}

void Canvas::text(int x, int y, const std::string& utf8, int height, uint32_t colour,
                  uint32_t outline, int outlineWidth) {
    auto cache = velk::GlyphCache::get(height, true);
    if (!cache) return;
    auto stamp = [&](int ox, int oy, uint32_t c) {
        int pen = x + ox;
        for (char32_t cp : decodeUtf8(utf8)) {
            const auto& g = cache->glyph(cp);
            const uint8_t* cov = cache->coverage(g);
            for (int j = 0; j < g.height; ++j)
                for (int i = 0; i < g.width; ++i)
                    if (int a = cov[j * g.width + i]) blend(pen + g.left + i, y + oy + g.top + j, c, a);
            pen += g.advance;
        }
    };
    if (outlineWidth > 0)
        for (int oy = -outlineWidth; oy <= outlineWidth; ++oy)
            for (int ox = -outlineWidth; ox <= outlineWidth; ++ox)
                if (ox * ox + oy * oy <= outlineWidth * outlineWidth + 1) stamp(ox, oy, outline);
    stamp(0, 0, colour);
}

void Canvas::outlineShapes(uint32_t c) {
    std::vector<uint32_t> src = px_;
    auto opaque = [&](int i, int j) {
        return i >= 0 && j >= 0 && i < w_ && j < h_ && (src[size_t(j) * w_ + i] >> 24) >= 128;
    };
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i)
            if (!opaque(i, j) && (opaque(i - 1, j) || opaque(i + 1, j) || opaque(i, j - 1) || opaque(i, j + 1)))
                px_[size_t(j) * w_ + i] = c;
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, uint32_t c) {
    const float r = width / 2.0f;
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const int left = int(std::floor(std::min(x0, x1) - r)), right = int(std::ceil(std::max(x0, x1) + r));
    const int top = int(std::floor(std::min(y0, y1) - r)), bottom = int(std::ceil(std::max(y0, y1) + r));
    for (int j = top; j <= bottom; ++j)
        for (int i = left; i <= right; ++i) {
            const float px = float(i) + 0.5f, py = float(j) + 0.5f;
            float t = len2 > 0 ? ((px - x0) * dx + (py - y0) * dy) / len2 : 0.0f;
            t = std::clamp(t, 0.0f, 1.0f);
            const float ex = px - (x0 + t * dx), ey = py - (y0 + t * dy);
            if (ex * ex + ey * ey <= r * r) blend(i, j, c);
        }
}

void Canvas::ditherGradient(int x, int y, int w, int h, const std::vector<uint32_t>& ramp) {
    if (ramp.empty()) return;
    const float steps = float(ramp.size() - 1);
    for (int j = 0; j < h; ++j) {
        const float pos = h > 1 ? float(j) / float(h - 1) * steps : 0.0f;
        const int base = std::min(int(pos), int(ramp.size()) - 1);
        const float frac = pos - float(base);
        for (int i = 0; i < w; ++i) {
            const int k = (frac > bayer4(x + i, y + j) && base + 1 < int(ramp.size())) ? base + 1 : base;
            set(x + i, y + j, ramp[size_t(k)]);
        }
    }
}

void Canvas::blit(const Canvas& src, int x, int y) {
    for (int j = 0; j < src.h_; ++j)
        for (int i = 0; i < src.w_; ++i) {
            const uint32_t c = src.px_[size_t(j) * src.w_ + i];
            if (c >> 24) blend(x + i, y + j, c);
        }
}

Canvas Canvas::mirrored() const {
    Canvas out(w_, h_);
    for (int j = 0; j < h_; ++j)
        for (int i = 0; i < w_; ++i) out.px_[size_t(j) * w_ + i] = px_[size_t(j) * w_ + (w_ - 1 - i)];
    return out;
}

void inkedPart(Canvas& c, const std::function<void(Canvas&)>& draw) {
    Canvas layer(c.width(), c.height());
    draw(layer);
    layer.outlineShapes(palette::kInk);
    c.blit(layer, 0, 0);
}

}  // namespace demo
