#pragma once
// CPlayer: the hero. Its lasting record (name, points, level, stats, money
// and item slots) is read from the save file when the player is made and
// written back when it is destroyed; the run-time fields start fresh.

#include <array>
#include <cstdint>

#include "actors/item_slot.h"

class CField;

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

private:
    enum class SaveOrigin {
        Save,         // read from the save file
        NewGame,      // no save file: a first run
        DamagedSave,  // a save exists but could not be read
    };
    void save();

    CField& field_;
    SaveOrigin origin_ = SaveOrigin::NewGame;
};
