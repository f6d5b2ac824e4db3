#pragma once
// CPlayer: the hero, with all of its state. Its lasting record (name,
// points, level, stats, money and item slots) is read from the save file
// when the player is made and written back when it is destroyed; the
// run-time fields start fresh. Once a frame inside the world's pass the hero
// carries out its `action` (frame logic) and turns the keys into the next
// one (input step). What it does to the map's other actors goes through
// `seams`, never through the world.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "items/player_record.h"
#include "platform/d3dx_font.h"
#include "widgets/message_box.h"
#include "world/sprite_set.h"

class CDirect3D;
class CField;
class CPet;
struct SoundBuffer;

// The hero's `action`: what it is doing. 1, 2 and 3 last one frame and are
// renewed by held keys; 4 to 14 run to completion; 110 holds until a key
// acts; 111 and 114 end on landing; 112 leads to 113, which only the death
// box ends.
enum HeroAction : int8_t {
    kActionKick = -10,
    kActionStand = 0,
    kActionWalkLeft = 1,
    kActionWalkRight = 2,
    kActionCrouch = 3,
    kActionJump = 4,
    kActionCrouchAttack = 5,
    kActionAirAttack = 6,
    kActionSlide = 7,
    kActionSideJump = 8,
    kActionSideAirAttack = 9,
    kActionGroundAttack = 10,
    kActionLadderUp = 11,
    kActionRopeUp = 12,
    kActionRopeDown = 13,
    kActionLadderDown = 14,
    kActionHolding = 110,  // on a ladder or rope
    kActionHurt = 111,     // by an enemy or a long fall
    kActionDying = 112,
    kActionDead = 113,
    kActionGroundHurt = 114,  // by harmful ground
};

// The worn weapon's kind is its icon.
enum WeaponKind : int32_t {
    kWeaponGun = 0,        // fires a straight shot
    kWeaponBlade = 2,      // close range
    kWeaponBoomerang = 4,  // fires a returning shot
    kWeaponFist = 6,       // close range
};

// The shots the hero fires.
enum class HeroShot { Straight, Returning, Kick };

// What the hero does to and receives from the map's other actors. The
// monster set, the shot list, the skills and the drop list fill these in;
// an empty one means nothing is there: nothing to strike, nothing to hit
// the hero, nothing to pick up.
struct HeroSeams {
    std::function<void()> meleeHitTest;
    std::function<void(HeroShot)> fireShot;
    std::function<void()> useSkill;
    // Aru picked up from drops under the box, or -1.
    std::function<int32_t(const FrameBox&)> pickUp;
    // Sets damageTaken from the monster or boss that struck the hero.
    std::function<void()> takeEnemyHit;
    std::function<bool()> speedEffectRunning;
};

// base^exponent by repeated squaring, in single precision; a negative
// exponent gives the reciprocal.
float intPower(float base, int exponent);

// Experience needed to pass `level`: ((level+1)^2 - 13(level+1) + 82) x
// level^2 in single precision, truncated. The level-up code uses it too.
int32_t expForLevel(int32_t level);

class CPlayer : public PlayerRecord {
public:
    // Reads the save into the record and the field's map number (a new game
    // in the town with full points without one); see readPlayerRecord.
    explicit CPlayer(CField& field);
    // Writes the save unless `savesOnExit` was cleared: a hero who died comes
    // back in town with half its hit points (mid-quest-run: at the run's
    // first map, points kept) and, above level 10, 30 per cent of its
    // experience.
    ~CPlayer();
    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

    // Loads sprite set 0 with its textures, and the font of the damage
    // numbers (without which only the numbers are missing).
    void loadGraphics(CDirect3D* device);

    // The hit points, read-only: the rules below are their only writers.
    const int32_t& hp = PlayerRecord::hp;

    // The rules of points and experience.
    // Adds the gains (a potion's), each capped at its maximum.
    void heal(int32_t hpGain, int32_t mpGain);
    // Takes `amount` off the hit points; whether the hero dies is the hurt
    // step's to decide.
    void takeDamage(int32_t amount);
    // One frame of regeneration: every 500 frames each of the points gains a
    // third of its stat plus 8, up to its maximum. Nothing while dying or dead.
    void regenerate();
    // Back from death: half the hit points, and above level 10 the hero
    // keeps 30 per cent of its experience.
    void revive();
    // Experience raises the hero up to this level.
    static constexpr int32_t kTopLevel = 151;
    // Adds experience; reaching expNext (below kTopLevel) gains one level
    // with full points, 5 stat points, the sound, the flash and the notice.
    void gainExperience(int32_t amount);
    // Gains levels one by one, each as gainExperience gives it but without
    // its sound and notice, up to `target` (at most kTopLevel): a world's
    // author starts a hero of that level.
    void raiseLevel(int32_t target);
    // Puts back the lasting record as it was before a change that could not
    // be saved (a reward whose writes failed).
    void restoreRecord(const PlayerRecord& snapshot);

    // Where the record came from (the save or the new-game file).
    velk::SaveOrigin origin() const { return origin_; }
    // Weapon attack power: attackStat / 3 plus the worn weapon's attack.
    int32_t attackPower() const;

    // Puts the hero and the camera where the map-position file of the
    // field's map and entry side says. False (nothing moved) without one.
    bool placePlayer();
    // Clears the frame-to-frame state for a new map.
    void resetForMapChange();

    // Last in the world's pass: this frame's keys become the action the
    // next frame carries out. Jump, attack, pick-up and skill act once per
    // press.
    void inputStep();
    // In the world's pass, after drawing: carries out the action.
    void frameLogic();
    // Up does nothing at the top of a ladder: the first time in a play that
    // the hero holds still there with a ledge beside it, a notice names the
    // keys that step off (Up and Down together, then Left or Right).
    void ladderTopTip();

    // Switches to animation row `row` from its first step (playing `sound`)
    // unless the hero already shows it.
    void enterRow(int32_t row, SoundBuffer* sound = nullptr);
    // Terrain code of the cell (c, r) counted from the hero's cell.
    int32_t cellAt(int32_t c, int32_t r) const;
    // The hero's own cell holds it: not empty, not a ladder, not a slope.
    bool standing() const;
    static constexpr int32_t kLadderTipFrames = 30;
    int32_t weaponKind() const { return slots[velk::kSlotWornWeapon].icon; }

    // Box 0 of the hero's current frame, on screen. False when it has none.
    bool bodyBox(FrameBox& box) const;
    // One frame of the blinking that follows a hit.
    void blinkStep();
    // The hit points are gone: the dying row and the death box.
    void startDeath();
    // Draws the damage number over the hero.
    void drawDamageNumber();

    // Run-time fields.
    int32_t x = 0;  // world position of the foot point, pixels
    int32_t y = 0;
    int32_t animRow = 0;  // row of sprite set 0; kDyingRow marks a dead hero
    int32_t facing = 0;   // 0 right, 1 left
    int32_t lockedScreenY = 0;
    int32_t damageNumberX = -1;
    int32_t damageNumberY = -1;
    int32_t fallFrames = 0;
    int32_t hpRegenCounter = 0;
    int32_t mpRegenCounter = 0;
    char damageText[5] = {};
    uint8_t blinkHidden = 0;
    int32_t invincible = kInvincibleOff;
    int32_t shotsInFlight = 0;

    int8_t action = kActionStand;
    int32_t animCounter = 0;  // the animation counter
    uint8_t doubleStep = 0;   // alternates inside a fast walking frame
    int32_t screenX = 0;      // where the hero is drawn this frame
    int32_t screenY = 0;
    int32_t cameraFollowsX = 0;  // 1 while the last step also moved the camera
    int32_t cameraFollowsY = 0;
    int32_t actionStep = 0;  // frames inside a crouch attack or a rope step
    int32_t jumpStep = 0;    // 0..13 rising, 15 or 16 falling
    int32_t slideStep = 0;
    int32_t airAttackStep = 0;
    int32_t airAttackUsed = 0;  // one air attack per jump
    int32_t cellPhaseX = 0;     // x mod 32
    int32_t slope = 0;          // 0 level, 1 stepping down, 2 stepping up
    int32_t damageTaken = 0;    // of the last hit
    int32_t hurtStep = 4;       // knock-back counter; 4 when no hit is pending
    int32_t touchingMonster = -11;  // what struck the hero this frame; -11 nothing
    int32_t touchingShot = -11;
    // Keys that act once per press: set while held since they acted.
    uint8_t ctrlHeld = 0, altHeld = 0, shiftHeld = 0, spaceHeld = 0;
    int32_t ladderTopFrames = 0;  // frames held still at a ladder's top
    bool ladderTipShown = false;

    std::unique_ptr<CSpriteSet> sprites = std::make_unique<CSpriteSet>();  // sprite set 0
    std::unique_ptr<CD3dxFont> damageFont;
    std::unique_ptr<CMessageBox> deathBox;
    std::unique_ptr<CPet> pet;  // while slot 7 holds the pet
    HeroSeams seams;
    // Cleared when the game refuses to start, so nothing is written.
    bool savesOnExit = true;
    // Where a damaged save was copied at start-up (told to the player), or empty.
    std::string damagedSaveCopy;

    static constexpr int32_t kInvincibleOff = 30;  // `invincible` while no blinking runs
    static constexpr int32_t kDyingRow = 8;
    static constexpr int32_t kLadderRow = 21;
    static constexpr int32_t kRopeRow = 40;

private:
    void save();
    void payDeathPenalty();
    // One level more: full points, 5 stat points, the next goal.
    void levelUp();

    // Frame logic by action.
    void hurt();
    void airFrame();
    void fall();
    void takeExitUnderFeet();
    void airMoves(bool falling);
    void groundAttack();
    void kick();
    void crouchAttack();
    void slide();
    void ropeUp();
    void ropeDown();
    void walk(int dir);
    bool walkStep(int dir);
    void standPose();

    // Movement: each moves the hero (and the camera, where it follows).
    void stepLeft(int32_t n);
    void stepRight(int32_t n);
    void stepUp(int32_t n);
    void stepDown(int32_t n);
    void stepForward(int32_t n) { facing == 0 ? stepRight(n) : stepLeft(n); }
    // One 8-pixel step unless a wall is a tile ahead or the map's edge is near.
    void guardedStepLeft();
    void guardedStepRight();
    void guardedStepForward() { facing == 0 ? guardedStepRight() : guardedStepLeft(); }
    void guardedStepBack() { facing == 0 ? guardedStepLeft() : guardedStepRight(); }
    void centreOnLadder();
    // Moves the hero vertically without a step (ropes), the camera along
    // while it follows.
    void shiftVertically(int32_t dy);

    // Through the seams; nothing happens while a seam is empty.
    void meleeHitTest();
    void fireShot(HeroShot shot);
    void takeEnemyHit();
    bool speedEffectRunning() const;

    bool closeRangeWeapon() const {
        return weaponKind() == kWeaponFist || weaponKind() == kWeaponBlade;
    }
    // The current row's step count, and whether it shows its last step.
    int32_t rowSteps() const;
    bool atLastStep() const;

    CField& field_;
    CDirect3D* device_ = nullptr;
    velk::SaveOrigin origin_ = velk::SaveOrigin::NewGame;
};
