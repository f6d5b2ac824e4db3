// velk-fuzz-seeds DATA OUT: small seeds for the binary fuzz targets, cut from
// the demo world's maps, sprite sets, tile sets, object sets and pictures. Whole files
// of these formats are large, and a parser target fed large inputs runs a
// few hundred times a second; a corner of each keeps every field and section
// the file has while staying a few kilobytes.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "world/sprite_set.h"
#include "content/map_writer.h"
#include "content/object_set_writer.h"
#include "content/pic_writer.h"
#include "content/sprite_set_writer.h"
#include "content/tile_set_writer.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "world/field.h"
#include "world/map_objects.h"
#include "world/object_set.h"
#include "world/tile_set.h"

namespace {

namespace fs = std::filesystem;

constexpr int kColumns = 6, kRows = 5;  // the corner of a map kept
constexpr int kFrames = 3;              // sprite frames kept
constexpr int kTiles = 4;               // tiles kept
constexpr int kKinds = 3;               // object kinds kept
constexpr int kPictureSide = 24;        // the corner of a picture kept

void write(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Marks where the sprite target splits its input into sprite and delay file.
const std::string kDelayMarker = "\n--delays--\n";

void mapSeed(CField& field, int number, const fs::path& out) {
    field.mapNumber = number;
    if (!field.loadMap()) return;
    const CMapData& m = field.mapData;
    velk::MapSource map;
    map.columns = std::min(kColumns, m.columns);
    map.rows = std::min(kRows, m.rows);
    // The bottom-left corner: ground, surfaces and air together.
    const int top = m.rows - map.rows;
    for (int r = 0; r < 4 * map.rows; ++r)
        for (int c = 0; c < 4 * map.columns; ++c) map.terrain.push_back(m.terrainCode(c, 4 * top + r));
    for (int r = 0; r < map.rows; ++r)
        for (int c = 0; c < map.columns; ++c) map.tiles.push_back(m.tileCell(c, top + r));
    map.setNumber = g_objectSet->setNumber;
    for (const ObjectPlacement& p : g_objectSet->placements)
        if (map.placements.size() < 2) map.placements.push_back({p.x % 192, p.y % 160, p.kind});
    write(out / "fuzz_map" / ("map_" + std::to_string(number)), velk::encodeMap(map));
}

void spriteSeed(int number, const fs::path& out) {
    CSpriteSet set;
    if (!set.load(number)) return;
    velk::SpriteSetSource src;
    const int frames = std::min(kFrames, set.frameCount());
    for (int f = 0; f < frames; ++f)
        src.frames.push_back({set.frameWidths[size_t(f)], set.frameHeights[size_t(f)],
                              set.framePixels[size_t(f)], set.boxes[size_t(f)], {}});
    for (const SpriteAnimation& row : set.animations) {
        if (src.rows.size() == 3) break;
        std::vector<AnimationStep> steps;
        for (const AnimationStep& s : row.steps)
            if (s.frame < frames) steps.push_back(s);
        if (steps.empty()) continue;
        src.rows.push_back(steps);
        src.delays.push_back(row.delay);
    }
    write(out / "fuzz_sprite_set" / ("set_" + std::to_string(number)),
          velk::encodeSpriteSet(src) + kDelayMarker + velk::spriteDelayText(src.delays));
}

void tileSeed(int number, const fs::path& out) {
    CTileSet set;
    if (!set.load(number)) return;
    velk::TileSetSource src;
    src.tileWidth = set.tileWidth;
    src.tileHeight = set.tileHeight;
    for (int t = 0; t < std::min(kTiles, set.tileCount()); ++t) src.tiles.push_back(set.pixels[size_t(t)]);
    write(out / "fuzz_tile_set" / ("tiles_" + std::to_string(number)), velk::encodeTileSet(src));
}

void objectSeed(int number, const fs::path& out) {
    CObjectSet set;
    set.setNumber = number;
    if (!set.load()) return;
    velk::ObjectSetSource src;
    for (int k = 0; k < std::min(kKinds, set.kindCount()); ++k) {
        velk::ObjectKindSource kind;
        for (const ObjectFrame& f : set.kinds[size_t(k)].frames) {
            const ObjectImage& image = set.images[size_t(f.image)];
            kind.frames.push_back({int32_t(src.images.size()), f.extra1, f.extra2});
            // A corner of the image: a few rows are enough for every packet kind.
            const int32_t h = std::min(image.height, 6);
            src.images.push_back({image.width, h,
                                  std::vector<uint32_t>(image.pixels.begin(),
                                                        image.pixels.begin() + size_t(image.width) * size_t(h))});
        }
        src.kinds.push_back(kind);
    }
    write(out / "fuzz_object_set" / ("objects_" + std::to_string(number)), velk::encodeObjectSet(src));
}

// A corner of every picture, in each pixel coding the pictures use.
void pictureSeeds(const fs::path& data, const fs::path& out) {
    std::error_code ec;
    int n = 0;
    for (const auto& e : fs::recursive_directory_iterator(data / "pic", ec)) {
        if (e.path().extension() != ".pic") continue;
        CPicture picture(nullptr);
        const std::string name = fs::relative(e.path(), data).string();
        if (!picture.load(name.c_str())) continue;
        const uint32_t w = std::min<uint32_t>(kPictureSide, uint32_t(picture.width));
        const uint32_t h = std::min<uint32_t>(kPictureSide, uint32_t(picture.height));
        std::vector<uint32_t> corner;
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) corner.push_back(picture.pixels[size_t(y) * picture.width + x]);
        const velk::ImageBlockOptions coding[] = {{32, true, true}, {24, false, false}};
        const auto& options = coding[n % 2];
        write(out / "fuzz_picture" / ("picture_" + std::to_string(n++)),
              velk::encodePicture(w, h, corner.data(), options));
    }
}

// The numbers N of the files dir/prefixN.ext.
std::vector<int> numbersOf(const fs::path& dir, const std::string& prefix, const std::string& ext) {
    std::vector<int> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir, ec)) {
        const std::string name = e.path().filename().string();
        if (name.rfind(prefix, 0) == 0 && e.path().extension() == ext)
            out.push_back(std::atoi(name.c_str() + prefix.size()));
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: velk-fuzz-seeds DATA OUT\n");
        return 2;
    }
    const fs::path data = argv[1], out = argv[2];
    velk::setDataDirectory(data.string());
    CMapObjects mapObjects(nullptr);
    for (int n : numbersOf(data / "maps", "map_", ".mmf")) mapSeed(*g_field, n, out);
    for (int n : numbersOf(data / "sprite", "spr_", ".asp")) spriteSeed(n, out);
    for (int n : numbersOf(data / "tiles", "tile_", ".ttl")) tileSeed(n, out);
    for (int n : numbersOf(data / "objects", "obj_", ".msp")) objectSeed(n, out);
    pictureSeeds(data, out);
    return 0;
}
