#include "support/mini_world.h"

#include "content/item_pack_writer.h"
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
    writeMiniItemPack(dir);

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

void writeMiniItemPack(const TempDir& dir) {
    ItemPackSource pack;
    pack.weapons = {{"", 6, 0, 0, 0, 2, 1}};
    pack.energy = {{"", 8, 0, 0, 0, 30, 0}};
    pack.skills = {{"", 52, 0, 0, 0, 20}};
    for (int p = 0; p < 54; ++p) pack.pictures.push_back({1, 1, {0xFF000000u}, {}});
    dir.write(kItemPackFileName, encodeItemPack(pack));
}

}  // namespace velk
