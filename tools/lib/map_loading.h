#pragma once
// Loading a map the way the game does, for the tools: the field's load works
// on the global tile and object sets, so a tool lends it its own for a while.

#include <cstdint>
#include <vector>

#include "world/map_data.h"
#include "world/object_set.h"
#include "world/tile_set.h"

namespace velk::pack {

// Points g_tileSet and g_objectSet at these sets until the scope ends.
class ScopedWorldSets {
public:
    ScopedWorldSets();
    ~ScopedWorldSets();
    ScopedWorldSets(const ScopedWorldSets&) = delete;
    ScopedWorldSets& operator=(const ScopedWorldSets&) = delete;

    CTileSet tiles;
    CObjectSet objects;

private:
    CTileSet* oldTiles_;
    CObjectSet* oldObjects_;
};

// The field reads a map's placements only once its tile set has loaded;
// this reads them from the file of a map whose grids loaded, whatever its
// sets did. 1 on success, as CObjectSet::readPlacements.
int readMapPlacements(const std::vector<uint8_t>& mapFile, const CMapData& map, CObjectSet& out);

}  // namespace velk::pack
