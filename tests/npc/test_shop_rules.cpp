// What buying and selling do to the hero's bags and purse, on a small
// table: two weapons, a potion, an elixir and a potion look-alike that
// shares the potion's picture.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "items/item_tables.h"
#include "npc/shop_rules.h"
#include "formats/talk_format.h"

namespace velk {
namespace {

constexpr int32_t kWeapon = kShopKindWeapon, kEnergy = kShopKindEnergy;
constexpr int kPotion = 0, kElixir = 1, kLookAlike = 2, kCostly = 3;
constexpr int kBlade = 0;
constexpr ItemSlot kEmpty{};

// Slots hold the same item; any two empty slots match, whatever they kept.
bool sameSlot(const ItemSlot& a, const ItemSlot& b) {
    return a.icon == b.icon && (a.icon == -1 || (a.count == b.count && a.itemId == b.itemId));
}

class ShopRules : public ::testing::Test {
protected:
    void SetUp() override {
        g_itemTables.weapons = {{"blade", 2, 0, 200, 80, 6, 1}, {"gun", 0, 1, 700, 280, 7, 4}};
        g_itemTables.energy = {{"potion", 8, 0, 30, 12, 30, 0},
                               {"elixir", 26, 1, 500, 200, 999, 999},
                               {"look-alike", 8, 2, 35, 14, 0, 30},
                               {"costly", 12, 3, 30000000, 1, 0, 0}};
    }
    void TearDown() override { g_itemTables = {}; }
};

struct BuyCase {
    const char* name;
    int32_t kind;
    int32_t item;
    int32_t quantity;
    int32_t aru;
    std::vector<std::pair<int, ItemSlot>> before;
    BuyOutcome outcome;
    int slot;           // the slot that took them, and what it holds then
    ItemSlot after;
    int32_t aruAfter;
    int64_t missing;
};

TEST_F(ShopRules, Buying) {
    std::vector<std::pair<int, ItemSlot>> fullWeaponBag, fullEnergyBag;
    for (int s = kSlotWeaponBagFirst; s < kSlotEnergyBagFirst; ++s) fullWeaponBag.push_back({s, {1, 0, 1}});
    for (int s = kSlotEnergyBagFirst; s < kSlotSkillBookFirst; ++s) fullEnergyBag.push_back({s, {200, 8, kPotion}});
    const BuyCase cases[] = {
        {"a weapon takes the first free slot", kWeapon, kBlade, 1, 300, {{8, {1, 0, 1}}},
         BuyOutcome::Bought, 9, {1, 2, kBlade}, 100, 0},
        {"150 skip a stack of 100 before them", kEnergy, kPotion, 150, 5000, {{18, {100, 8, kPotion}}},
         BuyOutcome::Bought, 19, {150, 8, kPotion}, 500, 0},
        {"an empty slot before a fitting stack is taken first", kEnergy, kPotion, 5, 1000,
         {{19, {10, 8, kPotion}}}, BuyOutcome::Bought, 18, {5, 8, kPotion}, 850, 0},
        {"a stack grows to exactly 200", kEnergy, kPotion, 100, 3000, {{18, {100, 8, kPotion}}},
         BuyOutcome::Bought, 18, {200, 8, kPotion}, 0, 0},
        {"a stack of another item with the same picture is not joined", kEnergy, kLookAlike, 2, 100,
         {{18, {10, 8, kPotion}}}, BuyOutcome::Bought, 19, {2, 8, kLookAlike}, 30, 0},
        {"a full weapon bag buys nothing and keeps the aru", kWeapon, kBlade, 1, 300, fullWeaponBag,
         BuyOutcome::NoRoom, -1, kEmpty, 300, 0},
        {"a full energy bag buys nothing", kEnergy, kPotion, 1, 300, fullEnergyBag, BuyOutcome::NoRoom, -1,
         kEmpty, 300, 0},
        {"short of aru: the missing amount is for the whole quantity", kEnergy, kElixir, 3, 700, {},
         BuyOutcome::ShortOfAru, -1, kEmpty, 700, 800},
        {"short of aru for a weapon", kWeapon, kBlade, 1, 50, {}, BuyOutcome::ShortOfAru, -1, kEmpty, 50, 150},
        {"a price times a quantity past the integer range is still short", kEnergy, kCostly, 100, INT32_MAX,
         {}, BuyOutcome::ShortOfAru, -1, kEmpty, INT32_MAX, 3000000000LL - INT32_MAX},
        {"a good the table does not hold buys nothing", kEnergy, 9, 1, 300, {}, BuyOutcome::NoRoom, -1,
         kEmpty, 300, 0},
    };
    for (const BuyCase& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerRecord p;
        p.aru = c.aru;
        for (const auto& [slot, item] : c.before) p.slots[size_t(slot)] = item;
        const Purchase bought = buyItem(p, c.kind, shopItem(c.kind, c.item), c.quantity);
        EXPECT_EQ(bought.outcome, c.outcome);
        EXPECT_EQ(bought.slot, c.slot);
        EXPECT_EQ(bought.missing, c.missing);
        EXPECT_EQ(p.aru, c.aruAfter);
        EXPECT_TRUE(c.slot < 0 || sameSlot(p.slots[size_t(c.slot)], c.after));
        // Every other slot keeps what it held.
        for (const auto& [slot, item] : c.before)
            EXPECT_TRUE(slot == c.slot || sameSlot(p.slots[size_t(slot)], item)) << "slot " << slot;
    }
}

TEST_F(ShopRules, Selling) {
    const struct {
        const char* name;
        int32_t kind;
        int slot;
        ItemSlot before;
        int32_t quantity;
        bool sold;
        ItemSlot after;
        int32_t aruAfter;
    } cases[] = {
        {"the last pieces empty the slot", kEnergy, 18, {3, 8, kPotion}, 3, true, kEmpty, 136},
        {"part of a stack keeps the rest", kEnergy, 20, {5, 8, kPotion}, 2, true, {3, 8, kPotion}, 124},
        {"a weapon goes whole", kWeapon, 8, {1, 2, kBlade}, 1, true, kEmpty, 180},
        {"an empty slot sells nothing", kEnergy, 18, kEmpty, 1, false, kEmpty, 100},
        {"a slot outside the shop's bag sells nothing", kWeapon, 18, {3, 8, kPotion}, 1, false, {3, 8, kPotion},
         100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlayerRecord p;
        p.aru = 100;
        p.slots[size_t(c.slot)] = c.before;
        EXPECT_EQ(sellSlot(p, c.kind, c.slot, c.quantity), c.sold);
        EXPECT_TRUE(sameSlot(p.slots[size_t(c.slot)], c.after));
        EXPECT_EQ(p.aru, c.aruAfter);
    }
}

}  // namespace
}  // namespace velk
