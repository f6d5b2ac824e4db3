// Stage backdrops: a sky picture, drifting clouds, two parallax ranges of
// hills and a fixed sun or moon, in a few styles that the maps name.

#include "demo/backdrops.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "content/pic_writer.h"
#include "content/stage_writer.h"
#include "demo/art.h"
#include "demo/demo.h"
#include "formats/stage_file.h"

namespace demo {

namespace {

using namespace palette;

constexpr int kRangeWidth = 400;  // parallax pictures repeat every 400 pixels

struct Style {
    std::vector<uint32_t> sky;  // top to bottom
    uint32_t cloud, cloudShade;
    uint32_t far, farLight;
    uint32_t near, nearLight;
    bool moon;
    uint32_t light, halo;
    int lightX, lightY;
    bool stars;
    bool treeLine;  // the near range is a forest edge rather than hills
    bool spires;    // rock spires instead of hills (under ground): no clouds drift there
    int lightIndex; // see stageLight
};

const std::map<std::string, Style>& styles() {
    static const std::map<std::string, Style> kStyles = {
        {"day", {{rgb(0x4F9BE0), rgb(0x8CC8F0), rgb(0xD8F0F8)}, kWhite, rgb(0xC8DCEC),
                 rgb(0x7FA8C8), rgb(0x9CC0DA), rgb(0x5FA05A), rgb(0x7FBF6A), false, rgb(0xFFF2B0),
                 withAlpha(rgb(0xFFF2B0), 70), 620, 70, false, false, false, 0}},
        {"forest", {{rgb(0x3F8AB8), rgb(0x8CC4C8), rgb(0xD6EBC8)}, rgb(0xF0F8F0), rgb(0xC0D8C8),
                    rgb(0x5E8C78), rgb(0x7AA890), rgb(0x2E6B40), rgb(0x3F8A4C), false, rgb(0xFFF6C8),
                    withAlpha(rgb(0xFFF6C8), 60), 160, 80, false, true, false, 0}},
        {"dusk", {{rgb(0x2A2D5C), rgb(0xB0577A), rgb(0xF2A85E), rgb(0xF8D88C)}, rgb(0xF8C8B0), rgb(0xC88A98),
                  rgb(0x6A4A7A), rgb(0x8A5E8A), rgb(0x3E2E50), rgb(0x5A3E62), false, rgb(0xFFD27A),
                  withAlpha(rgb(0xFFB060), 80), 560, 250, false, false, false, 1}},
        {"night", {{rgb(0x0E1230), rgb(0x1F2B5A), rgb(0x3A4A7A)}, rgb(0x8A94B8), rgb(0x5A6488),
                   rgb(0x26305A), rgb(0x34407A), rgb(0x1A2A30), rgb(0x24403A), true, rgb(0xF4F0DC),
                   withAlpha(rgb(0xF4F0DC), 50), 640, 90, true, true, false, 2}},
        {"cave", {{rgb(0x0C0A16), rgb(0x1E1830), rgb(0x2E2446)}, rgb(0x6A5E8A), rgb(0x4A4066),
                  rgb(0x1A1628), rgb(0x262038), rgb(0x221C34), rgb(0x322848), true, rgb(0x9CF0E0),
                  withAlpha(rgb(0x9CF0E0), 45), 600, 110, false, false, true, 3}},
    };
    return kStyles;
}

Canvas sky(const Style& s) {
    // Bands of flat colour with a short dithered seam between them: the
    // pixel-art look, and long runs for the picture's run-length packets.
    Canvas c(800, 600);
    constexpr int kBands = 20;
    auto colourAt = [&](float t) {
        const float pos = std::clamp(t, 0.0f, 1.0f) * float(s.sky.size() - 1);
        const int k = std::min(int(pos), int(s.sky.size()) - 2);
        return mix(s.sky[size_t(k)], s.sky[size_t(k + 1)], pos - float(k));
    };
    for (int y = 0; y < 600; ++y) {
        const float t = float(y) / 600.0f * kBands;
        const int band = int(t);
        const float inBand = t - float(band);
        for (int x = 0; x < 800; ++x) {
            int b = band;
            // The last sixth of a band mixes in the next one as a checker.
            if (inBand > 0.83f && ((x + y) & 1)) b = band + 1;
            c.set(x, y, colourAt(float(b) / float(kBands)));
        }
    }
    if (s.stars) {
        for (int k = 0; k < 140; ++k) {
            const uint32_t h = hash3(k, 1, 77);
            c.blend(int(h % 800), int((h >> 10) % 360), kCream, 90 + int((h >> 20) % 160));
        }
    }
    return c;
}

Canvas cloud(const Style& s) {
    Canvas c(160, 64);
    Canvas body(160, 64);
    const float puffs[][3] = {{30, 40, 18}, {60, 30, 24}, {96, 28, 26}, {126, 40, 18}, {78, 44, 18}};
    for (auto& p : puffs) body.fillCircle(p[0], p[1], p[2], s.cloud);
    body.fillRect(24, 40, 112, 18, s.cloud);
    // A shaded underside, dithered into the white.
    for (int y = 40; y < 64; ++y)
        for (int x = 0; x < 160; ++x)
            if ((body.at(x, y) >> 24) && float(y - 40) / 18.0f > bayer4(x, y) + 0.2f) body.set(x, y, s.cloudShade);
    body.outlineShapes(withAlpha(s.cloudShade, 255));
    c.blit(body, 0, 0);
    return c;
}

// The cave's roof: rock hanging from the top of the screen with stalactites,
// 400 pixels wide so its copies butt together as it scrolls.
Canvas caveCeiling(const Style& s) {
    Canvas c(kRangeWidth, 150);
    const double tau = 2.0 * M_PI / double(kRangeWidth);
    for (int x = 0; x < kRangeWidth; ++x) {
        // A wavy roof line with icicle points every so often.
        double depth = 26.0 + 10.0 * std::sin(x * tau * 3 + 0.7) + 6.0 * std::sin(x * tau * 7);
        const double tip = std::fabs(std::fmod(double(x) / 23.0, 1.0) - 0.5);
        if ((x / 23) % 3 != 1) depth += std::max(0.0, 0.22 - tip) * (x % 5 < 2 ? 300.0 : 420.0);
        const int bottom = std::min(149, int(depth));
        for (int y = 0; y < bottom; ++y) {
            uint32_t col = s.far;
            if (y > bottom - 4 && bayer4(x, y) < 0.5f) col = s.farLight;
            c.set(x, y, col);
        }
        c.set(x, bottom, mix(s.far, kInk, 0.5f));
    }
    return c;
}

// A few motes of the cave's crystal light, dithered rather than translucent.
Canvas spores(const Style& s) {
    Canvas c(160, 64);
    const float motes[][3] = {{20, 30, 3}, {64, 12, 2}, {98, 44, 3}, {140, 22, 2}};
    for (auto& m : motes)
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 160; ++x) {
                const float d = std::hypot(float(x) - m[0], float(y) - m[1]);
                if (d < m[2]) c.set(x, y, mix(s.light, kWhite, 0.5f));
                else if (d < m[2] * 2.5f && bayer4(x, y) < 0.4f) c.set(x, y, s.light);
            }
    return c;
}

// A range of hills or mountains that repeats every 400 pixels and reaches
// the bottom of the screen, so no sky shows under it.
constexpr int kFarY = 200, kNearY = 320;

Canvas range(const Style& s, bool near) {
    const int h = 600 - (near ? kNearY : kFarY);
    Canvas c(kRangeWidth, h);
    const uint32_t body = near ? s.near : s.far, light = near ? s.nearLight : s.farLight;
    const double tau = 2.0 * M_PI / double(kRangeWidth);
    auto ridge = [&](double x) {
        if (s.spires) {
            // Jagged columns of rock rising from below.
            const double saw = std::fabs(std::fmod(x * (near ? 5.0 : 3.0) / kRangeWidth, 1.0) - 0.5);
            return (near ? 40.0 : 20.0) + saw * (near ? 300.0 : 340.0) + 10.0 * std::sin(x * tau * 7);
        }
        if (near && s.treeLine) {
            // A forest edge: rounded crowns on a common base.
            return 70.0 - 34.0 * std::fabs(std::sin(x * tau * 10)) + 10.0 * std::sin(x * tau * 3);
        }
        if (near) return 80.0 + 25.0 * std::sin(x * tau * 2 + 1.0) + 12.0 * std::sin(x * tau * 5);
        return 110.0 - 55.0 * std::sin(x * tau * 2 + 0.5) - 22.0 * std::sin(x * tau * 5 + 1.3) -
               8.0 * std::sin(x * tau * 13);
    };
    for (int x = 0; x < kRangeWidth; ++x) {
        const int t = std::max(1, int(ridge(x)));
        // Slopes rising to the right face the light.
        const bool facing = ridge(x + 1) < ridge(x);
        for (int y = t; y < h; ++y) {
            const int depth = y - t;
            uint32_t col = body;
            if (facing && depth < 24 && bayer4(x, y) < 0.75f - float(depth) / 32.0f) col = light;
            if (!near && !s.spires && t < 60 && depth < 6 + (x % 3)) col = s.cloud;  // snow on the peaks
            c.set(x, y, col);
        }
        c.set(x, t, mix(body, kInk, near ? 0.55f : 0.3f));
    }
    return c;
}

Canvas light(const Style& s) {
    Canvas c(96, 96);
    c.fillCircle(48, 48, 44, withAlpha(s.halo, 255));
    // The halo is dithered rather than translucent: the stage may draw with
    // blending off.
    Canvas out(96, 96);
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) {
            const float d = std::hypot(float(x) - 47.5f, float(y) - 47.5f);
            if (d < 44 && (d < 32 || bayer4(x, y) < (44 - d) / 24.0f)) out.set(x, y, mix(s.light, s.sky.back(), 0.45f));
        }
    if (s.spires) {
        // Under ground the light is a cluster of glowing crystal far off.
        Canvas crystal(96, 96);
        crystal.fillPolygon({30, 84, 38, 40, 46, 84}, s.light);
        crystal.fillPolygon({42, 86, 50, 18, 58, 86}, mix(s.light, kWhite, 0.4f));
        crystal.fillPolygon({56, 84, 64, 46, 70, 84}, s.light);
        crystal.line(49.5f, 26, 48, 80, 1.2f, kWhite);
        crystal.outlineShapes(mix(s.light, kInk, 0.5f));
        out.blit(crystal, 0, 0);
        return out;
    }
    out.fillCircle(48, 48, 28, s.light);
    if (s.moon) {
        out.fillCircle(40, 42, 6, mix(s.light, kInk, 0.15f));
        out.fillCircle(58, 56, 4, mix(s.light, kInk, 0.15f));
        out.fillCircle(52, 34, 3, mix(s.light, kInk, 0.12f));
    } else {
        out.fillCircle(42, 40, 10, mix(s.light, kWhite, 0.6f));
    }
    return out;
}

void writePicture(const DemoContext& ctx, const std::string& name, const Canvas& c, int bits) {
    velk::ImageBlockOptions options;
    options.bitsPerPixel = bits;
    writeOut(ctx, name, velk::encodePicture(uint32_t(c.width()), uint32_t(c.height()), c.data(), options));
}

}  // namespace

bool stageStyleExists(const std::string& style) { return styles().count(style) != 0; }

int stageLight(const std::string& style) { return styles().at(style).lightIndex; }

uint32_t tintToLight(uint32_t c, int light) {
    // Daylight, a warm evening, cool moonlight, the dim blue of the cave.
    static constexpr uint32_t kLight[kStageLights] = {0xFFFFFF, 0xE8A8A0, 0x8090C8, 0xA8A0C8};
    const uint32_t t = kLight[std::clamp(light, 0, kStageLights - 1)];
    auto channel = [&](int shift) { return ((c >> shift & 0xFF) * (t >> shift & 0xFF) + 127) / 255 << shift; };
    return (c & 0xFF000000u) | channel(16) | channel(8) | channel(0);
}

void writeStage(const DemoContext& ctx, int mapNumber, const std::string& style) {
    const Style& s = styles().at(style);
    const std::string base = "pic/stage/" + style;
    // Every map of a style shares its pictures; unchanged bytes are not rewritten.
    writePicture(ctx, base + "_sky.pic", sky(s), 24);
    writePicture(ctx, base + "_cloud.pic", s.spires ? spores(s) : cloud(s), 32);
    if (s.spires) writePicture(ctx, base + "_ceiling.pic", caveCeiling(s), 32);
    writePicture(ctx, base + "_far.pic", range(s, false), 32);
    writePicture(ctx, base + "_near.pic", range(s, true), 32);
    writePicture(ctx, base + "_light.pic", light(s), 32);

    StageFile stage;
    stage.background = base + "_sky.pic";
    auto layer = [&](int32_t mode, int32_t low, int32_t high, std::vector<StageItem> items,
                     const std::string& picture) {
        stage.layers.push_back({int32_t(items.size()), mode, low, high});
        stage.items.push_back(std::move(items));
        stage.layerPictures.push_back(picture);
    };
    layer(velk::kStageModeFixed, 0, 800, {{s.lightX, s.lightY, 0}}, base + "_light.pic");
    // Clouds drift left and come back from the right once wholly off screen;
    // under ground, glowing spores drift instead.
    layer(velk::kStageModeDrifting, -160, 800,
          {{40, 140, 1}, {330, 210, 2}, {560, 120, 1}, {760, 250, 2}}, base + "_cloud.pic");
    // Three copies of each range cover the screen; steps that divide the
    // picture's width keep the copies butted together as they wrap.
    layer(velk::kStageModeParallax, -kRangeWidth, 800, {{0, kFarY, 1}, {400, kFarY, 1}, {800, kFarY, 1}},
          base + "_far.pic");
    layer(velk::kStageModeParallax, -kRangeWidth, 800, {{0, kNearY, 2}, {400, kNearY, 2}, {800, kNearY, 2}},
          base + "_near.pic");
    if (s.spires) {
        // The cave's roof hangs in front of the far rock.
        layer(velk::kStageModeParallax, -kRangeWidth, 800, {{0, 0, 1}, {400, 0, 1}, {800, 0, 1}},
              base + "_ceiling.pic");
    }
    writeOut(ctx, velk::stageFileName(mapNumber), velk::stageText(stage));
}

}  // namespace demo
