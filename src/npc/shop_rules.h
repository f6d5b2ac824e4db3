#pragma once
// The trading rules of the shop, apart from its window: which bag a shop
// works on, which goods its file names, and what buying and selling do to
// the hero's record.

#include <cstdint>
#include <string>

#include "items/player_record.h"

namespace velk {

// A stack of energy items never grows past this.
constexpr int32_t kShopMaxStack = 200;
// Energy items are bought at most this many at a time.
constexpr int32_t kShopMaxQuantity = 100;
constexpr int kShopRows = 5;

// The bag a shop of `kind` lists: the weapon bag for weapon shops, the
// energy bag for any other.
struct ShopBag {
    int first;
    int length;
    int32_t maxScroll() const { return length - kShopRows; }
};
ShopBag shopBag(int32_t kind);

// An entry of the item table a shop of `kind` sells from.
struct ShopItem {
    const std::string* name = nullptr;  // CP949
    int32_t icon = 0;
    int32_t index = 0;
    int32_t buyPrice = 0;
    int32_t sellPrice = 0;
    explicit operator bool() const { return name != nullptr; }
};
// Entry `index` of the shop's table; empty when the table holds none, so a
// shop file or a slot naming a stranger is never read past its table.
ShopItem shopItem(int32_t kind, int32_t index);

enum class BuyOutcome { Bought, NoRoom, ShortOfAru };
struct Purchase {
    BuyOutcome outcome = BuyOutcome::NoRoom;
    int slot = -1;         // the slot that took the goods
    int64_t missing = 0;   // aru short of the price of all of them
};
// Buys `quantity` of `item` (weapons one at a time) into the first free
// weapon slot, or the first energy slot that is empty or holds the same
// item with room for all of them. The aru is taken only when bought.
Purchase buyItem(PlayerRecord& p, int32_t kind, const ShopItem& item, int32_t quantity);

// Sells `quantity` pieces from `slot` (a weapon always whole) at their
// `sellPrice`; the slot empties with its last piece. False when the slot
// holds nothing the table knows or the quantity is not positive.
bool sellSlot(PlayerRecord& p, int32_t kind, int slot, int32_t quantity);

}  // namespace velk
