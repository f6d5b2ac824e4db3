#include <gtest/gtest.h>

#include "npc/npc.h"

TEST(NpcDraw, DrawnUpToTheScreenBoundsInclusive) {
    const struct {
        int32_t sx, sy;
        bool drawn;
    } cases[] = {
        {800, 300, true}, {801, 300, false}, {-50, 300, true}, {-51, 300, false},
        {400, 600, true}, {400, 601, false}, {400, -80, true}, {400, -81, false},
        {800, 600, true}, {-50, -80, true},
    };
    for (const auto& c : cases) EXPECT_EQ(CNpc::drawnAt(c.sx, c.sy), c.drawn) << c.sx << ", " << c.sy;
}
