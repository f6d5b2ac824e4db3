#pragma once
// A demo map's readable source (demo/sources/maps/map_<n>.txt): a text grid
// of one character per tile, the legend that maps characters to tile kinds,
// entry positions, objects, the minimap name, quest lines and the backdrop.
// The builder derives the tile grid (with its edges and decorations) and the
// terrain codes the actors walk on.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "demo/tile_catalog.h"
#include "world/map_data.h"

namespace demo {

// What a grid character stands for.
struct LegendEntry {
    TileKind lower = TileKind::None;
    TileKind upper = TileKind::None;  // ladders and ropes drawn over a back wall
    int32_t exitCode = 0;             // 6 or 7: the surface row is an exit
};
using Legend = std::map<char, LegendEntry>;

struct MapObject {
    std::string kind;  // an object kind's name
    int column = 0;    // left edge in tiles
    int row = 0;       // the object stands on the top of this tile row
    int dx = 0;        // pixels added to the left edge
};

struct MapEntry {
    bool present = false;
    int column = 0;  // the hero's start tile; it stands on this tile's top
    int row = 0;
};

struct DemoMap {
    int number = 0;
    std::string name;     // minimap name (UTF-8)
    int setNumber = 0;    // tile set and object set
    std::string stage;    // backdrop style
    std::vector<std::string> quest;  // quest lines (UTF-8)
    MapEntry entries[2];
    std::vector<std::string> grid;
    Legend legend;
    std::vector<MapObject> objects;

    int columns() const { return grid.empty() ? 0 : int(grid[0].size()); }
    int rows() const { return int(grid.size()); }
};

// Reads the shared legend file. "tile" lines: character, lower kind, upper
// kind ("-" for none) and optionally "exit-back" or "exit-forward".
bool parseLegend(const std::string& text, Legend& out, std::string& error);
// Reads one map source over a copy of the shared legend.
bool parseDemoMap(const std::string& text, const Legend& shared, DemoMap& out, std::string& error);

// The grids of a built map.
struct BuiltMap {
    int columns = 0;
    int rows = 0;
    std::vector<int32_t> terrain;  // 4 rows x 4 columns, top line first
    std::vector<uint32_t> tiles;   // tile cells (lower | upper << 20)
};

BuiltMap buildMap(const DemoMap& map);

// Lower tile value of a cell with no lower tile: the value of a cell the
// game never filled, above every set's last index.
constexpr uint32_t kNoTile = CMapData::kFreshCell;

}  // namespace demo
