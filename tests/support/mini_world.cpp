#include "support/mini_world.h"

#include "content/map_writer.h"
#include "content/stage_writer.h"
#include "content/tile_set_writer.h"

namespace velk {

void writeMiniWorld(const TempDir& dir) {
    constexpr int kColumns = 30, kRows = 20;
    MapSource map;
    map.columns = kColumns;
    map.rows = kRows;
    map.tiles.assign(size_t(kColumns) * kRows, tileCell(0));
    map.terrain.assign(size_t(kColumns) * 4 * kRows * 4, 0);
    for (int col = 0; col < kColumns; ++col) {
        map.tiles[size_t(kRows - 1) * kColumns + col] = tileCell(1);
        for (int c = 0; c < 4; ++c) map.terrain[size_t((kRows - 1) * 4) * kColumns * 4 + col * 4 + c] = 1;
    }
    dir.write("maps/map_0.mmf", encodeMap(map));

    TileSetSource tiles;
    tiles.tiles.push_back(std::vector<uint32_t>(32 * 32, 0x00000000));
    tiles.tiles.push_back(std::vector<uint32_t>(32 * 32, 0xFF3C8D2F));
    dir.write("tiles/tile_0.ttl", encodeTileSet(tiles));

    MapPosition start;
    start.column = 5;
    start.row = kRows - 1;
    start.lockedScreenY = 400;
    dir.write("txt/mappos/0-0.txt", mapPositionText(start));
}

}  // namespace velk
