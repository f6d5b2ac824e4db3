#pragma once
// PlayerRecord: the hero's lasting record, what the save file keeps between
// runs, and the reading and writing of it. The hero (CPlayer) is built on it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/item_slot.h"
#include "formats/save_file.h"
#include "items/save_alert.h"

struct PlayerRecord;

// The save's reader and writer (below) and the two steps between a save
// record and the player's record are the friends that reach the hit points.
namespace velk {
enum class SaveOrigin;
SaveOrigin readPlayerRecord(PlayerRecord& record, int32_t& mapNumber, std::string& damagedCopy);
bool writePlayerRecord(const PlayerRecord& record, int32_t mapNumber, velk::SaveOrigin origin);
void installSaveRecord(const SaveRecord& record, PlayerRecord& out, int32_t& mapNumber);
SaveRecord saveRecordOf(const PlayerRecord& record, int32_t mapNumber);
}  // namespace velk

struct PlayerRecord {
    char name[13] = {};  // CP949, at most 12 bytes of text
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

protected:
    // The hit points have one writer, the hero's rules (CPlayer, which shows
    // them read-only); the save is read into them and written from them.
    int32_t hp = 0;

    friend velk::SaveOrigin velk::readPlayerRecord(PlayerRecord&, int32_t&, std::string&);
    friend bool velk::writePlayerRecord(const PlayerRecord&, int32_t, velk::SaveOrigin);
    friend void velk::installSaveRecord(const SaveRecord&, PlayerRecord&, int32_t&);
    friend SaveRecord velk::saveRecordOf(const PlayerRecord&, int32_t);
};

namespace velk {

// Where a record came from, which decides how it is saved again.
enum class SaveOrigin {
    Save,          // read from the save file
    NewGame,       // no save file: a first run
    RecoveredSave, // a damaged save, read up to the damage; a copy of it is kept
    DamagedSave,   // a damaged save that could not be copied: never written over
};

// The points a record's stats and level give.
int32_t maxHpFor(int32_t hpStat, int32_t level);
int32_t maxMpFor(int32_t mpStat, int32_t level);

// Reads "txt/user/user.txt" into the record's stored values and
// `mapNumber`, and fills hp and mp. Without a save it reads the new-game file
// "txt/user/init.txt" (map 0, full points, a blank hero if that too is
// unreadable). A damaged save gives every field before the damage (the rest
// from the new game), is copied to "txt/user/user.txt.bad" (numbered when
// that exists) named in `damagedCopy`, and is reported on stderr. Values out
// of their range are clamped (reported with --verbose).
SaveOrigin readPlayerRecord(PlayerRecord& record, int32_t& mapNumber, std::string& damagedCopy);

// Writes the record's stored values with `mapNumber` to the save file; a
// damaged save that could not be copied is never written over. A failure is
// told (tellSaveFailure) and false returned.
bool writePlayerRecord(const PlayerRecord& record, int32_t mapNumber, SaveOrigin origin);
// The save file's text for the record.
std::string playerRecordText(const PlayerRecord& record, int32_t mapNumber);

// The pieces of reading and writing, without files. loadSaveRecord reads a
// save's bytes over the new game's record (every field the damage leaves
// unread keeps its value), clamps each value to its range and says how many
// tokens were read and, when short, why.
SaveRecord loadSaveRecord(const uint8_t* data, size_t size, const SaveRecord& newGame, int* read,
                          std::string* error);
void installSaveRecord(const SaveRecord& record, PlayerRecord& out, int32_t& mapNumber);
SaveRecord saveRecordOf(const PlayerRecord& record, int32_t mapNumber);

}  // namespace velk
