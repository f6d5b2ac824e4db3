#include "platform/sdl/window_presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

namespace velk {

namespace {

int floorDiv(int64_t a, int64_t b) { return int(a >= 0 ? a / b : -((-a + b - 1) / b)); }
int ceilDiv(int64_t a, int64_t b) { return -floorDiv(-a, b); }

// Rows this close together are sent as one band: fewer, larger updates.
constexpr int kBandGap = 8;

// The game's 0xAARRGGBB pixels can be copied straight into the surface.
bool sameLayout(const SDL_Surface* s) {
    const SDL_PixelFormat* f = s->format;
    return f->BytesPerPixel == 4 && f->Rmask == 0x00FF0000u && f->Gmask == 0x0000FF00u && f->Bmask == 0x000000FFu;
}

}  // namespace

void PresentLayout::toGame(int wx, int wy, int& gx, int& gy) const {
    gx = floorDiv(int64_t(wx - dest.x) * gameW, dest.w);
    gy = floorDiv(int64_t(wy - dest.y) * gameH, dest.h);
}

void PresentLayout::toWindow(int gx, int gy, int& wx, int& wy) const {
    wx = dest.x + ceilDiv(int64_t(gx) * dest.w, gameW);
    wy = dest.y + ceilDiv(int64_t(gy) * dest.h, gameH);
}

PresentLayout layoutFor(int outW, int outH, int gameW, int gameH, bool smooth) {
    PresentLayout l;
    l.gameW = gameW;
    l.gameH = gameH;
    const int whole = std::min(outW / gameW, outH / gameH);
    if (!smooth && whole >= 1) {
        l.scale = whole;
        l.dest.w = gameW * whole;
        l.dest.h = gameH * whole;
    } else {
        l.scale = 0;
        if (int64_t(outW) * gameH <= int64_t(outH) * gameW) {
            l.dest.w = outW;
            l.dest.h = int(int64_t(outW) * gameH / gameW);
        } else {
            l.dest.h = outH;
            l.dest.w = int(int64_t(outH) * gameW / gameH);
        }
        l.dest.w = std::max(l.dest.w, 1);
        l.dest.h = std::max(l.dest.h, 1);
    }
    l.dest.x = (outW - l.dest.w) / 2;
    l.dest.y = (outH - l.dest.h) / 2;
    return l;
}

std::vector<PixelRect> changedRects(const uint32_t* frame, uint32_t* previous, int width, int height) {
    std::vector<PixelRect> rects;
    int top = -1, bottom = -1, left = width, right = -1;
    auto close = [&] {
        if (top < 0) return;
        const PixelRect band{left, top, right - left + 1, bottom - top + 1};
        PixelRect* last = rects.empty() ? nullptr : &rects.back();
        if (last && band.y - (last->y + last->h) <= kBandGap) {
            const int x0 = std::min(last->x, band.x), x1 = std::max(last->x + last->w, band.x + band.w);
            *last = {x0, last->y, x1 - x0, band.y + band.h - last->y};
        } else {
            rects.push_back(band);
        }
        top = -1;
        left = width;
        right = -1;
    };
    for (int y = 0; y < height; ++y) {
        const uint32_t* now = frame + size_t(y) * size_t(width);
        uint32_t* was = previous + size_t(y) * size_t(width);
        if (std::memcmp(now, was, size_t(width) * 4) == 0) {
            close();
            continue;
        }
        int x0 = 0, x1 = width - 1;
        while (now[x0] == was[x0]) ++x0;
        while (now[x1] == was[x1]) --x1;
        std::memcpy(was + x0, now + x0, size_t(x1 - x0 + 1) * 4);
        if (top < 0) top = y;
        bottom = y;
        left = std::min(left, x0);
        right = std::max(right, x1);
    }
    close();
    return rects;
}

void scalePixels(const uint32_t* src, int srcWidth, const PixelRect& area, int scale, uint8_t* dst,
                 int dstPitch, int dstX, int dstY) {
    const size_t rowBytes = size_t(area.w) * size_t(scale) * 4;
    for (int y = 0; y < area.h; ++y) {
        const uint32_t* in = src + size_t(area.y + y) * size_t(srcWidth) + size_t(area.x);
        uint8_t* first = dst + size_t(dstY + y * scale) * size_t(dstPitch) + size_t(dstX) * 4;
        uint32_t* out = reinterpret_cast<uint32_t*>(first);
        // Opaque whatever the frame's alpha: a window with an alpha channel
        // would otherwise show through.
        for (int x = 0; x < area.w; ++x) {
            const uint32_t p = in[x] | 0xFF000000u;
            for (int k = 0; k < scale; ++k) *out++ = p;
        }
        for (int k = 1; k < scale; ++k) std::memcpy(first + size_t(k) * size_t(dstPitch), first, rowBytes);
    }
}

PresentLayout WindowPresenter::layout(SDL_Window* window) const {
    int w = layout_.gameW, h = layout_.gameH;
    SDL_GetWindowSizeInPixels(window, &w, &h);
    return layoutFor(w, h, layout_.gameW, layout_.gameH, smooth_);
}

void WindowPresenter::drawArea(SDL_Surface* surface, const uint32_t* pixels, const PixelRect& area) {
    const int width = layout_.gameW, height = layout_.gameH;
    if (sameLayout(surface) && !layout_.smooth()) {
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return;
        scalePixels(pixels, width, area, layout_.scale, static_cast<uint8_t*>(surface->pixels), surface->pitch,
                    layout_.dest.x + area.x * layout_.scale, layout_.dest.y + area.y * layout_.scale);
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        return;
    }
    // Smoothing, or a window whose pixels are laid out otherwise: SDL
    // stretches (linearly where the layouts match) and converts.
    const bool linear = sameLayout(surface) && layout_.smooth();
    SDL_Surface* frame = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint32_t*>(pixels), width, height, 32, width * 4,
        linear ? surface->format->format : Uint32(SDL_PIXELFORMAT_ARGB8888));
    if (!frame) return;
    SDL_SetSurfaceBlendMode(frame, SDL_BLENDMODE_NONE);
    SDL_Rect src{0, 0, width, height};
    SDL_Rect dst{layout_.dest.x, layout_.dest.y, layout_.dest.w, layout_.dest.h};
    if (!layout_.smooth()) {
        src = {area.x, area.y, area.w, area.h};
        dst = {layout_.dest.x + area.x * layout_.scale, layout_.dest.y + area.y * layout_.scale,
               area.w * layout_.scale, area.h * layout_.scale};
    }
    if (linear)
        SDL_SoftStretchLinear(frame, &src, surface, &dst);
    else
        SDL_BlitScaled(frame, &src, surface, &dst);
    SDL_FreeSurface(frame);
}

bool WindowPresenter::present(SDL_Window* window, const uint32_t* pixels, int width, int height) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (!surface) return false;
    const PresentLayout now = layoutFor(surface->w, surface->h, width, height, smooth_);
    if (surface != surface_ || now.dest != layout_.dest || now.scale != layout_.scale ||
        previous_.size() != size_t(width) * size_t(height))
        whole_ = true;
    surface_ = surface;
    layout_ = now;
    if (whole_) {
        previous_.assign(pixels, pixels + size_t(width) * size_t(height));
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
        drawArea(surface, pixels, {0, 0, width, height});
        SDL_UpdateWindowSurface(window);
        whole_ = false;
        ++shown_;
        return true;
    }
    const std::vector<PixelRect> changed = changedRects(pixels, previous_.data(), width, height);
    if (changed.empty()) return true;
    ++shown_;
    // A smoothed pixel blends its neighbours: the whole picture is redrawn.
    if (layout_.smooth()) {
        drawArea(surface, pixels, {0, 0, width, height});
        const SDL_Rect dest{layout_.dest.x, layout_.dest.y, layout_.dest.w, layout_.dest.h};
        SDL_UpdateWindowSurfaceRects(window, &dest, 1);
        return true;
    }
    std::vector<SDL_Rect> sent;
    sent.reserve(changed.size());
    for (const PixelRect& r : changed) {
        drawArea(surface, pixels, r);
        sent.push_back({layout_.dest.x + r.x * layout_.scale, layout_.dest.y + r.y * layout_.scale,
                        r.w * layout_.scale, r.h * layout_.scale});
    }
    SDL_UpdateWindowSurfaceRects(window, sent.data(), int(sent.size()));
    return true;
}

}  // namespace velk
