#pragma once
// Map files ("maps/map_%d.mmf"), for the tools, the demo world and tests.

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

struct MapPlacementSource {
    int32_t x = 0;  // left edge, world pixels
    int32_t y = 0;  // top edge, world pixels
    int32_t kind = 0;
};

struct MapSource {
    int32_t columns = 0;  // tiles
    int32_t rows = 0;
    // 4 x rows lines of 4 x columns codes, top line first; missing codes are 0.
    std::vector<int32_t> terrain;
    // rows lines of columns cells, top line first; missing cells are 0.
    std::vector<uint32_t> tiles;
    int32_t setNumber = 0;  // names the tile set and the object set
    std::vector<MapPlacementSource> placements;
};

// A tile cell: lower tile in bits 0-11, upper tile in bits 20-31.
constexpr uint32_t tileCell(uint32_t lower, uint32_t upper = 0) {
    return (lower & 0xFFFu) | (upper << 20);
}

// The whole map file.
std::string encodeMap(const MapSource& map);

}  // namespace velk
