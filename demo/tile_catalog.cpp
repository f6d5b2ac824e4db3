#include "demo/tile_catalog.h"

#include <array>
#include <cmath>
#include <map>

#include "demo/art.h"

namespace demo {

namespace {

constexpr int kTile = 32;

struct Palette {
    // Each ramp runs light to dark.
    std::array<uint32_t, 3> grass;
    std::array<uint32_t, 4> dirt;
    std::array<uint32_t, 4> stone;
    std::array<uint32_t, 4> pave;
    std::array<uint32_t, 4> rock;
    std::array<uint32_t, 4> brick;  // light, mid, dark, mortar
    std::array<uint32_t, 3> wood;
    std::array<uint32_t, 4> water;
    std::array<uint32_t, 3> back;
    std::array<uint32_t, 2> rope;
    std::array<uint32_t, 3> metal;
    std::array<uint32_t, 2> bloom;
    uint32_t ink;
};

Palette paletteOf(Theme theme) {
    Palette p{};
    p.ink = palette::kInk;
    p.stone = {rgb(0xB4B6C2), rgb(0x8C8E9C), rgb(0x62647A), rgb(0x42445A)};
    p.pave = {rgb(0xD9CDB4), rgb(0xB3A58A), rgb(0x85785F), rgb(0x5C5242)};
    p.rock = {rgb(0x8C7A9E), rgb(0x6A5A80), rgb(0x4A3E60), rgb(0x2E2640)};
    p.brick = {rgb(0xD0704F), rgb(0xA9503A), rgb(0x7A3328), rgb(0xE0D2B4)};
    p.wood = {rgb(0xE0A968), rgb(0xAD6F3B), rgb(0x6E4424)};
    p.water = {rgb(0xA8E4F7), rgb(0x5AAFE0), rgb(0x3A7FC0), rgb(0x24508C)};
    p.back = {rgb(0x4A4660), rgb(0x38344C), rgb(0x28243A)};
    p.rope = {rgb(0xDDBB7C), rgb(0x9C7441)};
    p.metal = {rgb(0xE8ECF2), rgb(0xA3ABBD), rgb(0x646C80)};
    p.bloom = {rgb(0xF2C14E), rgb(0xE4572E)};
    switch (theme) {
        case Theme::Village:
            p.grass = {rgb(0x8FD65A), rgb(0x5BA83A), rgb(0x2E6B30)};
            p.dirt = {rgb(0xC48A58), rgb(0x956240), rgb(0x65402C), rgb(0x43291C)};
            p.back = {rgb(0x8C6A4E), rgb(0x6E523C), rgb(0x523C2C)};
            break;
        case Theme::Forest:
            p.grass = {rgb(0x6CC453), rgb(0x3F9140), rgb(0x1F5A2E)};
            p.dirt = {rgb(0xA5714B), rgb(0x7A4E32), rgb(0x523321), rgb(0x352012)};
            p.back = {rgb(0x3E5A3A), rgb(0x2E4630), rgb(0x203424)};
            p.bloom = {rgb(0xF7E26B), rgb(0xE86A92)};
            break;
        case Theme::Hill:
            p.grass = {rgb(0xC2CC62), rgb(0x8EA140), rgb(0x5C6C2C)};
            p.dirt = {rgb(0xBC946A), rgb(0x8E6C4A), rgb(0x634A33), rgb(0x413022)};
            p.stone = {rgb(0xC4BCAE), rgb(0x9A9282), rgb(0x6E675C), rgb(0x4A453E)};
            p.rock = {rgb(0xC8AE92), rgb(0x9C8268), rgb(0x6E5A48), rgb(0x463A30)};
            p.back = {rgb(0x6E675C), rgb(0x57514A), rgb(0x413C36)};
            p.bloom = {rgb(0xF2C14E), rgb(0xF4F0E0)};
            break;
        case Theme::Cave:
            p.grass = {rgb(0x7FE0C0), rgb(0x3FA18C), rgb(0x22625A)};
            p.dirt = {rgb(0x7C6C8A), rgb(0x5C4E6C), rgb(0x40364E), rgb(0x282134)};
            p.back = {rgb(0x3A3150), rgb(0x2C2540), rgb(0x1E1A2E)};
            p.water = {rgb(0x9CF0D0), rgb(0x4CC0A0), rgb(0x2E8A7E), rgb(0x1C5456)};
            p.bloom = {rgb(0x8FF0FF), rgb(0xB68CFF)};
            break;
    }
    return p;
}

// ---- index layout --------------------------------------------------------

constexpr int kPerMaterial = 16 + tiles::kFade;
constexpr int kMaterialBase = 1;
constexpr int kSlopeBase = kMaterialBase + kMaterialCount * kPerMaterial;
constexpr int kPlankBase = kSlopeBase + kMaterialCount * 2;
constexpr int kLadder = kPlankBase + 4;
constexpr int kRopeBase = kLadder + 1;
constexpr int kSpikes = kRopeBase + 2;
constexpr int kWaterBase = kSpikes + 1;
constexpr int kBackBase = kWaterBase + 2;
constexpr int kDecorBase = kBackBase + 16;
constexpr int kTileCount = kDecorBase + kDecorCount;

// ---- drawing helpers -------------------------------------------------------

uint32_t pick(uint32_t seed, int x, int y, uint32_t a, uint32_t b, int oneIn) {
    return hash3(x, y, seed) % uint32_t(oneIn) == 0 ? b : a;
}

// Rounds the exposed corners and inks the exposed edges of a solid tile.
void edgeOutline(Canvas& c, int edges, uint32_t ink, uint32_t shade) {
    const bool top = edges & kEdgeTop, right = edges & kEdgeRight, bottom = edges & kEdgeBottom,
               left = edges & kEdgeLeft;
    // A band of shade inside the lower and side edges gives the block depth.
    for (int i = 0; i < kTile; ++i) {
        if (bottom) {
            c.set(i, kTile - 2, shade);
            c.set(i, kTile - 3, shade);
        }
        if (right) {
            c.set(kTile - 2, i, shade);
        }
        if (left) c.set(1, i, shade);
    }
    for (int i = 0; i < kTile; ++i) {
        if (top) c.set(i, 0, ink);
        if (bottom) c.set(i, kTile - 1, ink);
        if (left) c.set(0, i, ink);
        if (right) c.set(kTile - 1, i, ink);
    }
    // Bevelled corners where two open edges meet.
    auto corner = [&](int cx, int cy, int dx, int dy) {
        c.set(cx, cy, 0);
        c.set(cx + dx, cy + dy, ink);
    };
    if (top && left) corner(0, 0, 1, 1);
    if (top && right) corner(kTile - 1, 0, -1, 1);
    if (bottom && left) corner(0, kTile - 1, 1, -1);
    if (bottom && right) corner(kTile - 1, kTile - 1, -1, -1);
}

// Dirt: speckled earth with a few buried pebbles.
void dirtFill(Canvas& c, const Palette& p, uint32_t seed, int fromY = 0) {
    for (int y = fromY; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            uint32_t h = hash3(x, y, seed);
            uint32_t col = p.dirt[1];
            if (h % 17 == 0) col = p.dirt[2];
            else if (h % 29 == 0) col = p.dirt[0];
            c.set(x, y, col);
        }
    for (int k = 0; k < 2; ++k) {
        uint32_t h = hash3(k, 99, seed);
        int sx = 3 + int(h % 24), sy = std::max(fromY + 3, 6 + int((h >> 8) % 22));
        if (sy > kTile - 5) continue;
        c.fillRect(sx, sy, 4, 2, p.dirt[0]);
        c.fillRect(sx + 1, sy - 1, 2, 1, p.dirt[0]);
        c.fillRect(sx, sy + 2, 4, 1, p.dirt[3]);
    }
}

// A grass cap along the top with a ragged lower edge.
void grassCap(Canvas& c, const Palette& p, uint32_t seed) {
    for (int x = 0; x < kTile; ++x) {
        const int depth = 5 + int(hash3(x / 2, 7, seed) % 3) + ((x % 7 == 3) ? 2 : 0);
        for (int y = 0; y < depth; ++y) c.set(x, y, y < 2 ? p.grass[0] : p.grass[1]);
        c.set(x, depth, p.grass[2]);
        c.set(x, depth + 1, p.dirt[2]);
        if (hash3(x, 3, seed) % 5 == 0) c.set(x, 2, p.grass[0]);
    }
    for (int x = 1; x < kTile; x += 4) c.set(x + int(hash3(x, 1, seed) % 2), 3, p.grass[2]);
}

void stoneFill(Canvas& c, const std::array<uint32_t, 4>& s, uint32_t seed, int fromY = 0) {
    // Blocks 16 wide and 8 high in courses offset by half a block.
    for (int y = fromY; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const int course = y / 8;
            const int bx = (x + (course % 2) * 8) % 16;
            const int by = y % 8;
            uint32_t col = s[1];
            if (by == 7 || bx == 15) col = s[3];
            else if (by == 0 || bx == 0) col = s[0];
            else if (by == 6 || bx == 14) col = s[2];
            else if (hash3(x, y, seed) % 19 == 0) col = s[2];
            c.set(x, y, col);
        }
}

void rockFill(Canvas& c, const std::array<uint32_t, 4>& r, uint32_t seed) {
    // Layered rock: two wavy seams a tile apart, calm bands between them.
    auto seam = [](int x, int base, double phase) {
        return base + int(std::lround(2.0 * std::sin(double(x) * 2.0 * M_PI / 32.0 + phase)));
    };
    for (int x = 0; x < kTile; ++x) {
        const int s1 = seam(x, 9, 0.0), s2 = seam(x, 24, 2.2);
        for (int y = 0; y < kTile; ++y) {
            uint32_t col = (y > s1 && y < s2) ? r[1] : mix(r[1], r[2], 0.45f);
            if (hash3(x, y, seed) % 37 == 0) col = r[2];
            if (hash3(x, y, seed + 3) % 53 == 0) col = r[0];
            if (y == s1 || y == s2) col = r[3];
            if (y == s1 + 1 || y == s2 + 1) col = r[0];
            c.set(x, y, col);
        }
    }
    // A short crack in the middle band.
    const uint32_t h = hash3(1, 5, seed);
    int x = 6 + int(h % 16), y = 14 + int((h >> 8) % 4);
    for (int k = 0; k < 5; ++k, ++x) {
        c.set(x, y, r[3]);
        if ((h >> (12 + k)) & 1) ++y;
    }
}

void paveFill(Canvas& c, const Palette& p, uint32_t seed, bool cobbles) {
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            c.set(x, y, pick(seed, x, y, p.pave[2], p.pave[3], 11));
    if (!cobbles) {
        for (int k = 0; k < 3; ++k) {
            uint32_t h = hash3(k, 31, seed);
            int sx = 2 + int(h % 26), sy = 4 + int((h >> 8) % 24);
            c.fillRect(sx, sy, 3, 2, p.pave[1]);
        }
        return;
    }
    // Two rows of rounded cobbles on top.
    const int widths[2][4] = {{9, 7, 8, 8}, {6, 9, 8, 9}};
    for (int row = 0; row < 2; ++row) {
        int x = row == 0 ? 0 : -3;
        const int y = row == 0 ? 1 : 8;
        for (int k = 0; x < kTile; ++k) {
            const int w = widths[row][k % 4];
            Canvas stone(w, 7);
            stone.fillRoundRect(0, 0, w, 7, 2, p.pave[1]);
            stone.fillRect(1, 1, w - 3, 1, p.pave[0]);
            stone.fillRect(1, 5, w - 2, 1, p.pave[2]);
            for (int j = 0; j < 7; ++j)
                for (int i = 0; i < w; ++i)
                    if (stone.at(i, j) >> 24) c.set(x + i, y + j, stone.at(i, j));
            x += w;
        }
    }
    for (int x = 0; x < kTile; ++x) c.set(x, 15, p.pave[3]);
}

void brickFill(Canvas& c, const Palette& p, bool cap) {
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const int course = y / 8;
            const int bx = (x + (course % 2) * 8) % 16;
            const int by = y % 8;
            uint32_t col = p.brick[1];
            if (by == 7 || bx == 15) col = p.brick[3];
            else if (by == 0) col = p.brick[0];
            else if (by == 6) col = p.brick[2];
            c.set(x, y, col);
        }
    if (cap) {
        // A coping of pale stone on the top course.
        c.fillRect(0, 0, kTile, 6, p.stone[1]);
        c.fillRect(0, 1, kTile, 1, p.stone[0]);
        c.fillRect(0, 5, kTile, 1, p.stone[3]);
        for (int x = 7; x < kTile; x += 16) c.fillRect(x, 1, 1, 4, p.stone[2]);
    }
}

Canvas materialTile(Material m, int edges, int variant, const Palette& p) {
    Canvas c(kTile, kTile);
    const uint32_t seed = uint32_t(int(m) * 131 + variant * 17 + 7);
    const bool top = edges & kEdgeTop;
    uint32_t shade = p.dirt[2];
    switch (m) {
        case Material::Ground:
            dirtFill(c, p, seed);
            if (top) grassCap(c, p, seed);
            shade = p.dirt[2];
            break;
        case Material::Stone:
            stoneFill(c, p.stone, seed);
            if (top) {
                for (int x = 0; x < kTile; ++x) {
                    c.set(x, 1, p.stone[0]);
                    if (hash3(x / 3, 0, seed) % 3 == 0) {
                        c.set(x, 1, p.grass[1]);
                        c.set(x, 2, p.grass[2]);
                    }
                }
            }
            shade = p.stone[2];
            break;
        case Material::Paving:
            paveFill(c, p, seed, top);
            shade = p.pave[3];
            break;
        case Material::Rock:
            rockFill(c, p.rock, seed);
            if (top) {
                for (int x = 0; x < kTile; ++x) {
                    c.set(x, 1, p.rock[0]);
                    c.set(x, 2, p.rock[0]);
                    if (hash3(x / 2, 2, seed) % 4 == 0) {
                        c.set(x, 1, p.grass[0]);
                        c.set(x, 2, p.grass[1]);
                        c.set(x, 3, p.grass[2]);
                    }
                }
            }
            shade = p.rock[2];
            break;
        case Material::Brick:
            brickFill(c, p, top);
            shade = p.brick[2];
            break;
    }
    edgeOutline(c, edges, p.ink, shade);
    return c;
}

Canvas slopeTile(Material m, bool up, const Palette& p) {
    Canvas full = materialTile(m, 0, 1, p);
    Canvas c(kTile, kTile);
    // The surface line: up runs from the bottom-left to the top-right corner,
    // down from the top-left to the bottom-right: where the hero's feet go.
    auto surface = [&](int x) { return up ? kTile - 1 - x : x; };
    for (int x = 0; x < kTile; ++x) {
        const int s = surface(x);
        for (int y = s; y < kTile; ++y) c.set(x, y, full.at(x, y));
        // Cap along the slope in the material's own top colours.
        for (int d = 1; d < 7 && s + d < kTile; ++d) {
            uint32_t col;
            switch (m) {
                case Material::Ground: col = d < 3 ? p.grass[0] : (d < 6 ? p.grass[1] : p.grass[2]); break;
                case Material::Stone: col = d < 2 ? p.stone[0] : full.at(x, s + d); break;
                case Material::Paving: col = d < 3 ? p.pave[0] : (d < 6 ? p.pave[1] : p.pave[2]); break;
                case Material::Rock: col = d < 3 ? p.rock[0] : full.at(x, s + d); break;
                default: col = full.at(x, s + d); break;
            }
            c.set(x, s + d, col);
        }
        c.set(x, s, p.ink);
    }
    return c;
}

Canvas plankTile(PlankPiece piece, const Palette& p) {
    Canvas c(kTile, kTile);
    const bool leftEnd = piece == PlankPiece::Left || piece == PlankPiece::Single;
    const bool rightEnd = piece == PlankPiece::Right || piece == PlankPiece::Single;
    const int x0 = leftEnd ? 1 : 0, x1 = rightEnd ? kTile - 2 : kTile - 1;
    for (int x = x0; x <= x1; ++x) {
        c.set(x, 0, p.ink);
        c.set(x, 1, p.wood[0]);
        for (int y = 2; y < 8; ++y) c.set(x, y, hash3(x / 5, y, 77) % 4 == 0 ? p.wood[2] : p.wood[1]);
        c.set(x, 8, p.wood[2]);
        c.set(x, 9, p.ink);
    }
    // Board joints and nails.
    for (int x = 15; x <= 16; ++x)
        for (int y = 1; y < 9; ++y) c.set(x, y, x == 15 ? p.wood[2] : p.wood[0]);
    c.set(4, 4, p.ink);
    c.set(20, 4, p.ink);
    if (leftEnd)
        for (int y = 0; y < 10; ++y) c.set(0, y, (y == 0 || y == 9) ? 0 : p.ink);
    if (rightEnd)
        for (int y = 0; y < 10; ++y) c.set(kTile - 1, y, (y == 0 || y == 9) ? 0 : p.ink);
    // A bracket under each end.
    auto bracket = [&](int x, int dir) {
        for (int k = 0; k < 8; ++k) {
            c.set(x + dir * k, 10 + (7 - k), p.ink);
            c.set(x + dir * k + dir, 10 + (7 - k), p.wood[2]);
        }
    };
    if (leftEnd) bracket(3, 1);
    if (rightEnd) bracket(kTile - 4, -1);
    return c;
}

Canvas ladderTile(const Palette& p) {
    Canvas c(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        for (int rail : {5, 23}) {
            c.set(rail, y, p.ink);
            c.set(rail + 1, y, p.wood[0]);
            c.set(rail + 2, y, p.wood[1]);
            c.set(rail + 3, y, p.wood[2]);
            c.set(rail + 4, y, p.ink);
        }
    }
    for (int ry = 3; ry < kTile; ry += 8) {
        for (int x = 10; x < 23; ++x) {
            c.set(x, ry, p.ink);
            c.set(x, ry + 1, p.wood[0]);
            c.set(x, ry + 2, p.wood[2]);
            c.set(x, ry + 3, p.ink);
        }
    }
    return c;
}

Canvas ropeTile(bool top, const Palette& p) {
    Canvas c(kTile, kTile);
    for (int y = 0; y < kTile; ++y) {
        c.set(13, y, p.ink);
        c.set(18, y, p.ink);
        for (int x = 14; x < 18; ++x) c.set(x, y, ((x + y) / 2) % 2 ? p.rope[0] : p.rope[1]);
    }
    if (top) {
        // A peg driven into the edge with the rope knotted round it.
        c.fillRect(6, 0, 20, 6, p.ink);
        c.fillRect(7, 1, 18, 4, p.wood[1]);
        c.fillRect(7, 1, 18, 1, p.wood[0]);
        c.fillRoundRect(11, 4, 10, 7, 3, p.ink);
        c.fillRoundRect(12, 5, 8, 5, 2, p.rope[0]);
        c.set(14, 7, p.rope[1]);
        c.set(17, 7, p.rope[1]);
    }
    return c;
}

Canvas spikesTile(const Palette& p) {
    Canvas c(kTile, kTile);
    c.ditherGradient(0, 0, kTile, kTile, {p.back[1], p.back[2], p.ink});
    for (int k = 0; k < 4; ++k) {
        const float cx = float(k * 8 + 4);
        std::vector<float> tri = {cx - 4.0f, 22.0f, cx, 2.0f, cx + 4.0f, 22.0f};
        Canvas spike(kTile, kTile);
        spike.fillPolygon(tri, p.metal[1]);
        for (int y = 2; y < 22; ++y) spike.set(int(cx) - 1, y, spike.at(int(cx) - 1, y) ? p.metal[0] : 0);
        spike.outlineShapes(p.ink);
        c.blit(spike, 0, 0);
    }
    c.fillRect(0, 22, kTile, kTile - 22, p.stone[2]);
    c.fillRect(0, 22, kTile, 1, p.ink);
    for (int x = 0; x < kTile; ++x)
        for (int y = 24; y < kTile; ++y)
            if (hash3(x, y, 5) % 9 == 0) c.set(x, y, p.stone[3]);
    // A stain of rust below each point.
    for (int k = 0; k < 4; ++k) c.set(k * 8 + 4, 3, p.bloom[1]);
    return c;
}

Canvas waterTile(bool surface, const Palette& p) {
    Canvas c(kTile, kTile);
    c.ditherGradient(0, 0, kTile, kTile, surface ? std::vector<uint32_t>{p.water[1], p.water[2], p.water[3]}
                                                  : std::vector<uint32_t>{p.water[2], p.water[3]});
    if (surface) {
        for (int x = 0; x < kTile; ++x) {
            const int crest = int(std::lround(2.0 + 1.5 * std::sin(double(x) * 2.0 * M_PI / 16.0)));
            for (int y = 0; y < crest; ++y) c.set(x, y, 0);
            c.set(x, crest, p.water[0]);
            c.set(x, crest + 1, p.water[0]);
            c.set(x, crest + 2, p.water[1]);
        }
    }
    for (int k = 0; k < 3; ++k) {
        uint32_t h = hash3(k, surface ? 11 : 12, 3);
        int x = int(h % 28), y = (surface ? 9 : 3) + int((h >> 8) % 18);
        c.fillRect(x, y, 3, 1, p.water[0]);
    }
    return c;
}

Canvas backTile(int edges, const Palette& p) {
    Canvas c(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            uint32_t h = hash3(x / 2, y / 2, 901);
            c.set(x, y, h % 7 == 0 ? p.back[2] : (h % 11 == 0 ? p.back[0] : p.back[1]));
        }
    // Faint courses, so the wall reads as built or layered rock.
    for (int y = 7; y < kTile; y += 8)
        for (int x = 0; x < kTile; ++x) c.set(x, y, p.back[2]);
    edgeOutline(c, edges, p.back[2], p.back[2]);
    return c;
}

Canvas decorTile(Decor d, const Palette& p) {
    Canvas c(kTile, kTile);
    Canvas shape(kTile, kTile);
    switch (d) {
        case Decor::Tuft:
        case Decor::TuftTall: {
            const int h = d == Decor::Tuft ? 6 : 10;
            const int xs[] = {8, 12, 15, 19, 23};
            for (int k = 0; k < 5; ++k) {
                const int lean = (k % 2) ? 2 : -2;
                shape.line(float(xs[k]), 31.5f, float(xs[k] + lean), float(31 - h + (k % 3)), 2.0f,
                           k % 2 ? p.grass[0] : p.grass[1]);
            }
            break;
        }
        case Decor::Flowers:
            for (int k = 0; k < 3; ++k) {
                const float x = float(7 + k * 8);
                const float top = float(22 + (k % 2) * 3);
                shape.line(x, 31.5f, x, top, 1.5f, p.grass[1]);
                shape.fillCircle(x + 0.5f, top, 2.6f, p.bloom[k % 2]);
                shape.set(int(x), int(top) - 1, palette::kCream);
            }
            break;
        case Decor::Pebbles:
            shape.fillRoundRect(6, 27, 8, 5, 2, p.stone[1]);
            shape.fillRoundRect(16, 28, 6, 4, 2, p.stone[2]);
            shape.fillRoundRect(22, 26, 5, 6, 2, p.stone[1]);
            shape.set(8, 28, p.stone[0]);
            shape.set(23, 27, p.stone[0]);
            break;
        case Decor::Stalactite:
            shape.fillPolygon({6, 0, 16, 0, 11, 18}, p.rock[1]);
            shape.fillPolygon({18, 0, 26, 0, 22, 11}, p.rock[2]);
            shape.line(8.5f, 1, 11, 12, 1.2f, p.rock[0]);
            break;
        case Decor::Crystal:
            shape.fillPolygon({9, 32, 11, 20, 14, 32}, p.bloom[0]);
            shape.fillPolygon({13, 32, 17, 14, 21, 32}, p.bloom[1]);
            shape.fillPolygon({20, 32, 23, 23, 25, 32}, p.bloom[0]);
            shape.line(16.5f, 17, 16, 30, 1.0f, palette::kWhite);
            break;
        case Decor::Mushroom:
            shape.fillRect(10, 25, 4, 7, palette::kCream);
            shape.fillRoundRect(6, 19, 12, 7, 3, p.bloom[1]);
            shape.set(9, 21, palette::kWhite);
            shape.set(13, 20, palette::kWhite);
            shape.fillRect(21, 28, 2, 4, palette::kCream);
            shape.fillRoundRect(19, 25, 6, 4, 2, p.bloom[0]);
            break;
    }
    shape.outlineShapes(p.ink);
    c.blit(shape, 0, 0);
    return c;
}

}  // namespace

std::optional<TileKind> tileKindByName(const std::string& name) {
    static const std::map<std::string, TileKind> kNames = {
        {"none", TileKind::None},         {"ground", TileKind::Ground},
        {"stone", TileKind::Stone},       {"paving", TileKind::Paving},
        {"rock", TileKind::Rock},         {"brick", TileKind::Brick},
        {"ground-up", TileKind::GroundUp}, {"ground-down", TileKind::GroundDown},
        {"stone-up", TileKind::StoneUp},   {"stone-down", TileKind::StoneDown},
        {"rock-up", TileKind::RockUp},     {"rock-down", TileKind::RockDown},
        {"paving-up", TileKind::PavingUp}, {"paving-down", TileKind::PavingDown},
        {"plank", TileKind::Plank},       {"ladder", TileKind::Ladder},
        {"rope", TileKind::Rope},         {"spikes", TileKind::Spikes},
        {"water", TileKind::Water},       {"back", TileKind::Back},
    };
    auto it = kNames.find(name);
    if (it == kNames.end()) return std::nullopt;
    return it->second;
}

bool isMaterial(TileKind k) {
    return k == TileKind::Ground || k == TileKind::Stone || k == TileKind::Paving ||
           k == TileKind::Rock || k == TileKind::Brick;
}

bool isSlope(TileKind k) {
    switch (k) {
        case TileKind::GroundUp:
        case TileKind::GroundDown:
        case TileKind::StoneUp:
        case TileKind::StoneDown:
        case TileKind::RockUp:
        case TileKind::RockDown:
        case TileKind::PavingUp:
        case TileKind::PavingDown:
            return true;
        default:
            return false;
    }
}

bool isSlopeUp(TileKind k) {
    return k == TileKind::GroundUp || k == TileKind::StoneUp || k == TileKind::RockUp ||
           k == TileKind::PavingUp;
}

Material materialOf(TileKind k) {
    switch (k) {
        case TileKind::Stone:
        case TileKind::StoneUp:
        case TileKind::StoneDown:
            return Material::Stone;
        case TileKind::Paving:
        case TileKind::PavingUp:
        case TileKind::PavingDown:
            return Material::Paving;
        case TileKind::Rock:
        case TileKind::RockUp:
        case TileKind::RockDown:
            return Material::Rock;
        case TileKind::Brick:
            return Material::Brick;
        default:
            return Material::Ground;
    }
}

bool isFullSolid(TileKind k) { return isMaterial(k) || k == TileKind::Spikes || k == TileKind::Water; }

namespace tiles {
int material(Material m, int edges, int variant) {
    const int base = kMaterialBase + int(m) * kPerMaterial;
    if (edges == 0 && variant > 0) return base + 15 + std::min(variant, kFade);
    return base + (edges & 15);
}
int slope(Material m, bool up) { return kSlopeBase + int(m) * 2 + (up ? 0 : 1); }
int plank(PlankPiece piece) { return kPlankBase + int(piece); }
int ladder() { return kLadder; }
int rope(bool top) { return kRopeBase + (top ? 1 : 0); }
int spikes() { return kSpikes; }
int water(bool surface) { return kWaterBase + (surface ? 0 : 1); }
int back(int edges) { return kBackBase + (edges & 15); }
int decor(Decor d) { return kDecorBase + int(d); }
int count() { return kTileCount; }
}  // namespace tiles

Theme themeOfSet(int setNumber) {
    switch (setNumber) {
        case 1: return Theme::Forest;
        case 2: return Theme::Hill;
        case 3: return Theme::Cave;
        default: return Theme::Village;
    }
}

std::vector<std::vector<uint32_t>> drawTileSet(Theme theme) {
    const Palette p = paletteOf(theme);
    std::vector<std::vector<uint32_t>> out(size_t(kTileCount), std::vector<uint32_t>(kTile * kTile, 0));
    auto put = [&](int index, const Canvas& c) { out[size_t(index)] = c.pixels(); };
    for (int m = 0; m < kMaterialCount; ++m) {
        for (int edges = 0; edges < 16; ++edges)
            put(tiles::material(Material(m), edges), materialTile(Material(m), edges, 0, p));
        for (int v = 1; v < tiles::kInteriorVariants; ++v)
            put(tiles::material(Material(m), 0, v), materialTile(Material(m), 0, v, p));
        Canvas deep = materialTile(Material(m), 0, 0, p);
        Canvas fade = deep;
        for (int y = 0; y < kTile; ++y)
            for (int x = 0; x < kTile; ++x) {
                deep.set(x, y, mix(deep.at(x, y), p.ink, 0.16f));
                // Ordered dither from none of the shade at the top to all of it.
                if (bayer4(x, y) < float(y) / float(kTile)) fade.set(x, y, deep.at(x, y));
            }
        put(tiles::material(Material(m), 0, tiles::kDeep), deep);
        put(tiles::material(Material(m), 0, tiles::kFade), fade);
        put(tiles::slope(Material(m), true), slopeTile(Material(m), true, p));
        put(tiles::slope(Material(m), false), slopeTile(Material(m), false, p));
    }
    for (int k = 0; k < 4; ++k) put(tiles::plank(PlankPiece(k)), plankTile(PlankPiece(k), p));
    put(tiles::ladder(), ladderTile(p));
    put(tiles::rope(false), ropeTile(false, p));
    put(tiles::rope(true), ropeTile(true, p));
    put(tiles::spikes(), spikesTile(p));
    put(tiles::water(true), waterTile(true, p));
    put(tiles::water(false), waterTile(false, p));
    for (int edges = 0; edges < 16; ++edges) put(tiles::back(edges), backTile(edges, p));
    for (int d = 0; d < kDecorCount; ++d) put(tiles::decor(Decor(d)), decorTile(Decor(d), p));
    return out;
}

}  // namespace demo
