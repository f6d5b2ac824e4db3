// The demo's monsters and bosses: each species drawn by code in a few
// looks (walking, knocked back, dying, attacking), facing right; the left
// rows mirror them. Monsters use rows 0-6, bosses rows 0-9.

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "demo/creatures.h"
#include "demo/sprite_builder.h"

namespace demo {

namespace {

using namespace palette;
constexpr float kPi = float(M_PI);

// What one frame of a creature shows.
struct Look {
    float t = 0;         // walk phase, 0..1
    float squash = 0;    // flattened by a landing or a hit
    float lean = 0;      // thrown back (negative) or forward
    float attack = 0;    // 0 at rest, 1 at full strike
    bool eyesShut = false;
    bool roar = false;   // bosses' lead-in
};

void ellipse(Canvas& c, float cx, float cy, float rx, float ry, uint32_t col) {
    std::vector<float> xy;
    for (int k = 0; k < 32; ++k) {
        const float a = float(k) / 32.0f * 2.0f * kPi;
        xy.push_back(cx + rx * std::cos(a));
        xy.push_back(cy + ry * std::sin(a));
    }
    c.fillPolygon(xy, col);
}

void eye(Canvas& c, float x, float y, float r, bool shut, uint32_t white = kWhite) {
    if (shut) {
        c.line(x - r, y, x + r, y + 1, 1.5f, kInk);
        return;
    }
    c.fillCircle(x, y, r, white);
    c.fillCircle(x + r * 0.35f, y + r * 0.1f, r * 0.55f, kInk);
    c.set(int(x + r * 0.2f), int(y - r * 0.4f), kWhite);
}

// The creature shrunk about its foot point and faded, for dying frames.
Canvas shrunk(const Canvas& src, float fx, float fy, float scale, float alpha) {
    Canvas out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) {
            const int sx = int(std::floor(fx + (float(x) + 0.5f - fx) / scale));
            const int sy = int(std::floor(fy + (float(y) + 0.5f - fy) / scale));
            if (sx < 0 || sy < 0 || sx >= src.width() || sy >= src.height()) continue;
            const uint32_t p = src.at(sx, sy);
            if (p >> 24) out.set(x, y, withAlpha(p, uint8_t(float(p >> 24) * alpha)));
        }
    return out;
}

// A puff of dust where a creature vanished.
void puff(Canvas& c, float fx, float fy, float size, float spread) {
    for (int k = 0; k < 6; ++k) {
        const float a = float(k) / 6.0f * 2.0f * kPi;
        const float r = size * (0.5f + 0.1f * float(k % 3));
        c.fillCircle(fx + std::cos(a) * spread, fy - size - std::sin(a) * spread * 0.6f, r,
                     withAlpha(k % 2 ? kCream : rgb(0xD8D2C0), 200));
    }
}

// ---- the species, facing right, foot point (fx, fy) ---------------------------

void slime(Canvas& c, float fx, float fy, const Look& k) {
    const float bob = std::sin(k.t * 2 * kPi) * 2.0f;
    const float stretch = 1.0f + 0.5f * k.attack;
    const float rx = 21.0f * (1 + k.squash * 0.3f) / std::sqrt(stretch), ry = (21.0f + bob) * (1 - k.squash * 0.3f) * stretch;
    const float cx = fx + k.lean * 6 + k.attack * 4, cy = fy - ry;
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx, cy, rx, ry, rgb(0x6CC24A));
        ellipse(l, cx - rx * 0.15f, cy + ry * 0.25f, rx * 0.8f, ry * 0.6f, rgb(0x4C9A2A));
        l.fillRect(int(cx - rx + 2), int(fy - 3), int(rx * 2 - 4), 3, rgb(0x3D7F22));
        if (k.attack > 0.5f) l.line(cx + rx * 0.5f, cy - ry * 0.6f, cx + rx + 12, cy - ry - 14, 7, rgb(0x6CC24A));
    });
    ellipse(c, cx - rx * 0.4f, cy - ry * 0.45f, rx * 0.25f, ry * 0.15f, rgb(0xC6F0A8));
    eye(c, cx + rx * 0.2f, cy - ry * 0.15f, 4, k.eyesShut);
    eye(c, cx + rx * 0.62f, cy - ry * 0.15f, 3.5f, k.eyesShut);
    c.line(cx + rx * 0.3f, cy + ry * 0.25f, cx + rx * 0.6f, cy + ry * 0.25f, 1.5f, rgb(0x2E6B30));
}

void beetle(Canvas& c, float fx, float fy, const Look& k) {
    const float step = std::sin(k.t * 2 * kPi);
    const float cx = fx - 2 + k.lean * 6 + k.attack * 8, cy = fy - 20 + k.squash * 4;
    inkedPart(c, [&](Canvas& l) {
        for (int i = 0; i < 3; ++i) {
            const float lx = cx - 12 + float(i) * 12, sway = (i % 2 ? step : -step) * 3;
            l.line(lx, cy + 6, lx + sway - 3, fy - 1, 3, rgb(0x3A2A2A));
        }
    });
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx, cy - 4, 22, 16, rgb(0xB0432E));
        l.line(cx - 20, cy - 4, cx + 18, cy - 4, 1.5f, rgb(0x7A2A1E));
        ellipse(l, cx - 6, cy - 12, 8, 4, rgb(0xE07A5A));
        l.fillCircle(cx - 10, cy - 2, 3, rgb(0x3A2A2A));
        l.fillCircle(cx + 2, cy + 2, 2.5f, rgb(0x3A2A2A));
    });
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx + 20, cy, 9, 8, rgb(0x4A3434));
        const float horn = 10 + k.attack * 10;
        l.line(cx + 24, cy - 2, cx + 26 + horn, cy - 10 - k.attack * 2, 4, rgb(0xE8D8B0));
    });
    eye(c, cx + 23, cy - 2, 2.5f, k.eyesShut, rgb(0xF2C14E));
}

void crab(Canvas& c, float fx, float fy, const Look& k) {
    const float step = std::sin(k.t * 2 * kPi);
    const float cx = fx + k.lean * 6, cy = fy - 18 + k.squash * 4;
    const float claw = k.attack;
    inkedPart(c, [&](Canvas& l) {
        for (int i = 0; i < 3; ++i) {
            const float s = (i % 2 ? step : -step) * 2;
            l.line(cx - 10 - float(i) * 5, cy + 4, cx - 18 - float(i) * 6 + s, fy - 1, 3, rgb(0x5A6A80));
            l.line(cx + 8 + float(i) * 4, cy + 4, cx + 14 + float(i) * 5 - s, fy - 1, 3, rgb(0x5A6A80));
        }
    });
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx, cy - 6, 25, 15, rgb(0x7D8FA8));
        ellipse(l, cx - 4, cy - 12, 15, 6, rgb(0xA9BAD0));
        for (int i = 0; i < 4; ++i) l.fillCircle(cx - 14 + float(i) * 8, cy - 2, 2, rgb(0x5A6A80));
    });
    inkedPart(c, [&](Canvas& l) {
        // The claws rise and open as it spits.
        const float ay = cy - 14 - claw * 14;
        l.line(cx + 14, cy - 6, cx + 24, ay, 5, rgb(0x7D8FA8));
        ellipse(l, cx + 26, ay - 4, 7, 6, rgb(0x9FB2CC));
        l.line(cx + 28, ay - 6, cx + 36, ay - 10 - claw * 4, 3, rgb(0x9FB2CC));
        l.line(cx - 14, cy - 6, cx - 20, ay + 4, 5, rgb(0x6A7C94));
        ellipse(l, cx - 21, ay, 6, 5, rgb(0x7D8FA8));
    });
    inkedPart(c, [&](Canvas& l) {
        l.line(cx + 4, cy - 18, cx + 6, cy - 28, 2, rgb(0x5A6A80));
        l.line(cx + 12, cy - 18, cx + 14, cy - 28, 2, rgb(0x5A6A80));
        l.fillCircle(cx + 6, cy - 29, 3.5f, kWhite);
        l.fillCircle(cx + 14, cy - 29, 3.5f, kWhite);
    });
    if (!k.eyesShut) {
        c.fillCircle(cx + 7, cy - 29, 1.6f, kInk);
        c.fillCircle(cx + 15, cy - 29, 1.6f, kInk);
    }
    if (claw > 0.5f) ellipse(c, cx + 18, cy - 6, 4, 3, kInk);
}

void flower(Canvas& c, float fx, float fy, const Look& k) {
    const float sway = std::sin(k.t * 2 * kPi) * 2 + k.lean * 6 - k.attack * 4;
    const float hx = fx + sway, hy = fy - 48;
    inkedPart(c, [&](Canvas& l) {
        l.line(fx, fy - 2, hx, hy, 5, rgb(0x3E8E3A));
        ellipse(l, fx - 9, fy - 16, 9, 4, rgb(0x4C9A2A));
        ellipse(l, fx + 9, fy - 24, 9, 4, rgb(0x4C9A2A));
        ellipse(l, fx, fy - 3, 14, 4, rgb(0x6E4424));
    });
    inkedPart(c, [&](Canvas& l) {
        for (int i = 0; i < 6; ++i) {
            const float a = float(i) / 6.0f * 2 * kPi + k.t;
            ellipse(l, hx + std::cos(a) * 11, hy + std::sin(a) * 11, 8, 8, i % 2 ? rgb(0xB65FCF) : rgb(0x8E3FB0));
        }
        l.fillCircle(hx, hy, 10, rgb(0xF2C14E));
    });
    // The mouth: a tube that puffs out when it fires.
    inkedPart(c, [&](Canvas& l) {
        const float len = 10 + k.attack * 6;
        l.line(hx + 4, hy, hx + len + 4, hy, 8 + k.attack * 2, rgb(0xE4572E));
        l.fillCircle(hx + len + 5, hy, 3 + k.attack, kInk);
    });
    eye(c, hx - 3, hy - 4, 2.5f, k.eyesShut);
}

void bat(Canvas& c, float fx, float fy, const Look& k) {
    const float flap = std::sin(k.t * 2 * kPi);
    const float cx = fx + k.lean * 6, cy = fy - 38 + flap * 2 + k.attack * 4;
    inkedPart(c, [&](Canvas& l) {
        for (int side = -1; side <= 1; side += 2) {
            const float tipY = cy - 14 * flap - (k.attack > 0 ? 10 : 0);
            l.fillPolygon({cx, cy - 6, cx + float(side) * 30, tipY - 6, cx + float(side) * 24, tipY + 4,
                           cx + float(side) * 14, cy + 2, cx, cy + 6},
                          rgb(0x3E3A6E));
        }
        l.line(cx - 2, fy - 2, cx - 2, cy + 10, 2, rgb(0x2A2748));
        l.line(cx + 4, fy - 2, cx + 4, cy + 10, 2, rgb(0x2A2748));
    });
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx, cy, 12, 13, rgb(0x5B5494));
        l.fillPolygon({cx - 8, cy - 8, cx - 6, cy - 20, cx - 1, cy - 10}, rgb(0x5B5494));
        l.fillPolygon({cx + 8, cy - 8, cx + 7, cy - 20, cx + 2, cy - 10}, rgb(0x5B5494));
        ellipse(l, cx + 2, cy + 5, 6, 5, rgb(0x8C86C4));
    });
    eye(c, cx + 1, cy - 3, 2.5f, k.eyesShut, rgb(0xF2C14E));
    eye(c, cx + 7, cy - 3, 2.5f, k.eyesShut, rgb(0xF2C14E));
    if (k.attack > 0.5f) {
        ellipse(c, cx + 5, cy + 5, 3, 3, kInk);
        c.fillCircle(cx + 5, cy + 11, 2.5f, rgb(0x9BE05A));
    }
}

void shroom(Canvas& c, float fx, float fy, const Look& k) {
    const float step = std::sin(k.t * 2 * kPi);
    const float cx = fx + k.lean * 5 + k.attack * 4, cy = fy - 22;
    inkedPart(c, [&](Canvas& l) {
        l.line(cx - 4, cy + 8, cx - 6 - step * 2, fy - 2, 5, rgb(0xD9C6A0));
        l.line(cx + 4, cy + 8, cx + 6 + step * 2, fy - 2, 5, rgb(0xD9C6A0));
        l.fillRect(int(cx - 10), int(fy - 4), 8, 4, rgb(0x6E4424));
        l.fillRect(int(cx + 3), int(fy - 4), 8, 4, rgb(0x6E4424));
    });
    // A spear held level; the thrust carries it forward.
    const float reach = 6 + k.attack * 30;
    inkedPart(c, [&](Canvas& l) {
        l.line(cx - 14 + reach, cy, cx + 22 + reach, cy, 3, rgb(0x8A5A3C));
        l.fillPolygon({cx + 22 + reach, cy - 5, cx + 34 + reach, cy, cx + 22 + reach, cy + 5}, rgb(0xC8CCD8));
    });
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx, cy, 12, 14, rgb(0xF1E4C8));
        ellipse(l, cx, cy - 16, 22, 13, rgb(0xD2402E));
        l.fillRect(int(cx - 22), int(cy - 16), 44, 5, rgb(0xD2402E));
        for (float dx : {-12.0f, 2.0f, 12.0f}) l.fillCircle(cx + dx, cy - 21 + std::fabs(dx) * 0.3f, 3, kWhite);
        l.fillCircle(cx + 12 + k.attack * 6, cy + 2, 4, rgb(0xF1E4C8));
    });
    eye(c, cx + 2, cy - 1, 2.5f, k.eyesShut);
    eye(c, cx + 8, cy - 1, 2.5f, k.eyesShut);
}

// ---- bosses -------------------------------------------------------------------

void treant(Canvas& c, float fx, float fy, const Look& k) {
    const float step = std::sin(k.t * 2 * kPi);
    const float cx = fx + k.lean * 10, top = fy - 124 + k.squash * 10;
    inkedPart(c, [&](Canvas& l) {
        l.line(cx - 16, fy - 40, cx - 22 - step * 6, fy - 4, 14, rgb(0x5A3A22));
        l.line(cx + 16, fy - 40, cx + 22 + step * 6, fy - 4, 14, rgb(0x5A3A22));
        for (int s : {-1, 1}) l.fillRect(int(cx + float(s) * 22 - 14 + float(s) * step * 6), int(fy - 8), 22, 8, rgb(0x3E2716));
    });
    inkedPart(c, [&](Canvas& l) {
        l.fillRoundRect(int(cx - 40), int(top + 26), 80, int(fy - 36 - top - 26), 18, rgb(0x7A4A2A));
        for (int i = 0; i < 5; ++i)
            l.line(cx - 30 + float(i) * 14, top + 34, cx - 32 + float(i) * 14, fy - 44, 2, rgb(0x5A3A22));
        // A crown of leaves.
        for (int i = 0; i < 7; ++i)
            l.fillCircle(cx - 42 + float(i) * 14, top + 22 - float(i % 2) * 10, 16, i % 2 ? kLeaf : kMoss);
    });
    inkedPart(c, [&](Canvas& l) {
        const float lift = k.roar ? -40.0f : -k.attack * 20;
        l.line(cx + 30, top + 50, cx + 58, top + 74 + lift, 10, rgb(0x6E4424));
        l.line(cx - 30, top + 50, cx - 54, top + 80 + (k.roar ? -40.0f : 0.0f), 10, rgb(0x5A3A22));
        l.fillCircle(cx + 60, top + 76 + lift, 8, kMoss);
    });
    const float mouth = 4 + k.attack * 8 + (k.roar ? 8.0f : 0.0f);
    ellipse(c, cx + 18, top + 56, 10, mouth, k.attack > 0.3f || k.roar ? rgb(0xFFB347) : kInk);
    if (k.attack > 0.3f) ellipse(c, cx + 18, top + 56, 5, mouth * 0.5f, rgb(0xFFF4D6));
    for (float ex : {4.0f, 24.0f}) {
        if (k.eyesShut)
            c.line(cx + ex - 5, top + 40, cx + ex + 5, top + 40, 2, kInk);
        else
            c.fillCircle(cx + ex, top + 40, 5, k.roar || k.attack > 0 ? rgb(0xFF6B3A) : rgb(0xF2C14E));
    }
}

void boar(Canvas& c, float fx, float fy, const Look& k) {
    const float step = std::sin(k.t * 2 * kPi);
    const float cx = fx + k.lean * 10, cy = fy - 52 + k.squash * 8 - (k.roar ? 6.0f : 0.0f);
    const float run = k.attack > 0 ? 1.8f : 1.0f;
    inkedPart(c, [&](Canvas& l) {
        for (int i = 0; i < 4; ++i) {
            const float lx = cx - 40 + float(i) * 26, s = (i % 2 ? step : -step) * 8 * run;
            l.line(lx, cy + 14, lx + s, fy - 4, 11, i < 2 ? rgb(0x4A3530) : rgb(0x5E4438));
            l.fillRect(int(lx + s - 6), int(fy - 7), 13, 7, kInk);
        }
    });
    inkedPart(c, [&](Canvas& l) {
        ellipse(l, cx - 6, cy, 54, 34, rgb(0x6E5044));
        ellipse(l, cx - 10, cy - 14, 40, 16, rgb(0x8A6A58));
        for (int i = 0; i < 7; ++i)
            l.fillPolygon({cx - 40 + float(i) * 10, cy - 28, cx - 34 + float(i) * 10, cy - 46 - float(i % 2) * 6,
                           cx - 28 + float(i) * 10, cy - 28},
                          rgb(0x3E2A24));
    });
    inkedPart(c, [&](Canvas& l) {
        const float hx = cx + 50 + k.attack * 6, hy = cy + 4 + k.attack * 6;
        ellipse(l, hx, hy, 24, 22, rgb(0x7E5C4E));
        ellipse(l, hx + 20, hy + 8, 10, 9, rgb(0xC98C7A));
        l.fillCircle(hx + 22, hy + 6, 2, kInk);
        l.fillCircle(hx + 26, hy + 10, 2, kInk);
        l.line(hx + 10, hy + 14, hx + 28, hy - 6 - k.attack * 4, 5, kCream);
        l.fillPolygon({hx - 10, hy - 18, hx - 4, hy - 34, hx + 4, hy - 18}, rgb(0x5E4438));
    });
    const float ex = cx + 54 + k.attack * 6, ey = cy - 4 + k.attack * 6;
    if (k.eyesShut)
        c.line(ex - 4, ey, ex + 4, ey, 2, kInk);
    else
        c.fillCircle(ex, ey, 3.5f, k.roar || k.attack > 0 ? rgb(0xFF3A2A) : rgb(0xF2C14E));
    if (k.attack > 0.5f)
        for (int i = 0; i < 3; ++i)
            c.line(cx - 70 - float(i) * 4, cy - 20 + float(i) * 16, cx - 52, cy - 20 + float(i) * 16, 2, withAlpha(kWhite, 200));
}

using DrawFn = void (*)(Canvas&, float, float, const Look&);

struct Species {
    int number;
    DrawFn draw;
    int width, height, footX, footY;
    FrameBox body;                    // relative to the foot point
    FrameBox strike;                  // the attack box of attack frames
    bool walkStrikes = false;         // walking frames hurt to touch
    FrameBox walkStrike{};
};

constexpr Species kSpecies[] = {
    {kSlimeSet, slime, 72, 72, 36, 72, {-18, -42, 18, -1}, {4, -84, 36, -30}},
    {kBeetleSet, beetle, 96, 64, 44, 64, {-22, -40, 24, -1}, {16, -40, 50, -8}, true, {24, -34, 40, -14}},
    {kCrabSet, crab, 96, 72, 48, 72, {-24, -40, 24, -1}, {14, -52, 40, -24}},
    {kFlowerSet, flower, 72, 80, 32, 80, {-14, -62, 16, -1}, {12, -56, 32, -40}},
    {kBatSet, bat, 80, 72, 40, 72, {-14, -56, 14, -24}, {-4, -34, 14, -20}},
    {kShroomSet, shroom, 112, 64, 40, 64, {-14, -52, 16, -1}, {14, -30, 66, -16}},
};

FrameBox rel(const SpriteBuilder& b, const FrameBox& r) { return b.box(r.left, r.top, r.right, r.bottom); }

DrawnFrame frameOf(const Species& s, const SpriteBuilder& b, const Look& look, bool strikes) {
    DrawnFrame f{b.canvas(), rel(b, s.body), std::nullopt};
    s.draw(f.canvas, float(s.footX), float(s.footY), look);
    if (strikes) f.attack = rel(b, s.strike);
    return f;
}

void writeMonster(const DemoContext& ctx, const Species& s) {
    SpriteBuilder b(s.width, s.height, s.footX, s.footY);
    std::vector<DrawnFrame> walk, hurt, die, attack;
    for (int k = 0; k < 4; ++k) {
        DrawnFrame f = frameOf(s, b, {.t = float(k) / 4.0f}, false);
        if (s.walkStrikes) f.attack = rel(b, s.walkStrike);
        walk.push_back(std::move(f));
    }
    for (int k = 0; k < 2; ++k)
        hurt.push_back(frameOf(s, b, {.squash = 0.4f - 0.2f * float(k), .lean = -1.0f, .eyesShut = true}, false));
    const DrawnFrame still = frameOf(s, b, {.lean = -1.0f, .eyesShut = true}, false);
    for (int k = 0; k < 5; ++k) {
        DrawnFrame f{b.canvas(), still.body, std::nullopt};
        if (k < 4) {
            const float scale = 1.0f - 0.18f * float(k);
            f.canvas = shrunk(still.canvas, float(s.footX), float(s.footY), scale, 1.0f - 0.2f * float(k));
        }
        if (k >= 2) puff(f.canvas, float(s.footX), float(s.footY), 6.0f + 2.0f * float(k), 4.0f * float(k));
        die.push_back(std::move(f));
    }
    for (float a : {0.3f, 1.0f, 1.0f, 0.4f}) attack.push_back(frameOf(s, b, {.attack = a}, a > 0.9f));
    b.row(0, 3, walk, true);
    b.row(1, 3, walk);
    b.row(2, 3, hurt, true);  // pushed right: it faces the hero on its left
    b.row(3, 3, hurt);
    b.row(4, 3, die);
    b.row(5, 3, attack, true);
    b.row(6, 3, attack);
    b.write(ctx, s.number);
}

struct BossSpecies {
    int number;
    DrawFn draw;
    int width, height, footX, footY;
    FrameBox body;
    FrameBox strike;
    std::vector<int> attackShift;  // how far each attack frame lunges forward
    int attackDelay;
};

void writeBoss(const DemoContext& ctx, const BossSpecies& s) {
    SpriteBuilder b(s.width, s.height, s.footX, s.footY);
    auto frame = [&](const Look& look, bool strikes, int shift = 0) {
        DrawnFrame f{b.canvas(), rel(b, s.body), std::nullopt, shift};
        s.draw(f.canvas, float(s.footX), float(s.footY), look);
        if (strikes) f.attack = rel(b, s.strike);
        return f;
    };
    std::vector<DrawnFrame> walk, hit, die, attack, roar;
    for (int k = 0; k < 4; ++k) walk.push_back(frame({.t = float(k) / 4.0f}, false));
    for (int k = 0; k < 2; ++k) hit.push_back(frame({.squash = 0.3f, .lean = -1.0f - 0.5f * float(k), .eyesShut = true}, false));
    const DrawnFrame fallen = frame({.squash = 0.2f, .lean = -1.5f, .eyesShut = true}, false);
    for (int k = 0; k < 6; ++k) {
        DrawnFrame f{b.canvas(), fallen.body, std::nullopt};
        if (k < 5)
            f.canvas = shrunk(fallen.canvas, float(s.footX), float(s.footY), 1.0f - 0.1f * float(k), 1.0f - 0.18f * float(k));
        if (k >= 2) puff(f.canvas, float(s.footX), float(s.footY), 10.0f + 4.0f * float(k), 10.0f * float(k));
        die.push_back(std::move(f));
    }
    for (size_t k = 0; k < s.attackShift.size(); ++k) {
        const bool strikes = k > 0 && k + 1 < s.attackShift.size();
        attack.push_back(frame({.t = float(k) / 4.0f, .attack = strikes ? 1.0f : 0.4f}, strikes, s.attackShift[k]));
    }
    for (int k = 0; k < 3; ++k) roar.push_back(frame({.squash = k == 1 ? 0.1f : 0.0f, .roar = k > 0}, false));
    b.row(0, 3, walk, true);
    b.row(1, 3, walk);
    b.row(2, 3, hit, true);
    b.row(3, 3, hit);
    b.row(4, 3, die, true);
    b.row(5, 3, die);
    b.row(6, s.attackDelay, attack, true);
    b.row(7, s.attackDelay, attack);
    b.row(8, 4, roar, true);
    b.row(9, 4, roar);
    b.write(ctx, s.number);
}

}  // namespace

void writeCreatures(const DemoContext& ctx) {
    for (const Species& s : kSpecies) writeMonster(ctx, s);
    // The shooter fires from its mouth on the first step of each attack
    // cycle, a shot every second frame of that step: long steps make bursts
    // with a gap after each, long enough for a hero to close in between
    // them. The charger lunges across the ground with its tusks.
    writeBoss(ctx, {kTreantSet, treant, 176, 144, 88, 144, {-40, -124, 40, -1}, {34, -70, 68, -20},
                    {0, 0, 0, 0}, 10});
    writeBoss(ctx, {kBoarSet, boar, 224, 112, 112, 112, {-56, -92, 70, -1}, {50, -80, 100, -20},
                    {0, 24, 60, 96, 60, 24}, 2});
}

}  // namespace demo
