#include "actors/combat.h"

#include <algorithm>
#include <cstdio>

#include "actors/enemies.h"
#include "actors/player.h"
#include "core/effects.h"
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

int32_t weaponPower(const CPlayer& hero) {
    const auto& items = velk::g_combatItems;
    const int32_t weapon = items.weaponAttack ? items.weaponAttack(hero.slots[velk::kSlotWornWeapon].itemId) : 0;
    return hero.attackStat / 3 + weapon;
}

void gainExperience(CPlayer& hero, int32_t amount) {
    hero.exp = int32_t(std::min<int64_t>(int64_t(hero.exp) + amount, INT32_MAX));
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
    hero.statPoints += kLevelStatPoints;
    hero.expNext = expForLevel(hero.level);
}

void meleeHitTest(CPlayer& hero, CEnemies& enemies) {
    const AnimationStep* step = hero.sprites->currentStep(hero.animRow);
    const FrameBox* attack = step ? hero.sprites->attackBox(step->frame) : nullptr;
    if (!attack) return;  // only attack frames strike
    const int32_t result =
        enemies.hitTest(velk::placeBox(*attack, hero.screenX, hero.screenY), hero.facing, weaponPower(hero));
    if (result >= 1) gainExperience(hero, result);
}
