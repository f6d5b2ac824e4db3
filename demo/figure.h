#pragma once
// A small parametric character drawer for the demo world's people: a head,
// a torso and four limbs placed by a pose, drawn part by part with ink
// outlines in pixel-art style. Poses face right; mirror the canvas for left.

#include <cstdint>
#include <optional>

#include "demo/art.h"

namespace demo {

struct Point {
    float x = 0, y = 0;
};

// Angles in radians: 0 points straight down, positive turns towards the
// facing direction (pi/2 points forward, pi straight up).
struct ArmPose {
    float shoulder = 0;
    float elbow = 0.3f;  // added to the shoulder angle for the forearm
};

enum class Held { None, Blade, Gun, Boomerang };

struct Pose {
    // Positions relative to the foot point (0, 0); y grows downwards.
    Point hip{0, -25};
    float lean = 0;                // torso tilt, positive leaning forward
    Point frontFoot{3, -3};        // ankle targets; knees bend forward
    Point backFoot{-3, -3};
    ArmPose frontArm{0.25f, 0.3f};
    ArmPose backArm{-0.2f, 0.3f};
    float headTilt = 0;
    float scarf = 0;               // flutter phase of the scarf's tail
    Held held = Held::None;
    float heldAngle = 0;           // item direction, same convention as the arms
    bool flash = false;            // a muzzle flash or strike spark at the item's tip
    bool back = false;             // seen from behind (ladders and ropes)
    bool eyesShut = false;
    float streaks = 0;             // speed lines behind the body, 0 none
};

struct FigureColours {
    uint32_t skin, skinShade;
    uint32_t hair, hairLight;
    uint32_t coat, coatShade, coatLight;
    uint32_t scarf, scarfShade;
    uint32_t belt, buckle;
    uint32_t legs, legsShade;
    uint32_t boots, bootsShade;
};

FigureColours heroColours();

// Draws the figure on a canvas with the foot point at (originX, originY).
void drawFigure(Canvas& canvas, const Pose& pose, const FigureColours& colours, float originX,
                float originY);

}  // namespace demo
