// One busy play frame through the compositor, and the same quads through
// SDL2's software renderer in the same process: a stretched backdrop, a
// screen of tiles, sprites, translucent windows and lines of text.

#include <SDL.h>

#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/direct3d.h"

namespace {

constexpr int kScreenW = 800;
constexpr int kScreenH = 600;

uint32_t g_seed = 12345;
uint32_t nextRandom() {
    g_seed = g_seed * 1664525u + 1013904223u;
    return g_seed >> 8;
}

struct Image {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    bool transparent = false;
};

Image backdrop() {
    Image im{640, 480, {}, false};
    im.px.resize(640 * 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            im.px[size_t(y) * 640 + x] =
                0xFF000000u | uint32_t(x * 255 / 640) << 16 | uint32_t(y * 255 / 480) << 8 | (nextRandom() & 0x3F);
    return im;
}

// Opaque tiles, or cut-outs with a soft edge (a ground tile's grass line).
Image tile(int kind) {
    Image im{32, 32, {}, kind >= 5};
    im.px.resize(32 * 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            uint32_t rgb = (uint32_t(40 + kind * 20) << 16) | (uint32_t(x * 6) << 8) | uint32_t(y * 6);
            uint32_t a = 255;
            if (im.transparent) {
                const int edge = 8 + (kind * 5 + x / 4) % 12;
                a = y < edge ? 0 : (y == edge ? 128 : 255);
            }
            im.px[size_t(y) * 32 + x] = a << 24 | rgb;
        }
    return im;
}

// An actor: an opaque ellipse with an antialiased rim on a clear background.
Image sprite(int kind) {
    Image im{60, 80, {}, true};
    im.px.resize(60 * 80);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 60; ++x) {
            const double dx = (x - 29.5) / 28.0, dy = (y - 39.5) / 38.0;
            const double d = dx * dx + dy * dy;
            uint32_t a = d < 0.9 ? 255 : (d < 1.0 ? uint32_t((1.0 - d) * 2550) : 0);
            im.px[size_t(y) * 60 + x] = a << 24 | uint32_t(kind * 50) << 16 | uint32_t(x * 4) << 8 | uint32_t(y * 3);
        }
    return im;
}

Image panel(int w, int h) {
    Image im{w, h, {}, false};
    im.px.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            im.px[size_t(y) * w + x] =
                (x < 3 || y < 3 || x >= w - 3 || y >= h - 3) ? 0xFFE0E0E0u : 0xFF203050u;
    return im;
}

// Coverage that looks like a line of glyphs: strokes with soft sides.
std::vector<uint8_t> textMask(int w, int h) {
    std::vector<uint8_t> m(size_t(w) * h, 0);
    for (int x = 0; x < w; ++x) {
        const int phase = x % 7;
        if (phase == 6) continue;
        const uint8_t v = phase == 0 || phase == 5 ? 96 : 255;
        const int top = 2 + int(nextRandom() % 4), bottom = h - 2 - int(nextRandom() % 3);
        for (int y = top; y < bottom; ++y)
            if ((nextRandom() & 3) != 0) m[size_t(y) * w + x] = v;
    }
    return m;
}

struct Quad {
    int image;
    int x, y, w, h;
    int alpha;  // -1: not translucent
};

struct Text {
    int x, y;
    uint32_t colour;
};

constexpr int kTextW = 240;
constexpr int kTextH = 14;

struct Scene {
    std::vector<Image> images;
    std::vector<Quad> quads;
    std::vector<std::vector<uint8_t>> masks;
    std::vector<Text> texts;
};

Scene makeScene() {
    Scene s;
    s.images.push_back(backdrop());
    s.quads.push_back({0, 0, 0, kScreenW, kScreenH, -1});
    const int firstTile = int(s.images.size());
    for (int k = 0; k < 8; ++k) s.images.push_back(tile(k));
    for (int ty = 0; ty < 19; ++ty)
        for (int tx = 0; tx < 25; ++tx)
            s.quads.push_back({firstTile + (tx * 7 + ty * 3) % 8, tx * 32, ty * 32, 32, 32, -1});
    const int firstSprite = int(s.images.size());
    for (int k = 0; k < 4; ++k) s.images.push_back(sprite(k));
    for (int i = 0; i < 40; ++i)
        s.quads.push_back({firstSprite + i % 4, int(nextRandom() % 760) - 10,
                           int(nextRandom() % 540) - 10, 60, 80, -1});
    const int windows[][5] = {{300, 200, 40, 60, 150},
                              {250, 180, 420, 40, 150},
                              {400, 150, 200, 300, 80},
                              {200, 300, 560, 260, 80}};
    for (const auto& w : windows) {
        s.images.push_back(panel(w[0], w[1]));
        s.quads.push_back({int(s.images.size()) - 1, w[2], w[3], w[0], w[1], w[4]});
    }
    for (int i = 0; i < 30; ++i) {
        s.masks.push_back(textMask(kTextW, kTextH));
        s.texts.push_back({20 + (i % 3) * 260, 40 + (i / 3) * 52, i % 2 ? 0xFFFFFFFFu : 0xFFFFE040u});
    }
    return s;
}

// ---- the compositor ------------------------------------------------------

struct Ours {
    CDirect3D dev;
    std::vector<std::unique_ptr<CTexture>> textures;

    explicit Ours(const Scene& s) {
        dev.init(nullptr, kScreenW, kScreenH, true);
        for (const Image& im : s.images)
            textures.push_back(dev.createTexture(uint32_t(im.w), uint32_t(im.h), im.px.data()));
    }
    void frame(const Scene& s, size_t from = 0, size_t to = SIZE_MAX, bool text = true) {
        dev.clear(0xFF000000);
        dev.alphaTestOn();
        for (size_t i = from; i < std::min(to, s.quads.size()); ++i) {
            const Quad& q = s.quads[i];
            if (q.alpha >= 0) dev.blendOn(q.alpha);
            dev.drawQuad(textures[size_t(q.image)].get(), float(q.x), float(q.y), float(q.w), float(q.h));
            if (q.alpha >= 0) dev.blendOff();
        }
        dev.alphaTestOff();
        for (size_t i = 0; text && i < s.texts.size(); ++i)
            dev.drawCoverage(s.masks[i].data(), kTextW, kTextW, kTextH, s.texts[i].x, s.texts[i].y,
                             s.texts[i].colour);
    }
};

// ---- SDL2's software renderer ----------------------------------------------

struct Sdl {
    SDL_Surface* target = nullptr;
    SDL_Renderer* renderer = nullptr;
    std::vector<SDL_Texture*> textures;
    std::vector<SDL_Texture*> texts;

    static SDL_Texture* upload(SDL_Renderer* r, int w, int h, const uint32_t* px) {
        SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, w, h);
        SDL_UpdateTexture(t, nullptr, px, w * 4);
        return t;
    }

    explicit Sdl(const Scene& s) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
        target = SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = SDL_CreateSoftwareRenderer(target);
        for (size_t i = 0; i < s.images.size(); ++i) {
            const Image& im = s.images[i];
            SDL_Texture* t = upload(renderer, im.w, im.h, im.px.data());
            SDL_SetTextureBlendMode(t, im.transparent ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
            textures.push_back(t);
        }
        // Each window has its own texture, so its alpha modulation is set once.
        for (const Quad& q : s.quads)
            if (q.alpha >= 0) {
                SDL_SetTextureBlendMode(textures[size_t(q.image)], SDL_BLENDMODE_BLEND);
                SDL_SetTextureAlphaMod(textures[size_t(q.image)], Uint8(q.alpha));
            }
        // Text as the renderer would draw it: colour with the coverage as alpha.
        for (size_t i = 0; i < s.texts.size(); ++i) {
            std::vector<uint32_t> px(kTextW * kTextH);
            for (size_t k = 0; k < px.size(); ++k)
                px[k] = uint32_t(s.masks[i][k]) << 24 | (s.texts[i].colour & 0xFFFFFF);
            SDL_Texture* t = upload(renderer, kTextW, kTextH, px.data());
            SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
            texts.push_back(t);
        }
    }
    ~Sdl() {
        for (SDL_Texture* t : textures) SDL_DestroyTexture(t);
        for (SDL_Texture* t : texts) SDL_DestroyTexture(t);
        SDL_DestroyRenderer(renderer);
        SDL_FreeSurface(target);
    }
    void frame(const Scene& s, size_t from = 0, size_t to = SIZE_MAX, bool text = true) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        for (size_t i = from; i < std::min(to, s.quads.size()); ++i) {
            const Quad& q = s.quads[i];
            const SDL_Rect dst{q.x, q.y, q.w, q.h};
            SDL_RenderCopy(renderer, textures[size_t(q.image)], nullptr, &dst);
        }
        for (size_t i = 0; text && i < s.texts.size(); ++i) {
            const SDL_Rect dst{s.texts[i].x, s.texts[i].y, kTextW, kTextH};
            SDL_RenderCopy(renderer, texts[i], nullptr, &dst);
        }
        SDL_RenderFlush(renderer);
    }
};

// Thread CPU time, so other programs on a busy machine do not count.
double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

template <typename F>
double medianMs(int frames, F&& frame) {
    std::vector<double> ms;
    ms.reserve(size_t(frames));
    for (int i = 0; i < frames; ++i) {
        const double t0 = cpuMs();
        frame();
        ms.push_back(cpuMs() - t0);
    }
    std::nth_element(ms.begin(), ms.begin() + frames / 2, ms.end());
    return ms[size_t(frames / 2)];
}

}  // namespace

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    const Scene scene = makeScene();
    uint64_t area = 0;
    for (const Quad& q : scene.quads) {
        const int w = std::min(q.x + q.w, kScreenW) - std::max(q.x, 0);
        const int h = std::min(q.y + q.h, kScreenH) - std::max(q.y, 0);
        if (w > 0 && h > 0) area += uint64_t(w) * uint64_t(h);
    }
    area += uint64_t(scene.texts.size()) * kTextW * kTextH;

    Ours ours(scene);
    const double c0 = cpuMs();
    ours.frame(scene);  // the first frame also resamples the backdrop
    const double cold = cpuMs() - c0;
    Sdl sdl(scene);
    for (int i = 0; i < 10; ++i) {
        ours.frame(scene);
        sdl.frame(scene);
    }
    // Median CPU time per frame; alternate rounds and keep each one's best.
    double oursMs = 1e9, sdlMs = 1e9;
    for (int round = 0; round < 3; ++round) {
        oursMs = std::min(oursMs, medianMs(frames, [&] { ours.frame(scene); }));
        sdlMs = std::min(sdlMs, medianMs(frames, [&] { sdl.frame(scene); }));
    }
    std::printf("busy frame: %zu quads + %zu text lines, %.2f Mpixel drawn\n", scene.quads.size(),
                scene.texts.size(), double(area) / 1e6);
    std::printf("compositor:   %.3f ms/frame (%.2f Gpixel/s; first frame %.3f ms)\n", oursMs,
                double(area) / oursMs / 1e6, cold);
    std::printf("SDL software: %.3f ms/frame (%.2f Gpixel/s)\n", sdlMs, double(area) / sdlMs / 1e6);
    std::printf("ratio SDL / compositor: %.2fx\n", sdlMs / oursMs);

    // Where the time goes: each part alone (clear included in every line).
    struct Part {
        const char* name;
        size_t from, to;
        bool text;
    };
    const size_t tiles = 1, sprites = tiles + 25 * 19, windows = sprites + 40;
    const Part parts[] = {{"clear only", 0, 0, false},
                          {"backdrop", 0, tiles, false},
                          {"tiles", tiles, sprites, false},
                          {"sprites", sprites, windows, false},
                          {"windows", windows, SIZE_MAX, false},
                          {"text", 0, 0, true}};
    for (const Part& p : parts) {
        const double a = medianMs(frames, [&] { ours.frame(scene, p.from, p.to, p.text); });
        const double b = medianMs(frames, [&] { sdl.frame(scene, p.from, p.to, p.text); });
        std::printf("  %-10s compositor %.3f ms, SDL %.3f ms\n", p.name, a, b);
    }
    return 0;
}
