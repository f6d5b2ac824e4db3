#pragma once
// A small, complete content tree written with the content writers, and a way
// to run velk-pack's commands in-process.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "formats/save_file.h"
#include "formats/sprite_format.h"
#include "content/enemy_file_writer.h"
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

// Frame 0 has a body box, the others an attack box too; row 0 plays frame
// 0, the others frames 0 and 1. Drawn 24 pixels above the foot point.
inline std::string spriteSetFile(int rows = 2, int frames = 2) {
    velk::SpriteSetSource set;
    set.frames.push_back({16, 24, solid(16, 24, 0xFFE0C090u), {{0, 0, 16, 24}}, {}});
    for (int f = 1; f < frames; ++f)
        set.frames.push_back(
            {16, 24, solid(16, 24, 0xFFE0C090u), {{0, 0, 16, 24}, {16, 4, 28, 12}}, {}});
    set.rows = {{{0, 0, -24}}};
    set.delays = {1};
    for (int r = 1; r < rows; ++r) {
        set.rows.push_back({{0, 0, -24}, {1, 0, -24}});
        set.delays.push_back(3);
    }
    return velk::encodeSpriteSet(set);
}

inline void writeSpriteSet(const velk::TempDir& dir, int number, int rows, int frames = 2) {
    std::vector<int32_t> delays(size_t(rows), 3);
    delays[0] = 1;
    dir.write(velk::spriteSetFileName(number), spriteSetFile(rows, frames));
    dir.write(velk::spriteDelayFileName(number), velk::spriteDelayText(delays));
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

// The creatures and people of a small world over writeContentTree's maps.
// Map 0 is the town: NPC 0 (talk 30) talks, NPC 1 (talk 40) gives the quest
// run of maps 1 and 2, then 100 aru. Map 1 holds a walker and a floater on
// the ground, map 2 the boss. Feet stand on the top of row kGroundRow.
constexpr int kFeetY = 32 * kGroundRow;
constexpr int kNpcSet = 1000, kMonsterSet = 7, kBossSet = 8, kShotSet = 1003;
constexpr int kWalkerX = 200, kFloaterX = 400, kBossX = 400;
constexpr int kNpcX[] = {100, 300};  // as the talks below place them
constexpr const char* kWorldTalks = R"(
map 0
npc 30 look 0 at 100 576
npc 40 look 1 at 300 576
talk 30
  text
    hello
  end
talk 40
  buttons choose
  action quest 1
  text
    the boss waits two maps on
  end
talk 40 state 1
  buttons choose
  action reward
  reward aru 100
  text
    thanks
  end
talk 40 state 2
  text
    thanks again
  end
)";

inline std::vector<MonsterRecord> worldMonsters() {
    MonsterRecord walker;
    walker.spriteSet = kMonsterSet;
    walker.speed = 2;
    walker.hp = 10;
    walker.respawnDelay = 100;
    walker.x = kWalkerX;
    walker.y = kFeetY;
    MonsterRecord floater = walker;
    floater.kind = 1;
    floater.x = kFloaterX;
    floater.y = kFeetY - 8;  // hovers a cell above the ground
    return {walker, floater};
}

inline BossRecord worldBoss() {
    BossRecord boss;
    boss.spriteSet = kBossSet;
    boss.hp = 50;
    boss.speed = 3;
    boss.x = kBossX;
    boss.y = kFeetY;
    return boss;
}

// Map 2 with its boss, and the boss's and its shots' sprite sets: the end
// of a quest run given on map 0.
inline void writeBossMap(const velk::TempDir& dir) {
    writeMapFiles(dir, 2);
    writeSpriteSet(dir, kBossSet, 10);
    writeSpriteSet(dir, kShotSet, 2);
    dir.write(velk::bossFileName(2), velk::bossFileText(worldBoss()));
}

// Returns false, with the reason in `error`, when the talks do not compile.
inline bool writeWorld(const velk::TempDir& dir, std::string& error) {
    writeContentTree(dir);
    writeBossMap(dir);
    writeSpriteSet(dir, kNpcSet, 2);
    writeSpriteSet(dir, kMonsterSet, 7);
    dir.write(velk::monsterFileName(1), velk::monsterFileText(worldMonsters()));
    dir.write("town.txt", kWorldTalks);
    const PackResult r = pack({"talk", "-o", dir.path(), dir.path() + "/town.txt"});
    error = r.err;
    return r.code == 0;
}

}  // namespace packtest
