#pragma once
// A small, complete content tree written with the content writers, and a way
// to run velk-pack's commands in-process.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "formats/save_file.h"
#include "formats/sprite_format.h"
#include "content/map_writer.h"
#include "content/object_set_writer.h"
#include "content/pic_writer.h"
#include "content/save_writer.h"
#include "content/sprite_set_writer.h"
#include "content/stage_writer.h"
#include "content/tile_set_writer.h"
#include "lib/pack_tool.h"
#include "support/temp_dir.h"
#include "formats/formats.h"
#include "formats/map_position.h"
#include "formats/stage_file.h"

namespace packtest {

struct PackResult {
    int code = -1;
    std::string out;
    std::string err;
};

inline PackResult pack(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    PackResult r;
    r.code = velk::pack::runPack(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

inline std::vector<uint32_t> solid(uint32_t w, uint32_t h, uint32_t argb) {
    return std::vector<uint32_t>(size_t(w) * h, argb);
}

// Map 0 is larger than one 800 x 600 screen in both directions, so a render
// crosses the seams between screens.
constexpr int kColumns = 30;
constexpr int kRows = 22;
constexpr int kGroundRow = 18;                 // rows from here down are ground
constexpr uint32_t kSky = 0xFF3060C0u;         // the stage background, stretched behind the map
constexpr uint32_t kGround = 0xFF604020u;      // tile 1
constexpr uint32_t kMarkTop = 0xFFFF0000u;     // tile 2: top half red ...
constexpr uint32_t kMarkBottom = 0xFF0000FFu;  // ... bottom half blue
constexpr uint32_t kUpper = 0xFFFFFF00u;       // tile 3: right half yellow, left half clear
constexpr uint32_t kObject = 0xFF00FF00u;      // object image 0, 8 x 6
constexpr int kMarkCol = 27, kMarkRow = 20;    // tile 2 sits here (second screen both ways)
constexpr int kUpperCol = 5, kUpperRow = 19;   // tile 3 over ground
constexpr int kObjectX = 796, kObjectY = 500;  // straddles the first vertical seam

inline std::string tileSetFile() {
    velk::TileSetSource set;
    set.tiles.push_back(solid(32, 32, 0xFF101010u));
    set.tiles.push_back(solid(32, 32, kGround));
    std::vector<uint32_t> mark(32 * 32);
    for (int i = 0; i < 32 * 32; ++i) mark[size_t(i)] = i < 16 * 32 ? kMarkTop : kMarkBottom;
    set.tiles.push_back(mark);
    std::vector<uint32_t> upper(32 * 32);
    for (int i = 0; i < 32 * 32; ++i) upper[size_t(i)] = (i % 32) < 16 ? 0x00000000u : kUpper;
    set.tiles.push_back(upper);
    return velk::encodeTileSet(set);
}

inline std::string objectSetFile() {
    velk::ObjectSetSource set;
    set.kinds = {{{{0, 0, 0}}, 0, 0}, {{{1, 0, 0}, {0, 0, 0}}, 0, 0}};
    set.images = {{8, 6, solid(8, 6, kObject)}, {4, 4, solid(4, 4, 0xFFFF00FFu)}};
    return velk::encodeObjectSet(set);
}

// Ground from kGroundRow down; a forward exit on map 0's right edge, a back
// exit on map 1's left edge.
inline velk::MapSource mapSource(int number) {
    velk::MapSource map;
    map.columns = number == 0 ? kColumns : 26;
    map.rows = number == 0 ? kRows : 20;
    map.setNumber = 0;
    const int tc = 4 * map.columns;
    for (int r = 0; r < 4 * map.rows; ++r)
        for (int c = 0; c < tc; ++c) {
            int code = r >= 4 * kGroundRow ? 1 : 0;
            if (r == 4 * kGroundRow - 1 && c == (number == 0 ? tc - 1 : 0))
                code = number == 0 ? 7 : 6;
            map.terrain.push_back(code);
        }
    for (int r = 0; r < map.rows; ++r)
        for (int c = 0; c < map.columns; ++c) {
            uint32_t cell = velk::tileCell(r >= kGroundRow ? 1 : 999);
            if (number == 0 && c == kMarkCol && r == kMarkRow) cell = velk::tileCell(2);
            if (number == 0 && c == kUpperCol && r == kUpperRow) cell = velk::tileCell(1, 3);
            map.tiles.push_back(cell);
        }
    map.placements = {{kObjectX, kObjectY, 0}, {64, 520, 1}, {300, 540, 0}};
    return map;
}

inline std::string spriteSetFile() {
    velk::SpriteSetSource set;
    set.frames.push_back({16, 24, solid(16, 24, 0xFFE0C090u), {{0, 0, 16, 24}}, {}});
    set.frames.push_back(
        {16, 24, solid(16, 24, 0xFFE0C090u), {{0, 0, 16, 24}, {16, 4, 28, 12}}, {}});
    set.rows = {{{0, 0, -24}}, {{0, 0, -24}, {1, 0, -24}}};
    set.delays = {1, 3};
    return velk::encodeSpriteSet(set);
}

inline void writeMapFiles(const velk::TempDir& dir, int number) {
    dir.write(velk::mapFileName(number), velk::encodeMap(mapSource(number)));
    StageFile stage;
    stage.background = "pic/stage/sky.pic";
    stage.layers = {{1, 1, -100, 800}};
    stage.items = {{{100, 40, 1}}};
    stage.layerPictures = {"pic/stage/cloud.pic"};
    dir.write(velk::stageFileName(number), velk::stageText(stage));
    for (int side = 0; side <= 1; ++side) {
        MapPosition p;
        p.column = side == 0 ? 3 : 20;
        p.row = kGroundRow - 1;
        p.lockedScreenY = 400;
        dir.write(velk::mapPositionFileName(number, side), velk::mapPositionText(p));
    }
    dir.write("txt/minimap/" + std::to_string(number) + ".txt", "field" + std::to_string(number));
}

// Two maps with everything they name, the hero's sprite set, pictures, the
// cursor and the new-game file.
inline void writeContentTree(const velk::TempDir& dir) {
    dir.write(velk::tileSetFileName(0), tileSetFile());
    dir.write(velk::objectSetFileName(0), objectSetFile());
    writeMapFiles(dir, 0);
    writeMapFiles(dir, 1);
    dir.write("pic/stage/sky.pic", velk::encodePicture(4, 4, solid(4, 4, kSky).data()));
    dir.write("pic/stage/cloud.pic", velk::encodePicture(8, 4, solid(8, 4, 0x80FFFFFFu).data()));
    dir.write("pic/title.pic", velk::encodePicture(8, 8, solid(8, 8, 0xFF000000u).data()));
    dir.write("cursor/akman.cur", velk::encodePicture(4, 4, solid(4, 4, 0xFFFFFFFFu).data()));
    dir.write(velk::spriteSetFileName(0), spriteSetFile());
    dir.write(velk::spriteDelayFileName(0), velk::spriteDelayText({1, 3}));
    SaveRecord hero;
    hero.level = 1;
    hero.hpStat = hero.mpStat = 5;
    dir.write(velk::kNewGameFileName, velk::newGameFileText(hero));
}

}  // namespace packtest
