#pragma once
// Rules that read the item tables for a slot of the hero: the worn weapon's
// attack and sound, whether an energy item is in a slot.

#include <array>
#include <cstdint>

#include "items/item_slot.h"

struct SoundBuffer;

namespace velk {

// The worn weapon's `attack`; 0 for an empty slot or an id outside the table.
int32_t wornWeaponAttack(const ItemSlot& worn);
// The hero's weapon attack power: attackStat / 3 plus the worn weapon's attack.
int32_t attackPower(int32_t attackStat, const ItemSlot& worn);
// Loads the worn weapon's sound into `buffer` unless its icon has none.
void loadWeaponSound(const ItemSlot& worn, SoundBuffer* buffer);

}  // namespace velk

namespace velk {

// Empties every slot whose item id lies outside the table of its group
// (weapons for slot 0 and the weapon bag, skills for slot 1 and the book,
// energy items for the quick slots and the energy bag); the extra slots 6
// and 7 hold no table id. Each emptied slot is reported against `fileName`.
// Returns how many were emptied.
int emptyUnknownSlots(std::array<ItemSlot, kSlotCount>& slots, const char* fileName);

}  // namespace velk
