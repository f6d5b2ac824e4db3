#pragma once
// The save file "txt/user/user.txt" and the new-game file
// "txt/user/init.txt": the hero's lasting record as whitespace-separated
// tokens. The new-game file leaves out the name, map, mp and hp.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/item_slot.h"

struct SaveRecord {
    std::string name;  // CP949, one word
    int32_t mapNumber = 0;
    int32_t mp = 0;
    int32_t hp = 0;
    int32_t level = 1;
    int32_t attackStat = 0;
    int32_t defenceStat = 0;
    int32_t skillStat = 0;
    int32_t mpStat = 0;
    int32_t hpStat = 0;
    int32_t exp = 0;
    int32_t aru = 0;
    int32_t statPoints = 0;
    std::array<ItemSlot, velk::kSlotCount> slots{};

    bool operator==(const SaveRecord&) const = default;
};

namespace velk {

constexpr const char* kSaveFileName = "txt/user/user.txt";
constexpr const char* kNewGameFileName = "txt/user/init.txt";
// Map numbers name files; a save naming a map outside this range is damaged.
constexpr int32_t kMaxMapNumber = 1000000;

// The slot groups in file order: first slot and length. The skill book comes
// before the energy bag in the file, unlike in memory.
struct SlotGroup {
    int first;
    int length;
};
constexpr std::array<SlotGroup, 4> kSaveSlotGroups{{{0, 8}, {8, 10}, {48, 5}, {18, 30}}};

// Tokens in a whole save file; a new-game file has four fewer.
constexpr int kSaveTokens = 13 + 3 * kSlotCount;
constexpr int kNewGameTokens = kSaveTokens - 4;

// Parses a save (newGame false) or new-game file (newGame true). False, with
// `error` set, on a missing or malformed token; `out` is then unchanged.
bool parseSaveFile(const uint8_t* data, size_t size, bool newGame, SaveRecord& out,
                   std::string* error);

// Reads tokens into `record` in file order up to the first missing or bad
// one (`error` then says which and why); every field after it keeps the
// value `record` held. Returns how many tokens were read.
int readSaveTokens(const uint8_t* data, size_t size, bool newGame, SaveRecord& record,
                   std::string* error);

// The save file's text: each value on its own line, then the four slot
// groups one line each as icon, count, itemId with a blank after every
// number, the last line without a line end.
std::string formatSaveFile(const SaveRecord& record);

}  // namespace velk
