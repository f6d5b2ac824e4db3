#pragma once
// CMapData: the grids of the current map. The tile grid holds one cell per
// 32 x 32 tile (bits 0-11 lower tile, 20-31 upper tile); the terrain grid
// holds one code per 8 x 8 cell, four cells per tile in each direction.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velk {
class ByteReader;
}

class CMapData {
public:
    // A lower-layer index no tile set reaches: what a cell holds until read.
    static constexpr uint32_t kFreshCell = 999;

    // Size before the first load; there is no grid yet.
    void init(int32_t cols, int32_t rowCount);
    // New grids of cols x rowCount tiles: every tile cell fresh, every
    // terrain code 0.
    void allocate(int32_t cols, int32_t rowCount);
    // Fills the grids from a map file positioned at its terrain block
    // (terrain first, then tiles). The reader must hold both blocks.
    void readGrids(velk::ByteReader& in);
    void release();

    bool hasGrid() const { return hasGrid_; }
    int32_t terrainColumns() const { return 4 * columns; }
    int32_t terrainRows() const { return 4 * rows; }

    // Cell queries, bounds-checked by the caller.
    uint32_t tileCell(int32_t col, int32_t row) const {
        return tiles[size_t(row) * size_t(columns) + size_t(col)];
    }
    int32_t terrainCode(int32_t col, int32_t row) const {
        return terrain[size_t(row) * size_t(terrainColumns()) + size_t(col)];
    }

    std::vector<uint32_t> tiles;   // rows x columns, top row first
    std::vector<int32_t> terrain;  // 4 rows x 4 columns, top row first
    int32_t columns = 50;
    int32_t rows = 50;

private:
    bool hasGrid_ = false;
};
