// Not Direct3D: CDirect3D is a software compositor on the CPU (the name is the game's).
#pragma once
// CDirect3D: the game's drawing device, here a software compositor over an
// 800 x 600 back buffer of 0xAARRGGBB words. The one primitive is the
// textured quad with its placement rule; render state is a few switches
// (alpha test, blendOn/blendOff with the sticky factor). The back buffer is
// an opaque X8R8G8B8 surface: it has no alpha of its own, so every pixel the
// compositor writes (clear included) has alpha 255.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/stretch.h"
#include "platform/texture.h"

namespace velk {
class IBackend;
}

class CDirect3D {
public:
    CDirect3D();
    virtual ~CDirect3D();
    CDirect3D(const CDirect3D&) = delete;
    CDirect3D& operator=(const CDirect3D&) = delete;

    // Opens the display through the backend (null backend: an off-screen
    // device, as tests and tools use it). False on failure.
    bool init(velk::IBackend* backend, int width, int height, bool windowed, int scale = 1);
    bool hasDevice() const { return ready_; }

    // Frame protocol run by the application.
    void clear(uint32_t colour);
    void beginScene() {}
    void endScene() {}
    void present();

    void alphaTestOn() { alphaTest_ = true; }
    void alphaTestOff() { alphaTest_ = false; }
    // Translucent pictures: the constant alpha multiplies the texel alpha and
    // the result blends source-over. blendOff turns blending off but leaves
    // the factor in force for the alpha test.
    void blendOn(int alpha);
    void blendOff() { blend_ = false; }

    // Draws `texture` onto the rectangle (x, y, w, h). Corners sit at
    // trunc(coordinate) - 0.5, so an unscaled quad maps texels 1:1 onto
    // pixels trunc(x) .. trunc(x + w) - 1; a stretched quad samples
    // bilinearly, clamped at the edges. A null texture draws nothing.
    void drawQuad(const CTexture* texture, float x, float y, float w, float h);

    // Blends an 8-bit coverage mask (glyphs) in `colour` onto the back buffer,
    // clipped to the screen. Colour alpha scales the coverage.
    void drawCoverage(const uint8_t* coverage, int pitch, int width, int height, int x, int y,
                      uint32_t colour);

    // Makes a texture from width x height ARGB pixels (top row first).
    // Returns null for an empty size, no pixels, or a size no loader accepts.
    std::unique_ptr<CTexture> createTexture(uint32_t width, uint32_t height,
                                            const uint32_t* pixels);

    uint32_t* backBuffer() { return buffer_.data(); }
    const uint32_t* backBuffer() const { return buffer_.data(); }
    int width() const { return width_; }
    int height() const { return height_; }

    bool alphaTestEnabled() const { return alphaTest_; }
    bool blendEnabled() const { return blend_; }
    int alphaFactor() const { return factor_; }

private:
    enum class Mode { kCopy, kTest, kBlend };
    // The render state reduced to what a texel needs.
    struct BlitState {
        Mode mode;
        uint32_t factor;    // texture factor alpha, 0..255
        uint32_t minAlpha;  // kTest: smallest texel alpha that survives the factor
    };
    BlitState blitState() const;
    static void blitMixed(const uint32_t* src, uint32_t* dst, uint32_t n, const BlitState& st);
    void blitLayer(const CTexture::Layer& layer, uint32_t sx, uint32_t sy, int dx, int dy, int cw,
                   int ch, const BlitState& st);
    void drawStretchedDirect(const CTexture& texture, int64_t x0, int64_t y0, int64_t w, int64_t h,
                             int cx0, int cy0, int cw, int ch, const BlitState& st);

    velk::IBackend* backend_ = nullptr;
    std::vector<uint32_t> buffer_;
    int width_ = 0;
    int height_ = 0;
    bool ready_ = false;
    bool alphaTest_ = false;
    bool blend_ = false;
    int factor_ = 255;
    // Scratch for stretched quads too large to cache; grows once to the screen width.
    std::vector<velk::StretchTap> taps_;
    std::vector<uint32_t> row_;
};
