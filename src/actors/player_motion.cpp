// The hero's frame logic: hurt and knock-back, jumps and falls, attacks,
// slides, ladders and ropes, walking on slopes, and the standing rows. The
// hero moves in steps of 8 pixels on the field's terrain cells.

#include <cstdio>
#include <cstdlib>

#include "actors/player.h"
#include "core/game_state.h"
#include "core/effects.h"
#include "platform/cp949.h"
#include "widgets/notice_log.h"
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
    return terrainHolds(cellAt(0, 0));
}

void CPlayer::enterRow(int32_t row, SoundBuffer* sound) {
    if (animRow != row) {
        sprites->selectStep(row, 0);
        animCounter = 0;
        if (sound) g_soundBank.play(sound);
    }
    animRow = row;
}

int32_t CPlayer::rowSteps() const {
    const SpriteAnimation* row = sprites->animation(animRow);
    return row ? row->stepCount : 0;
}

bool CPlayer::atLastStep() const {
    // A row the set lacks ends at once rather than never.
    const SpriteAnimation* row = sprites->animation(animRow);
    return !row || row->currentStep >= row->stepCount - 1;
}

// ---- What the hero does to the map's other actors ----------------------------

void CPlayer::meleeHitTest() {
    if (seams.meleeHitTest) seams.meleeHitTest();
}

void CPlayer::fireShot(HeroShot shot) {
    if (seams.fireShot) seams.fireShot(shot);
}

void CPlayer::takeEnemyHit() {
    if (seams.takeEnemyHit) seams.takeEnemyHit();
}

bool CPlayer::speedEffectRunning() const { return seams.speedEffectRunning && seams.speedEffectRunning(); }

// ---- Movement --------------------------------------------------------------

void CPlayer::stepLeft(int32_t n) {
    cameraFollowsX = field_.camera.scrollLeft(n, x) ? 1 : 0;
    cellPhaseX = x % 32;
}

void CPlayer::stepRight(int32_t n) {
    cameraFollowsX = field_.camera.scrollRight(n, x) ? 1 : 0;
    cellPhaseX = x % 32;
}

void CPlayer::stepUp(int32_t n) {
    cameraFollowsY = field_.camera.scrollUp(n, y) ? 1 : 0;
}

void CPlayer::stepDown(int32_t n) {
    cameraFollowsY = field_.camera.scrollDown(n, y) ? 1 : 0;
}

void CPlayer::guardedStepRight() {
    if (cellAt(4, 0) != kTerrainWall && x / 8 <= field_.mapData.terrainColumns() - 4)
        stepRight(8);
}

void CPlayer::guardedStepLeft() {
    if (cellAt(-4, 0) != kTerrainWall && x / 8 > 3) stepLeft(8);
}

void CPlayer::centreOnLadder() {
    int32_t shift = 0;
    switch (cellPhaseX) {
    case 24: shift = -8; break;
    case 8: shift = 8; break;
    case 0: shift = 16; break;
    default: break;
    }
    x += shift;
    // The camera keeps the hero where it was on screen; its tile column and
    // offset are derived again so the tile layers still cover the screen.
    field_.camera.place(field_.camera.x + (cameraFollowsX ? shift : 0), field_.camera.y, x, y);
    cellPhaseX = x % 32;
}

void CPlayer::shiftVertically(int32_t dy) {
    // In the camera's own 8-pixel steps: a rope's whole tile moved at once
    // would cross the edge of the follow window without the camera, which
    // then drew the hero off his position and scrolled past the map.
    for (int32_t moved = 0; moved < std::abs(dy); moved += 8) {
        if (dy < 0)
            stepUp(8);
        else
            stepDown(8);
    }
}

// ---- Frame logic -----------------------------------------------------------

void CPlayer::frameLogic() {
    if (action == kActionHurt || action == kActionGroundHurt) {
        hurt();
    } else if (action == kActionDying) {
        animRow = kDyingRow;
    } else if (airborne(action)) {
        airFrame();
    } else {
        switch (action) {
        case kActionGroundAttack: groundAttack(); break;
        case kActionKick: kick(); break;
        case kActionCrouch:
            animRow = kRowCrouch[facing];
            action = kActionStand;  // down must stay held
            break;
        case kActionCrouchAttack: crouchAttack(); break;
        case kActionSlide: slide(); break;
        case kActionLadderUp:
            centreOnLadder();
            enterRow(kLadderRow);
            facing = 0;
            stepUp(8);
            animCounter += 1;
            action = kActionHolding;
            break;
        case kActionLadderDown:
            enterRow(kLadderRow);
            facing = 0;
            stepDown(8);
            animCounter += 1;
            action = kActionHolding;
            break;
        case kActionRopeUp: ropeUp(); break;
        case kActionRopeDown: ropeDown(); break;
        case kActionWalkRight: walk(1); break;
        case kActionWalkLeft: walk(-1); break;
        case kActionStand: standPose(); break;
        default: break;
        }
    }
    ladderTopTip();
}

void CPlayer::ladderTopTip() {
    auto ground = [this](int32_t c) { return cellAt(c, 0) == kTerrainGround || cellAt(-c, 0) == kTerrainGround; };
    const bool atTop = action == kActionHolding && animRow == kLadderRow && cellAt(0, 0) == kTerrainLadder &&
                       cellAt(0, -1) != kTerrainLadder && (ground(2) || ground(3) || ground(4));
    ladderTopFrames = atTop ? ladderTopFrames + 1 : 0;
    if (ladderTipShown || ladderTopFrames < kLadderTipFrames) return;
    ladderTipShown = true;
    velk::addNotice("위+아래 후 옆: 사다리 내리기");
}

void CPlayer::hurt() {
    if (hurtStep == 4) {
        // A new hit.
        g_soundBank.play(&g_effects.userhit);
        hpRegenCounter = 0;
        mpRegenCounter = 0;
        if (action == kActionGroundHurt)
            damageTaken = kHarmfulGroundDamage;
        else if (fallFrames >= kSafeFallFrames)
            damageTaken = fallFrames / 3;
        else
            takeEnemyHit();
        takeDamage(damageTaken);
        fallFrames = 0;
        std::snprintf(damageText, sizeof damageText, "%d", damageTaken);
        damageNumberX = x;
        damageNumberY = y;
    }
    if (jumpStep > 0) jumpStep = 0;
    airAttackUsed = 0;
    if (animRow == kLadderRow) hurtStep = 0;  // off a ladder there is no upward throw
    if (hp < 1) {
        startDeath();
        return;
    }
    if (damageTaken > 0 && hurtStep >= -4) {
        damageNumberY -= 10;
        drawDamageNumber();
    }

    // Knock-back: up and away from the facing direction, then down until
    // something holds the hero.
    if (hurtStep >= 0) {
        hurtStep -= 1;
        if (cellAt(0, -10) == kTerrainCeiling || hurtStep == 0) hurtStep = -1;
        animRow = kRowKnockBack[facing];
        guardedStepBack();
        stepUp(8);
    } else {
        fallFrames += 1;
        if (hurtStep <= -14) animRow = kRowFall[facing];
        hurtStep -= 1;
        guardedStepBack();
        stepDown(8);
    }
    if (!standing()) return;
    if (damageTaken > 0) invincible = 25;
    hurtStep = 4;
    action = kActionStand;
    if (fallFrames < kSafeFallFrames)
        fallFrames = 0;
    else
        action = kActionHurt;  // the fall itself hurts next frame
}

void CPlayer::airFrame() {
    if (jumpStep <= 13) {
        jumpStep += 1;
        stepUp(8);
        if (cellAt(0, -10) == kTerrainCeiling || jumpStep >= 13) jumpStep = 16;
        airMoves(false);
    } else if (jumpStep >= 15) {
        fall();
    }
}

void CPlayer::fall() {
    fallFrames += 1;
    stepDown(8);
    if (standing()) {
        jumpStep = 0;
        if (action == kActionSideJump || action == kActionSideAirAttack)
            action = facing == 1 ? kActionWalkLeft : kActionWalkRight;
        else
            action = kActionStand;
        airAttackStep = 0;
        airAttackUsed = 0;
        if (fallFrames < kSafeFallFrames)
            fallFrames = 0;
        else
            action = kActionHurt;
        takeExitUnderFeet();
        return;
    }
    airMoves(true);
}

// An exit cell holds the hero like ground, so falling into an exit zone ends
// in a landing: the exit is taken there. Otherwise the hero would stand in
// the exit for good, since the map's edge stops walking on through it.
void CPlayer::takeExitUnderFeet() {
    const int32_t own = cellAt(0, 0);
    if (own == kTerrainExitBack)
        GameState = kStatePreviousMap;
    else if (own == kTerrainExitForward)
        GameState = kStateNextMap;
}

void CPlayer::airMoves(bool falling) {
    const int8_t a = action;
    if (a == kActionJump || a == kActionSideJump) {
        if (falling)
            animRow = kRowFall[facing];
        else
            enterRow(kRowRise[facing], &g_effects.jump);
        if (a == kActionSideJump) guardedStepForward();
    } else if (closeRangeWeapon()) {
        // A close-range air attack strikes only once the hero falls.
        airAttackStep += 1;
        if (falling) meleeHitTest();
        if (airAttackStep < 7) {
            animRow = kRowAirAttack[facing];
            if (a == kActionSideAirAttack) guardedStepForward();
        } else {
            airAttackStep = 0;
            action = kActionJump;
        }
    } else {
        // Shooting weapons attack in the air as on the ground.
        airAttackStep = 0;
        airAttackUsed = 0;
        groundAttack();
    }
}

void CPlayer::groundAttack() {
    switch (weaponKind()) {
    case kWeaponFist: enterRow(kRowFistAttack[facing], &g_effects.weapon); break;
    case kWeaponBlade: enterRow(kRowBladeAttack[facing], &g_effects.weapon); break;
    case kWeaponGun:
        if (shotsInFlight == 0 && !inRow(animRow, kRowGunAttack)) {
            g_soundBank.play(&g_effects.weapon);
            enterRow(kRowGunAttack[facing]);
            fireShot(HeroShot::Straight);
        }
        break;
    case kWeaponBoomerang:
        if (shotsInFlight == 0) enterRow(kRowBoomerangAttack[facing]);
        break;
    default: break;
    }
    if (!inRow(animRow, kRowGunAttack) && !inRow(animRow, kRowBoomerangAttack)) meleeHitTest();
    if (inRow(animRow, kRowBoomerangAttack) && shotsInFlight == 0) {
        const SpriteAnimation* row = sprites->animation(animRow);
        if (row && row->currentStep == kBoomerangThrowStep) {
            g_soundBank.play(&g_effects.weapon);
            fireShot(HeroShot::Returning);
        }
    }
    if (!atLastStep()) return;
    if (action == kActionAirAttack)
        action = kActionJump;
    else if (action == kActionSideAirAttack)
        action = kActionSideJump;
    else
        action = kActionStand;
}

void CPlayer::kick() {
    g_soundBank.play(&g_effects.holkick);
    enterRow(kRowKick[facing]);
    if (!atLastStep()) return;
    g_soundBank.play(&g_effects.sliding);
    fireShot(HeroShot::Kick);
    action = kActionStand;
}

void CPlayer::crouchAttack() {
    enterRow(kRowCrouchAttack[facing], &g_effects.weapon);
    actionStep += 1;
    if (rowSteps() >= actionStep) return;
    meleeHitTest();
    action = kActionStand;
    actionStep = 0;
}

void CPlayer::slide() {
    const int32_t slopeAhead = cellAt(1, -2);
    bool moved = false;
    if (slopeAhead != kTerrainSlopeUp && slopeAhead != kTerrainSlopeDown && ++slideStep < 6) {
        enterRow(kRowSlide[facing], &g_effects.sliding);
        const int32_t dir = facing == 0 ? 1 : -1;
        const int32_t column = x / 8;
        const bool roomAhead =
            facing == 0 ? column < field_.mapData.terrainColumns() - 4 : column > 4;
        if (roomAhead && cellAt(4 * dir, -1) != kTerrainWall &&
            cellAt(4 * dir, 0) != kTerrainEmpty) {
            stepForward(16);
            moved = true;
        }
    }
    // Every slide that stops, a slope included, leaves the next one its
    // full length.
    if (!moved) {
        slideStep = 0;
        action = kActionStand;
    }
}

void CPlayer::ropeUp() {
    enterRow(kRopeRow);
    facing = 0;
    if (actionStep == 0) shiftVertically(-32);
    actionStep += 1;
    if (actionStep > rowSteps()) {
        actionStep = 0;
        action = kActionStand;
    }
}

void CPlayer::ropeDown() {
    centreOnLadder();
    enterRow(kRopeRow);
    facing = 0;
    actionStep += 1;
    if (actionStep > rowSteps()) {
        actionStep = 0;
        // A tile down the rope, but a rope's foot may rest on the ground:
        // stop there rather than sink into it.
        auto onGround = [this] { return standing() && cellAt(0, 0) != kTerrainRope; };
        for (int32_t moved = 0; moved < 32 && !onGround(); moved += 8) stepDown(8);
        action = onGround() ? kActionStand : kActionHolding;
    }
}

void CPlayer::walk(int dir) {
    const bool fast = speedEffectRunning();
    const int side = dir > 0 ? 0 : 1;
    enterRow(fast ? kRowFastWalk[side] : kRowWalk[side]);
    facing = side;
    action = kActionStand;
    slope = 0;
    // With the speed effect the step runs twice a frame.
    doubleStep = 0;
    do {
        if (!walkStep(dir)) break;
        doubleStep ^= 1;
    } while (fast && doubleStep == 1);
}

bool CPlayer::walkStep(int dir) {
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
        slope = 2;
    } else if (ahead == descends) {
        slope = 1;
    } else {
        if ((dir > 0 || slope == 0) && cellAt(0, 0) == kTerrainEmpty) {
            action = kActionJump;
            jumpStep = 15;
            fall();
        }
        if (cellAt(5 * dir, 0) == kTerrainWall) return false;
    }
    stepForward(8);
    if (slope == 1)
        stepDown(8);
    else if (slope == 2)
        stepUp(8);
    return true;
}

void CPlayer::standPose() {
    const bool ledge = slope == 0 && cellAt(facing == 0 ? 1 : -1, 0) == kTerrainEmpty;
    enterRow(ledge ? kRowLedge[facing] : kRowStand[facing]);
}
