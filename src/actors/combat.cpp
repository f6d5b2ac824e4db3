#include "actors/combat.h"

#include <algorithm>
#include <cstdio>

#include "actors/boss.h"
#include "actors/monster_set.h"
#include "actors/player.h"
#include "core/effects.h"
#include "core/saturating.h"
#include "platform/cp949.h"
#include "ui/widgets/notice_log.h"

namespace velk {
CombatItems g_combatItems;
}

namespace {
constexpr int32_t kLevelCap = 150;
constexpr int32_t kLevelHp = 6, kLevelMp = 3, kLevelStatPoints = 5;
constexpr int32_t kFlashEffect = 1;

void notice(const std::string& utf8) {
    if (g_noticeLog) g_noticeLog->add(velk::toCp949(utf8).c_str());
}
}  // namespace

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

void gainExperience(CPlayer& hero, int32_t amount) {
    hero.exp = velk::saturatingAdd(hero.exp, amount);
    if (hero.exp < hero.expNext || hero.level > kLevelCap) return;
    g_soundBank.play(&g_effects.levelup);
    if (velk::g_combatItems.addEffect) velk::g_combatItems.addEffect(hero.x, hero.y, kFlashEffect);
    char line[64];
    std::snprintf(line, sizeof line, "레벨업하였습니다(%d->%d).", hero.level, hero.level + 1);
    notice(line);
    notice("축하합니다.");
    // One level per gain: the surplus is dropped.
    hero.exp = 0;
    hero.level += 1;
    hero.maxHp += kLevelHp;
    hero.maxMp += kLevelMp;
    hero.hp = hero.maxHp;
    hero.mp = hero.maxMp;
    hero.statPoints = velk::saturatingAdd(hero.statPoints, kLevelStatPoints);
    hero.expNext = expForLevel(hero.level);
}

void meleeHitTest(CPlayer& hero, const Enemies& enemies) {
    const AnimationStep* step = hero.sprites->currentStep(hero.animRow);
    const FrameBox* attack = step ? hero.sprites->attackBox(step->frame) : nullptr;
    if (!attack) return;  // only attack frames strike
    const int32_t result =
        enemies.hitTest(velk::placeBox(*attack, hero.screenX, hero.screenY), hero.facing, weaponPower(hero));
    if (result >= 1) gainExperience(hero, result);
}
