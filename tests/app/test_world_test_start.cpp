// --give's items: found by name or item code, and put into the bag as a
// purchase puts them, with a reason when there is no room.

#include <gtest/gtest.h>

#include <string>

#include "app/world_test_start.h"
#include "formats/item_records.h"
#include "items/item_tables.h"
#include "items/player_record.h"
#include "platform/cp949.h"

namespace velk {
namespace {

class GiveTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = g_itemTables;
        g_itemTables = {};
        g_itemTables.weapons = {{toCp949("맨주먹"), 6, 0, 0, 0, 2, 1}, {toCp949("단검"), 2, 1, 200, 80, 6, 1}};
        g_itemTables.energy = {{toCp949("빨간물약"), 8, 0, 30, 12, 30, 0}, {toCp949("사과"), 20, 1, 10, 4, 12, 0}};
        g_itemTables.skills = {{toCp949("질풍걸음"), 52, 0, 0, 0, 20}, {toCp949("회오리차기"), 54, 1, 1, 18, 15}};
    }
    void TearDown() override { g_itemTables = saved_; }

    bool give(const std::string& name, int32_t count, std::string* error = nullptr) {
        ItemChoice item;
        if (!findItem(g_itemTables, name, item)) return false;
        std::string why;
        const bool ok = giveItem(hero, item, count, why);
        if (error) *error = why;
        return ok;
    }

    PlayerRecord hero;

private:
    ItemTables saved_;
};

TEST_F(GiveTest, ItemsAreFoundByNameOrCode) {
    const struct {
        const char* text;
        bool found;
        int kind;
        int32_t index;
    } cases[] = {
        {"단검", true, kKindWeapon, 1},      {"1", true, kKindWeapon, 1},
        {"8", true, kKindEnergy, 0},         {"사과", true, kKindEnergy, 1},
        {"53", true, kKindSkill, 1},         {"질풍걸음", true, kKindSkill, 0},
        {"2", false, 0, 0},                  {"10", false, 0, 0},
        {"51", false, 0, 0},                 {"99999999999", false, 0, 0},
        {"은빛검", false, 0, 0},             {"-1", false, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ItemChoice item;
        ASSERT_EQ(findItem(g_itemTables, c.text, item), c.found);
        if (!c.found) continue;
        EXPECT_EQ(item.kind, c.kind);
        EXPECT_EQ(item.index, c.index);
    }
}

TEST_F(GiveTest, ItemsGoWhereABuyPutsThemAndSkillsIntoTheBook) {
    hero.aru = 7;
    ASSERT_TRUE(give("단검", 2));
    ASSERT_TRUE(give("빨간물약", 150));
    ASSERT_TRUE(give("빨간물약", 50));  // the stack holds 200
    ASSERT_TRUE(give("빨간물약", 1));   // a new stack
    ASSERT_TRUE(give("53", 1));
    const struct {
        int slot;
        ItemSlot want;
    } slots[] = {
        {kSlotWeaponBagFirst, {1, 2, 1}},      {kSlotWeaponBagFirst + 1, {1, 2, 1}},
        {kSlotWeaponBagFirst + 2, {0, -1, 0}}, {kSlotEnergyBagFirst, {200, 8, 0}},
        {kSlotEnergyBagFirst + 1, {1, 8, 0}},  {kSlotSkillBookFirst, {1, 54, 1}},
    };
    for (const auto& s : slots) {
        SCOPED_TRACE(s.slot);
        EXPECT_EQ(hero.slots[size_t(s.slot)].count, s.want.count);
        EXPECT_EQ(hero.slots[size_t(s.slot)].icon, s.want.icon);
        EXPECT_EQ(hero.slots[size_t(s.slot)].itemId, s.want.itemId);
    }
    EXPECT_EQ(hero.aru, 7);  // for nothing
}

TEST_F(GiveTest, NoRoomOrAKnownSkillIsRefusedWithTheReason) {
    std::string error;
    EXPECT_FALSE(give("단검", 11, &error));
    EXPECT_EQ(error, "the weapon bag is full (10 of 11 단검 given)");
    for (int s = kSlotEnergyBagFirst; s < kSlotSkillBookFirst; ++s) hero.slots[size_t(s)] = {1, 20, 1};
    EXPECT_TRUE(give("사과", 5));  // onto a stack of its own
    EXPECT_FALSE(give("빨간물약", 1, &error));
    EXPECT_EQ(error, "the energy bag has no room for 1 빨간물약");

    hero.slots[kSlotWornSkill] = {1, 52, 0};
    EXPECT_FALSE(give("질풍걸음", 1, &error));
    EXPECT_EQ(error, "the hero already has the skill 질풍걸음");
    EXPECT_FALSE(give("회오리차기", 2, &error));
    EXPECT_EQ(error, "a skill is given once, not 2 times");
    for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s) hero.slots[size_t(s)] = {1, 52, 7};
    EXPECT_FALSE(give("회오리차기", 1, &error));
    EXPECT_EQ(error, "the skill book is full");
}

}  // namespace
}  // namespace velk
