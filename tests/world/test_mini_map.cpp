#include <gtest/gtest.h>

#include "world/mini_map.h"

TEST(MiniMapView, HeldAtTheRightAndBottomEdges) {
    // A 60 x 30 tile map: the view is 41 columns and 35 rows from its corner.
    const struct {
        int32_t camCol, camRow, columns, rows;
        CMiniMap::View want;
    } cases[] = {
        {0, 0, 60, 60, {0, 0, false, false}},
        {18, 24, 60, 60, {18, 24, false, false}},
        {19, 25, 60, 60, {19, 25, true, true}},    // exactly at the edge: held, fine scroll off
        {30, 40, 60, 60, {19, 25, true, true}},
        {5, 3, 30, 20, {-11, -15, true, true}},    // smaller than the view
        {10, 0, 60, 60, {10, 0, false, false}},
    };
    for (const auto& c : cases) {
        const CMiniMap::View v = CMiniMap::viewFor(c.camCol, c.camRow, c.columns, c.rows);
        EXPECT_EQ(v.column, c.want.column) << c.camCol << "," << c.camRow;
        EXPECT_EQ(v.row, c.want.row) << c.camCol << "," << c.camRow;
        EXPECT_EQ(v.columnClamped, c.want.columnClamped) << c.camCol;
        EXPECT_EQ(v.rowClamped, c.want.rowClamped) << c.camRow;
    }
}
