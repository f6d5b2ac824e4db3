#include "demo/figure.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace demo {

namespace {

// Proportions of a small hero with a big, readable head.
constexpr float kTorso = 13.0f;
constexpr float kNeckToHead = 9.5f;
constexpr float kHeadRadius = 9.0f;
constexpr float kThigh = 11.5f, kShin = 11.0f;
constexpr float kUpperArm = 7.5f, kForearm = 7.5f;

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, float k) { return {a.x * k, a.y * k}; }
float length(Point a) { return std::hypot(a.x, a.y); }
// The unit vector of an angle: 0 down, pi/2 forward.
Point dir(float angle) { return {std::sin(angle), std::cos(angle)}; }

// The knee (or elbow) of a two-bone limb from `a` reaching for `b`, bent
// towards `bendSide` (+1 forward, -1 backward).
Point joint(Point a, Point b, float l1, float l2, float bendSide) {
    Point d = b - a;
    float dist = length(d);
    const float maxReach = l1 + l2 - 0.05f;
    if (dist > maxReach) {
        d = d * (maxReach / dist);
        dist = maxReach;
    }
    dist = std::max(dist, std::fabs(l1 - l2) + 0.1f);
    const float along = (l1 * l1 - l2 * l2 + dist * dist) / (2.0f * dist);
    const float h = std::sqrt(std::max(0.0f, l1 * l1 - along * along));
    const Point unit = d * (1.0f / dist);
    const Point base = a + unit * along;
    const Point perp{-unit.y, unit.x};
    const Point k1 = base + perp * h, k2 = base - perp * h;
    return (k1.x - k2.x) * bendSide > 0 ? k1 : k2;
}

class Painter {
public:
    Painter(Canvas& c, float ox, float oy) : c_(c), ox_(ox), oy_(oy) {}

    // Draws one part on its own layer, outlines it and lays it over the canvas.
    void part(const std::function<void(Canvas&)>& draw) {
        Canvas layer(c_.width(), c_.height());
        draw(layer);
        layer.outlineShapes(palette::kInk);
        c_.blit(layer, 0, 0);
    }
    float X(Point p) const { return ox_ + p.x; }
    float Y(Point p) const { return oy_ + p.y; }
    void line(Canvas& l, Point a, Point b, float w, uint32_t col) const { l.line(X(a), Y(a), X(b), Y(b), w, col); }
    void disc(Canvas& l, Point p, float r, uint32_t col) const { l.fillCircle(X(p), Y(p), r, col); }
    void dot(Canvas& l, Point p, uint32_t col) const { l.set(int(std::floor(X(p))), int(std::floor(Y(p))), col); }

private:
    Canvas& c_;
    float ox_, oy_;
};

void drawLeg(Painter& p, Canvas& l, Point hip, Point ankle, uint32_t legs, uint32_t boots, float toe) {
    const Point knee = joint(hip, ankle, kThigh, kShin, 1.0f);
    p.line(l, hip, knee, 6.0f, legs);
    p.line(l, knee, ankle, 5.0f, legs);
    // Boot: a cuff over the ankle and the foot pointing the way the toe says.
    p.line(l, ankle + Point{0, -2}, ankle + Point{0, 1.5f}, 6.0f, boots);
    p.line(l, ankle + Point{0, 1.5f}, ankle + Point{toe * 4.0f, 1.5f}, 4.0f, boots);
}

void drawArm(Painter& p, Canvas& l, Point shoulder, const ArmPose& arm, uint32_t sleeve, uint32_t skin,
             Point* handOut) {
    const Point elbow = shoulder + dir(arm.shoulder) * kUpperArm;
    const Point hand = elbow + dir(arm.shoulder + arm.elbow) * kForearm;
    p.line(l, shoulder, elbow, 4.5f, sleeve);
    p.line(l, elbow, hand, 4.0f, sleeve);
    p.line(l, elbow + (hand - elbow) * 0.45f, hand, 3.6f, skin);
    p.disc(l, hand, 2.4f, skin);
    if (handOut) *handOut = hand;
}

void drawHeld(Painter& p, Canvas& l, Held held, Point hand, float angle, bool flash) {
    const Point d = dir(angle);
    const Point side{-d.y, d.x};
    switch (held) {
        case Held::Blade: {
            const Point guard = hand + d * 3.0f;
            const Point tip = guard + d * 22.0f;
            p.line(l, hand - d * 3.0f, guard, 2.5f, rgb(0x6E4424));
            p.line(l, guard - side * 4.0f, guard + side * 4.0f, 2.5f, palette::kGold);
            p.line(l, guard + d * 1.0f, tip, 3.2f, rgb(0xA3ABBD));
            p.line(l, guard + d * 1.0f + side * 0.6f, tip - d * 2.0f + side * 0.6f, 1.2f, rgb(0xF4F6FA));
            break;
        }
        case Held::Gun: {
            const Point muzzle = hand + d * 13.0f;
            p.line(l, hand - d * 2.0f + side * 2.0f, hand + side * 3.5f, 3.0f, rgb(0x8A5A3C));
            p.line(l, hand - d * 1.0f, muzzle, 4.5f, rgb(0x3A3A4E));
            p.line(l, hand + d * 2.0f - side * 0.8f, muzzle - side * 0.8f, 1.0f, rgb(0x8C8E9C));
            p.disc(l, muzzle, 2.2f, rgb(0x2A2A3A));
            if (flash) {
                const Point c = muzzle + d * 4.0f;
                p.disc(l, c, 3.5f, palette::kGold);
                p.line(l, c - d * 5.0f, c + d * 6.0f, 2.0f, palette::kCream);
                p.line(l, c - side * 5.0f, c + side * 5.0f, 2.0f, palette::kCream);
            }
            break;
        }
        case Held::Boomerang: {
            const Point elbowOfBoomerang = hand + d * 1.0f;
            p.line(l, elbowOfBoomerang, elbowOfBoomerang + dir(angle + 0.9f) * 10.0f, 3.5f, rgb(0xE0A968));
            p.line(l, elbowOfBoomerang, elbowOfBoomerang + dir(angle - 0.9f) * 10.0f, 3.5f, rgb(0xAD6F3B));
            break;
        }
        case Held::None:
            if (flash) {
                // A strike spark in front of the fist.
                const Point c = hand + d * 5.0f;
                p.line(l, c - side * 5.0f, c + side * 5.0f, 1.5f, palette::kCream);
                p.line(l, c + d * -2.0f + side * 3.0f, c + d * 4.0f, 1.5f, palette::kCream);
                p.line(l, c + d * -2.0f - side * 3.0f, c + d * 4.0f, 1.5f, palette::kCream);
            }
            break;
    }
}

void drawHead(Painter& p, Canvas& l, Point c, const FigureColours& col, float tilt, bool eyesShut, bool back) {
    p.disc(l, c, kHeadRadius, col.skin);
    if (back) {
        p.disc(l, c + Point{0, -0.5f}, kHeadRadius + 0.5f, col.hair);
        p.line(l, c + Point{-5, -5}, c + Point{-1, -7.5f}, 1.2f, col.hairLight);
        return;
    }
    // Hair over the back and the crown, a fringe over the brow; the face
    // keeps the front-lower part of the head.
    Canvas hair(l.width(), l.height());
    p.disc(hair, c + Point{-2.0f, -2.0f}, kHeadRadius, col.hair);
    for (int y = 0; y < l.height(); ++y)
        for (int x = 0; x < l.width(); ++x) {
            const float fx = float(x) + 0.5f - p.X(c), fy = float(y) + 0.5f - p.Y(c);
            if (fx > -1.5f - fy * 0.5f && fy > -4.0f + tilt * 2.0f) hair.set(x, y, 0);
        }
    l.blit(hair, 0, 0);
    p.line(l, c + Point{-1, -7.5f}, c + Point{7.5f, -5.5f}, 2.5f, col.hair);
    p.line(l, c + Point{6.5f, -5.0f}, c + Point{8.0f, -2.5f}, 1.5f, col.hair);
    p.line(l, c + Point{-5, -6.5f}, c + Point{0, -8.5f}, 1.2f, col.hairLight);
    p.dot(l, c + Point{-3.0f, 1.0f}, col.skinShade);  // ear
    p.dot(l, c + Point{-3.0f, 2.0f}, col.skinShade);
    p.dot(l, c + Point{-2.0f, 2.0f}, col.skinShade);
    const Point eye = c + Point{4.0f, -1.0f + tilt};
    if (eyesShut) {
        p.line(l, eye + Point{-1, 1.5f}, eye + Point{2, 1.5f}, 1.0f, palette::kInk);
    } else {
        for (int dy = 0; dy < 3; ++dy)
            for (int dx = 0; dx < 2; ++dx) p.dot(l, eye + Point{float(dx), float(dy)}, palette::kInk);
        p.dot(l, eye + Point{1, 0}, palette::kWhite);
    }
    p.dot(l, c + Point{6.0f, 4.0f}, col.skinShade);  // mouth
    p.dot(l, c + Point{5.0f, 4.0f}, col.skinShade);
    p.dot(l, c + Point{1.5f, 3.0f}, rgb(0xF29E8E));  // cheek
    p.dot(l, c + Point{2.5f, 3.0f}, rgb(0xF29E8E));
}

}  // namespace

FigureColours heroColours() {
    return {rgb(0xF4C8A0), rgb(0xD9966A), rgb(0x7A3B1E), rgb(0xB0643A), rgb(0x3D6FB0),
            rgb(0x284C80), rgb(0x6C9CDA), rgb(0xE4572E), rgb(0xB03A20), rgb(0x6E4424),
            rgb(0xF2C14E), rgb(0x4A3B5C), rgb(0x33283F), rgb(0x7A4A2A), rgb(0x573420)};
}

void drawFigure(Canvas& canvas, const Pose& pose, const FigureColours& col, float originX, float originY) {
    Painter p(canvas, originX, originY);
    const Point hip = pose.hip;
    const Point up = dir(float(M_PI) - pose.lean);  // along the torso, hip to shoulder
    const Point shoulder = hip + up * kTorso;
    const Point head = shoulder + dir(float(M_PI) - pose.lean - pose.headTilt * 0.5f) * kNeckToHead + Point{1, 0};

    if (pose.streaks > 0) {
        p.part([&](Canvas& l) {
            for (int k = 0; k < 3; ++k) {
                const float y = pose.hip.y - 14.0f + float(k) * 9.0f;
                const float len = pose.streaks * (8.0f + float(k % 2) * 6.0f);
                l.line(p.X({-14.0f - len, y}), p.Y({0, y}), p.X({-13.0f, y}), p.Y({0, y}), 1.0f, palette::kWhite);
            }
        });
    }

    if (pose.back) {
        // From behind: a symmetric figure, arms reaching up the rungs.
        p.part([&](Canvas& l) {
            drawLeg(p, l, hip + Point{-3, 0}, pose.backFoot, col.legsShade, col.bootsShade, 0);
            drawLeg(p, l, hip + Point{3, 0}, pose.frontFoot, col.legs, col.boots, 0);
        });
        p.part([&](Canvas& l) {
            p.line(l, hip + Point{0, 2}, shoulder, 13.0f, col.coat);
            p.line(l, hip + Point{-3, 1}, shoulder + Point{-3, 0}, 4.0f, col.coatShade);
            p.line(l, hip + Point{-6, 0}, hip + Point{6, 0}, 2.5f, col.belt);
        });
        p.part([&](Canvas& l) {
            drawHead(p, l, head + Point{-1, 0}, col, 0, false, true);
            p.line(l, shoulder + Point{-5, -1}, shoulder + Point{5, -1}, 3.0f, col.scarf);
        });
        // The hands reach up past the head to the rungs.
        p.part([&](Canvas& l) {
            ArmPose left = pose.backArm;
            left.shoulder = -left.shoulder;
            left.elbow = -left.elbow;
            drawArm(p, l, shoulder + Point{-5, 1}, left, col.coatShade, col.skin, nullptr);
            drawArm(p, l, shoulder + Point{5, 1}, pose.frontArm, col.coat, col.skin, nullptr);
        });
        return;
    }

    // Scarf tail streaming behind the neck.
    p.part([&](Canvas& l) {
        Point prev = shoulder + Point{-1, -1};
        for (int k = 1; k <= 4; ++k) {
            const Point next = shoulder + Point{-1.0f - 3.2f * float(k),
                                                -1.0f + 1.2f * float(k) + 1.6f * std::sin(pose.scarf + float(k) * 1.3f)};
            p.line(l, prev, next, 5.0f - float(k) * 0.6f, k % 2 ? col.scarf : col.scarfShade);
            prev = next;
        }
    });
    p.part([&](Canvas& l) { drawArm(p, l, shoulder + Point{-1, 1}, pose.backArm, col.coatShade, col.skinShade, nullptr); });
    p.part([&](Canvas& l) { drawLeg(p, l, hip + Point{-1, 0}, pose.backFoot, col.legsShade, col.bootsShade, 1); });
    // Torso: a tunic with a shaded back, a lit front edge and a belt.
    p.part([&](Canvas& l) {
        p.line(l, hip + Point{0, 2}, shoulder, 12.0f, col.coat);
        p.line(l, hip + up * 2.0f + Point{-3.5f, 2}, shoulder + Point{-3.5f, 1}, 4.0f, col.coatShade);
        p.line(l, hip + up * 3.0f + Point{3.5f, 0}, shoulder + Point{3.5f, 1}, 1.0f, col.coatLight);
        const Point side = {up.y * -1.0f, up.x};  // across the torso
        p.line(l, hip + side * 5.5f + up * 1.0f, hip - side * 5.5f + up * 1.0f, 2.5f, col.belt);
        p.disc(l, hip + up * 1.0f + Point{3.5f, 0}, 1.3f, col.buckle);
        p.line(l, shoulder + Point{-3, -1}, shoulder + Point{3, -1}, 3.0f, col.scarf);
    });
    p.part([&](Canvas& l) { drawLeg(p, l, hip + Point{1, 0}, pose.frontFoot, col.legs, col.boots, 1); });
    p.part([&](Canvas& l) { drawHead(p, l, head, col, pose.headTilt, pose.eyesShut, false); });
    Point hand;
    {
        Canvas scratch(canvas.width(), canvas.height());
        drawArm(p, scratch, shoulder + Point{1, 1}, pose.frontArm, col.coat, col.skin, &hand);
    }
    if (pose.held != Held::None || pose.flash)
        p.part([&](Canvas& l) { drawHeld(p, l, pose.held, hand, pose.heldAngle, pose.flash); });
    p.part([&](Canvas& l) { drawArm(p, l, shoulder + Point{1, 1}, pose.frontArm, col.coat, col.skin, nullptr); });
}

}  // namespace demo
