// The window presenter: where the frame lands, how window pixels map back
// to the game's, which parts of a frame are sent again, the integer scaler,
// and the whole path into a window's surface on SDL's dummy driver.

#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/sdl/sdl_backend.h"
#include "platform/sdl/window_presenter.h"

namespace velk {
namespace {

TEST(PresentLayoutTest, WholeScalesCentreAndSmoothingFills) {
    struct Case {
        int outW, outH;
        bool smooth;
        PixelRect dest;
        int scale;
    };
    const Case cases[] = {
        {800, 600, false, {0, 0, 800, 600}, 1},
        {3200, 2400, false, {0, 0, 3200, 2400}, 4},
        {1024, 768, false, {112, 84, 800, 600}, 1},      // letterboxed all round
        {1920, 1200, false, {160, 0, 1600, 1200}, 2},
        {1920, 1080, true, {240, 0, 1440, 1080}, 0},     // pillarboxed, filled in height
        {1024, 1024, true, {0, 128, 1024, 768}, 0},      // letterboxed, filled in width
        {640, 480, false, {0, 0, 640, 480}, 0},          // smaller than the game: smoothed down
    };
    for (const Case& c : cases) {
        const PresentLayout l = layoutFor(c.outW, c.outH, 800, 600, c.smooth);
        EXPECT_EQ(l.dest, c.dest) << c.outW << " x " << c.outH << " smooth " << c.smooth;
        EXPECT_EQ(l.scale, c.scale) << c.outW << " x " << c.outH << " smooth " << c.smooth;
    }
}

TEST(PresentLayoutTest, WindowPixelsMapOntoGamePixelsAndBack) {
    const PresentLayout layouts[] = {
        layoutFor(800, 600, 800, 600, false), layoutFor(3200, 2400, 800, 600, false),
        layoutFor(1024, 768, 800, 600, false), layoutFor(1920, 1080, 800, 600, true),
    };
    for (const PresentLayout& l : layouts) {
        // A warp to a game pixel comes back as the same pixel.
        for (int g = 0; g < 800; ++g) {
            int wx = 0, wy = 0, gx = -1, gy = -1;
            l.toWindow(g, g * 3 / 4, wx, wy);
            l.toGame(wx, wy, gx, gy);
            ASSERT_EQ(gx, g) << "dest " << l.dest.x << "," << l.dest.y << " " << l.dest.w;
            ASSERT_EQ(gy, g * 3 / 4) << "dest " << l.dest.x << "," << l.dest.y << " " << l.dest.w;
        }
        // Every window pixel of the frame's last column and row is the game's last.
        int gx = 0, gy = 0;
        l.toGame(l.dest.x + l.dest.w - 1, l.dest.y + l.dest.h - 1, gx, gy);
        EXPECT_EQ(gx, 799);
        EXPECT_EQ(gy, 599);
    }
    // The letterbox lies outside the game's screen, on the side it is on.
    const PresentLayout boxed = layoutFor(1024, 768, 800, 600, false);
    int gx = 0, gy = 0;
    boxed.toGame(111, 83, gx, gy);
    EXPECT_EQ(gx, -1);
    EXPECT_EQ(gy, -1);
    boxed.toGame(912, 684, gx, gy);
    EXPECT_EQ(gx, 800);
    EXPECT_EQ(gy, 600);
}

TEST(ChangedRectsTest, FindsTheChangedBandsAndUpdatesThePrevious) {
    constexpr int w = 40, h = 60;
    std::vector<uint32_t> previous(w * h, 7), frame(w * h, 7);
    EXPECT_TRUE(changedRects(frame.data(), previous.data(), w, h).empty());

    frame[5 * w + 3] = 1;                  // one pixel
    frame[30 * w + 10] = 1;                // rows 30 and 33, close together: one band
    frame[33 * w + 20] = 1;
    frame[59 * w + 39] = 1;                // the last pixel
    const std::vector<PixelRect> rects = changedRects(frame.data(), previous.data(), w, h);
    const std::vector<PixelRect> expected = {{3, 5, 1, 1}, {10, 30, 11, 4}, {39, 59, 1, 1}};
    EXPECT_EQ(rects, expected);
    EXPECT_EQ(previous, frame);
    EXPECT_TRUE(changedRects(frame.data(), previous.data(), w, h).empty());
}

TEST(ScalePixelsTest, RepeatsEachPixelIntoABlockAtTheOffsetOnly) {
    const uint32_t src[] = {0x00112233, 0x80445566, 0x778899, 0xAABBCC,
                            0x000001,   0x000002,   0x000003, 0x000004};  // 4 x 2
    constexpr int scale = 3, dstW = 12, dstH = 8, pitch = dstW * 4;
    std::vector<uint32_t> dst(dstW * dstH, 0xDEADBEEF);
    const PixelRect area{1, 0, 2, 2};
    scalePixels(src, 4, area, scale, reinterpret_cast<uint8_t*>(dst.data()), pitch, 5, 1);
    for (int y = 0; y < dstH; ++y)
        for (int x = 0; x < dstW; ++x) {
            const bool inside = x >= 5 && x < 5 + 2 * scale && y >= 1 && y < 1 + 2 * scale;
            const uint32_t want =
                inside ? (src[(y - 1) / scale * 4 + 1 + (x - 5) / scale] | 0xFF000000u) : 0xDEADBEEF;
            ASSERT_EQ(dst[size_t(y * dstW + x)], want) << x << "," << y;
        }
}

// SDL's dummy display is 1024 x 768: full screen letterboxes the frame at
// (112, 84) at scale 1, and the dummy window's surface can be read back.
class WindowPresentTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(backend.openDisplay(800, 600, false, 1)) << backend.error();
        for (size_t i = 0; i < frame.size(); ++i) frame[i] = uint32_t(0xFF000000u | (i * 2654435761u >> 8));
    }
    uint32_t at(int x, int y) {
        SDL_Surface* s = SDL_GetWindowSurface(backend.window());
        return static_cast<const uint32_t*>(s->pixels)[size_t(y) * size_t(s->pitch / 4) + size_t(x)] | 0xFF000000u;
    }
    void scribble(int x, int y) {
        SDL_Surface* s = SDL_GetWindowSurface(backend.window());
        static_cast<uint32_t*>(s->pixels)[size_t(y) * size_t(s->pitch / 4) + size_t(x)] = 0x123456;
    }
    SdlBackend backend;
    std::vector<uint32_t> frame = std::vector<uint32_t>(800 * 600);
};

TEST_F(WindowPresentTest, ChangedFramesReachTheWindowAndUnchangedOnesAreSkipped) {
    backend.present(frame.data(), 800, 600);
    EXPECT_EQ(backend.presenter().framesShown(), 1);
    EXPECT_EQ(at(0, 0), 0xFF000000u);  // letterbox
    EXPECT_EQ(at(112, 84), frame[0]);
    EXPECT_EQ(at(112 + 799, 84 + 599), frame.back());

    backend.present(frame.data(), 800, 600);
    EXPECT_EQ(backend.presenter().framesShown(), 1);

    frame[300 * 800 + 400] = 0xFFFF0000u;
    frame[599 * 800 + 799] = 0xFF00FF00u;
    backend.present(frame.data(), 800, 600);
    EXPECT_EQ(backend.presenter().framesShown(), 2);
    EXPECT_EQ(at(112 + 400, 84 + 300), 0xFFFF0000u);
    EXPECT_EQ(at(112 + 799, 84 + 599), 0xFF00FF00u);
}

// An exposed or resized window has lost its pixels: the next frame is drawn
// whole even when the game's picture did not change.
TEST_F(WindowPresentTest, AnExposedWindowIsRedrawnWhole) {
    backend.present(frame.data(), 800, 600);
    scribble(5, 5);
    scribble(112 + 10, 84 + 10);
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&e);
    backend.pumpEvents();
    backend.present(frame.data(), 800, 600);
    EXPECT_EQ(backend.presenter().framesShown(), 2);
    EXPECT_EQ(at(5, 5), 0xFF000000u);
    EXPECT_EQ(at(112 + 10, 84 + 10), frame[10 * 800 + 10]);
}

TEST_F(WindowPresentTest, TheMouseIsMappedThroughTheLetterbox) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 112 + 640;
    e.motion.y = 84 + 515;
    SDL_PushEvent(&e);
    backend.pumpEvents();
    int x = 0, y = 0;
    backend.cursorPosition(x, y);
    EXPECT_EQ(x, 640);
    EXPECT_EQ(y, 515);
}

// --smooth full screen stretches the frame over the whole dummy display
// (4:3 like the game), and a changed frame is stretched again.
TEST(WindowSmoothTest, SmoothFullScreenFillsTheDisplayAndFollowsChanges) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlBackend backend;
    backend.setSmoothScaling(true);
    ASSERT_TRUE(backend.openDisplay(800, 600, false, 1)) << backend.error();
    for (const uint32_t colour : {0xFF336699u, 0xFFCC8800u}) {
        const std::vector<uint32_t> frame(800 * 600, colour);
        backend.present(frame.data(), 800, 600);
        SDL_Surface* s = SDL_GetWindowSurface(backend.window());
        ASSERT_EQ(s->w, 1024);
        const uint32_t* px = static_cast<const uint32_t*>(s->pixels);
        const int stride = s->pitch / 4;
        for (const auto& [x, y] : {std::pair{0, 0}, std::pair{512, 384}, std::pair{1023, 767}})
            EXPECT_EQ(px[y * stride + x] | 0xFF000000u, colour) << x << "," << y;
    }
}

}  // namespace
}  // namespace velk
