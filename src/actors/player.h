#pragma once
// CPlayer: the hero. Its lasting record (name, points, level, stats, money
// and item slots) is read from the save file when the player is made and
// written back when it is destroyed; the run-time fields start fresh. Once a
// frame inside the world's pass the hero carries out the world's `action`
// (frame logic) and turns the keys into the next one (input step).

#include <array>
#include <cstdint>

#include "actors/item_slot.h"

class CField;
class CWorld;
struct SoundBuffer;

// The world's `action`: what the hero is doing. 1, 2 and 3 last one frame
// and are renewed by held keys; 4 to 14 run to completion; 110 holds until a
// key acts; 111 and 114 end on landing; 112 leads to 113, which only the
// death box ends.
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

// base^exponent by repeated squaring, in single precision; a negative
// exponent gives the reciprocal.
float intPower(float base, int exponent);

// Experience needed to pass `level`: ((level+1)^2 - 13(level+1) + 82) x
// level^2 in single precision, truncated. The level-up code uses it too.
int32_t expForLevel(int32_t level);

class CPlayer {
public:
    // Reads "txt/user/user.txt" into the record and the field's map number.
    // Without a save it starts a new game from "txt/user/init.txt" in the
    // town with full points. A save that cannot be read also starts a new
    // game, and is kept aside rather than overwritten when this player saves.
    explicit CPlayer(CField& field);
    // Writes the save: a hero who died comes back in town with half its hit
    // points (mid-quest-run: at the run's first map, points kept) and, above
    // level 10, 30 per cent of its experience.
    ~CPlayer();
    CPlayer(const CPlayer&) = delete;
    CPlayer& operator=(const CPlayer&) = delete;

    // Puts the hero and the camera where the map-position file of the
    // field's map and entry side says. False (nothing moved) without one.
    bool placePlayer();

    // Last in the world's pass: this frame's keys become the action the
    // next frame carries out. Jump, attack, pick-up and skill act once per
    // press.
    void inputStep(CWorld& world);
    // In the world's pass, after drawing: carries out the action.
    void frameLogic(CWorld& world);

    // Switches to animation row `row` from its first step (playing `sound`)
    // unless the hero already shows it.
    void enterRow(CWorld& world, int32_t row, SoundBuffer* sound = nullptr);
    // Terrain code of the cell (c, r) counted from the hero's cell.
    int32_t cellAt(int32_t c, int32_t r) const;
    // The hero's own cell holds it: not empty, not a ladder, not a slope.
    bool standing() const;
    int32_t weaponKind() const { return slots[velk::kSlotWornWeapon].icon; }

    // The lasting record.
    char name[13] = {};  // CP949, at most 12 bytes of text
    int32_t hp = 0;
    int32_t maxHp = 0;
    int32_t mp = 0;
    int32_t maxMp = 0;
    int32_t exp = 0;
    int32_t expNext = 0;
    int32_t level = 1;
    int32_t aru = 0;
    int32_t attackStat = 0;
    int32_t defenceStat = 0;
    int32_t skillStat = 0;
    int32_t mpStat = 0;
    int32_t hpStat = 0;
    int32_t statPoints = 0;
    std::array<ItemSlot, velk::kSlotCount> slots{};

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
    int32_t invincible = 30;  // 30 when off
    int32_t shotsInFlight = 0;

    static constexpr int32_t kDyingRow = 8;
    static constexpr int32_t kLadderRow = 21;
    static constexpr int32_t kRopeRow = 40;

private:
    enum class SaveOrigin {
        Save,         // read from the save file
        NewGame,      // no save file: a first run
        DamagedSave,  // a save exists but could not be read
    };
    void save();

    // Frame logic by action.
    void hurt(CWorld& w);
    void airFrame(CWorld& w);
    void fall(CWorld& w);
    void airMoves(CWorld& w, bool falling);
    void groundAttack(CWorld& w);
    void kick(CWorld& w);
    void crouchAttack(CWorld& w);
    void slide(CWorld& w);
    void ropeUp(CWorld& w);
    void ropeDown(CWorld& w);
    void walk(CWorld& w, int dir);
    bool walkStep(CWorld& w, int dir);
    void standPose(CWorld& w);

    // Movement: each moves the hero (and the camera, where it follows).
    void stepLeft(CWorld& w, int32_t n);
    void stepRight(CWorld& w, int32_t n);
    void stepUp(CWorld& w, int32_t n);
    void stepDown(CWorld& w, int32_t n);
    void stepForward(CWorld& w, int32_t n) { facing == 0 ? stepRight(w, n) : stepLeft(w, n); }
    // One 8-pixel step unless a wall is a tile ahead or the map's edge is near.
    void guardedStepLeft(CWorld& w);
    void guardedStepRight(CWorld& w);
    void guardedStepForward(CWorld& w) { facing == 0 ? guardedStepRight(w) : guardedStepLeft(w); }
    void guardedStepBack(CWorld& w) { facing == 0 ? guardedStepLeft(w) : guardedStepRight(w); }
    void centreOnLadder(CWorld& w);
    // Moves the hero vertically without a step (ropes), the camera along
    // while it follows.
    void shiftVertically(CWorld& w, int32_t dy);

    bool closeRangeWeapon() const {
        return weaponKind() == kWeaponFist || weaponKind() == kWeaponBlade;
    }
    // The current row's step count, and whether it shows its last step.
    int32_t rowSteps(const CWorld& w) const;
    bool atLastStep(const CWorld& w) const;

    CField& field_;
    SaveOrigin origin_ = SaveOrigin::NewGame;
};
