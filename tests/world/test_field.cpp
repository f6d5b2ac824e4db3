#include <gtest/gtest.h>

#include "content/map_writer.h"
#include "content/object_set_writer.h"
#include "content/tile_set_writer.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "world/field.h"
#include "world/object_set.h"
#include "formats/formats.h"
#include "world/map_objects.h"
#include "world/tile_set.h"
#include "world_fixtures.h"

namespace {

using namespace worldtest;

constexpr uint32_t kBlack = 0xFF000000u;

// A distinct opaque grey per tile.
uint32_t tileColour(int t) { return 0xFF000000u | uint32_t(t + 1) * 0x010101u * 9u; }

velk::MapSource sampleMap(int columns, int rows, int setNumber) {
    velk::MapSource map;
    map.columns = columns;
    map.rows = rows;
    map.setNumber = setNumber;
    for (int i = 0; i < 16 * columns * rows; ++i) map.terrain.push_back(i % 11);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            map.tiles.push_back(velk::tileCell(uint32_t(c % 4), uint32_t(r % 3)));
    map.placements = {{40, 64, 0}, {-8, 500, 1}};
    return map;
}

class FieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(device.init(nullptr, 800, 600, true));
        writeTileSet(0, 4);
        writeObjectSet(0);
    }

    void writeTileSet(int number, int count) {
        velk::TileSetSource src;
        for (int t = 0; t < count; ++t) src.tiles.push_back(solid(32, 32, tileColour(t)));
        dir.write(velk::tileSetFileName(number), velk::encodeTileSet(src));
    }
    void writeObjectSet(int number) {
        velk::ObjectSetSource src;
        src.kinds = {{{{0, 0, 0}}, 0, 0}, {{{1, 0, 0}, {2, 0, 0}}, 0, 0}};
        src.images = {{4, 6, solid(4, 6, 0xFFAA0000u)},
                      {3, 3, solid(3, 3, 0xFF00AA00u)},
                      {3, 3, solid(3, 3, 0xFF0000AAu)}};
        dir.write(velk::objectSetFileName(number), velk::encodeObjectSet(src));
    }
    int load(int mapNumber, const velk::MapSource& map) {
        dir.write(velk::mapFileName(mapNumber), velk::encodeMap(map));
        field.mapNumber = mapNumber;
        return field.loadMap();
    }
    uint32_t pixel(int x, int y) const { return device.backBuffer()[y * 800 + x]; }

    velk::TempDir dir;
    CDirect3D device;
    CMapObjects mapObjects{&device};
    CTileSet& tiles = *mapObjects.tileSet;
    CObjectSet& objects = *mapObjects.objectSet;
    CField& field = *mapObjects.field;
};

TEST_F(FieldTest, MapRoundTripFillsGridsSetsAndTextures) {
    const velk::MapSource map = sampleMap(30, 20, 0);
    ASSERT_EQ(load(3, map), 1);

    EXPECT_EQ(field.mapData.columns, 30);
    EXPECT_EQ(field.mapData.rows, 20);
    for (int r = 0; r < 80; ++r)
        for (int c = 0; c < 120; ++c)
            ASSERT_EQ(field.terrain(c, r), map.terrain[size_t(r) * 120 + size_t(c)])
                << c << "," << r;
    for (int r = 0; r < 20; ++r)
        for (int c = 0; c < 30; ++c) {
            ASSERT_EQ(field.lowerTile(c, r), c % 4);
            ASSERT_EQ(field.upperTile(c, r), r % 3);
        }
    EXPECT_EQ(objects.setNumber, 0);
    ASSERT_EQ(objects.placementCount(), 2);
    EXPECT_EQ(objects.placements[1].x, -8);
    EXPECT_EQ(objects.placements[1].y, 500);
    EXPECT_EQ(objects.placements[1].kind, 1);
    EXPECT_EQ(objects.kindCount(), 2);

    ASSERT_EQ(field.tileTextures.size(), 4u);
    for (int t = 0; t < 4; ++t) {
        ASSERT_TRUE(field.tileTextures[size_t(t)]);
        EXPECT_EQ(field.tileTextures[size_t(t)]->texel(31, 31), tileColour(t));
    }
    ASSERT_EQ(field.objectTextures.size(), 3u);
    EXPECT_EQ(field.objectTextures[0]->width(), 4u);
    EXPECT_EQ(field.objectTextures[0]->height(), 6u);
}

// The writer must lay the file out exactly as the game reads it: terrain
// before tiles, placements as y, kind, x.
TEST(MapFile, WriterLaysOutTheFormat) {
    velk::MapSource map;
    map.columns = 2;
    map.rows = 1;
    map.terrain.assign(32, 0);
    map.terrain[0] = 7;
    map.tiles = {velk::tileCell(5, 6), 0};
    map.setNumber = 9;
    map.placements = {{11, 22, 33}};
    const std::string f = velk::encodeMap(map);
    auto at = [&](size_t off) {
        return int32_t(uint8_t(f[off]) | uint8_t(f[off + 1]) << 8 | uint8_t(f[off + 2]) << 16 |
                       uint32_t(uint8_t(f[off + 3])) << 24);
    };
    const size_t wh = 2;
    ASSERT_EQ(f.size(), 51 + 68 * wh + 12);
    EXPECT_EQ(f.substr(0, 27), velk::mapSignature());
    EXPECT_EQ(at(27), 5421);
    EXPECT_EQ(at(31), 9867);
    EXPECT_EQ(at(35), 1);  // rows first
    EXPECT_EQ(at(39), 2);
    EXPECT_EQ(at(43), 7);
    EXPECT_EQ(uint32_t(at(43 + 64 * wh)), 5u | 6u << 20);
    EXPECT_EQ(at(43 + 68 * wh), 9);
    EXPECT_EQ(at(47 + 68 * wh), 1);
    EXPECT_EQ(at(51 + 68 * wh), 22);  // y
    EXPECT_EQ(at(55 + 68 * wh), 33);  // kind
    EXPECT_EQ(at(59 + 68 * wh), 11);  // x
}

TEST_F(FieldTest, BadMapIsRefusedBeforeTheCurrentMapIsReleased) {
    ASSERT_EQ(load(1, sampleMap(30, 20, 0)), 1);
    const std::string good = velk::encodeMap(sampleMap(8, 4, 0));

    std::vector<std::pair<std::string, std::string>> cases;
    for (size_t i = 0; i < 27; ++i) {
        std::string s = good;
        s[i] = char(s[i] + 1);
        cases.push_back({"signature byte " + std::to_string(i), s});
    }
    auto patched = [&](size_t at, int32_t v) {
        std::string s = good;
        putI32(s, at, v);
        return s;
    };
    cases.push_back({"first magic", patched(27, 5420)});
    cases.push_back({"second magic", patched(31, -9867)});
    cases.push_back({"negative rows", patched(35, -1)});
    cases.push_back({"columns beyond any map", patched(39, 1 << 20)});
    cases.push_back({"more rows than stored", patched(35, 5)});
    cases.push_back({"negative placement count", patched(47 + 68 * 32, -1)});
    cases.push_back({"placements past the end", patched(47 + 68 * 32, 3)});
    cases.push_back({"no placement count", good.substr(0, 47 + 68 * 32)});
    cases.push_back({"short signature", good.substr(0, 20)});

    std::vector<std::string> reported;
    velk::setBadFileListener([&](const std::string& name, const std::string&) {
        reported.push_back(name);
    });
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        dir.write(velk::mapFileName(2), bytes);
        field.mapNumber = 2;
        reported.clear();
        EXPECT_EQ(field.loadMap(), 0);
        EXPECT_EQ(reported, std::vector<std::string>{"maps/map_2.mmf"});
        EXPECT_EQ(field.mapData.columns, 30);
        EXPECT_EQ(field.terrain(119, 79), (80 * 120 - 1) % 11);
        EXPECT_EQ(objects.placementCount(), 2);
        ASSERT_EQ(field.tileTextures.size(), 4u);
        EXPECT_TRUE(field.tileTextures[3]);
        EXPECT_TRUE(field.objectTextures[2]);
    }
    velk::setBadFileListener({});
    field.mapNumber = 99;
    EXPECT_EQ(field.loadMap(), 0);  // missing
    EXPECT_TRUE(field.tileTextures[0]);
}

TEST_F(FieldTest, EmptyMapsLoadAndDrawNothing) {
    for (auto [columns, rows] : {std::pair{0, 5}, std::pair{6, 0}}) {
        SCOPED_TRACE(columns);
        velk::MapSource map = sampleMap(columns, rows, 0);
        ASSERT_EQ(load(4, map), 1);
        device.clear(kBlack);
        field.drawLowerTiles();
        field.drawUpperTiles();
        for (int y = 0; y < 600; y += 50)
            for (int x = 0; x < 800; x += 50) ASSERT_EQ(pixel(x, y), kBlack);
        EXPECT_EQ(field.terrain(0, 0), -1);
        EXPECT_EQ(field.lowerTile(0, 0), -1);
    }
}

TEST_F(FieldTest, TilesOutsideTheSetDrawNothing) {
    CMapData fresh;
    fresh.allocate(3, 2);
    EXPECT_EQ(fresh.tileCell(2, 1), 999u);
    EXPECT_EQ(fresh.terrainCode(11, 7), 0);

    // Cells: lower 999 (fresh), lower past the set, upper past the set, upper 0 over tile 1.
    velk::MapSource map = sampleMap(4, 1, 0);
    map.tiles = {velk::tileCell(999), velk::tileCell(4), velk::tileCell(0xFFF, 4),
                 velk::tileCell(1, 0)};
    ASSERT_EQ(load(5, map), 1);
    device.clear(kBlack);
    field.drawLowerTiles();
    field.drawUpperTiles();
    EXPECT_EQ(pixel(5, 5), kBlack);
    EXPECT_EQ(pixel(37, 5), kBlack);
    EXPECT_EQ(pixel(69, 5), kBlack);
    EXPECT_EQ(pixel(101, 5), tileColour(1));
}

// A map whose tile set is missing fails to load as a whole: the map that
// was there stays, grids, set and textures (no map without ground).
TEST_F(FieldTest, MissingTileSetLeavesTheMapThatWasThere) {
    ASSERT_EQ(load(1, sampleMap(30, 20, 0)), 1);
    const int32_t terrain = field.terrain(0, 0);
    const size_t textures = field.tileTextures.size();
    velk::MapSource other = sampleMap(28, 21, 5);  // no set 5
    other.terrain[0] = 9;
    EXPECT_EQ(load(2, other), 0);
    EXPECT_EQ(field.mapData.columns, 30);
    EXPECT_EQ(field.terrain(0, 0), terrain);
    EXPECT_EQ(field.tileTextures.size(), textures);
    for (const auto& t : field.tileTextures) EXPECT_TRUE(t);
}

TEST_F(FieldTest, MissingObjectSetOnlyCostsTheDecorations) {
    writeTileSet(6, 2);
    ASSERT_EQ(load(1, sampleMap(30, 20, 0)), 1);
    ASSERT_EQ(load(2, sampleMap(30, 20, 6)), 1);
    EXPECT_EQ(field.tileTextures.size(), 2u);
    EXPECT_TRUE(field.objectTextures.empty());
    EXPECT_EQ(objects.kindCount(), 0);
    EXPECT_EQ(objects.placementCount(), 2);
    device.clear(kBlack);
    field.drawObject(10, 10, 0, 0);
    EXPECT_EQ(pixel(10, 10), kBlack);
}

TEST_F(FieldTest, CameraFollowsOnlyInsideItsBounds) {
    // 40 x 30 tiles: columns 52 .. 108 and rows 40 .. 80 follow.
    ASSERT_EQ(load(1, sampleMap(40, 30, 0)), 1);
    enum Move { kLeft, kRight, kUp, kDown };
    struct Case {
        Move move;
        int32_t cellBefore;  // the player's cell before the step of 8
        bool follows;
    };
    const Case cases[] = {
        {kLeft, 51, false}, {kLeft, 52, true},  {kLeft, 108, true}, {kLeft, 109, false},
        {kRight, 50, false}, {kRight, 51, true}, {kRight, 107, true}, {kRight, 108, false},
        {kUp, 40, false},   {kUp, 41, true},    {kUp, 81, true},    {kUp, 82, false},
        {kDown, 39, false}, {kDown, 40, true},  {kDown, 80, true},  {kDown, 81, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "move " << c.move << " from cell " << c.cellBefore);
        int32_t pos = c.cellBefore * 8 + 3;
        const bool horizontal = c.move == kLeft || c.move == kRight;
        field.camera.place(437, 301, horizontal ? pos : 0, horizontal ? 0 : pos);
        field.camera.lastScroll = -1;
        bool followed = false;
        switch (c.move) {
        case kLeft: followed = field.camera.scrollLeft(8, pos); break;
        case kRight: followed = field.camera.scrollRight(8, pos); break;
        case kUp: followed = field.camera.scrollUp(8, pos); break;
        case kDown: followed = field.camera.scrollDown(8, pos); break;
        }
        const int32_t sign = (c.move == kLeft || c.move == kUp) ? -1 : 1;
        EXPECT_EQ(followed, c.follows);
        EXPECT_EQ(pos, c.cellBefore * 8 + 3 + sign * 8);
        const int32_t cam = (horizontal ? 437 : 301) + (c.follows ? sign * 8 : 0);
        if (horizontal) {
            EXPECT_EQ(field.camera.playerCellX, c.cellBefore + sign);
            EXPECT_EQ(field.camera.x, cam);
            EXPECT_EQ(field.camera.col, cam / 32);
            EXPECT_EQ(field.camera.fineX, cam % 32);
            EXPECT_EQ(field.camera.lastScroll, c.follows ? (sign > 0 ? 1 : 0) : -1);
        } else {
            EXPECT_EQ(field.camera.playerCellY, c.cellBefore + sign);
            EXPECT_EQ(field.camera.y, cam);
            EXPECT_EQ(field.camera.row, cam / 32);
            EXPECT_EQ(field.camera.fineY, cam % 32);
        }
    }
}

TEST_F(FieldTest, TerrainOutsideTheGridIsMinusOne) {
    ASSERT_EQ(load(1, sampleMap(30, 20, 0)), 1);
    EXPECT_EQ(field.terrain(120, 0), -1);
    EXPECT_EQ(field.terrain(0, 80), -1);
    EXPECT_EQ(field.terrain(-1, 0), -1);
    EXPECT_EQ(field.terrain(0, -1), -1);
    EXPECT_EQ(field.terrain(119, 79), (80 * 120 - 1) % 11);
    EXPECT_EQ(field.upperTile(30, 0), 0);
    EXPECT_EQ(field.lowerTile(0, 20), -1);
}

TEST_F(FieldTest, TileLayersFollowTheFineOffsets) {
    // Lower tile = column % 4; upper tile 2 on row 1 only.
    velk::MapSource map = sampleMap(30, 20, 0);
    for (int c = 0; c < 30; ++c) map.tiles[30 + size_t(c)] = velk::tileCell(uint32_t(c % 4), 2);
    for (int c = 0; c < 30; ++c) map.tiles[size_t(c)] = velk::tileCell(uint32_t(c % 4), 0);
    ASSERT_EQ(load(1, map), 1);

    field.camera.place(0, 0, 0, 0);
    device.clear(kBlack);
    field.drawLowerTiles();
    field.drawUpperTiles();
    EXPECT_EQ(pixel(0, 0), tileColour(0));
    EXPECT_EQ(pixel(32, 0), tileColour(1));
    EXPECT_EQ(pixel(799, 0), tileColour(24 % 4));
    EXPECT_EQ(pixel(0, 32), tileColour(2));  // the upper layer covers the lower

    field.camera.place(37, 0, 0, 0);  // column 1 starts at x = -5
    device.clear(kBlack);
    field.drawLowerTiles();
    EXPECT_EQ(pixel(0, 0), tileColour(1));
    EXPECT_EQ(pixel(26, 0), tileColour(1));
    EXPECT_EQ(pixel(27, 0), tileColour(2));
}

TEST_F(FieldTest, ObjectsDrawTheirCurrentFrame) {
    ASSERT_EQ(load(1, sampleMap(30, 20, 0)), 1);
    device.clear(kBlack);
    field.drawObject(100, 50, 0, 0);
    EXPECT_EQ(pixel(100, 50), 0xFFAA0000u);
    EXPECT_EQ(pixel(103, 55), 0xFFAA0000u);
    EXPECT_EQ(pixel(104, 50), kBlack);
    // Kind 1 turns from image 1 to image 2 on its fifth drawing.
    for (int i = 0; i < 4; ++i) field.drawObject(200, 50, 1, 1);
    EXPECT_EQ(pixel(200, 50), 0xFF00AA00u);
    field.drawObject(200, 50, 1, 1);
    EXPECT_EQ(pixel(200, 50), 0xFF0000AAu);
}

TEST(Field, MapChangesMoveTheMapNumbers) {
    struct Case {
        int state;
        int32_t map;
        int8_t step;
        int32_t wantMap;
        int8_t wantStep;
        int32_t wantSide;
    };
    const Case cases[] = {
        {600, 10, 0, 11, 0, 0}, {700, 10, 0, 9, 0, 1},  {800, 12, 0, 0, 0, 0},
        {600, 1, 1, 1, 2, 0},   {600, 1, 2, 2, 3, 0},   {600, 2, 3, 2, 4, 0},
        {800, 17, 3, 15, 0, 0}, {800, 2, 2, 1, 0, 0},   {600, 5, 127, 5, -128, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.state << " map " << c.map << " step " << int(c.step));
        CField field(nullptr);
        field.mapNumber = c.map;
        field.quest.step = c.step;
        field.entrySide = 1 - c.wantSide;
        field.changeMapNumbers(c.state);
        EXPECT_EQ(field.mapNumber, c.wantMap);
        EXPECT_EQ(field.quest.step, c.wantStep);
        EXPECT_EQ(field.entrySide, c.wantSide);
    }
}

}  // namespace
