#pragma once
// Rules that read the item tables for a slot of the hero: the worn weapon's
// attack and sound, whether an energy item is in a slot, using one.

#include <array>
#include <cstdint>
#include <optional>

#include "formats/item_slot.h"

struct SoundBuffer;

namespace velk {

// The worn weapon's `attack`; 0 for an empty slot or an id outside the table.
int32_t wornWeaponAttack(const ItemSlot& worn);
// The hero's weapon attack power: attackStat / 3 plus the worn weapon's attack.
int32_t attackPower(int32_t attackStat, const ItemSlot& worn);
// Loads the worn weapon's sound into `buffer` unless its icon has none.
void loadWeaponSound(const ItemSlot& worn, SoundBuffer* buffer);

// What an energy item gives back.
struct EnergyGain {
    int32_t hp = 0;
    int32_t mp = 0;
};
// Uses one of the energy items in `slot` (a quick slot): one fewer, the
// slot emptied when none is left. Returns what it restores (nothing for an
// id outside the energy table), or no value when the slot holds no item.
std::optional<EnergyGain> useEnergyItem(ItemSlot& slot);

}  // namespace velk

namespace velk {

// Empties every slot whose item id lies outside the table of its group
// (weapons for slot 0 and the weapon bag, skills for slot 1 and the book,
// energy items for the quick slots and the energy bag); the extra slots 6
// and 7 hold no table id. Each emptied slot is reported against `fileName`.
// Returns how many were emptied.
int emptyUnknownSlots(std::array<ItemSlot, kSlotCount>& slots, const char* fileName);

// Whether the worn skill or the book holds skill `index`: nothing gives a
// hero a skill twice.
bool knowsSkill(const std::array<ItemSlot, kSlotCount>& slots, int32_t index);

}  // namespace velk
