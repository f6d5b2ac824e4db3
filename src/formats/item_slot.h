#pragma once
// The hero's item slots: what each holds and how the 53 slots are grouped.

#include <cstdint>

struct ItemSlot {
    int32_t count = 0;  // pieces held (stackable items; 0 or 1 for others)
    int32_t icon = -1;  // picture in the item pack; -1 marks an empty slot
    int32_t itemId = 0;  // entry in the item table of the slot's group

    bool operator==(const ItemSlot&) const = default;
};

namespace velk {

constexpr int kSlotCount = 53;

constexpr int kSlotWornWeapon = 0;
constexpr int kSlotWornSkill = 1;
constexpr int kSlotQuickFirst = 2;  // 2..5, energy items shown on the HUD
constexpr int kSlotExtraFirst = 6;  // 6..7; slot 7 holds the pet
constexpr int kSlotPet = 7;
constexpr int kSlotWeaponBagFirst = 8;   // 8..17
constexpr int kSlotEnergyBagFirst = 18;  // 18..47
constexpr int kSlotSkillBookFirst = 48;  // 48..52

}  // namespace velk
