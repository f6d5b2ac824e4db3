#pragma once
// The three item tables (weapons, energy items, skills) that the item pack
// holds, and the item code that names an item of any table with one number.
// The lookups return null for an index outside its table, so a bad slot id
// never reads past a table.

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

// A name holds at most 15 bytes of CP949 text.
constexpr size_t kMaxItemNameBytes = 15;

// The item code: weapon index, energy index + 8, skill index + 52. So the
// tables hold at most 8 weapons and 44 energy items.
constexpr int32_t kEnergyCodeBase = 8;
constexpr int32_t kSkillCodeBase = 52;
constexpr int32_t kMaxWeapons = kEnergyCodeBase;
constexpr int32_t kMaxEnergyItems = kSkillCodeBase - kEnergyCodeBase;
// Skill codes cannot collide; this only keeps a bad pack small.
constexpr int32_t kMaxSkills = 256;

// The item kinds as the windows pass them (the information box, drops).
constexpr int kKindWeapon = -1;
constexpr int kKindSkill = -2;
constexpr int kKindEnergy = -3;

// Weapon icons double as the weapon's kind (its attack sound and shots).
constexpr int32_t kIconGun = 0;
constexpr int32_t kIconBlade = 2;
constexpr int32_t kIconBoomerang = 4;
constexpr int32_t kIconFist = 6;

}  // namespace velk

struct WeaponItem {
    std::string name;  // CP949
    int32_t icon = 0;
    int32_t index = 0;
    int32_t buyPrice = 0;
    int32_t sellPrice = 0;
    int32_t attack = 0;
    int32_t requiredLevel = 0;
};

struct EnergyItem {
    std::string name;
    int32_t icon = 0;
    int32_t index = 0;
    int32_t buyPrice = 0;
    int32_t sellPrice = 0;
    int32_t hpRecovery = 0;
    int32_t mpRecovery = 0;
};

struct SkillItem {
    std::string name;
    int32_t icon = 0;
    int32_t index = 0;
    int32_t skillKind = 0;  // 0 movement speed, 1 attack
    int32_t baseAttack = 0;
    int32_t mpCost = 0;
};

struct ItemTables {
    std::vector<WeaponItem> weapons;
    std::vector<EnergyItem> energy;
    std::vector<SkillItem> skills;

    const WeaponItem* weapon(int32_t index) const { return at(weapons, index); }
    const EnergyItem* energyItem(int32_t index) const { return at(energy, index); }
    const SkillItem* skill(int32_t index) const { return at(skills, index); }
    // The name of the item that `kind` and `index` name; empty if none.
    const std::string& name(int kind, int32_t index) const;
    // The item named `cp949` (weapons first, then energy items, then
    // skills): its kind and index; false when no table has the name.
    bool find(const std::string& cp949, int& kind, int32_t& index) const;

private:
    template <typename T>
    static const T* at(const std::vector<T>& table, int32_t index) {
        return index >= 0 && size_t(index) < table.size() ? &table[size_t(index)] : nullptr;
    }
};

namespace velk {

// The item code of entry `index` of the table that `kind` names.
constexpr int32_t itemCode(int kind, int32_t index) {
    return kind == kKindSkill ? index + kSkillCodeBase
           : kind == kKindEnergy ? index + kEnergyCodeBase
                                 : index;
}
// The kind of item a code names.
constexpr int itemKindOfCode(int32_t code) {
    return code < kEnergyCodeBase ? kKindWeapon : code < kSkillCodeBase ? kKindEnergy : kKindSkill;
}
// The table index back from a code of that kind.
constexpr int32_t itemIndexFromCode(int kind, int32_t code) {
    return kind == kKindSkill ? code - kSkillCodeBase
           : kind == kKindEnergy ? code - kEnergyCodeBase
                                 : code;
}

}  // namespace velk
