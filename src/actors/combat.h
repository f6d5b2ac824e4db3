#pragma once
// What the hero's attacks, the enemies and the shots share: the hit-test
// results, the items combat reads (weapon attack, skills, coins and sparks),
// the melee hit test and the experience gain.

#include <cstdint>
#include <functional>

#include "formats/sprite_format.h"

class CEnemies;
class CPlayer;

namespace velk {

// Results of every hit test; 1 or more is the experience of a kill.
constexpr int32_t kHitNothing = -11;  // nothing touched
constexpr int32_t kHitHurt = -12;     // damaged and alive
constexpr int32_t kHitNoDamage = -13; // touched without damage

// Inclusive overlap of two screen boxes, as every contact test compares them.
inline bool boxesTouch(const FrameBox& a, const FrameBox& b) {
    return a.left <= b.right && a.top <= b.bottom && a.right >= b.left && a.bottom >= b.top;
}
inline FrameBox placeBox(const FrameBox& b, int32_t x, int32_t y) {
    return {x + b.left, y + b.top, x + b.right, y + b.bottom};
}

// Coins above 99 aru fall as the large coin (drop action 1), others small (0).
constexpr int32_t coinAction(int32_t money) { return money > 99 ? 1 : 0; }

// The worn skill's entry as combat reads it.
struct SkillUse {
    int32_t type = 0;   // 0 speed, 1 kick
    int32_t value = 0;  // the speed's duration part, or the kick's power part
    int32_t mpCost = 0;
};

// What combat needs from the items: each empty function means the item part
// is not there (no weapon attack, no skill, no drops).
struct CombatItems {
    std::function<int32_t(int32_t weaponIndex)> weaponAttack;
    std::function<bool(int32_t skillIndex, SkillUse& out)> skill;
    std::function<void(int32_t x, int32_t y, int32_t money, int32_t action)> addCoins;
    // Action 0 a hit spark, 1 the level-up flash.
    std::function<void(int32_t x, int32_t y, int32_t action)> addEffect;
    // Draws item picture `icon` of the item pack at a screen position.
    std::function<void(int32_t icon, int32_t x, int32_t y)> drawItemPicture;
};
extern CombatItems g_combatItems;

}  // namespace velk

// The power of the hero's weapon: attackStat / 3 + the worn weapon's attack.
int32_t weaponPower(const CPlayer& hero);
// The hero's attack frame against the enemies; a kill pays experience.
void meleeHitTest(CPlayer& hero, CEnemies& enemies);
