#include "demo/object_catalog.h"

#include <cmath>
#include <functional>

namespace demo {

namespace {

using namespace palette;

constexpr uint32_t kWood = rgb(0xAD6F3B), kWoodLight = rgb(0xE0A968), kWoodDark = rgb(0x6E4424);
constexpr uint32_t kPlaster = rgb(0xF1E4C8), kPlasterShade = rgb(0xD3C19C);
constexpr uint32_t kStoneL = rgb(0xB4B6C2), kStoneM = rgb(0x8C8E9C), kStoneD = rgb(0x62647A);
constexpr uint32_t kLeafL = rgb(0x8FD65A), kLeafM = rgb(0x4C9A2A), kLeafD = rgb(0x2E6B30);
constexpr uint32_t kGlow = rgb(0xFFE08A), kIron = rgb(0x3A3A4E);

void part(Canvas& c, const std::function<void(Canvas&)>& draw) { inkedPart(c, draw); }

// ---- buildings ---------------------------------------------------------------

enum class Sign { None, Sword, Potion, Elder, Paw };

// Sized to the hero (about 60 pixels tall): the door is 76 pixels high.
Canvas house(uint32_t roof, uint32_t roofDark, Sign sign) {
    constexpr int kGround = 192;            // the canvas's bottom, where the house stands
    constexpr int kWallTop = 64, kWallBottom = kGround - 8;
    Canvas c(176, kGround);
    // Walls: plaster between timber beams on a stone footing.
    part(c, [&](Canvas& l) {
        l.fillRect(14, kWallTop, 148, kWallBottom - kWallTop, kPlaster);
        l.fillRect(14, kWallTop, 148, 6, kPlasterShade);
        for (int x : {14, 56, 116, 156}) l.fillRect(x, kWallTop, 6, kWallBottom - kWallTop, kWoodDark);
        l.fillRect(14, 104, 148, 5, kWoodDark);
        for (int x = 20; x < 150; x += 40) l.line(float(x + 4), 108, float(x + 30), float(kWallBottom - 4), 3, kWoodDark);
    });
    part(c, [&](Canvas& l) {
        for (int x = 10; x < 166; x += 13) {
            l.fillRoundRect(x, kGround - 12, 14, 12, 3, kStoneM);
            l.fillRect(x + 2, kGround - 10, 9, 2, kStoneL);
        }
    });
    // Roof: rows of shingles under a ridge, with a chimney.
    part(c, [&](Canvas& l) { l.fillRect(126, 8, 16, 36, kStoneM); l.fillRect(124, 6, 20, 6, kStoneD); });
    part(c, [&](Canvas& l) {
        l.fillPolygon({0, 70, 30, 18, 146, 18, 176, 70}, roof);
        for (int row = 0; row < 5; ++row) {
            const int y = 26 + row * 10;
            const float inset = 30.0f - float(row) * 6.0f;
            for (float x = inset; x < 176 - inset - 8; x += 12)
                l.fillRoundRect(int(x), y, 11, 8, 3, row % 2 ? roof : roofDark);
        }
        l.fillRect(26, 14, 124, 6, roofDark);
    });
    // Door with an arched top and a brass knob.
    part(c, [&](Canvas& l) {
        l.fillRoundRect(68, kWallBottom - 76, 40, 78, 14, kWood);
        for (int x = 75; x < 104; x += 8) l.fillRect(x, kWallBottom - 70, 2, 68, kWoodDark);
        l.fillCircle(101, kWallBottom - 36, 2.5f, kGold);
    });
    // Two lit windows with shutters.
    for (int wx : {28, 126}) {
        part(c, [&](Canvas& l) {
            l.fillRect(wx, 76, 24, 20, kGlow);
            l.fillRect(wx, 76, 24, 4, rgb(0xF2C14E));
            l.fillRect(wx + 11, 76, 2, 20, kWoodDark);
            l.fillRect(wx, 85, 24, 2, kWoodDark);
        });
        part(c, [&](Canvas& l) {
            l.fillRect(wx - 7, 74, 6, 24, roofDark);
            l.fillRect(wx + 25, 74, 6, 24, roofDark);
        });
    }
    if (sign != Sign::None) {
        // A hanging board on a bracket beside the door.
        part(c, [&](Canvas& l) { l.fillRect(110, 120, 24, 3, kIron); });
        part(c, [&](Canvas& l) {
            l.fillRoundRect(112, 126, 30, 24, 3, kWoodLight);
            l.fillRect(114, 128, 26, 2, rgb(0xF5CE93));
        });
        part(c, [&](Canvas& l) {
            switch (sign) {
                case Sign::Sword:
                    l.line(118, 145, 135, 130, 3, kStoneL);
                    l.line(120, 138, 126, 144, 2.5f, kGold);
                    break;
                case Sign::Potion:
                    l.fillCircle(127, 141, 6, kEmber);
                    l.fillRect(125, 130, 5, 6, rgb(0xA8E4F7));
                    break;
                case Sign::Elder:
                    l.fillPolygon({127, 129, 135, 144, 119, 144}, kGold);
                    break;
                case Sign::Paw:
                    l.fillCircle(127, 142, 4.5f, rgb(0x8A4B2A));
                    for (int k = 0; k < 3; ++k) l.fillCircle(121.5f + float(k) * 5.5f, 134, 2.2f, rgb(0x8A4B2A));
                    break;
                case Sign::None:
                    break;
            }
        });
    }
    return c;
}

Canvas gateArch() {
    Canvas c(224, 200);
    // Two stone towers joined by a timber gallery over an open gateway.
    for (int tx : {0, 160}) {
        part(c, [&](Canvas& l) {
            for (int y = 24; y < 200; y += 12)
                for (int x = tx + ((y / 12) % 2 ? 0 : -8); x < tx + 64; x += 16)
                    l.fillRect(std::max(x, tx), y, std::min(16, tx + 64 - std::max(x, tx)) - 1, 11, kStoneM);
            for (int y = 24; y < 200; y += 12) l.fillRect(tx, y, 64, 1, kStoneL);
        });
        part(c, [&](Canvas& l) {
            for (int k = 0; k < 4; ++k) l.fillRect(tx + k * 17, 8, 12, 16, kStoneD);
            l.fillRect(tx, 18, 64, 8, kStoneD);
        });
        part(c, [&](Canvas& l) { l.fillRoundRect(tx + 24, 60, 16, 26, 7, rgb(0x28243A)); });
    }
    part(c, [&](Canvas& l) {
        l.fillRect(64, 48, 96, 18, kWood);
        l.fillRect(64, 48, 96, 4, kWoodLight);
        for (int x = 70; x < 160; x += 14) l.fillRect(x, 66, 4, 14, kWoodDark);
        l.fillRect(64, 78, 96, 6, kWoodDark);
    });
    part(c, [&](Canvas& l) { l.fillPolygon({56, 50, 112, 20, 168, 50}, rgb(0xA9503A)); });
    return c;
}

Canvas well() {
    Canvas c(72, 80);
    part(c, [&](Canvas& l) {
        l.fillRect(10, 10, 5, 50, kWood);
        l.fillRect(57, 10, 5, 50, kWood);
    });
    part(c, [&](Canvas& l) { l.fillPolygon({0, 16, 36, 0, 72, 16, 64, 20, 8, 20}, rgb(0xA9503A)); });
    part(c, [&](Canvas& l) { l.line(36, 20, 36, 36, 1.5f, kWoodDark); l.fillRect(31, 36, 10, 8, kWood); });
    part(c, [&](Canvas& l) {
        l.fillRoundRect(4, 48, 64, 32, 6, kStoneM);
        for (int y = 52; y < 78; y += 8)
            for (int x = 6 + (y / 8 % 2) * 6; x < 62; x += 12) l.fillRect(x, y, 10, 1, kStoneL);
        l.fillRect(8, 48, 56, 6, rgb(0x28243A));
    });
    return c;
}

// ---- nature ------------------------------------------------------------------

Canvas oak() {
    Canvas c(112, 140);
    part(c, [&](Canvas& l) {
        l.fillPolygon({46, 140, 50, 80, 62, 80, 66, 140}, kWood);
        l.fillPolygon({40, 140, 50, 128, 52, 140}, kWood);
        l.fillPolygon({60, 140, 62, 128, 72, 140}, kWood);
        for (int y = 88; y < 136; y += 9) l.fillRect(53 + (y % 2) * 3, y, 2, 6, kWoodDark);
        l.line(56, 96, 34, 72, 5, kWood);
        l.line(58, 92, 80, 70, 5, kWood);
    });
    part(c, [&](Canvas& l) {
        const float blobs[][3] = {{30, 62, 24}, {56, 40, 30}, {84, 60, 24}, {42, 28, 20}, {74, 30, 20}, {56, 72, 22}};
        // Shade first, then the lit face of each clump a little up and left,
        // then a highlight: three clean tones instead of noise.
        for (auto& b : blobs) l.fillCircle(b[0], b[1], b[2], kLeafD);
        for (auto& b : blobs) l.fillCircle(b[0] - 3, b[1] - 4, b[2] - 3, kLeafM);
        for (auto& b : blobs) l.fillCircle(b[0] - 7, b[1] - 9, b[2] * 0.4f, kLeafL);
    });
    return c;
}

Canvas pine() {
    Canvas c(72, 140);
    part(c, [&](Canvas& l) { l.fillRect(31, 100, 10, 40, kWoodDark); });
    part(c, [&](Canvas& l) {
        for (int t = 0; t < 4; ++t) {
            const float top = 4.0f + float(t) * 24.0f, half = 14.0f + float(t) * 7.0f;
            l.fillPolygon({36 - half, top + 36, 36, top, 36 + half, top + 36}, t % 2 ? rgb(0x2E6B30) : rgb(0x3A7F3A));
            l.fillPolygon({36 - half + 8, top + 32, 36, top + 4, 40, top + 32}, rgb(0x58A04A));
        }
    });
    return c;
}

Canvas deadTree() {
    Canvas c(80, 108);
    part(c, [&](Canvas& l) {
        l.fillPolygon({32, 108, 36, 40, 44, 40, 48, 108}, rgb(0x7A6650));
        l.line(40, 60, 16, 30, 4, rgb(0x7A6650));
        l.line(16, 30, 8, 12, 3, rgb(0x7A6650));
        l.line(42, 50, 66, 22, 4, rgb(0x7A6650));
        l.line(66, 22, 70, 6, 2.5f, rgb(0x7A6650));
        l.line(40, 42, 38, 8, 3, rgb(0x7A6650));
        l.line(24, 40, 30, 22, 2, rgb(0x7A6650));
        l.line(56, 36, 48, 20, 2, rgb(0x7A6650));
        for (int y = 46; y < 104; y += 8) l.fillRect(38 + (y % 3), y, 2, 5, rgb(0x574838));
    });
    return c;
}

Canvas bush() {
    Canvas c(60, 36);
    part(c, [&](Canvas& l) {
        l.fillCircle(16, 22, 14, kLeafM);
        l.fillCircle(32, 16, 16, kLeafM);
        l.fillCircle(46, 23, 12, kLeafM);
        l.fillRect(4, 26, 52, 10, kLeafM);
        l.fillCircle(28, 11, 7, kLeafL);
        l.fillCircle(13, 18, 5, kLeafL);
        l.fillCircle(22, 26, 2, kEmber);
        l.fillCircle(42, 22, 2, kEmber);
    });
    return c;
}

Canvas rock() {
    Canvas c(68, 44);
    part(c, [&](Canvas& l) {
        l.fillPolygon({2, 44, 8, 18, 26, 4, 48, 8, 64, 26, 66, 44}, kStoneM);
        l.fillPolygon({12, 20, 26, 8, 42, 10, 30, 20}, kStoneL);
        l.fillPolygon({40, 44, 58, 30, 66, 44}, kStoneD);
        l.line(30, 24, 40, 34, 1.2f, kStoneD);
    });
    return c;
}

Canvas crystal() {
    Canvas c(44, 52);
    part(c, [&](Canvas& l) {
        l.fillPolygon({6, 52, 10, 28, 18, 52}, rgb(0x6BD6F0));
        l.fillPolygon({14, 52, 22, 4, 30, 52}, rgb(0x8FF0FF));
        l.fillPolygon({28, 52, 34, 22, 40, 52}, rgb(0xB68CFF));
        l.line(21, 10, 20, 48, 1.5f, kWhite);
        l.line(33, 28, 33, 48, 1.0f, kWhite);
    });
    return c;
}

// ---- props ---------------------------------------------------------------------

Canvas signPost() {
    Canvas c(44, 52);
    part(c, [&](Canvas& l) { l.fillRect(19, 18, 6, 34, kWood); });
    part(c, [&](Canvas& l) {
        l.fillPolygon({2, 6, 32, 6, 42, 16, 32, 26, 2, 26}, kWoodLight);
        l.fillRect(4, 8, 28, 2, rgb(0xF5CE93));
        l.line(10, 16, 28, 16, 2, kWoodDark);
        l.fillPolygon({24, 11, 31, 16, 24, 21}, kWoodDark);
    });
    return c;
}

Canvas lampPost() {
    Canvas c(28, 96);
    part(c, [&](Canvas& l) {
        l.fillRect(12, 24, 4, 68, kIron);
        l.fillRect(8, 88, 12, 8, kIron);
    });
    part(c, [&](Canvas& l) {
        l.fillRect(6, 8, 16, 18, kGlow);
        l.fillRect(9, 11, 10, 12, kWhite);
        l.fillRect(4, 4, 20, 4, kIron);
        l.fillRect(6, 26, 16, 3, kIron);
        l.fillRect(13, 0, 2, 4, kIron);
    });
    return c;
}

Canvas fence() {
    Canvas c(64, 32);
    part(c, [&](Canvas& l) {
        l.fillRect(0, 12, 64, 5, kWood);
        l.fillRect(0, 23, 64, 5, kWood);
    });
    part(c, [&](Canvas& l) {
        for (int x = 2; x < 64; x += 16) {
            l.fillPolygon({float(x), 32, float(x), 6, float(x) + 5, 1, float(x) + 10, 6, float(x) + 10, 32}, kWoodLight);
            l.fillRect(x + 7, 8, 2, 22, kWood);
        }
    });
    return c;
}

Canvas crate() {
    Canvas c(34, 32);
    part(c, [&](Canvas& l) {
        l.fillRect(1, 1, 32, 31, kWood);
        l.fillRect(1, 1, 32, 4, kWoodLight);
        l.line(5, 28, 29, 6, 3, kWoodDark);
        l.fillRect(1, 15, 32, 2, kWoodDark);
    });
    return c;
}

Canvas barrel() {
    Canvas c(30, 36);
    part(c, [&](Canvas& l) {
        l.fillRoundRect(2, 1, 26, 35, 8, kWood);
        l.fillRect(8, 3, 4, 31, kWoodLight);
        l.fillRect(2, 8, 26, 3, kIron);
        l.fillRect(2, 26, 26, 3, kIron);
    });
    return c;
}

// ---- animated --------------------------------------------------------------------

std::vector<Canvas> torch() {
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas c(20, 48);
        part(c, [&](Canvas& l) {
            l.fillRect(8, 20, 5, 26, kWood);
            l.fillRect(5, 18, 11, 5, kIron);
        });
        const float sway = f == 1 ? 1.0f : f == 3 ? -1.0f : 0.0f;
        const float tall = f % 2 ? 16.0f : 13.0f;
        part(c, [&](Canvas& l) {
            l.fillPolygon({4, 19, 10 + sway, 19 - tall, 16, 19}, kEmber);
            l.fillPolygon({6.5f, 19, 10 + sway * 0.5f, 22 - tall, 13.5f, 19}, kGold);
            l.fillPolygon({8.5f, 19, 10, 26 - tall * 0.8f, 11.5f, 19}, kCream);
        });
        frames.push_back(c);
    }
    return frames;
}

std::vector<Canvas> flag(uint32_t cloth, uint32_t clothDark) {
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas c(60, 100);
        part(c, [&](Canvas& l) {
            l.fillRect(4, 6, 4, 94, kWoodDark);
            l.fillCircle(6, 5, 4, kGold);
        });
        part(c, [&](Canvas& l) {
            std::vector<float> top, bottom;
            for (int x = 0; x <= 48; x += 4) {
                const float wave = 3.0f * std::sin(float(x) * 0.16f - float(f) * 1.57f) * (float(x) / 48.0f);
                top.push_back(float(8 + x));
                top.push_back(10.0f + wave);
                bottom.push_back(float(8 + x));
                bottom.push_back(38.0f + wave - float(x) * 0.08f);
            }
            std::vector<float> poly = top;
            for (size_t k = bottom.size(); k >= 2; k -= 2) {
                poly.push_back(bottom[k - 2]);
                poly.push_back(bottom[k - 1]);
            }
            l.fillPolygon(poly, cloth);
            for (int x = 8; x < 56; ++x)
                for (int y = 0; y < 60; ++y)
                    if ((l.at(x, y) >> 24) && std::sin(float(x) * 0.16f - float(f) * 1.57f) > 0.4f) l.set(x, y, clothDark);
            l.fillCircle(26, 24, 5, kGold);
        });
        frames.push_back(c);
    }
    return frames;
}

// Sparkles on a pool two tiles wide.
std::vector<Canvas> waterGlint() {
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas c(56, 10);
        for (int k = 0; k < 4; ++k) {
            const int x = 2 + int((uint32_t(k) * 13u + uint32_t(f) * 23u + hash3(k, f, 9) % 7u) % 48u);
            const int y = 2 + int(hash3(k, f, 10) % 6);
            const uint32_t col = (k + f) % 3 ? rgb(0xA8E4F7) : kWhite;
            c.fillRect(x, y, 3 + (k % 3), 1, col);
            if ((k + f) % 2 == 0) c.set(x + 1, y - 1, kWhite);
        }
        frames.push_back(c);
    }
    return frames;
}

std::vector<Canvas> campfire() {
    std::vector<Canvas> frames;
    for (int f = 0; f < 4; ++f) {
        Canvas c(44, 40);
        part(c, [&](Canvas& l) {
            l.line(6, 36, 38, 30, 5, kWoodDark);
            l.line(6, 30, 38, 36, 5, kWood);
        });
        part(c, [&](Canvas& l) {
            const float s = f % 2 ? 2.0f : -2.0f;
            l.fillPolygon({8, 32, 14 + s, 14, 20, 22, 24 - s, 4 + float(f % 3) * 2, 30, 22, 33 + s, 16, 36, 32}, kEmber);
            l.fillPolygon({13, 32, 18, 20, 22, 26, 25, 14 + float(f % 2) * 3, 29, 32}, kGold);
            l.fillPolygon({18, 32, 22, 24, 26, 32}, kCream);
        });
        frames.push_back(c);
    }
    return frames;
}

std::vector<ObjectArt> makeCatalogue() {
    std::vector<ObjectArt> out;
    auto still = [&](const std::string& name, Canvas c) { out.push_back({name, {std::move(c)}}); };
    still("house_red", house(rgb(0xC0503A), rgb(0x8C3428), Sign::None));
    still("house_blue", house(rgb(0x3D6FB0), rgb(0x284C80), Sign::None));
    still("shop_weapon", house(rgb(0x7A5A8C), rgb(0x54406A), Sign::Sword));
    still("shop_potion", house(rgb(0x3F9140), rgb(0x286030), Sign::Potion));
    still("house_elder", house(rgb(0xC08A3A), rgb(0x8A5E24), Sign::Elder));
    still("house_stable", house(rgb(0x8A5A3C), rgb(0x5E3B28), Sign::Paw));
    still("gate_arch", gateArch());
    still("well", well());
    still("tree_oak", oak());
    still("tree_pine", pine());
    still("tree_dead", deadTree());
    still("bush", bush());
    still("rock", rock());
    still("crystal", crystal());
    still("sign_post", signPost());
    still("lamp_post", lampPost());
    still("fence", fence());
    still("crate", crate());
    still("barrel", barrel());
    out.push_back({"torch", torch()});
    out.push_back({"flag_red", flag(rgb(0xE4572E), rgb(0xB03A20))});
    out.push_back({"flag_blue", flag(rgb(0x3D6FB0), rgb(0x284C80))});
    out.push_back({"water_glint", waterGlint()});
    out.push_back({"campfire", campfire()});
    return out;
}

}  // namespace

const std::vector<ObjectArt>& objectCatalogue() {
    static const std::vector<ObjectArt> kCatalogue = makeCatalogue();
    return kCatalogue;
}

int objectKindIndex(const std::string& name) {
    const auto& all = objectCatalogue();
    for (size_t k = 0; k < all.size(); ++k)
        if (all[k].name == name) return int(k);
    return -1;
}

velk::ObjectSetSource objectSetSource() {
    velk::ObjectSetSource set;
    int image = 0;
    for (const ObjectArt& art : objectCatalogue()) {
        velk::ObjectKindSource kind;
        for (const Canvas& frame : art.frames) {
            kind.frames.push_back({image++, 0, 0});
            set.images.push_back({frame.width(), frame.height(), frame.pixels()});
        }
        set.kinds.push_back(kind);
    }
    return set;
}

}  // namespace demo
