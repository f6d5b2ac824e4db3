#pragma once
// The hero's two skills: the kick (ends in a skill shot from the hero's
// frame logic) and the timed speed effect (16-pixel walking frames), both
// started by the skill key and paid in MP.

#include <cstdint>
#include <memory>

#include "platform/picture.h"

class CDirect3D;
class CPlayer;

class CSpeedEffect {
public:
    static constexpr int32_t kIconPicture = 53;

    // Lasts skillStat x 100 + the skill's value frames; loads the bar picture.
    void init(CDirect3D* device, int32_t skillStat, int32_t skillValue);
    // One frame: the icon (flashing in the last 200 frames) and the shrinking
    // bar. 1 while it runs, 0 once it has ended.
    int frame();
    // The bar's width in pixels for the frames left.
    int32_t barWidth() const;

    int32_t remaining = 0;
    int32_t total = 0;
    int8_t blinkPhase = 0;
    std::unique_ptr<CPicture> bar;
};

// The skill key: uses the worn skill (slot 1) if its MP can be paid, else
// refuses with the "no" sound and a notice. `speedEffect` receives a
// started speed effect; a running one makes the key do nothing.
void useSkill(CPlayer& hero, std::unique_ptr<CSpeedEffect>& speedEffect, CDirect3D* device);
