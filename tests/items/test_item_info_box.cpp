// The information box reads a description only when the item changes,
// keeps within the screen above the HUD, and the save's slot ids are
// checked against the item tables.

#include <gtest/gtest.h>

#include "content/item_pack_writer.h"
#include "items/item_info_box.h"
#include "items/item_rules.h"
#include "items/item_tables.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

TEST(ItemInfoBox, ReadsADescriptionOncePerItemAndStaysAboveTheHud) {
    TempDir dir;
    dir.write(itemDescriptionFileName(kKindWeapon, 0), itemDescriptionText(300, 200, {"a"}));
    dir.write(itemDescriptionFileName(kKindEnergy, 1), itemDescriptionText(100, 50, {"b", "c"}));
    CItemInfoBox box;
    const struct {
        int32_t x, y, code;
        int kind;
        int32_t wantX, wantY, loads;
    } cases[] = {
        {600, 400, 0, kKindWeapon, 500, 300, 1},  // 300 wide, 200 high: moved left and up
        {100, 100, 0, kKindWeapon, 100, 100, 1},  // the same item: no new read
        {750, 480, 9, kKindEnergy, 700, 450, 2},
        {10, 10, 5, kKindSkill, 10, 10, 3},       // no file: a box of its own size, no lines
    };
    for (const auto& c : cases) {
        box.show(c.x, c.y, 8, c.code, c.kind);
        EXPECT_EQ(box.x, c.wantX);
        EXPECT_EQ(box.y, c.wantY);
        EXPECT_EQ(box.loads, c.loads);
        EXPECT_LE(box.y + box.height, 500);
    }
    EXPECT_EQ(box.width, CItemInfoBox::kFallbackWidth);
    EXPECT_TRUE(box.lines.empty());
}

TEST(SaveSlots, IdsOutsideTheirTableEmptyTheSlot) {
    g_itemTables.weapons.resize(2);
    g_itemTables.energy.resize(3);
    g_itemTables.skills.resize(1);
    std::array<ItemSlot, kSlotCount> slots{};
    slots[0] = {1, 6, 1};    // weapon 1: kept
    slots[1] = {1, 52, 1};   // skill 1: none
    slots[2] = {5, 8, 2};    // energy 2: kept
    slots[7] = {1, 58, 99};  // the pet slot holds no table id
    slots[8] = {1, 2, 2};    // weapon 2: none
    slots[30] = {1, 8, -1};
    slots[48] = {1, 52, 0};
    EXPECT_EQ(emptyUnknownSlots(slots, "user.txt"), 3);
    for (int s : {1, 8, 30}) EXPECT_EQ(slots[size_t(s)].icon, -1) << s;
    for (int s : {0, 2, 7, 48}) EXPECT_NE(slots[size_t(s)].icon, -1) << s;
    g_itemTables = {};
}

}  // namespace
}  // namespace velk
