// Using an energy item from a quick slot: the slot's count, and what the
// item restores.

#include <gtest/gtest.h>

#include "items/item_rules.h"
#include "items/item_tables.h"

namespace velk {
namespace {

TEST(UseEnergyItem, TakesOnePieceAndReturnsWhatItRestores) {
    g_itemTables.energy = {{"red", 8, 0, 10, 5, 30, 0}, {"blue", 10, 1, 10, 5, 0, 25}};
    const struct {
        ItemSlot slot;
        bool used;
        int32_t hp, mp;
        ItemSlot after;
    } cases[] = {
        {{3, 8, 0}, true, 30, 0, {2, 8, 0}},
        {{1, 10, 1}, true, 0, 25, {0, -1, 1}},   // the last piece empties the slot
        {{2, 8, 7}, true, 0, 0, {1, 8, 7}},      // an id the table lacks restores nothing
        {{0, -1, 0}, false, 0, 0, {0, -1, 0}},   // an empty slot
        {{2, 10000, 0}, false, 0, 0, {2, 10000, 0}},
    };
    for (const auto& c : cases) {
        ItemSlot slot = c.slot;
        const auto gain = useEnergyItem(slot);
        SCOPED_TRACE(testing::Message() << "icon " << c.slot.icon << " id " << c.slot.itemId);
        ASSERT_EQ(gain.has_value(), c.used);
        if (gain) {
            EXPECT_EQ(gain->hp, c.hp);
            EXPECT_EQ(gain->mp, c.mp);
        }
        EXPECT_EQ(slot.count, c.after.count);
        EXPECT_EQ(slot.icon, c.after.icon);
        EXPECT_EQ(slot.itemId, c.after.itemId);
    }
    g_itemTables = {};
}

}  // namespace
}  // namespace velk
