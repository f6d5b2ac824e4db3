// The hero's frame logic: hurt and knock-back, jumps and falls, attacks,
// slides, ladders and ropes, walking on slopes, and the standing rows. The
// hero moves in steps of 8 pixels on the field's terrain cells.

#include <cstdio>

#include "actors/player.h"
#include "actors/world.h"
#include "platform/game_state.h"
#include "platform/sound_bank.h"
#include "world/field.h"

namespace {

// Rows of sprite set 0, right-facing first.
constexpr int32_t kRowStand[2] = {0, 1};
constexpr int32_t kRowWalk[2] = {2, 3};
constexpr int32_t kRowFistAttack[2] = {4, 5};
constexpr int32_t kRowKnockBack[2] = {6, 7};
constexpr int32_t kRowRise[2] = {9, 11};
constexpr int32_t kRowFall[2] = {10, 12};
constexpr int32_t kRowAirAttack[2] = {13, 14};
constexpr int32_t kRowCrouch[2] = {15, 16};
constexpr int32_t kRowCrouchAttack[2] = {17, 18};
constexpr int32_t kRowSlide[2] = {19, 20};
constexpr int32_t kRowFastWalk[2] = {22, 23};
constexpr int32_t kRowKick[2] = {24, 25};
constexpr int32_t kRowGunAttack[2] = {28, 29};
constexpr int32_t kRowBladeAttack[2] = {30, 31};
constexpr int32_t kRowBoomerangAttack[2] = {32, 33};
constexpr int32_t kRowLedge[2] = {34, 35};

// A fall longer than this many frames hurts on landing.
constexpr int32_t kSafeFallFrames = 60;
constexpr int32_t kHarmfulGroundDamage = 15;
// The boomerang leaves the hand on this step of its row.
constexpr int32_t kBoomerangThrowStep = 3;

bool inRow(int32_t row, const int32_t (&pair)[2]) { return row == pair[0] || row == pair[1]; }

bool airborne(int8_t action) {
    return action == kActionJump || action == kActionAirAttack || action == kActionSideJump ||
           action == kActionSideAirAttack;
}

}  // namespace

int32_t CPlayer::cellAt(int32_t c, int32_t r) const {
    return field_.terrain(x / 8 + c, y / 8 + r);
}

bool CPlayer::standing() const {
    const int32_t code = cellAt(0, 0);
    return code != kTerrainEmpty && code != kTerrainLadder && code < kTerrainSlopeUp;
}

void CPlayer::enterRow(CWorld& w, int32_t row, SoundBuffer* sound) {
    if (animRow != row) {
        w.playerSprites->selectStep(row, 0);
        w.animCounter = 0;
        if (sound) g_soundBank.play(sound);
    }
    animRow = row;
}

int32_t CPlayer::rowSteps(const CWorld& w) const {
    const SpriteAnimation* row = w.playerSprites->animation(animRow);
    return row ? row->stepCount : 0;
}

bool CPlayer::atLastStep(const CWorld& w) const {
    // A row the set lacks ends at once rather than never.
    const SpriteAnimation* row = w.playerSprites->animation(animRow);
    return !row || row->currentStep >= row->stepCount - 1;
}

// ---- Movement --------------------------------------------------------------

void CPlayer::stepLeft(CWorld& w, int32_t n) {
    w.hero.cameraFollowsX = field_.scrollLeft(n, x) ? 1 : 0;
    w.hero.cellPhaseX = x % 32;
}

void CPlayer::stepRight(CWorld& w, int32_t n) {
    w.hero.cameraFollowsX = field_.scrollRight(n, x) ? 1 : 0;
    w.hero.cellPhaseX = x % 32;
}

void CPlayer::stepUp(CWorld& w, int32_t n) {
    w.hero.cameraFollowsY = field_.scrollUp(n, y) ? 1 : 0;
}

void CPlayer::stepDown(CWorld& w, int32_t n) {
    w.hero.cameraFollowsY = field_.scrollDown(n, y) ? 1 : 0;
}

void CPlayer::guardedStepRight(CWorld& w) {
    if (cellAt(4, 0) != kTerrainWall && x / 8 <= field_.mapData.terrainColumns() - 4)
        stepRight(w, 8);
}

void CPlayer::guardedStepLeft(CWorld& w) {
    if (cellAt(-4, 0) != kTerrainWall && x / 8 > 3) stepLeft(w, 8);
}

void CPlayer::centreOnLadder(CWorld& w) {
    int32_t shift = 0;
    switch (w.hero.cellPhaseX) {
    case 24: shift = -8; break;
    case 8: shift = 8; break;
    case 0: shift = 16; break;
    default: break;
    }
    x += shift;
    // The camera keeps the hero where it was on screen; its tile column and
    // offset are derived again so the tile layers still cover the screen.
    field_.placeCamera(field_.camX + (w.hero.cameraFollowsX ? shift : 0), field_.camY, x, y);
    w.hero.cellPhaseX = x % 32;
}

void CPlayer::shiftVertically(CWorld& w, int32_t dy) {
    y += dy;
    field_.placeCamera(field_.camX, field_.camY + (w.hero.cameraFollowsY ? dy : 0), x, y);
}

// ---- Frame logic -----------------------------------------------------------

void CPlayer::frameLogic(CWorld& w) {
    if (w.action == kActionHurt || w.action == kActionGroundHurt) {
        hurt(w);
    } else if (w.action == kActionDying) {
        animRow = kDyingRow;
    } else if (airborne(w.action)) {
        airFrame(w);
    } else {
        switch (w.action) {
        case kActionGroundAttack: groundAttack(w); break;
        case kActionKick: kick(w); break;
        case kActionCrouch:
            animRow = kRowCrouch[facing];
            w.action = kActionStand;  // down must stay held
            break;
        case kActionCrouchAttack: crouchAttack(w); break;
        case kActionSlide: slide(w); break;
        case kActionLadderUp:
            centreOnLadder(w);
            enterRow(w, kLadderRow);
            facing = 0;
            stepUp(w, 8);
            w.animCounter += 1;
            w.action = kActionHolding;
            break;
        case kActionLadderDown:
            enterRow(w, kLadderRow);
            facing = 0;
            stepDown(w, 8);
            w.animCounter += 1;
            w.action = kActionHolding;
            break;
        case kActionRopeUp: ropeUp(w); break;
        case kActionRopeDown: ropeDown(w); break;
        case kActionWalkRight: walk(w, 1); break;
        case kActionWalkLeft: walk(w, -1); break;
        case kActionStand: standPose(w); break;
        default: break;
        }
    }
}

void CPlayer::hurt(CWorld& w) {
    HeroState& h = w.hero;
    if (h.hurtStep == 4) {
        // A new hit.
        g_soundBank.play(&g_effects.userhit);
        hpRegenCounter = 0;
        mpRegenCounter = 0;
        if (w.action == kActionGroundHurt)
            h.damageTaken = kHarmfulGroundDamage;
        else if (fallFrames >= kSafeFallFrames)
            h.damageTaken = fallFrames / 3;
        else
            w.takeEnemyHit();
        hp -= h.damageTaken;
        fallFrames = 0;
        std::snprintf(damageText, sizeof damageText, "%d", h.damageTaken);
        damageNumberX = x;
        damageNumberY = y;
    }
    if (h.jumpStep > 0) h.jumpStep = 0;
    h.airAttackUsed = 0;
    if (animRow == kLadderRow) h.hurtStep = 0;  // off a ladder there is no upward throw
    if (hp < 1) {
        w.startDeath();
        return;
    }
    if (h.damageTaken > 0 && h.hurtStep >= -4) {
        damageNumberY -= 10;
        w.drawDamageNumber();
    }

    // Knock-back: up and away from the facing direction, then down until
    // something holds the hero.
    if (h.hurtStep >= 0) {
        h.hurtStep -= 1;
        if (cellAt(0, -10) == kTerrainCeiling || h.hurtStep == 0) h.hurtStep = -1;
        animRow = kRowKnockBack[facing];
        guardedStepBack(w);
        stepUp(w, 8);
    } else {
        fallFrames += 1;
        if (h.hurtStep <= -14) animRow = kRowFall[facing];
        h.hurtStep -= 1;
        guardedStepBack(w);
        stepDown(w, 8);
    }
    if (!standing()) return;
    if (h.damageTaken > 0) invincible = 25;
    h.hurtStep = 4;
    w.action = kActionStand;
    if (fallFrames < kSafeFallFrames)
        fallFrames = 0;
    else
        w.action = kActionHurt;  // the fall itself hurts next frame
}

void CPlayer::airFrame(CWorld& w) {
    HeroState& h = w.hero;
    if (h.jumpStep <= 13) {
        h.jumpStep += 1;
        stepUp(w, 8);
        if (cellAt(0, -10) == kTerrainCeiling || h.jumpStep >= 13) h.jumpStep = 16;
        airMoves(w, false);
    } else if (h.jumpStep >= 15) {
        fall(w);
    }
}

void CPlayer::fall(CWorld& w) {
    HeroState& h = w.hero;
    fallFrames += 1;
    stepDown(w, 8);
    if (standing()) {
        h.jumpStep = 0;
        if (w.action == kActionSideJump || w.action == kActionSideAirAttack)
            w.action = facing == 1 ? kActionWalkLeft : kActionWalkRight;
        else
            w.action = kActionStand;
        h.airAttackStep = 0;
        h.airAttackUsed = 0;
        if (fallFrames < kSafeFallFrames)
            fallFrames = 0;
        else
            w.action = kActionHurt;
        return;
    }
    const int32_t own = cellAt(0, 0);
    if (own == kTerrainExitBack)
        GameState = kStatePreviousMap;
    else if (own == kTerrainExitForward)
        GameState = kStateNextMap;
    airMoves(w, true);
}

void CPlayer::airMoves(CWorld& w, bool falling) {
    HeroState& h = w.hero;
    const int8_t a = w.action;
    if (a == kActionJump || a == kActionSideJump) {
        if (falling)
            animRow = kRowFall[facing];
        else
            enterRow(w, kRowRise[facing], &g_effects.jump);
        if (a == kActionSideJump) guardedStepForward(w);
    } else if (closeRangeWeapon()) {
        // A close-range air attack strikes only once the hero falls.
        h.airAttackStep += 1;
        if (falling) w.meleeHitTest();
        if (h.airAttackStep < 7) {
            animRow = kRowAirAttack[facing];
            if (a == kActionSideAirAttack) guardedStepForward(w);
        } else {
            h.airAttackStep = 0;
            w.action = kActionJump;
        }
    } else {
        // Shooting weapons attack in the air as on the ground.
        h.airAttackStep = 0;
        h.airAttackUsed = 0;
        groundAttack(w);
    }
}

void CPlayer::groundAttack(CWorld& w) {
    switch (weaponKind()) {
    case kWeaponFist: enterRow(w, kRowFistAttack[facing], &g_effects.weapon); break;
    case kWeaponBlade: enterRow(w, kRowBladeAttack[facing], &g_effects.weapon); break;
    case kWeaponGun:
        if (shotsInFlight == 0 && !inRow(animRow, kRowGunAttack)) {
            g_soundBank.play(&g_effects.weapon);
            enterRow(w, kRowGunAttack[facing]);
            w.fireHeroShot(HeroShot::Straight);
        }
        break;
    case kWeaponBoomerang:
        if (shotsInFlight == 0) enterRow(w, kRowBoomerangAttack[facing]);
        break;
    default: break;
    }
    if (!inRow(animRow, kRowGunAttack) && !inRow(animRow, kRowBoomerangAttack)) w.meleeHitTest();
    if (inRow(animRow, kRowBoomerangAttack) && shotsInFlight == 0) {
        const SpriteAnimation* row = w.playerSprites->animation(animRow);
        if (row && row->currentStep == kBoomerangThrowStep) {
            g_soundBank.play(&g_effects.weapon);
            w.fireHeroShot(HeroShot::Returning);
        }
    }
    if (!atLastStep(w)) return;
    if (w.action == kActionAirAttack)
        w.action = kActionJump;
    else if (w.action == kActionSideAirAttack)
        w.action = kActionSideJump;
    else
        w.action = kActionStand;
}

void CPlayer::kick(CWorld& w) {
    g_soundBank.play(&g_effects.holkick);
    enterRow(w, kRowKick[facing]);
    if (!atLastStep(w)) return;
    g_soundBank.play(&g_effects.sliding);
    w.fireHeroShot(HeroShot::Kick);
    w.action = kActionStand;
}

void CPlayer::crouchAttack(CWorld& w) {
    enterRow(w, kRowCrouchAttack[facing], &g_effects.weapon);
    w.hero.actionStep += 1;
    if (rowSteps(w) >= w.hero.actionStep) return;
    w.meleeHitTest();
    w.action = kActionStand;
    w.hero.actionStep = 0;
}

void CPlayer::slide(CWorld& w) {
    HeroState& h = w.hero;
    const int32_t slopeAhead = cellAt(1, -2);
    bool moved = false;
    if (slopeAhead != kTerrainSlopeUp && slopeAhead != kTerrainSlopeDown && ++h.slideStep < 6) {
        enterRow(w, kRowSlide[facing], &g_effects.sliding);
        const int32_t dir = facing == 0 ? 1 : -1;
        const int32_t column = x / 8;
        const bool roomAhead =
            facing == 0 ? column < field_.mapData.terrainColumns() - 4 : column > 4;
        if (roomAhead && cellAt(4 * dir, -1) != kTerrainWall &&
            cellAt(4 * dir, 0) != kTerrainEmpty) {
            stepForward(w, 16);
            moved = true;
        }
    }
    // Every slide that stops, a slope included, leaves the next one its
    // full length.
    if (!moved) {
        h.slideStep = 0;
        w.action = kActionStand;
    }
}

void CPlayer::ropeUp(CWorld& w) {
    HeroState& h = w.hero;
    enterRow(w, kRopeRow);
    facing = 0;
    if (h.actionStep == 0) shiftVertically(w, -32);
    h.actionStep += 1;
    if (h.actionStep > rowSteps(w)) {
        h.actionStep = 0;
        w.action = kActionStand;
    }
}

void CPlayer::ropeDown(CWorld& w) {
    HeroState& h = w.hero;
    centreOnLadder(w);
    enterRow(w, kRopeRow);
    facing = 0;
    h.actionStep += 1;
    if (h.actionStep > rowSteps(w)) {
        h.actionStep = 0;
        w.action = kActionLadderDown;
        shiftVertically(w, 32);
    }
}

void CPlayer::walk(CWorld& w, int dir) {
    const bool fast = w.speedEffectRunning();
    const int side = dir > 0 ? 0 : 1;
    enterRow(w, fast ? kRowFastWalk[side] : kRowWalk[side]);
    facing = side;
    w.action = kActionStand;
    w.hero.slope = 0;
    // With the speed effect the step runs twice a frame.
    w.doubleStep = 0;
    do {
        if (!walkStep(w, dir)) break;
        w.doubleStep ^= 1;
    } while (fast && w.doubleStep == 1);
}

bool CPlayer::walkStep(CWorld& w, int dir) {
    HeroState& h = w.hero;
    const int32_t column = x / 8;
    if (dir > 0 ? column >= field_.mapData.terrainColumns() - 4 : column <= 4) return false;
    const int32_t ahead = cellAt(dir, 0);
    const int32_t above = cellAt(0, -1);
    // Right: code 9 above the feet climbs, code 10 ahead descends; left mirrors.
    const int32_t climbs = dir > 0 ? kTerrainSlopeUp : kTerrainSlopeDown;
    const int32_t descends = dir > 0 ? kTerrainSlopeDown : kTerrainSlopeUp;
    if (ahead == kTerrainExitBack) {
        GameState = kStatePreviousMap;
    } else if (ahead == kTerrainExitForward) {
        GameState = kStateNextMap;
    } else if (above == climbs) {
        h.slope = 2;
    } else if (ahead == descends) {
        h.slope = 1;
    } else {
        if ((dir > 0 || h.slope == 0) && cellAt(0, 0) == kTerrainEmpty) {
            w.action = kActionJump;
            h.jumpStep = 15;
            fall(w);
        }
        if (cellAt(5 * dir, 0) == kTerrainWall) return false;
    }
    stepForward(w, 8);
    if (h.slope == 1)
        stepDown(w, 8);
    else if (h.slope == 2)
        stepUp(w, 8);
    return true;
}

void CPlayer::standPose(CWorld& w) {
    const bool ledge = w.hero.slope == 0 && cellAt(facing == 0 ? 1 : -1, 0) == kTerrainEmpty;
    enterRow(w, ledge ? kRowLedge[facing] : kRowStand[facing]);
}
