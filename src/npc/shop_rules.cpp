#include "npc/shop_rules.h"

#include <algorithm>
#include <climits>

#include "core/saturating.h"
#include "items/item_tables.h"
#include "formats/talk_format.h"

namespace velk {

namespace {

template <typename Entry>
ShopItem itemOf(const Entry* e) {
    if (!e) return {};
    return {&e->name, e->icon, e->index, e->buyPrice, e->sellPrice};
}

}  // namespace

ShopBag shopBag(int32_t kind) {
    if (kind == kShopKindWeapon) return {kSlotWeaponBagFirst, kSlotEnergyBagFirst - kSlotWeaponBagFirst};
    return {kSlotEnergyBagFirst, kSlotSkillBookFirst - kSlotEnergyBagFirst};
}

ShopItem shopItem(int32_t kind, int32_t index) {
    if (kind == kShopKindWeapon) return itemOf(g_itemTables.weapon(index));
    return itemOf(g_itemTables.energyItem(index));
}

Purchase buyItem(PlayerRecord& p, int32_t kind, const ShopItem& item, int32_t quantity) {
    Purchase out;
    const bool weapon = kind == kShopKindWeapon;
    if (!item || quantity < 1 || (weapon && quantity != 1)) return out;
    // Prices come from the pack: a large price times a large quantity must
    // not wrap around into a bargain.
    const int64_t cost = int64_t(item.buyPrice) * quantity;
    if (cost > p.aru) {
        out.outcome = BuyOutcome::ShortOfAru;
        out.missing = cost - p.aru;
        return out;
    }
    const ShopBag bag = shopBag(kind);
    for (int s = bag.first; s < bag.first + bag.length; ++s) {
        ItemSlot& slot = p.slots[size_t(s)];
        const bool empty = slot.icon == -1;
        // A stack takes more only of its own item, and only while it stays
        // within the limit.
        const bool fits = !weapon && slot.icon == item.icon && slot.itemId == item.index &&
                          int64_t(slot.count) + quantity <= kShopMaxStack;
        if (!empty && !fits) continue;
        slot.count = empty ? quantity : slot.count + quantity;
        slot.icon = item.icon;
        slot.itemId = item.index;
        p.aru = saturatingAdd(p.aru, -cost);
        out.outcome = BuyOutcome::Bought;
        out.slot = s;
        return out;
    }
    return out;
}

bool sellSlot(PlayerRecord& p, int32_t kind, int slot, int32_t quantity) {
    const ShopBag bag = shopBag(kind);
    if (slot < bag.first || slot >= bag.first + bag.length || quantity < 1) return false;
    ItemSlot& s = p.slots[size_t(slot)];
    const ShopItem item = shopItem(kind, s.itemId);
    if (s.icon < 0 || !item) return false;
    const bool weapon = kind == kShopKindWeapon;
    const int32_t pieces = weapon ? 1 : std::min(quantity, s.count);
    p.aru = saturatingAddProduct(p.aru, item.sellPrice, pieces);
    s.count -= weapon ? 0 : pieces;
    if (weapon || s.count < 1) s.icon = -1;
    return true;
}

}  // namespace velk
