// The inventory's slot moves, scroll limits and throwing away, and the drop
// list's pickups, driven through the headless backend.

#include <gtest/gtest.h>

#include <climits>
#include <algorithm>
#include <memory>

#include "content/item_pack_writer.h"
#include "content/sprite_set_writer.h"
#include "content/wav_writer.h"
#include "core/effects.h"
#include "items/inventory.h"
#include "platform/cp949.h"
#include "support/game_fixture.h"
#include "widgets/notice_log.h"

namespace velk {
namespace {

constexpr ItemSlot kEmpty{};
constexpr ItemSlot kFist{1, 6, 0}, kBlade{1, 2, 1}, kCannon{1, 0, 2};
constexpr ItemSlot kRedPotions{5, 8, 0}, kBluePotions{4, 10, 1}, kSpeedSkill{1, 52, 0};

bool same(const ItemSlot& a, const ItemSlot& b) {
    return a.icon == b.icon && (a.icon == -1 || (a.count == b.count && a.itemId == b.itemId));
}

class InventoryTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        ItemPackSource pack;
        pack.weapons = {{"", 6, 0, 0, 0, 2, 1}, {"", 2, 1, 0, 0, 6, 1}, {"", 0, 2, 0, 0, 20, 12}};
        pack.energy = {{"", 8, 0, 0, 0, 30, 0}, {"", 10, 1, 0, 0, 0, 30}};
        pack.skills = {{"", 52, 0, 0, 0, 20}};
        for (int p = 0; p < 54; ++p) pack.pictures.push_back({1, 1, {0xFF000000u}, {}});
        dir.write(kItemPackFileName, encodeItemPack(pack));
        SpriteSetSource coins;  // one 12 x 12 coin frame for both rows
        coins.frames.push_back({12, 12, std::vector<uint32_t>(144, 0xFFF2C14Eu), {{0, 0, 12, 12}}, {}});
        coins.rows = {{{0, -6, -10}}, {{0, -6, -10}}};
        coins.delays = {1, 1};
        dir.write(spriteSetFileName(1002), encodeSpriteSet(coins));
        dir.write(spriteDelayFileName(1002), spriteDelayText(coins.delays));
        for (const char* s : {"btn0", "btn1", "btn2", "no", "out", "eat"})
            loadEffect(std::string("sound/") + s + ".wav", bufferOf(s));
        record.level = 1;
        record.slots[0] = kFist;
        record.slots[2] = kRedPotions;
        record.slots[8] = kBlade;
        record.slots[9] = kCannon;
        record.slots[18] = kBluePotions;
        record.slots[48] = kSpeedSkill;
        ASSERT_TRUE(inv.init(&device, &record));
        drops.init(&device);
        inv.drops = &drops;
        inv.dropX = 100;
        inv.dropY = 200;
        inv.weaponWorn = [this] { shots = 0; };
    }
    void TearDown() override {
        g_itemTables = {};
        GameFixture::TearDown();
    }
    static SoundBuffer* bufferOf(const std::string& name) {
        for (SoundBuffer* b : g_effects.all())
            if (name == b->name) return b;
        return nullptr;
    }
    void frame(int x, int y, bool left = false, bool right = false) {
        backend.setMouse(x, y);
        backend.setButton(0, left);
        backend.setButton(1, right);
        backend.advance(HeadlessBackend::kPassTicks);
        poll();
        inv.update(g_input);
    }
    void click(int x, int y) {
        frame(x, y, true);
        frame(x, y);
    }
    int rowY(int row) const { return 310 + 32 * row; }
    int iconX() const { return CInventory::windowX(inv.tab) + 20; }
    void selectRow(int row) { click(iconX(), rowY(row)); }
    void useRow(int row) {
        selectRow(row);
        frame(iconX(), rowY(row), false, true);
        frame(iconX(), rowY(row));
    }
    long count(const std::string& sound) const {
        const auto s = sounds();
        return std::count(s.begin(), s.end(), sound);
    }

    PlayerRecord record;
    CDropList drops;
    CInventory inv;
    int32_t shots = 3;
};

TEST_F(InventoryTest, ScrollStopsAtEachListsEnd) {
    const struct {
        int tab;
        int32_t max;
    } cases[] = {{0, 5}, {1, 0}, {2, 25}, {5, 25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tab);
        inv.open(c.tab);
        const int x = CInventory::windowX(c.tab);
        const long refusedBefore = count("no");
        for (int i = 0; i < 30; ++i) click(x + 30, 478);
        EXPECT_EQ(inv.scroll, c.max);
        for (int i = 0; i < 30; ++i) click(x + 15, 478);
        EXPECT_EQ(inv.scroll, 0);
        // The skill book has no scroll buttons: nothing answers there.
        EXPECT_EQ(count("no") - refusedBefore, c.tab == 1 ? 0 : 60 - 2 * c.max);
    }
}

TEST_F(InventoryTest, RightClickOnTheSelectedRowMovesSlots) {
    struct Case {
        const char* what;
        int tab, row;
        int level;
        int slotA, slotB;     // checked after the move
        ItemSlot wantA, wantB;
        int32_t shotsAfter;
    };
    const Case cases[] = {
        {"wear the blade", 0, 0, 1, 0, 8, kBlade, kFist, 0},
        {"too young for the cannon", 0, 1, 1, 0, 9, kFist, kCannon, 3},
        {"old enough for the cannon", 0, 1, 12, 0, 9, kCannon, kFist, 0},
        {"an empty weapon row does nothing", 0, 2, 1, 0, 10, kFist, kEmpty, 3},
        {"a skill is chosen and stays in the book", 1, 0, 1, 1, 48, kSpeedSkill, kSpeedSkill, 3},
        {"an empty book row does nothing", 1, 1, 1, 1, 49, kEmpty, kEmpty, 3},
        {"bag and quick slot swap", 2, 0, 1, 2, 18, kBluePotions, kRedPotions, 3},
        {"an empty bag row takes the quick slot back", 3, 1, 1, 3, 19, kEmpty, kEmpty, 3},
        {"an empty bag row takes the quick slot's item", 2, 1, 1, 2, 19, kEmpty, kRedPotions, 3},
    };
    const PlayerRecord start = record;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        record = start;
        record.level = c.level;
        shots = 3;
        inv.open(c.tab);
        useRow(c.row);
        EXPECT_TRUE(same(record.slots[size_t(c.slotA)], c.wantA)) << record.slots[size_t(c.slotA)].icon;
        EXPECT_TRUE(same(record.slots[size_t(c.slotB)], c.wantB)) << record.slots[size_t(c.slotB)].icon;
        EXPECT_EQ(shots, c.shotsAfter);
    }
}

TEST_F(InventoryTest, SelectedWeaponIsThrownOnceThePointerLeavesWithTheButtonUp) {
    CNoticeLog log(&device);
    CNoticeLog* const owner = g_noticeLog;
    g_noticeLog = &log;
    inv.open(0);
    selectRow(0);
    frame(600, 300, true);  // dragged out, still held: nothing yet
    EXPECT_TRUE(same(record.slots[8], kBlade));
    EXPECT_TRUE(drops.items.empty());
    EXPECT_EQ(count("out"), 0);
    frame(600, 300);
    g_noticeLog = owner;
    EXPECT_EQ(record.slots[8].icon, -1);
    // The player is told, by sound and by notice.
    EXPECT_EQ(count("out"), 1);
    EXPECT_EQ(std::string(log.lines[0]), toCp949("아이템을 버렸습니다."));
    ASSERT_FALSE(drops.items.empty());
    const DropNode& n = drops.items.front();
    EXPECT_EQ(n.action, kBlade.icon);
    EXPECT_EQ(n.itemId, kBlade.itemId);
    EXPECT_EQ(n.value, kKindWeapon);
    EXPECT_EQ(n.x, 100);
    EXPECT_EQ(inv.selectedRow, -1);

    // A skill dragged out only loses its selection.
    inv.open(1);
    selectRow(0);
    frame(600, 300);
    EXPECT_TRUE(same(record.slots[48], kSpeedSkill));
    EXPECT_EQ(inv.selectedRow, -1);
}

TEST_F(InventoryTest, PickupStacksOrFillsTheFirstFreeSlotAndNeverLosesAnItem) {
    std::array<ItemSlot, kSlotCount> slots{};
    for (int s = 18; s < 25; ++s) slots[size_t(s)] = {1, 10, 1};
    slots[20] = kEmpty;
    slots[25] = {2, 8, 0};
    drops.addItem(0, 0, 8, 3, 0, kKindEnergy);
    EXPECT_EQ(drops.pickup(0, 0, 20, 20, slots), -1);
    EXPECT_TRUE(same(slots[20], {3, 8, 0}));  // a new stack before the match at 25
    EXPECT_TRUE(same(slots[25], {2, 8, 0}));
    EXPECT_TRUE(drops.items.empty());
    drops.addItem(0, 0, 8, 4, 0, kKindEnergy);
    drops.pickup(0, 0, 20, 20, slots);
    EXPECT_TRUE(same(slots[20], {7, 8, 0}));
    EXPECT_GE(count("eat"), 1);
    // A stack at the top of its count stays there instead of wrapping.
    slots[20].count = INT32_MAX - 1;
    drops.addItem(0, 0, 8, 4, 0, kKindEnergy);
    drops.pickup(0, 0, 20, 20, slots);
    EXPECT_TRUE(same(slots[20], {INT32_MAX, 8, 0}));

    // A full weapon bag leaves the weapon lying where it is.
    for (int s = 8; s < 18; ++s) slots[size_t(s)] = kBlade;
    drops.addItem(0, 0, 0, 1, 2, kKindWeapon);
    EXPECT_EQ(drops.pickup(0, 0, 20, 20, slots), -1);
    EXPECT_EQ(std::distance(drops.items.begin(), drops.items.end()), 1);
    slots[12] = kEmpty;
    drops.pickup(0, 0, 20, 20, slots);
    EXPECT_TRUE(same(slots[12], kCannon));
    EXPECT_TRUE(drops.items.empty());
}

TEST_F(InventoryTest, CoinsAreTakenOnePerPickup) {
    std::array<ItemSlot, kSlotCount> slots{};
    drops.addCoins(10, 10, 0, 40);
    drops.addCoins(12, 10, 1, 150);
    drops.addCoins(500, 10, 0, 7);  // out of reach
    EXPECT_EQ(drops.pickup(0, 0, 20, 20, slots), 150);  // the newest first
    EXPECT_EQ(drops.pickup(0, 0, 20, 20, slots), 40);
    EXPECT_EQ(drops.pickup(0, 0, 20, 20, slots), -1);
    drops.clearDrops();
    EXPECT_TRUE(drops.coins.empty());
}

TEST_F(InventoryTest, WearingAWeaponLoadsItsAttackSound) {
    loadEffect("sound/hand.wav", &g_effects.weapon);
    dir.write("sound/nife.wav", writeWav16(std::vector<int16_t>(1000, 0), 22050));
    inv.open(0);
    useRow(0);  // the blade
    EXPECT_EQ(g_effects.weapon.dataSize, 2000u);
    useRow(0);  // the fist again
    EXPECT_EQ(g_effects.weapon.dataSize, 2u * 2205u);
}

}  // namespace
}  // namespace velk
