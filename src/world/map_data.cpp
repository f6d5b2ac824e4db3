#include "world/map_data.h"

#include "platform/byte_reader.h"

void CMapData::init(int32_t cols, int32_t rowCount) {
    release();
    columns = cols;
    rows = rowCount;
}

void CMapData::allocate(int32_t cols, int32_t rowCount) {
    columns = cols;
    rows = rowCount;
    tiles.assign(size_t(cols) * size_t(rowCount), kFreshCell);
    terrain.assign(16u * size_t(cols) * size_t(rowCount), 0);
    hasGrid_ = true;
}

void CMapData::readGrids(velk::ByteReader& in) {
    for (int32_t& code : terrain) code = in.i32();
    for (uint32_t& cell : tiles) cell = in.u32();
}

void CMapData::release() {
    tiles.clear();
    tiles.shrink_to_fit();
    terrain.clear();
    terrain.shrink_to_fit();
    hasGrid_ = false;
}
