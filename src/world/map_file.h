#pragma once
// The map file "maps/map_<n>.mmf" parsed whole: its grids, the number of the
// tile and object sets it names, and its object placements. The field
// installs the result; the tools print it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "world/map_data.h"
#include "world/object_set.h"

struct MapFile {
    CMapData grids;
    int32_t setNumber = 0;
    std::vector<ObjectPlacement> placements;
};

namespace velk {

// Checks the whole file before it fills `out`. Empty on success; otherwise
// the reason, and `out` is unchanged.
std::string parseMapFile(const uint8_t* data, size_t size, MapFile& out);

}  // namespace velk
