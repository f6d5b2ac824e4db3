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
