// libFuzzer target: the map loader with the queries that follow a load (both
// tile layers, the terrain grid, the object placements). Tile and object sets
// 0 and 1 stand in a temporary data directory so inputs naming them load
// fully. The field has no device: a parser target makes no textures.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "content/object_set_writer.h"
#include "content/tile_set_writer.h"
#include "platform/files.h"
#include "world/field.h"
#include "world/map_objects.h"
#include "formats/formats.h"
#include "world/object_set.h"

namespace {

std::string g_dir;
volatile uint32_t g_sink = 0;  // keeps the queries from being optimised away

void removeDir() {
    std::error_code ec;
    std::filesystem::remove_all(g_dir, ec);
}

void writeFile(const std::string& name, const std::string& bytes) {
    const std::string path = velk::dataPath(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    velk::writeFileAtomic(path, bytes.data(), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) std::abort();
    g_dir = pattern;
    std::atexit(removeDir);
    velk::setDataDirectory(g_dir);
    for (int set = 0; set < 2; ++set) {
        velk::TileSetSource tiles;
        for (int t = 0; t < 3 + set; ++t)
            tiles.tiles.push_back(std::vector<uint32_t>(32 * 32, 0xFF000000u + uint32_t(t)));
        writeFile(velk::tileSetFileName(set), velk::encodeTileSet(tiles));
    }
    velk::ObjectSetSource objects;
    objects.kinds = {{{{0, 0, 0}, {1, 0, 0}}, 0, 0}, {{{5, 0, 0}}, 0, 0}, {{}, 0, 0}};
    objects.images = {{8, 8, std::vector<uint32_t>(64, 0xFFFFFFFFu)},
                      {4, 2, std::vector<uint32_t>(8, 0x80FF0000u)}};
    writeFile(velk::objectSetFileName(0), velk::encodeObjectSet(objects));

    // Lives for the whole run, as in the game.
    static CMapObjects mapObjects(nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CField& field = *g_field;
    if (!field.loadMapFromMemory(data, size, "fuzz.mmf")) return 0;
    // A camera somewhere over the map, the edges included.
    const int32_t cx = size > 0 ? int32_t(data[0] % 96) - 32 : 0;
    const int32_t cy = size > 1 ? int32_t(data[1] % 96) - 32 : 0;
    field.camera.place(cx, cy, 0, 0);
    uint32_t sum = 0;
    for (int i = 0; i < g_objectSet->placementCount(); ++i) {
        const ObjectPlacement& p = g_objectSet->placements[size_t(i)];
        sum += uint32_t(g_objectSet->animationImage(p.kind, i));
    }
    // The grids' borders and diagonals reach every bounds check; walking
    // every cell of a large map each run would only slow the search.
    const int32_t tr = field.mapData.terrainRows(), tc = field.mapData.terrainColumns();
    for (int32_t c = -1; c <= tc; ++c)
        sum += uint32_t(field.terrain(c, -1)) + uint32_t(field.terrain(c, tr)) + uint32_t(field.terrain(c, c));
    for (int32_t r = -1; r <= tr; ++r) sum += uint32_t(field.terrain(-1, r)) + uint32_t(field.terrain(tc, r));
    const int32_t rows = field.mapData.rows, cols = field.mapData.columns;
    for (int32_t c = -1; c <= cols; ++c)
        sum += uint32_t(field.lowerTile(c, -1)) + uint32_t(field.upperTile(c, rows)) + uint32_t(field.lowerTile(c, c));
    for (int32_t r = -1; r <= rows; ++r) sum += uint32_t(field.upperTile(-1, r)) + uint32_t(field.lowerTile(cols, r));
    g_sink = sum;
    return 0;
}
