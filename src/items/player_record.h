#pragma once
// PlayerRecord: the hero's lasting record, what the save file keeps between
// runs, and the reading and writing of it. The hero (CPlayer) is built on it.

#include <array>
#include <cstdint>

#include "items/item_slot.h"

struct PlayerRecord {
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
};

namespace velk {

// Where a record came from, which decides how it is saved again.
enum class SaveOrigin {
    Save,         // read from the save file
    NewGame,      // no save file: a first run
    DamagedSave,  // a save exists but could not be read
};

// Reads "txt/user/user.txt" into the record's stored values and
// `mapNumber`. Without a save it reads the new-game file "txt/user/init.txt"
// (map 0, a blank hero if that too is unreadable). A save that cannot be
// read also starts a new game; the damaged file is left as it is.
SaveOrigin readPlayerRecord(PlayerRecord& record, int32_t& mapNumber);

// Writes the record's stored values with `mapNumber` to the save file. A
// damaged save is first moved aside to "txt/user/user.txt.bad", never
// written over; if it cannot be moved, nothing is saved.
void writePlayerRecord(const PlayerRecord& record, int32_t mapNumber, SaveOrigin origin);

}  // namespace velk
