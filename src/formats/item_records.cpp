#include "formats/item_records.h"

const std::string& ItemTables::name(int kind, int32_t index) const {
    static const std::string none;
    if (kind == velk::kKindWeapon) {
        const WeaponItem* w = weapon(index);
        return w ? w->name : none;
    }
    if (kind == velk::kKindSkill) {
        const SkillItem* s = skill(index);
        return s ? s->name : none;
    }
    if (kind == velk::kKindEnergy) {
        const EnergyItem* e = energyItem(index);
        return e ? e->name : none;
    }
    return none;
}

bool ItemTables::find(const std::string& cp949, int& kind, int32_t& index) const {
    auto in = [&](const auto& table, int tableKind) {
        for (size_t i = 0; i < table.size(); ++i)
            if (table[i].name == cp949) {
                kind = tableKind;
                index = int32_t(i);
                return true;
            }
        return false;
    };
    return in(weapons, velk::kKindWeapon) || in(energy, velk::kKindEnergy) || in(skills, velk::kKindSkill);
}
