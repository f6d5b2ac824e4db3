#include "items/item_rules.h"

#include "items/item_tables.h"
#include "core/effects.h"
#include "platform/files.h"

namespace velk {

int32_t wornWeaponAttack(const ItemSlot& worn) {
    if (worn.icon < 0) return 0;
    const WeaponItem* w = g_itemTables.weapon(worn.itemId);
    return w ? w->attack : 0;
}

int32_t attackPower(int32_t attackStat, const ItemSlot& worn) {
    return attackStat / 3 + wornWeaponAttack(worn);
}

void loadWeaponSound(const ItemSlot& worn, SoundBuffer* buffer) {
    if (const char* file = weaponSoundFile(worn.icon)) g_soundBank.loadEffect(file, buffer);
}

std::optional<EnergyGain> useEnergyItem(ItemSlot& slot) {
    // Only icons 0-9999 name an item.
    if (slot.icon < 0 || slot.icon > 9999) return std::nullopt;
    if (--slot.count <= 0) slot.icon = -1;
    const EnergyItem* item = g_itemTables.energyItem(slot.itemId);
    return item ? EnergyGain{item->hpRecovery, item->mpRecovery} : EnergyGain{};
}

}  // namespace velk

namespace velk {

int emptyUnknownSlots(std::array<ItemSlot, kSlotCount>& slots, const char* fileName) {
    int emptied = 0;
    for (int s = 0; s < kSlotCount; ++s) {
        ItemSlot& slot = slots[size_t(s)];
        if (slot.icon < 0 || (s >= kSlotExtraFirst && s < kSlotWeaponBagFirst)) continue;
        const bool weapon = s == kSlotWornWeapon || (s >= kSlotWeaponBagFirst && s < kSlotEnergyBagFirst);
        const bool skill = s == kSlotWornSkill || s >= kSlotSkillBookFirst;
        const char* table = weapon ? "weapon" : skill ? "skill" : "energy item";
        const size_t size = weapon  ? g_itemTables.weapons.size()
                            : skill ? g_itemTables.skills.size()
                                    : g_itemTables.energy.size();
        if (slot.itemId >= 0 && size_t(slot.itemId) < size) continue;
        reportBadFile(fileName, "slot " + std::to_string(s) + " names " + table + " " +
                                    std::to_string(slot.itemId) + ", which the item tables do "
                                    "not hold: the slot is emptied");
        slot = ItemSlot{};
        ++emptied;
    }
    return emptied;
}

bool knowsSkill(const std::array<ItemSlot, kSlotCount>& slots, int32_t index) {
    auto holds = [&](int s) { return slots[size_t(s)].icon != -1 && slots[size_t(s)].itemId == index; };
    if (holds(kSlotWornSkill)) return true;
    for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s)
        if (holds(s)) return true;
    return false;
}

}  // namespace velk
