#include "items/item_rules.h"

#include "items/item_tables.h"
#include "platform/sound_bank.h"

namespace velk {

int32_t wornWeaponAttack(const ItemSlot& worn) {
    if (worn.icon < 0) return 0;
    const WeaponItem* w = g_itemTables.weapon(worn.itemId);
    return w ? w->attack : 0;
}

int32_t attackPower(int32_t attackStat, const ItemSlot& worn) {
    return attackStat / 3 + wornWeaponAttack(worn);
}

const char* weaponSoundFile(int32_t icon) {
    switch (icon) {
        case kIconFist: return "sound\\hand.wav";
        case kIconBoomerang: return "sound\\boom.wav";
        case kIconBlade: return "sound\\nife.wav";
        case kIconGun: return "sound\\gun.wav";
        default: return nullptr;
    }
}

void loadWeaponSound(const ItemSlot& worn, SoundBuffer* buffer) {
    if (const char* file = weaponSoundFile(worn.icon)) g_soundBank.loadEffect(file, buffer);
}

}  // namespace velk
