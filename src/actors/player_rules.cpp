// The rules that change the hero's points and experience. They are the only
// writers of its hit points: everything else reads them through CPlayer.

#include <algorithm>
#include <cstdio>

#include "actors/combat.h"
#include "actors/player.h"
#include "core/effects.h"
#include "core/saturating.h"
#include "platform/cp949.h"
#include "platform/sound_bank.h"
#include "widgets/notice_log.h"

namespace {

constexpr int32_t kRegenPeriod = 500;  // frames between two regeneration steps
constexpr int32_t kLevelHp = 6, kLevelMp = 3, kLevelStatPoints = 5;
constexpr int32_t kFlashEffect = 1;

void regenerateStep(int32_t& counter, int32_t& points, int32_t stat, int32_t maxPoints) {
    if (++counter < kRegenPeriod) return;
    counter = 0;
    const int64_t gained = int64_t(points) + stat / 3 + 8;
    points = int32_t(std::min<int64_t>(gained, maxPoints));
}

}  // namespace

void CPlayer::heal(int32_t hpGain, int32_t mpGain) {
    // Wide sums: a gain never wraps the points round.
    PlayerRecord::hp = int32_t(std::min<int64_t>(int64_t(PlayerRecord::hp) + hpGain, maxHp));
    mp = int32_t(std::min<int64_t>(int64_t(mp) + mpGain, maxMp));
}

void CPlayer::takeDamage(int32_t amount) { PlayerRecord::hp -= amount; }

void CPlayer::regenerate() {
    if (action >= kActionDying) return;
    regenerateStep(hpRegenCounter, PlayerRecord::hp, hpStat, maxHp);
    regenerateStep(mpRegenCounter, mp, mpStat, maxMp);
}

void CPlayer::revive() {
    PlayerRecord::hp = maxHp / 2;
    payDeathPenalty();
    // The penalty is paid: the hero no longer counts as dead for the save.
    animRow = 0;
}

void CPlayer::payDeathPenalty() {
    if (level > 10) exp = int32_t(int64_t(exp) * 30 / 100);
}

void CPlayer::gainExperience(int32_t amount) {
    exp = velk::saturatingAdd(exp, amount);
    if (exp < expNext || level >= kTopLevel) return;
    g_soundBank.play(&g_effects.levelup);
    if (velk::g_combatItems.addEffect) velk::g_combatItems.addEffect(x, y, kFlashEffect);
    char line[64];
    std::snprintf(line, sizeof line, "레벨업하였습니다(%d->%d).", level, level + 1);
    velk::addNotice(line);
    velk::addNotice("축하합니다.");
    // One level per gain: the surplus is dropped.
    levelUp();
}

void CPlayer::raiseLevel(int32_t target) {
    while (level < target && level < kTopLevel) levelUp();
}

void CPlayer::levelUp() {
    exp = 0;
    level += 1;
    maxHp += kLevelHp;
    maxMp += kLevelMp;
    PlayerRecord::hp = maxHp;
    mp = maxMp;
    statPoints = velk::saturatingAdd(statPoints, kLevelStatPoints);
    expNext = expForLevel(level);
}

void CPlayer::restoreRecord(const PlayerRecord& snapshot) { static_cast<PlayerRecord&>(*this) = snapshot; }
