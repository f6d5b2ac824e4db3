// The hero's sprite set (set 0): every pose drawn by the figure drawer, the
// rows read from sources/hero/rows.txt, left rows mirrored from right ones.

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <sstream>

#include "content/source_lines.h"
#include "content/sprite_set_writer.h"
#include "demo/demo.h"
#include "demo/figure.h"

namespace demo {

namespace {

constexpr int kFrameW = 96, kFrameH = 72;
// The foot point sits at the middle of the frame's bottom edge.
constexpr int kFootX = 48, kFootY = 72;

// A box given relative to the foot point, as the frame stores it.
constexpr FrameBox footBox(int left, int top, int right, int bottom) {
    return {kFootX + left, kFootY + top, kFootX + right, kFootY + bottom};
}
constexpr float kPi = float(M_PI);

struct HeroPose {
    Pose pose;
    FrameBox body = footBox(-10, -54, 10, -1);
    std::optional<FrameBox> attack;
};

Pose stand(int k) {
    Pose p;
    p.hip = {0, k == 2 ? -24.0f : -25.0f};
    p.frontFoot = {4, -3};
    p.backFoot = {-4, -3};
    p.frontArm = {0.15f + (k == 2 ? 0.06f : 0.0f), 0.35f};
    p.backArm = {-0.15f, 0.35f};
    p.scarf = float(k) * 1.6f;
    return p;
}

Pose walk(int k, bool fast) {
    const float t = float(k) / 8.0f * 2.0f * kPi;
    const float stride = fast ? 9.0f : 7.0f, lift = fast ? 6.0f : 4.0f;
    Pose p;
    p.hip = {fast ? 2.0f : 0.0f, (fast ? -23.5f : -25.0f) + 1.3f * std::fabs(std::sin(t))};
    p.lean = fast ? 0.3f : 0.06f;
    p.frontFoot = {stride * std::sin(t), -3.0f - lift * std::max(0.0f, std::cos(t))};
    p.backFoot = {-stride * std::sin(t), -3.0f - lift * std::max(0.0f, -std::cos(t))};
    const float swing = fast ? 0.9f : 0.6f;
    p.frontArm = {-swing * std::sin(t), fast ? 1.3f : 0.45f};
    p.backArm = {swing * std::sin(t), fast ? 1.3f : 0.45f};
    p.scarf = t * 2.0f;
    p.streaks = fast ? 1.0f + 0.3f * float(k % 2) : 0.0f;
    return p;
}

Pose stance(float lean) {
    Pose p;
    p.hip = {1, -24};
    p.lean = lean;
    p.frontFoot = {8, -3};
    p.backFoot = {-6, -3};
    p.backArm = {-0.4f, 0.9f};
    return p;
}

Pose crouching(int k) {
    Pose p;
    p.hip = {-1, -15.0f + float(k)};
    p.lean = 0.25f;
    p.frontFoot = {8, -3};
    p.backFoot = {-5, -3};
    p.frontArm = {0.9f, 0.9f};
    p.backArm = {0.3f, 1.0f};
    p.headTilt = 0.1f;
    p.scarf = float(k) * 2.0f;
    return p;
}

Pose fromBehind(int k, bool rope) {
    Pose p;
    p.back = true;
    const float s = k % 2 ? 1.0f : -1.0f;
    p.hip = {0, -26};
    if (rope) {
        p.frontArm = {2.85f + 0.15f * s, -0.6f};
        p.backArm = {2.85f - 0.15f * s, -0.6f};
        p.frontFoot = {2, -4.0f - 3.0f * std::max(0.0f, s)};
        p.backFoot = {-2, -4.0f - 3.0f * std::max(0.0f, -s)};
    } else {
        p.frontArm = {2.45f + 0.3f * s, 0.25f};
        p.backArm = {2.45f - 0.3f * s, 0.25f};
        p.frontFoot = {5, -3.0f - 5.0f * std::max(0.0f, s)};
        p.backFoot = {-5, -3.0f - 5.0f * std::max(0.0f, -s)};
    }
    return p;
}

std::map<std::string, HeroPose> poseLibrary() {
    std::map<std::string, HeroPose> lib;
    auto add = [&](const std::string& name, const Pose& pose, FrameBox body = footBox(-10, -54, 10, -1),
                   std::optional<FrameBox> attack = std::nullopt) { lib[name] = {pose, body, attack}; };

    for (int k = 0; k < 4; ++k) add("stand" + std::to_string(k), stand(k));
    for (int k = 0; k < 8; ++k) {
        add("walk" + std::to_string(k), walk(k, false));
        add("run" + std::to_string(k), walk(k, true));
    }

    // Fists: draw back, strike, strike with a spark, recover.
    {
        Pose p = stance(-0.05f);
        p.frontArm = {-0.4f, 1.9f};
        add("punch0", p);
        p = stance(0.15f);
        p.hip = {3, -25};
        p.frontArm = {1.5f, 0.05f};
        add("punch1", p, footBox(-10, -54, 12, -1), footBox(8, -48, 30, -30));
        p.flash = true;
        add("punch2", p, footBox(-10, -54, 12, -1), footBox(8, -48, 32, -30));
        p = stance(0.05f);
        p.frontArm = {0.7f, 0.9f};
        add("punch3", p);
    }
    // Knocked back: thrown backwards, arms flung, eyes shut.
    for (int k = 0; k < 2; ++k) {
        Pose p;
        p.hip = {-2.0f - float(k), -26};
        p.lean = -0.35f - 0.1f * float(k);
        p.headTilt = -0.3f;
        p.frontFoot = {7, -7.0f - float(k) * 2};
        p.backFoot = {-4, -3};
        p.frontArm = {2.3f + 0.2f * float(k), 0.3f};
        p.backArm = {-2.2f, -0.3f};
        p.eyesShut = true;
        p.scarf = float(k) * 2.0f;
        add("hurt" + std::to_string(k), p);
    }
    // Dying: recoil, stagger, knees, topple, lying, still.
    {
        Pose p = lib["hurt0"].pose;
        add("die0", p);
        p.hip = {-4, -21};
        p.lean = -0.6f;
        p.frontFoot = {6, -3};
        p.backFoot = {-3, -3};
        add("die1", p, footBox(-14, -48, 8, -1));
        p.hip = {-3, -14};
        p.lean = -0.1f;
        p.headTilt = 0.5f;
        p.frontFoot = {4, -3};
        p.backFoot = {-10, -3};
        p.frontArm = {0.2f, 0.2f};
        p.backArm = {-0.2f, 0.2f};
        add("die2", p, footBox(-14, -38, 8, -1));
        p.hip = {-2, -9};
        p.lean = -1.1f;
        p.headTilt = -0.2f;
        p.frontFoot = {10, -4};
        p.backFoot = {6, -3};
        p.frontArm = {2.0f, 0.3f};
        p.backArm = {-2.0f, 0.3f};
        add("die3", p, footBox(-26, -26, 16, -1));
        p.hip = {2, -6};
        p.lean = -1.52f;
        p.headTilt = 0;
        p.frontFoot = {14, -3};
        p.backFoot = {12, -4};
        p.frontArm = {-2.6f, 0.2f};
        p.backArm = {-1.4f, 0.2f};
        add("die4", p, footBox(-26, -18, 22, -1));
        p.eyesShut = true;
        add("die5", p, footBox(-26, -18, 22, -1));
    }
    // In the air.
    for (int k = 0; k < 2; ++k) {
        Pose p;
        p.hip = {0, -28};
        p.frontFoot = {6, -14.0f + float(k) * 2};
        p.backFoot = {-4, -10};
        p.frontArm = {2.5f, 0.3f};
        p.backArm = {2.1f + 0.2f * float(k), 0.4f};
        p.scarf = float(k) * 2.5f;
        add("rise" + std::to_string(k), p, footBox(-10, -54, 10, -8));
        p.hip = {0, -27};
        p.frontFoot = {4, -2.0f - float(k)};
        p.backFoot = {-4, -4};
        p.frontArm = {1.9f, -0.4f};
        p.backArm = {-1.9f - 0.2f * float(k), 0.4f};
        p.scarf = 1.0f + float(k) * 2.5f;
        add("fall" + std::to_string(k), p);
    }
    // Flying kick.
    {
        Pose p;
        p.hip = {0, -30};
        p.lean = -0.15f;
        p.frontFoot = {8, -18};
        p.backFoot = {-6, -12};
        p.frontArm = {0.9f, 1.6f};
        p.backArm = {-1.3f, 0.4f};
        add("airkick0", p, footBox(-10, -54, 10, -8));
        p.lean = -0.3f;
        p.frontFoot = {19, -20};
        add("airkick1", p, footBox(-10, -54, 14, -8), footBox(10, -30, 32, -12));
        p.frontFoot = {20, -19};
        p.scarf = 2.0f;
        add("airkick2", p, footBox(-10, -54, 14, -8), footBox(10, -30, 34, -12));
    }
    for (int k = 0; k < 2; ++k) add("crouch" + std::to_string(k), crouching(k), footBox(-11, -36, 11, -1));
    // Crouch attack: a low sweep; every step strikes.
    for (int k = 0; k < 3; ++k) {
        Pose p = crouching(0);
        p.hip = {-3, -14};
        p.lean = 0.05f;
        p.frontFoot = {8.0f + 5.0f * float(std::min(k, 2)), -3};
        p.backFoot = {-8, -3};
        p.backArm = {-0.6f, 0.2f};
        p.frontArm = {0.5f, 1.2f};
        p.flash = false;
        add("lowkick" + std::to_string(k), p, footBox(-13, -36, 13, -1), footBox(6, -20, 24 + 4 * k, -1));
    }
    // Slide: low on one hip, leading foot first.
    for (int k = 0; k < 2; ++k) {
        Pose p;
        p.hip = {-4, -11};
        p.lean = -0.95f;
        p.frontFoot = {14, -3};
        p.backFoot = {2, -3};
        p.frontArm = {1.4f, 0.2f};
        p.backArm = {-1.3f, 0.4f};
        p.scarf = 1.0f + float(k) * 2.0f;
        p.streaks = 0.8f + 0.4f * float(k);
        add("slide" + std::to_string(k), p, footBox(-18, -26, 18, -1));
    }
    for (int k = 0; k < 4; ++k) {
        add("ladder" + std::to_string(k), fromBehind(k, false));
        add("rope" + std::to_string(k), fromBehind(k, true));
    }
    // Kick skill: chamber, turn, high kick with a flash, hold, recover.
    {
        Pose p = stance(0);
        p.frontFoot = {7, -17};
        p.frontArm = {0.9f, 1.4f};
        add("kick0", p);
        p.lean = -0.3f;
        p.hip = {-1, -26};
        p.frontFoot = {13, -26};
        p.backArm = {-1.6f, 0.3f};
        add("kick1", p);
        p.lean = -0.55f;
        p.hip = {-3, -26};
        p.frontFoot = {21, -34};
        add("kick2", p, footBox(-14, -54, 10, -1), footBox(12, -46, 36, -24));
        p.flash = true;
        p.frontArm = {0.4f, 1.5f};
        add("kick3", p, footBox(-14, -54, 10, -1), footBox(12, -46, 38, -22));
        add("kick4", stance(0.05f));
    }
    // Straight shot: raise, fire with a flash, recoil, lower.
    {
        Pose p = stance(0);
        p.held = Held::Gun;
        p.frontArm = {1.1f, 0.2f};
        p.heldAngle = 1.3f;
        add("shoot0", p);
        p.frontArm = {1.57f, 0.0f};
        p.heldAngle = 1.57f;
        p.flash = true;
        add("shoot1", p);
        p.flash = false;
        p.lean = -0.1f;
        p.frontArm = {1.75f, -0.1f};
        p.heldAngle = 1.9f;
        add("shoot2", p);
        p.lean = 0;
        p.frontArm = {1.0f, 0.3f};
        p.heldAngle = 1.1f;
        add("shoot3", p);
    }
    // Blade: raise behind, overhead, slash forward, follow through, recover.
    {
        Pose p = stance(-0.05f);
        p.held = Held::Blade;
        p.frontArm = {2.9f, 0.4f};
        p.heldAngle = 3.6f;
        add("slash0", p);
        p = stance(0.05f);
        p.held = Held::Blade;
        p.frontArm = {2.5f, -0.2f};
        p.heldAngle = 2.4f;
        add("slash1", p, footBox(-10, -54, 10, -1), footBox(2, -64, 34, -34));
        p = stance(0.15f);
        p.held = Held::Blade;
        p.hip = {3, -25};
        p.frontArm = {1.6f, 0.0f};
        p.heldAngle = 1.55f;
        add("slash2", p, footBox(-10, -54, 12, -1), footBox(6, -50, 44, -24));
        p.frontArm = {0.9f, 0.0f};
        p.heldAngle = 0.7f;
        add("slash3", p, footBox(-10, -54, 12, -1), footBox(4, -34, 32, -4));
        p = stance(0.05f);
        p.held = Held::Blade;
        p.frontArm = {0.4f, 0.3f};
        p.heldAngle = 0.35f;
        add("slash4", p);
    }
    // Returning shot: wind up behind, swing over, release (leaves the hand on step 3), follow through.
    {
        Pose p = stance(-0.1f);
        p.held = Held::Boomerang;
        p.frontArm = {-1.6f, 0.5f};
        p.heldAngle = -1.8f;
        add("throw0", p);
        p.frontArm = {2.9f, 0.3f};
        p.heldAngle = 3.0f;
        add("throw1", p);
        p = stance(0.1f);
        p.held = Held::Boomerang;
        p.frontArm = {2.0f, 0.1f};
        p.heldAngle = 2.0f;
        add("throw2", p);
        p.held = Held::None;
        p.frontArm = {1.5f, 0.0f};
        p.lean = 0.2f;
        add("throw3", p);
        p = stance(0.05f);
        p.frontArm = {0.6f, 0.5f};
        add("throw4", p);
    }
    // At a ledge: leaning out, arms wheeling.
    for (int k = 0; k < 3; ++k) {
        Pose p;
        p.hip = {-1, -26};
        p.lean = 0.3f;
        p.frontFoot = {3, -3};
        p.backFoot = {-4, -3};
        p.frontArm = {2.0f + 0.9f * float(k), 0.3f};
        p.backArm = {-2.4f + 0.9f * float(k), 0.3f};
        p.headTilt = 0.2f;
        p.scarf = float(k) * 2.0f;
        add("teeter" + std::to_string(k), p);
    }
    return lib;
}

struct RowLine {
    int right = -1, left = -1, delay = 1;
    std::vector<std::string> poses;
};

bool parseRows(const std::string& text, std::vector<RowLine>& out, std::string& error) {
    return velk::forEachSourceLine(text, [&](int lineNo, std::istringstream& in) {
        std::string right, left;
        RowLine row;
        in >> right;
        if (!(in >> left >> row.delay) || row.delay < 1) {
            error = "line " + std::to_string(lineNo) + ": needs two rows and a delay of 1 or more";
            return false;
        }
        row.right = std::stoi(right);
        row.left = left == "-" ? -1 : std::stoi(left);
        for (std::string pose; in >> pose;) row.poses.push_back(pose);
        if (row.poses.empty()) {
            error = "line " + std::to_string(lineNo) + ": no poses";
            return false;
        }
        out.push_back(row);
        return true;
    });
}

FrameBox mirrored(const FrameBox& b) { return {kFrameW - b.right, b.top, kFrameW - b.left, b.bottom}; }

}  // namespace

void writeHero(const DemoContext& ctx) {
    std::string text, error;
    if (!readSource(ctx, "hero/rows.txt", text)) return;
    std::vector<RowLine> rows;
    if (!parseRows(text, rows, error)) {
        fail("hero/rows.txt: " + error);
        return;
    }
    const std::map<std::string, HeroPose> lib = poseLibrary();
    velk::SpriteSetSource set;
    // One frame per pose and facing, made once however many rows show it.
    std::map<std::pair<std::string, bool>, int32_t> frames;
    auto frameOf = [&](const std::string& name, bool left) -> int32_t {
        auto key = std::make_pair(name, left);
        if (auto it = frames.find(key); it != frames.end()) return it->second;
        const HeroPose& hp = lib.at(name);
        Canvas c(kFrameW, kFrameH);
        drawFigure(c, hp.pose, heroColours(), float(kFootX), float(kFootY));
        velk::SpriteFrameSource f;
        f.width = kFrameW;
        f.height = kFrameH;
        f.pixels = left ? c.mirrored().pixels() : c.pixels();
        f.boxes.push_back(left ? mirrored(hp.body) : hp.body);
        if (hp.attack) f.boxes.push_back(left ? mirrored(*hp.attack) : *hp.attack);
        set.frames.push_back(std::move(f));
        return frames[key] = int32_t(set.frames.size()) - 1;
    };
    int rowCount = 0;
    for (const RowLine& r : rows) rowCount = std::max({rowCount, r.right + 1, r.left + 1});
    set.rows.assign(size_t(rowCount), {});
    set.delays.assign(size_t(rowCount), 0);
    for (const RowLine& r : rows) {
        for (const std::string& pose : r.poses)
            if (!lib.count(pose)) {
                fail("hero/rows.txt: unknown pose " + pose);
                return;
            }
        for (int facing = 0; facing < 2; ++facing) {
            const int row = facing ? r.left : r.right;
            if (row < 0) continue;
            for (const std::string& pose : r.poses)
                set.rows[size_t(row)].push_back({frameOf(pose, facing == 1), -kFootX, -kFootY});
            set.delays[size_t(row)] = r.delay;
        }
    }
    for (int row = 0; row < rowCount; ++row)
        if (set.rows[size_t(row)].empty()) {
            fail("hero/rows.txt: row " + std::to_string(row) + " is missing");
            return;
        }
    writeOut(ctx, velk::spriteSetFileName(0), velk::encodeSpriteSet(set));
    writeOut(ctx, velk::spriteDelayFileName(0), velk::spriteDelayText(set.delays));
}

}  // namespace demo
