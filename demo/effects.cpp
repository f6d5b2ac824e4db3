// Sprite sets 1001 (effects: row 0 the hit spark, row 1 the level-up flash)
// and 1002 (coins: row 0 small, row 1 large), with their delay files.

#include <algorithm>
#include <cmath>

#include "content/sprite_set_writer.h"
#include "demo/art.h"
#include "demo/demo.h"

namespace demo {

namespace {

using namespace palette;

constexpr float kPi = float(M_PI);

velk::SpriteFrameSource frame(const Canvas& c, FrameBox body) {
    velk::SpriteFrameSource f;
    f.width = uint32_t(c.width());
    f.height = uint32_t(c.height());
    f.pixels = c.pixels();
    f.boxes.push_back(body);
    return f;
}

// A star of `points` rays growing with `t` (0..1) and fading at the end.
Canvas spark(float t) {
    Canvas c(32, 32);
    const float r = 4.0f + 11.0f * t;
    const uint8_t alpha = uint8_t(255.0f * (1.0f - 0.6f * t));
    for (int k = 0; k < 8; ++k) {
        const float a = float(k) * kPi / 4.0f + t;
        const float len = k % 2 ? r * 0.6f : r;
        c.line(16, 16, 16 + len * std::cos(a), 16 + len * std::sin(a), 2.0f,
               withAlpha(k % 2 ? kEmber : kGold, alpha));
    }
    c.fillCircle(16, 16, 4.0f * (1.0f - t) + 1.0f, withAlpha(kCream, alpha));
    return c;
}

// A rising ring of light with sparkles around the hero's feet.
Canvas levelFlash(float t) {
    Canvas c(80, 96);
    const float rise = 80.0f * t;
    for (int k = 0; k < 10; ++k) {
        const float a = float(k) * kPi / 5.0f + t * 3.0f;
        const float x = 40 + 30 * std::cos(a), y = 90 - rise - 8 * std::sin(a);
        c.fillCircle(x, y, 2.5f, withAlpha(k % 2 ? kGold : kCream, uint8_t(230 - 150 * t)));
    }
    for (int y = 0; y < 96; ++y)
        for (int x = 20; x < 60; ++x)
            if (y > 90 - int(rise) && (x + y) % 7 == 0)
                c.blend(x, y, argb(90, 0xF2, 0xC1, 0x4E));
    return c;
}

// A spinning coin: `phase` 0..3 narrows it; large coins are bigger and gold-red.
Canvas coin(int phase, bool large) {
    const int size = large ? 16 : 12;
    Canvas c(size, size);
    const float half = float(size) / 2.0f;
    const float squeeze = std::cos(float(phase) * kPi / 4.0f);
    const float w = std::max(1.5f, (half - 1.0f) * std::fabs(squeeze));
    const uint32_t face = large ? rgb(0xF2A93B) : kGold;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dx = (float(x) + 0.5f - half) / w, dy = (float(y) + 0.5f - half) / (half - 1);
            if (dx * dx + dy * dy <= 1.0f) c.set(x, y, dx < -0.4f ? kCream : face);
        }
    c.outlineShapes(kInk);
    return c;
}

}  // namespace

void writeEffects(const DemoContext& ctx) {
    velk::SpriteSetSource effects;
    effects.rows.resize(2);
    for (int k = 0; k < 5; ++k) {
        effects.frames.push_back(frame(spark(float(k) / 4.0f), {8, 8, 24, 24}));
        effects.rows[0].push_back({int32_t(effects.frames.size()) - 1, -16, -16});
    }
    for (int k = 0; k < 8; ++k) {
        effects.frames.push_back(frame(levelFlash(float(k) / 7.0f), {20, 0, 60, 96}));
        // Centred on the hero's feet.
        effects.rows[1].push_back({int32_t(effects.frames.size()) - 1, -40, -96});
    }
    effects.delays = {1, 2};
    writeOut(ctx, velk::spriteSetFileName(1001), velk::encodeSpriteSet(effects));
    writeOut(ctx, velk::spriteDelayFileName(1001), velk::spriteDelayText(effects.delays));

    velk::SpriteSetSource coins;
    coins.rows.resize(2);
    for (int large = 0; large < 2; ++large)
        for (int phase = 0; phase < 4; ++phase) {
            const int size = large ? 16 : 12;
            coins.frames.push_back(frame(coin(phase, large == 1), {0, 0, size, size}));
            // The coin's point is its middle, 2 pixels above its bottom edge.
            coins.rows[size_t(large)].push_back(
                {int32_t(coins.frames.size()) - 1, -size / 2, -size + 2});
        }
    coins.delays = {2, 2};
    writeOut(ctx, velk::spriteSetFileName(1002), velk::encodeSpriteSet(coins));
    writeOut(ctx, velk::spriteDelayFileName(1002), velk::spriteDelayText(coins.delays));
}

}  // namespace demo
