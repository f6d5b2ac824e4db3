#include "support/game/hero_world.h"

#include <algorithm>
#include <filesystem>

#include "content/save_writer.h"
#include "content/sprite_set_writer.h"
#include "content/stage_writer.h"
#include "content/tile_set_writer.h"
#include "game/window_stack.h"
#include "platform/files.h"
#include "core/effects.h"
#include "core/game_state.h"
#include "platform/input_state.h"
#include "support/mini_world.h"
#include "world/field.h"
#include "world/object_set.h"
#include "world/tile_set.h"

namespace velk {

namespace {

constexpr int kFrameW = 16, kFrameH = 32;

SpriteSetSource heroSprites(int rowCount) {
    SpriteSetSource s;
    SpriteFrameSource body;
    body.width = kFrameW;
    body.height = kFrameH;
    body.pixels.assign(size_t(kFrameW) * kFrameH, 0xFF20C040);
    body.boxes = {{0, 0, kFrameW, kFrameH}};
    SpriteFrameSource strike = body;
    strike.boxes.push_back({kFrameW, 8, kFrameW + 20, 24});
    s.frames = {body, strike};

    const AnimationStep still{0, -kFrameW / 2, -kFrameH};
    const AnimationStep hit{1, -kFrameW / 2, -kFrameH};
    for (int row = 0; row < rowCount; ++row) s.rows.push_back({still, still});
    for (int row : {4, 5, 13, 14, 17, 18, 28, 29, 30, 31, 32, 33})
        s.rows[size_t(row)] = {still, hit, hit, still};
    s.rows[8] = {still, still, still};
    s.rows[40] = {still, still, still};
    s.delays.assign(size_t(rowCount), 1);
    return s;
}

}  // namespace

HeroMap::HeroMap(int tileColumns, int tileRows)
    : columns(tileColumns), rows(tileRows), terrain(size_t(16 * tileColumns * tileRows), 0) {}

void HeroMap::set(int col, int row, int code) {
    terrain[size_t(row) * size_t(cellColumns()) + size_t(col)] = code;
}

void HeroMap::fill(int col0, int row0, int col1, int row1, int code) {
    for (int r = row0; r <= row1; ++r)
        for (int c = col0; c <= col1; ++c) set(c, r, code);
}

HeroMap flatMap(int groundRow) {
    HeroMap map;
    map.fill(0, groundRow, map.cellColumns() - 1, map.cellRows() - 1, kTerrainGround);
    return map;
}

void HeroWorldTest::SetUp() {
    HeadlessFixture::SetUp();
    for (const char* name : {"jump", "userhit", "userdie", "weapon", "sliding", "holkick", "btn", "btn0"})
        writeEffect(std::string("sound/") + name + ".wav");

    const SpriteSetSource sprites = heroSprites(kRowCount);
    dir.write(spriteSetFileName(0), encodeSpriteSet(sprites));
    dir.write(spriteDelayFileName(0), spriteDelayText(sprites.delays));

    TileSetSource tiles;
    tiles.tiles.push_back(std::vector<uint32_t>(32 * 32, 0));
    dir.write("tiles/tile_0.ttl", encodeTileSet(tiles));

    newGame.level = 1;
    newGame.attackStat = newGame.defenceStat = newGame.skillStat = 3;
    newGame.hpStat = 5;  // 50 hit points, 9 regenerated at a time
    newGame.mpStat = 4;  // 40 magic points, 9 at a time
    newGame.slots[velk::kSlotWornWeapon] = {1, kWeaponFist, 0};

}

void HeroWorldTest::TearDown() { releaseWorld(); }

void HeroWorldTest::releaseWorld() {
    world = nullptr;
    objects.reset();
}

void HeroWorldTest::writeMap(const HeroMap& map, const HeroStart& start, int mapNumber) {
    MapSource source;
    source.columns = map.columns;
    source.rows = map.rows;
    source.terrain = map.terrain;
    source.tiles.assign(size_t(map.columns) * map.rows, tileCell(0));
    source.placements = map.placements;
    dir.write("maps/map_" + std::to_string(mapNumber) + ".mmf", encodeMap(source));

    MapPosition position;
    position.camX = start.camX;
    position.camY = start.camY;
    position.column = start.tileColumn;
    position.row = start.tileRow;
    position.lockedScreenY = start.lockedScreenY;
    dir.write(mapPositionFileName(mapNumber, 0), mapPositionText(position));
}

void HeroWorldTest::startWorld(const HeroMap& map, const HeroStart& start) {
    // Every start is a new game on fresh play objects: the last world's
    // save and field are gone.
    releaseWorld();
    std::filesystem::remove(dataPath(kSaveFileName));
    releaseAll();
    backend.setMouse(400, 300);
    backend.setButton(0, false);
    GameState = kStatePlay;

    writeMap(map, start);
    dir.write(kNewGameFileName, newGameFileText(newGame));
    writeMiniItemPack(dir);
    objects = std::make_unique<CGameObjects>(&backend, &device);
    ASSERT_TRUE(objects->create());
    world = objects->world.get();
    // Attacks sound through an effect the game loads later than start-up.
    ASSERT_TRUE(g_soundBank.loadEffect("sound/weapon.wav", &g_effects.weapon));
}

void HeroWorldTest::putHero(int cellX, int cellY) {
    CPlayer& p = hero();
    p.x = 8 * cellX;
    p.y = 8 * cellY;
    g_field->camera.place(g_field->camera.x, g_field->camera.y, p.x, p.y);
    p.cellPhaseX = p.x % 32;
}

void HeroWorldTest::releaseAll() {
    for (int key : {dik::kLeft, dik::kRight, dik::kUp, dik::kDown, dik::kLAlt, dik::kLCtrl,
                    dik::kLShift, dik::kSpace})
        hold(key, false);
}

long HeroWorldTest::soundCount(const std::string& name) const {
    const std::vector<std::string> started = sounds();
    return long(std::count(started.begin(), started.end(), name));
}

void HeroWorldTest::frame() {
    backend.advance(HeadlessBackend::kPassTicks);
    poll();
    device.clear(0xFF000000);
    world->update();
    objects->showSaveFailures();
    objects->windows->update(g_input);
}

}  // namespace velk
