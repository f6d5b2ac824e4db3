#pragma once
// Puts the game's frame on the window through the window's own surface (on
// X11 a shared-memory image: no OpenGL, which runs in software on machines
// without a GPU). Whole scales are the game's own pixel repetition; smoothed
// full screen is SDL's linear stretch. Only what changed since the last
// frame is scaled and sent, and an unchanged frame costs one comparison.

#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Surface;

namespace velk {

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const PixelRect&) const = default;
};

// Where the frame lands in the window's pixels: centred, at a whole scale
// with sharp pixels, or (smooth) as large as the aspect ratio allows.
struct PresentLayout {
    int gameW = 800, gameH = 600;
    PixelRect dest{0, 0, 800, 600};
    int scale = 1;  // 0 when smoothed
    bool smooth() const { return scale == 0; }
    // A window pixel onto the game pixel under it; outside the frame (the
    // letterbox) it lies outside 0..gameW-1 / 0..gameH-1.
    void toGame(int wx, int wy, int& gx, int& gy) const;
    // A game pixel onto the first window pixel that maps back to it.
    void toWindow(int gx, int gy, int& wx, int& wy) const;
};

// `smooth` asks for filling the output; an output smaller than the game is
// always smoothed down, since no whole scale fits.
PresentLayout layoutFor(int outW, int outH, int gameW, int gameH, bool smooth);

// The parts of `frame` that differ from `previous` (bands of changed rows,
// each as narrow as its changes), and `previous` brought up to date.
std::vector<PixelRect> changedRects(const uint32_t* frame, uint32_t* previous, int width, int height);

// Repeats each pixel of `area` of `src` into a scale x scale block of a
// 32-bit `dst`, whose (dstX, dstY) receives the area's top-left pixel.
void scalePixels(const uint32_t* src, int srcWidth, const PixelRect& area, int scale, uint8_t* dst,
                 int dstPitch, int dstX, int dstY);

class WindowPresenter {
public:
    void setSmooth(bool smooth) {
        smooth_ = smooth;
        invalidate();
    }
    // The next frame is drawn whole (after a resize, an expose, a mode switch).
    void invalidate() { whole_ = true; }
    // Draws the frame if it changed or the window needs it; false when the
    // window has no surface to draw on.
    bool present(SDL_Window* window, const uint32_t* pixels, int width, int height);
    // The layout for the window as it is now, for mapping the mouse.
    PresentLayout layout(SDL_Window* window) const;
    const PresentLayout& lastLayout() const { return layout_; }
    // Frames whose pixels reached the window, whole or in part.
    long framesShown() const { return shown_; }

private:
    void drawArea(SDL_Surface* surface, const uint32_t* pixels, const PixelRect& area);

    bool smooth_ = false;
    bool whole_ = true;
    PresentLayout layout_;
    SDL_Surface* surface_ = nullptr;
    std::vector<uint32_t> previous_;
    long shown_ = 0;
};

}  // namespace velk
