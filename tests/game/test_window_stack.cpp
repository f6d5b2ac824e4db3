// The window stack: the order windows run and draw in, who gets the input,
// windows opened and closed during a frame; and a test-only window opened
// on the game's own stack over the HUD and the minimap.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/window_stack.h"
#include "items/item_tables.h"
#include "platform/input_state.h"
#include "probe_window.h"
#include "support/game/hero_world.h"
#include "ui/interface.h"
#include "world/mini_map.h"

namespace velk {
namespace {

using Log = std::vector<std::string>;

class WindowStackTest : public GameFixture {
protected:
    std::unique_ptr<CProbeWindow> probe(const std::string& name, bool holdsInput) {
        auto w = std::make_unique<CProbeWindow>(&device, name, CProbeWindow::Rect{0, 0, 10, 10}, 0xFFFFFFFF, &log);
        w->holdsInput = holdsInput;
        return w;
    }
    Log frame() {
        log.clear();
        poll();
        stack.update(g_input);
        return log;
    }

    Log log;
    CWindowStack stack;
};

TEST_F(WindowStackTest, RunsBottomUpByLayerAndTheInputStopsAtTheFirstWindowThatTakesIt) {
    auto map = probe("map", false), talk = probe("talk", false), hud = probe("hud", false), shop = probe("shop", true);
    // Opened out of order: the layers decide.
    stack.open(hud.get(), WindowLayer::Hud);
    stack.open(shop.get(), WindowLayer::Trade);
    stack.open(map.get(), WindowLayer::Map);
    stack.open(talk.get(), WindowLayer::Talk);
    EXPECT_EQ(frame(), (Log{"map", "talk", "hud", "shop*"}));
    EXPECT_EQ(stack.top(), shop.get());

    shop->holdsInput = false;
    EXPECT_EQ(frame(), (Log{"map*", "talk*", "hud*", "shop*"}));
    talk->holdsInput = true;
    EXPECT_EQ(frame(), (Log{"map", "talk*", "hud*", "shop*"}));

    // Within a layer, the later window is above; opening twice moves nothing.
    auto second = probe("hud2", false);
    stack.open(second.get(), WindowLayer::Hud);
    stack.open(hud.get(), WindowLayer::Top);
    EXPECT_EQ(frame(), (Log{"map", "talk*", "hud*", "hud2*", "shop*"}));
}

TEST_F(WindowStackTest, AWindowOpenedInAFrameRunsFromTheNextButHoldsTheInputAtOnce) {
    auto bottom = probe("bottom", false), middle = probe("middle", false), top = probe("top", true);
    stack.open(bottom.get(), WindowLayer::Map);
    stack.open(middle.get(), WindowLayer::Hud);
    bottom->afterUpdate = [&] { stack.open(top.get(), WindowLayer::Top); };
    EXPECT_EQ(frame(), (Log{"bottom*", "middle"}));
    EXPECT_EQ(frame(), (Log{"bottom", "middle", "top*"}));
}

TEST_F(WindowStackTest, AClosedWindowLeavesAfterItsFrameAndItsOwnerMayDeleteIt) {
    auto bottom = probe("bottom", false), top = probe("top", true);
    stack.open(bottom.get(), WindowLayer::Map);
    stack.open(top.get(), WindowLayer::Top);
    int closings = 0;
    top->onClosed = [&] {
        ++closings;
        top.reset();
    };
    top->afterUpdate = [&] { top->open = false; };
    EXPECT_EQ(frame(), (Log{"bottom", "top*"}));
    EXPECT_EQ(closings, 1);
    EXPECT_FALSE(top);
    EXPECT_EQ(frame(), (Log{"bottom*"}));

    // A window that closes before its turn does not run; one deleted while
    // open leaves the stack on its own.
    auto shut = probe("shut", false);
    stack.open(shut.get(), WindowLayer::Top);
    shut->open = false;
    EXPECT_EQ(frame(), (Log{"bottom*"}));
    EXPECT_FALSE(stack.isOpen(shut.get()));
    auto gone = probe("gone", true);
    stack.open(gone.get(), WindowLayer::Top);
    gone.reset();
    EXPECT_EQ(stack.count(), 1);
    EXPECT_EQ(frame(), (Log{"bottom*"}));
}

// The recipe for a new window: its file pair (probe_window.h/.cpp) and the
// one line that opens it on the game's stack.
class TestWindowInGame : public HeroWorldTest {
protected:
    void SetUp() override {
        HeroWorldTest::SetUp();
        writeEffect("sound/eat.wav");
        startWorld(flatMap());
        g_itemTables.energy = {{"potion", 8, 0, 10, 5, 30, 0}};
        hero().slots[size_t(kSlotQuickFirst)] = {3, 8, 0};
        hp0 = hero().hp;
        hero().maxHp = hp0 + 50;  // room for one potion
    }
    void TearDown() override {
        g_itemTables = {};
        HeroWorldTest::TearDown();
    }
    // F1 pressed for a frame and let go: the HUD drinks from quick slot 1.
    void pressF1() {
        hold(dik::kF1);
        frame();
        hold(dik::kF1, false);
        frame();
    }
    void clickAt(int x, int y) {
        backend.setMouse(x, y);
        backend.setButton(0, true);
        frame();
        backend.setButton(0, false);
        frame();
    }
    uint32_t pixel(int x, int y) const { return device.backBuffer()[size_t(y) * 800 + size_t(x)]; }

    int32_t hp0 = 0;
};

TEST_F(TestWindowInGame, OnTopItTakesTheInputAndIsDrawnOverTheHud) {
    constexpr uint32_t kGreen = 0xFF00FF00;
    CProbeWindow probe(&device, "probe", {300, 500, 100, 100}, kGreen);
    objects->windows->open(&probe, WindowLayer::Top);
    ASSERT_EQ(objects->windows->top(), &probe);

    pressF1();
    EXPECT_EQ(hero().hp, hp0) << "the HUD under it takes no input";
    EXPECT_EQ(hero().slots[size_t(kSlotQuickFirst)].count, 3);
    EXPECT_EQ(pixel(350, 550), kGreen) << "drawn after the HUD";
    const int size = g_miniMap->size;
    clickAt(146, 18);  // the minimap's enlarge button
    EXPECT_EQ(g_miniMap->size, size) << "nor does the minimap";
    clickAt(350, 550);
    EXPECT_EQ(probe.clicks, 1);

    // Letting the input through, the HUD answers again under it.
    probe.holdsInput = false;
    pressF1();
    EXPECT_EQ(hero().hp, hp0 + 30);
    EXPECT_EQ(hero().slots[size_t(kSlotQuickFirst)].count, 2);
    EXPECT_EQ(pixel(350, 550), kGreen);
}

}  // namespace
}  // namespace velk
