// The hero's input step: the keys held this frame become the hero's action,
// which the next frame's logic carries out.

#include "actors/player.h"
#include "platform/input_state.h"
#include "core/effects.h"
#include "core/saturating.h"
#include "world/field.h"

namespace {

// A key acts once per press: on the first frame it is down.
bool pressed(uint8_t down, uint8_t& latch) {
    if (!down) {
        latch = 0;
        return false;
    }
    if (latch) return false;
    latch = 1;
    return true;
}

}  // namespace

void CPlayer::inputStep() {
    if (action == kActionKick || !g_input) return;
    const CInputState& in = *g_input;

    if (in.downDown) {
        const int32_t own = cellAt(0, 0);
        if (own == kTerrainLadder) {
            if (jumpStep > 0) jumpStep = 0;
            action = kActionLadderDown;
        } else if (own == kTerrainRope) {
            action = kActionRopeDown;
        } else if (action < kActionJump || action > kActionSideAirAttack) {
            action = kActionCrouch;
        }
    }

    if (pressed(in.altDown, altHeld)) {
        if ((slope == 0 || slope == 1) && action == kActionCrouch) {
            action = kActionSlide;
        } else if (action == kActionHolding || action == kActionLadderUp) {
            // Letting go of a ladder or rope: straight into the fall.
            fallFrames = 0;
            jumpStep = 15;
            action = kActionJump;
        } else if (action != kActionSlide) {
            action = kActionJump;
        }
    }

    if (action < kActionCrouchAttack || action == kActionAirAttack || action == kActionSideJump) {
        const bool left = in.leftDown != 0;
        const bool right = in.rightDown != 0;
        if (left) {
            if (action == kActionCrouch || action == kActionSideJump)
                facing = 1;
            else if (action == kActionJump || action == kActionAirAttack)
                action = kActionSideJump;
            else
                action = kActionWalkLeft;
        }
        if (right) {
            if (left && action < kActionWalkRight) {
                action = kActionStand;  // both ways at once: stay
            } else if (action == kActionCrouch || action == kActionSideJump) {
                facing = 0;
            } else if (action == kActionJump || action == kActionAirAttack) {
                action = kActionSideJump;
            } else {
                action = kActionWalkRight;
            }
        }
        if (action == kActionSideJump && !left && !right) action = kActionJump;
    }

    if (pressed(in.ctrlDown, ctrlHeld) && action != kActionHolding &&
        action != kActionCrouchAttack && action != kActionAirAttack) {
        if (action == kActionCrouch) action = kActionCrouchAttack;
        if (action == kActionJump && !airAttackUsed) {
            action = kActionAirAttack;
            airAttackStep = 0;
            airAttackUsed = 1;
        } else if (action == kActionSideJump && !airAttackUsed) {
            action = kActionSideAirAttack;
            airAttackStep = 0;
            airAttackUsed = 1;
        } else if (action < kActionCrouch || action > kActionSideAirAttack) {
            action = kActionGroundAttack;
        }
    }

    if (in.upDown) {
        if (in.downDown) {
            // Up and down cancel out, but never hold the hero in mid-air.
            if (action != kActionJump && action != kActionAirAttack &&
                action != kActionSideJump && action != kActionSideAirAttack)
                action = kActionStand;
            return;
        }
        const int32_t above = cellAt(0, -1);
        if (above == kTerrainLadder) {
            action = kActionLadderUp;
        } else if (above == kTerrainRope) {
            if (jumpStep > 0) jumpStep = 0;
            action = kActionRopeUp;
        }
    }

    if (pressed(in.shiftDown, shiftHeld)) {
        FrameBox box;
        if (bodyBox(box) && seams.pickUp) {
            const int32_t gained = seams.pickUp(box);
            if (gained != -1) {
                g_soundBank.play(&g_effects.eat);
                aru = velk::saturatingAdd(aru, gained);
            }
        }
    }

    if (pressed(in.spaceDown, spaceHeld) && slots[velk::kSlotWornSkill].icon != -1 &&
        seams.useSkill)
        seams.useSkill();
}
