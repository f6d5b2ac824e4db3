// The generated demo world loads with the game's own loaders: every map
// with its sets, stage and start positions, the hero's sprite set, the
// new-game file.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "formats/save_file.h"
#include "world/sprite_set.h"
#include "platform/cp949.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "world/field.h"
#include "formats/map_position.h"
#include "world/object_set.h"
#include "world/stage.h"
#include "world/map_objects.h"
#include "world/tile_set.h"

namespace {

const int kMaps[] = {0, 1, 2, 9, 10, 11, 12};

class DemoWorld : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(device.init(nullptr, 800, 600, true)); }
    void TearDown() override { velk::setDataDirectory(previous_); }

    // The demo world is the data directory before the map objects are made.
    static std::string useDemoWorld() {
        std::string previous = velk::dataDirectory();
        velk::setDataDirectory(std::string(VELK_BINARY_DIR) + "/data");
        return previous;
    }

    std::string previous_ = useDemoWorld();
    CDirect3D device;
    CMapObjects mapObjects{&device};
    CTileSet& tiles = *mapObjects.tileSet;
    CObjectSet& objects = *mapObjects.objectSet;
    CField& field = *mapObjects.field;
};

// What the hero's standing test accepts under its feet.
bool standable(int32_t code) { return code != 0 && code != 3 && code < 9; }

TEST_F(DemoWorld, EveryMapLoadsWithItsSetsStageAndStandableStarts) {
    for (int map : kMaps) {
        SCOPED_TRACE("map " + std::to_string(map));
        field.mapNumber = map;
        ASSERT_EQ(field.loadMap(), 1);
        EXPECT_GT(field.mapData.columns, 26);
        EXPECT_GT(field.mapData.rows, 19);
        EXPECT_GT(tiles.tileCount(), 0);
        EXPECT_EQ(tiles.tileWidth, 32);
        EXPECT_GT(objects.kindCount(), 0);
        for (const ObjectPlacement& p : objects.placements) EXPECT_LT(p.kind, objects.kindCount());
        // Every cell's lower tile is drawn or deliberately empty, and no
        // upper tile points past the set.
        for (int r = 0; r < field.mapData.rows; ++r)
            for (int c = 0; c < field.mapData.columns; ++c)
                EXPECT_LE(field.upperTile(c, r), tiles.lastTileIndex);

        CStage stage;
        EXPECT_EQ(stage.init(&device, map), 1);
        EXPECT_EQ(stage.layerCount, int32_t(stage.layers.size()));
        bool modes[4] = {};
        for (const StageLayer& layer : stage.layers) modes[layer.mode & 3] = true;
        EXPECT_TRUE(modes[1] && modes[2] && modes[3]) << "drifting, parallax and fixed layers";
        for (const auto& picture : stage.layerPictures) EXPECT_FALSE(picture->pixels.empty());

        for (int side = 0; side < 2; ++side) {
            MapPosition pos;
            ASSERT_TRUE(velk::loadMapPosition(map, side, pos)) << "side " << side;
            const int32_t x = 32 * pos.column, y = 32 * pos.row;
            EXPECT_TRUE(standable(field.terrain(x / 8, y / 8))) << "side " << side;
            // Not on an exit, and the camera where its scroll rules would keep it.
            EXPECT_LT(field.terrain(x / 8, y / 8), 6);
            EXPECT_EQ(pos.camX, std::clamp(x - 408, 0, 32 * field.mapData.columns - 824));
            EXPECT_EQ(pos.camY, std::clamp(y - 320, 0, 32 * field.mapData.rows - 632));
        }

        std::vector<uint8_t> name;
        ASSERT_TRUE(velk::readDataFile("txt/minimap/" + std::to_string(map) + ".txt", name));
        const std::string word(name.begin(), name.end() - 1);
        EXPECT_LE(word.size(), 14u);
        EXPECT_EQ(word.find_first_of(" \n"), std::string::npos);
    }
}

// A hero who climbs a ladder stands at its top centred on the tile, its feet
// in the highest ladder cell; Up and Down let go, and a step aside must land
// on ground: two to four cells to one side hold the ground's surface, the
// same test that names the keys in a notice there.
TEST_F(DemoWorld, EveryLadderTopHasGroundBesideIt) {
    int ladders = 0;
    for (int map : {0, 1, 2, 9, 10, 11, 12, 20, 21, 22}) {
        field.mapNumber = map;
        ASSERT_EQ(field.loadMap(), 1) << "map " << map;
        for (int r = 1; r < 4 * field.mapData.rows; ++r)
            for (int c = 2; c < 4 * field.mapData.columns; c += 4) {
                if (field.terrain(c, r) != kTerrainLadder || field.terrain(c, r - 1) == kTerrainLadder) continue;
                ++ladders;
                bool ground = false;
                for (int side : {-1, 1})
                    for (int step = 2; step <= 4; ++step) ground |= field.terrain(c + side * step, r) == kTerrainGround;
                EXPECT_TRUE(ground) << "map " << map << ": the ladder's top at cell " << c << ", " << r;
            }
    }
    EXPECT_GT(ladders, 3);
}

// Map 10 (day) and map 2 (night) share the forest theme; the night map's
// tiles and objects are drawn in its dim light, not in daylight colours.
TEST_F(DemoWorld, NightMapsAreDrawnInTheirStagesLight) {
    auto brightness = [&](int map, double& tileSum, double& objectSum) {
        field.mapNumber = map;
        ASSERT_EQ(field.loadMap(), 1);
        auto add = [](const std::vector<uint32_t>& px, double& sum) {
            for (uint32_t c : px) sum += double((c >> 16 & 0xFF) + (c >> 8 & 0xFF) + (c & 0xFF));
        };
        tileSum = objectSum = 0;
        for (const auto& tile : tiles.pixels) add(tile, tileSum);
        for (const ObjectImage& image : objects.images) add(image.pixels, objectSum);
    };
    double dayTiles, dayObjects, nightTiles, nightObjects;
    brightness(10, dayTiles, dayObjects);
    brightness(2, nightTiles, nightObjects);
    EXPECT_LT(nightTiles, 0.75 * dayTiles);
    EXPECT_LT(nightObjects, 0.75 * dayObjects);
}

TEST_F(DemoWorld, HeroSpriteSetHasEveryRowWithBoxesAndFeetAtThePosition) {
    CSpriteSet hero;
    ASSERT_EQ(hero.load(0), 1);
    ASSERT_GE(hero.animationCount, 41);
    const std::vector<int> used = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                   18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 30, 31, 32, 33, 34, 35, 40};
    const std::vector<int> striking = {4, 5, 13, 14, 17, 18, 24, 25, 30, 31};
    for (int row : used) {
        SCOPED_TRACE("row " + std::to_string(row));
        const SpriteAnimation* a = hero.animation(row);
        ASSERT_NE(a, nullptr);
        ASSERT_GT(a->stepCount, 0);
        EXPECT_GE(a->delay, 1);
        bool strikes = false;
        for (const AnimationStep& step : a->steps) {
            ASSERT_NE(hero.bodyBox(step.frame), nullptr);
            strikes |= hero.attackBox(step.frame) != nullptr;
            // The frame's bottom edge is the hero's foot point.
            EXPECT_EQ(step.offsetY + int32_t(hero.frameHeights[size_t(step.frame)]), 0);
            EXPECT_EQ(2 * step.offsetX + int32_t(hero.frameWidths[size_t(step.frame)]), 0);
        }
        const bool shouldStrike = std::find(striking.begin(), striking.end(), row) != striking.end();
        EXPECT_EQ(strikes, shouldStrike);
    }
    // The returning shot leaves the hand on step 3, so the throw has more.
    EXPECT_GT(hero.animation(32)->stepCount, 3);
    EXPECT_GT(hero.animation(33)->stepCount, 3);
}

TEST_F(DemoWorld, NewGameIsALevelOneHeroWithFistsABladeAndPotions) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(velk::readDataFile(velk::kNewGameFileName, bytes));
    SaveRecord r;
    std::string error;
    ASSERT_TRUE(velk::parseSaveFile(bytes.data(), bytes.size(), true, r, &error)) << error;
    EXPECT_EQ(r.level, 1);
    EXPECT_EQ(r.slots[velk::kSlotWornWeapon].icon, 6);
    bool blade = false, potions = false;
    for (int s = velk::kSlotWeaponBagFirst; s < velk::kSlotWeaponBagFirst + 10; ++s)
        blade |= r.slots[size_t(s)].icon == 2;
    for (int s = velk::kSlotQuickFirst; s < velk::kSlotQuickFirst + 4; ++s)
        potions |= r.slots[size_t(s)].icon >= 0 && r.slots[size_t(s)].count > 1;
    EXPECT_TRUE(blade);
    EXPECT_TRUE(potions);
    EXPECT_GT(r.aru, 0);
}

}  // namespace
