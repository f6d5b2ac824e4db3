#pragma once
// The options that test a world (--start, --level, --give), applied to the
// game just made and before anything is shown: the hero goes to the map,
// gains the levels and gets the items, as play would give them.

#include <cstdint>
#include <string>

#include "app/command_line.h"

struct ItemTables;
struct PlayerRecord;

namespace velk {

// An entry of one of the item tables.
struct ItemChoice {
    int kind = 0;  // kKindWeapon, kKindEnergy or kKindSkill
    int32_t index = -1;
};

// The item named `nameOrCode`: its name in the table (UTF-8, as typed) or
// its item code (weapon index, energy index + 8, skill index + 52). False
// when the tables hold none.
bool findItem(const ItemTables& tables, const std::string& nameOrCode, ItemChoice& out);

// Puts `count` of the item into the hero's bag as buying them would, for
// nothing: each weapon into the first free slot of the weapon bag, energy
// items onto a stack of theirs with room or into the first free slot, a
// skill (one, not one the hero knows) into the first free page of the book.
// False with `error` saying why when there is no room.
bool giveItem(PlayerRecord& hero, const ItemChoice& item, int32_t count, std::string& error);

// Applies the options to the play objects (the world, the field, the
// minimap). False with `error` naming the option when one cannot be done.
bool applyWorldTestOptions(const Options& options, std::string& error);

}  // namespace velk
