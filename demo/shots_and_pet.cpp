// Shot set 1003 (every shot the hero and the enemies fire) and the pet's
// set 123. Shots are drawn around their position; the pet floats.

#include <cmath>
#include <vector>

#include "demo/creatures.h"
#include "demo/sprite_builder.h"

namespace demo {

namespace {

using namespace palette;
constexpr float kPi = float(M_PI);
constexpr int kShotSize = 48, kShotCentre = 24;

// A shot of `frames` looks drawn by `draw(canvas, k)` with one box around the centre.
std::vector<DrawnFrame> shotFrames(const SpriteBuilder& b, int frames, int half, int shiftY,
                                   const std::function<void(Canvas&, int)>& draw) {
    std::vector<DrawnFrame> out;
    for (int k = 0; k < frames; ++k) {
        DrawnFrame f{b.canvas(), b.box(-half, -half, half, half), std::nullopt, 0, shiftY};
        inkedPart(f.canvas, [&](Canvas& l) { draw(l, k); });
        out.push_back(std::move(f));
    }
    return out;
}

void trail(Canvas& l, float c, int k, uint32_t colour) {
    for (int i = 1; i <= 3; ++i)
        l.fillCircle(c - 6.0f * float(i) - float(k), c, 3.0f - 0.7f * float(i), withAlpha(colour, uint8_t(200 - 50 * i)));
}

}  // namespace

void writeShots(const DemoContext& ctx) {
    SpriteBuilder b(kShotSize, kShotSize, kShotCentre, kShotCentre);
    const float c = float(kShotCentre);
    const auto bullet = shotFrames(b, 2, 10, 0, [&](Canvas& l, int k) {
        l.line(c - 8, c, c + 6, c, 6, kGold);
        l.fillCircle(c + 6, c, 3.5f, kCream);
        trail(l, c - 6, k, kGold);
    });
    b.row(0, 1, bullet, true);
    b.row(1, 1, bullet);
    b.row(2, 1, shotFrames(b, 4, 12, 0, [&](Canvas& l, int k) {
        const float a = float(k) * kPi / 2;
        for (float arm : {0.0f, 1.9f})
            l.line(c, c, c + 12 * std::cos(a + arm), c + 12 * std::sin(a + arm), 5, arm == 0 ? rgb(0xE0A968) : rgb(0xAD6F3B));
    }));
    const auto drop = shotFrames(b, 2, 8, 0, [&](Canvas& l, int k) {
        l.fillPolygon({c - 5, c, c + 2, c - 11 - float(k), c + 5, c}, rgb(0x9BE05A));
        l.fillCircle(c, c + 1, 5.5f, rgb(0x9BE05A));
        l.set(int(c) - 2, int(c) - 1, kWhite);
    });
    b.row(3, 2, drop, true);
    b.row(4, 2, drop);
    // The boss's fireball flies low enough to meet a standing hero.
    const auto fire = shotFrames(b, 3, 14, 40, [&](Canvas& l, int k) {
        l.fillCircle(c + 2, c, 13 - float(k), rgb(0xE4572E));
        l.fillCircle(c + 4, c, 9 - float(k), rgb(0xFFB347));
        l.fillCircle(c + 5, c, 4, kCream);
        trail(l, c - 8, k, rgb(0xE4572E));
    });
    b.row(5, 1, fire, true);
    b.row(6, 1, fire);
    b.row(7, 2, shotFrames(b, 2, 9, 0, [&](Canvas& l, int k) {
        l.fillCircle(c, c, 8, rgb(0xB65FCF));
        l.fillCircle(c - 2, c - 2, 3 + float(k), rgb(0xF2D0FA));
    }));
    const auto rock = shotFrames(b, 4, 9, 0, [&](Canvas& l, int k) {
        const float a = float(k) * kPi / 4;
        std::vector<float> xy;
        for (int i = 0; i < 6; ++i) {
            const float r = i % 2 ? 8.0f : 9.5f;
            xy.push_back(c + r * std::cos(a + float(i) * kPi / 3));
            xy.push_back(c + r * std::sin(a + float(i) * kPi / 3));
        }
        l.fillPolygon(xy, rgb(0x8C8E9C));
        l.fillCircle(c - 2, c - 2, 2.5f, rgb(0xB4B6C2));
    });
    b.row(8, 1, rock, true);
    b.row(9, 1, rock);
    const auto wave = shotFrames(b, 2, 14, 0, [&](Canvas& l, int k) {
        for (int i = 0; i < 3; ++i) {
            const float x = c - 4 - float(i) * 5;
            l.line(x, c - 18 + float(i) * 2, x + 10 - float(k), c, 4 - float(i), withAlpha(i ? rgb(0x6C9CDA) : kCream, 230));
            l.line(x + 10 - float(k), c, x, c + 18 - float(i) * 2, 4 - float(i), withAlpha(i ? rgb(0x6C9CDA) : kCream, 230));
        }
    });
    b.row(10, 1, wave);
    b.row(11, 1, wave, true);
    b.write(ctx, kShotSet);
}

void writePet(const DemoContext& ctx) {
    SpriteBuilder b(40, 40, 20, 20);
    std::vector<DrawnFrame> frames;
    for (int k = 0; k < 4; ++k) {
        const float bob = std::sin(float(k) / 4.0f * 2 * kPi) * 2.0f;
        DrawnFrame f{b.canvas(), b.box(-10, -10, 10, 10), std::nullopt, 0, int(std::lround(bob))};
        inkedPart(f.canvas, [&](Canvas& l) {
            // A little cloud spirit: a round body, two ears and a curling tail.
            l.line(12, 24, 5, 20 - float(k % 2) * 3, 4, rgb(0xE6ECF7));
            l.fillCircle(21, 21, 10, kWhite);
            l.fillPolygon({14, 14, 15, 6, 19, 12}, kWhite);
            l.fillPolygon({24, 12, 28, 5, 29, 14}, kWhite);
        });
        f.canvas.fillCircle(24, 20, 1.5f, kInk);
        f.canvas.fillCircle(29, 20, 1.5f, kInk);
        f.canvas.fillCircle(22, 24, 1.5f, rgb(0xF29E8E));
        frames.push_back(std::move(f));
    }
    b.row(0, 3, frames, true);
    b.row(1, 3, frames);
    b.write(ctx, kPetSet);
}

}  // namespace demo
