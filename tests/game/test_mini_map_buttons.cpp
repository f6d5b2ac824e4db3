// The minimap's shrink and enlarge buttons at each size, on a small world:
// a button that cannot act shows its disabled picture and does nothing.

#include <gtest/gtest.h>

#include "support/game/hero_world.h"
#include "world/mini_map.h"

namespace velk {
namespace {

class MiniMapButtons : public HeroWorldTest {
protected:
    void SetUp() override {
        HeroWorldTest::SetUp();
        startWorld(flatMap());
    }
    // One frame of the minimap with the mouse at (mx, my).
    void step(int mx, int my, bool down) {
        backend.setMouse(mx, my);
        backend.setButton(0, down);
        poll();
        g_miniMap->update(g_input);
    }
};

TEST_F(MiniMapButtons, EachSizeEnablesOnlyTheButtonsThatCanAct) {
    constexpr int kShrinkX = 128, kEnlargeX = 146, kButtonY = 18;
    const struct {
        int size;
        int x;
        int hovered, pressed;  // the button's picture under the mouse, then held
        int after;             // the size after the click
    } cases[] = {
        {0, kShrinkX, 6, 6, 0},  {1, kShrinkX, 2, 4, 0},  {2, kShrinkX, 2, 4, 1},
        {0, kEnlargeX, 3, 5, 1}, {1, kEnlargeX, 3, 5, 2}, {2, kEnlargeX, 7, 7, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size << " at x " << c.x);
        g_miniMap->size = c.size;
        step(c.x, kButtonY, false);
        const int32_t& picture = c.x == kShrinkX ? g_miniMap->shrinkPicture : g_miniMap->enlargePicture;
        EXPECT_EQ(picture, c.hovered);
        step(c.x, kButtonY, true);
        EXPECT_EQ(picture, c.pressed);
        step(c.x, kButtonY, false);
        EXPECT_EQ(g_miniMap->size, c.after);
        step(400, 400, false);
    }
}

TEST_F(MiniMapButtons, AReleaseAwayFromTheButtonDoesNotResize) {
    g_miniMap->size = 1;
    step(128, 18, false);
    step(128, 18, true);
    step(300, 300, false);
    step(128, 18, false);
    EXPECT_EQ(g_miniMap->size, 1);
}

}  // namespace
}  // namespace velk
