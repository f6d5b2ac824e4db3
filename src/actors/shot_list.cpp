#include "actors/shot_list.h"

#include "actors/enemies.h"
#include "actors/player.h"
#include "world/field.h"

namespace {
constexpr int32_t kStraightStep = 32;
constexpr int32_t kFallingStep = 16;
constexpr int32_t kOutwardFrames = 9;  // a returning shot flies out this long
constexpr int32_t kCatchSpan = 50;     // and is caught this close behind the hero's x
constexpr int32_t kChestHeight = 42;   // shots leave the hero this far above its feet
constexpr int32_t kMuzzle = 25;

int32_t towards(int32_t from, int32_t to) { return from < to ? kStraightStep : from > to ? -kStraightStep : 0; }
}  // namespace

void CShotList::init(CDirect3D* device, CEnemies* enemies, CPlayer* player) {
    enemies_ = enemies;
    player_ = player;
    sprites = std::make_unique<CSpriteSet>();
    sprites->bind(device);
    sprites->load(kShotSet);
    sprites->createTextures();
}

void CShotList::fire(int32_t x, int32_t y, int32_t spriteRow, uint8_t motion, uint8_t facing, uint8_t hostile,
                     int32_t source) {
    Shot s;
    s.x = x;
    s.y = y;
    s.col = x / 8;
    s.row = y / 8;
    s.motion = motion;
    s.facing = facing;
    s.hostile = hostile;
    s.spriteRow = spriteRow;
    s.source = source;
    shots.push_back(s);
    if (!hostile && player_) player_->shotsInFlight += 1;
}

void CShotList::fireHeroShot(HeroShot shot) {
    if (!player_) return;
    const CPlayer& p = *player_;
    const uint8_t left = p.facing == 1;
    const int32_t y = p.y - kChestHeight;
    switch (shot) {
    case HeroShot::Straight: fire(left ? p.x - kMuzzle : p.x + kMuzzle, y, left ? 0 : 1, kShotStraight, left, 0, 0); break;
    case HeroShot::Returning: fire(left ? p.x - kMuzzle : p.x + kMuzzle, y, kReturningRow, kShotReturning, left, 0, 0); break;
    // The kick's shot leaves on the right of the hero whichever way it faces.
    case HeroShot::Kick: fire(p.x + kMuzzle, y, left ? 11 : 10, kShotStraight, left, 0, 1); break;
    }
}

bool CShotList::advance(Shot& s) {
    const int32_t dir = s.facing == 0 ? 1 : -1;
    switch (s.motion) {
    case kShotStraight: {
        s.x += dir * kStraightStep;
        s.col = s.x / 8;
        const AnimationStep* step = sprites->currentStep(s.spriteRow);
        const int32_t sx = s.x + (step ? step->offsetX : 0) - g_field->camera.x;
        const int32_t sy = s.y + (step ? step->offsetY : 0) - g_field->camera.y;
        if (!onScreen(sx, sy)) return false;
        // The weapon's shot stops at terrain; enemy and skill shots pass.
        return s.hostile || s.source != 0 || g_field->terrain(s.col, s.row) == kTerrainEmpty;
    }
    case kShotReturning: {
        if (!player_) return false;
        if (s.age <= kOutwardFrames) {
            s.x += dir * kStraightStep;
        } else {
            s.x += towards(s.x, player_->x);
            s.y += towards(s.y, player_->y - kChestHeight);
        }
        return s.x > player_->x || s.x < player_->x - kCatchSpan;
    }
    case kShotFalling: {
        s.x += dir * kFallingStep;
        s.y += kFallingStep;
        s.col = s.x / 8;
        s.row = s.y / 8;
        const AnimationStep* step = sprites->currentStep(s.spriteRow);
        const int32_t sx = s.x + (step ? step->offsetX : 0) - g_field->camera.x;
        const int32_t sy = s.y + (step ? step->offsetY : 0) - g_field->camera.y;
        return g_field->terrain(s.col, s.row) == kTerrainEmpty && onScreen(sx, sy);
    }
    default: return true;
    }
}

void CShotList::heroShotGone(const Shot& s) {
    if (!s.hostile && player_) player_->shotsInFlight = 0;
}

void CShotList::moveAndDraw() {
    // Shots that end are dropped together afterwards, keeping the others' order.
    std::vector<uint8_t> gone(shots.size(), 0);
    for (size_t i = shots.size(); i-- > 0;) {
        Shot& s = shots[i];
        s.age += 1;
        s.step = sprites->selectStep(s.spriteRow, s.age);
        if (const AnimationStep* step = sprites->currentStep(s.spriteRow))
            sprites->drawFrame(step->frame, s.x + step->offsetX - g_field->camera.x, s.y + step->offsetY - g_field->camera.y);
        if (!advance(s)) {
            heroShotGone(s);
            gone[i] = 1;
        }
    }
    dropGone(gone);
}

void CShotList::dropGone(const std::vector<uint8_t>& gone) {
    size_t kept = 0;
    for (size_t i = 0; i < shots.size(); ++i)
        if (i >= gone.size() || !gone[i]) shots[kept++] = shots[i];
    shots.resize(kept);
}

bool CShotList::screenBox(const Shot& s, FrameBox& box) const {
    const SpriteAnimation* row = sprites->animation(s.spriteRow);
    if (!row || row->stepCount < 1) return false;
    const AnimationStep& step = row->steps[size_t(s.step % row->stepCount)];
    const FrameBox* body = sprites->bodyBox(step.frame);
    if (!body) return false;
    box = velk::placeBox(*body, s.x + step.offsetX - g_field->camera.x, s.y + step.offsetY - g_field->camera.y);
    return true;
}

int32_t CShotList::resolve(const FrameBox& heroBody) {
    std::vector<uint8_t> gone(shots.size(), 0);
    int32_t struck = velk::kHitNothing;
    // The enemies stand still while the shots are judged: one grouping for them all.
    if (enemies_) enemies_->beginHitTests();
    for (size_t i = shots.size(); i-- > 0;) {
        const Shot s = shots[i];
        FrameBox box;
        if (!screenBox(s, box)) continue;
        if (s.hostile) {
            if (!velk::boxesTouch(box, heroBody)) continue;
            gone[i] = 1;
            struck = s.source;
            break;
        }
        if (!player_ || !enemies_) continue;
        int32_t power = weaponPower(*player_);
        if (s.source == 1) {
            velk::SkillUse skill;
            const auto& items = velk::g_combatItems;
            const bool worn = items.skill && items.skill(player_->slots[velk::kSlotWornSkill].itemId, skill);
            power = player_->skillStat + (worn ? skill.value : 0);
        }
        const int32_t result = enemies_->hitTest(box, s.facing, power);
        if (result == velk::kHitNothing) continue;
        if (result >= 1) player_->gainExperience(result);
        if (s.spriteRow == kReturningRow) continue;  // flies on and may strike again
        heroShotGone(s);
        gone[i] = 1;
    }
    if (enemies_) enemies_->endHitTests();
    dropGone(gone);
    return struck;
}
