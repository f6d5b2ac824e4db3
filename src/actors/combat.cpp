#include "actors/combat.h"

#include "actors/enemies.h"
#include "actors/player.h"

namespace velk {
CombatItems g_combatItems;
}

int32_t weaponPower(const CPlayer& hero) {
    const auto& items = velk::g_combatItems;
    const int32_t weapon = items.weaponAttack ? items.weaponAttack(hero.slots[velk::kSlotWornWeapon].itemId) : 0;
    return hero.attackStat / 3 + weapon;
}

void meleeHitTest(CPlayer& hero, CEnemies& enemies) {
    const AnimationStep* step = hero.sprites->currentStep(hero.animRow);
    const FrameBox* attack = step ? hero.sprites->attackBox(step->frame) : nullptr;
    if (!attack) return;  // only attack frames strike
    const int32_t result =
        enemies.hitTest(velk::placeBox(*attack, hero.screenX, hero.screenY), hero.facing, weaponPower(hero));
    if (result >= 1) hero.gainExperience(result);
}
