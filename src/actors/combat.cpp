#include "actors/combat.h"

#include "actors/boss.h"
#include "actors/monster_set.h"
#include "actors/player.h"

namespace velk {
CombatItems g_combatItems;
}

bool Enemies::hasMonsters() const { return monsters && monsters->count() > 0; }

int32_t Enemies::hitTest(const FrameBox& box, int32_t facing, int32_t power) const {
    if (hasMonsters()) return monsters->hitTest(box, facing, power);
    if (boss) return boss->hitTest(box, facing, power);
    return velk::kHitNothing;
}

int32_t Enemies::contactTest(const FrameBox& heroBody) const {
    if (hasMonsters()) return monsters->contactTest(heroBody);
    if (boss) return boss->contactTest(heroBody);
    return velk::kHitNothing;
}

int32_t Enemies::attackOf(int32_t index) const {
    if (hasMonsters()) return index >= 0 && index < monsters->count() ? monsters->monsters[size_t(index)].attack : 0;
    return boss ? boss->attack : 0;
}

int32_t weaponPower(const CPlayer& hero) {
    const auto& items = velk::g_combatItems;
    const int32_t weapon = items.weaponAttack ? items.weaponAttack(hero.slots[velk::kSlotWornWeapon].itemId) : 0;
    return hero.attackStat / 3 + weapon;
}

void meleeHitTest(CPlayer& hero, const Enemies& enemies) {
    const AnimationStep* step = hero.sprites->currentStep(hero.animRow);
    const FrameBox* attack = step ? hero.sprites->attackBox(step->frame) : nullptr;
    if (!attack) return;  // only attack frames strike
    const int32_t result =
        enemies.hitTest(velk::placeBox(*attack, hero.screenX, hero.screenY), hero.facing, weaponPower(hero));
    if (result >= 1) hero.gainExperience(result);
}
