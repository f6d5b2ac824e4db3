#include "actors/skills.h"

#include "actors/combat.h"
#include "actors/player.h"
#include "core/effects.h"
#include "platform/cp949.h"
#include "widgets/notice_log.h"

namespace {
constexpr int32_t kSkillSpeed = 0, kSkillKick = 1;
constexpr int32_t kBarWidth = 50, kBarHeight = 4;
constexpr int32_t kFlashFrames = 200;
}  // namespace

void CSpeedEffect::init(CDirect3D* device, int32_t skillStat, int32_t skillValue) {
    total = remaining = skillStat * 100 + skillValue;
    bar = CPicture::loaded(device, "pic/mp.pic");
}

int32_t CSpeedEffect::barWidth() const {
    if (remaining <= 0 || total <= 0) return 0;
    return int32_t(double(kBarWidth) / (double(total) / double(remaining)));
}

int CSpeedEffect::frame() {
    const auto& items = velk::g_combatItems;
    if (blinkPhase < 2 && items.drawItemPicture) items.drawItemPicture(kIconPicture, 750, 450);
    remaining -= 1;
    if (bar) bar->draw(735, 470, float(barWidth()), kBarHeight);
    if (remaining < kFlashFrames) blinkPhase = int8_t((blinkPhase + 1) % 4);
    return remaining > 0 ? 1 : 0;
}

void useSkill(CPlayer& hero, std::unique_ptr<CSpeedEffect>& speedEffect, CDirect3D* device) {
    const ItemSlot& slot = hero.slots[velk::kSlotWornSkill];
    velk::SkillUse skill;
    const auto& items = velk::g_combatItems;
    if (slot.icon < 0 || !items.skill || !items.skill(slot.itemId, skill)) return;
    if (skill.type == kSkillKick && (hero.action < kActionCrouch || hero.action > kActionSideAirAttack)) {
        if (hero.mp - skill.mpCost >= 0) {
            hero.action = kActionKick;
            hero.mp -= skill.mpCost;
            return;
        }
    } else if (skill.type == kSkillSpeed && !speedEffect) {
        if (hero.mp - skill.mpCost >= 0) {
            g_soundBank.play(&g_effects.gay);
            hero.mp -= skill.mpCost;
            speedEffect = std::make_unique<CSpeedEffect>();
            speedEffect->init(device, hero.skillStat, skill.value);
            return;
        }
    } else {
        return;
    }
    g_soundBank.play(&g_effects.no);
    velk::addNotice("mp가 모자랍니다.");
}
