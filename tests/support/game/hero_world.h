#pragma once
// A world to drive the hero in: a small map built cell by cell, a hero
// sprite set with every row the hero uses, a new-game record, the play
// objects built through CGameObjects, and one call per played frame.

#include <memory>
#include <string>
#include <vector>

#include "game/game_objects.h"
#include "game/world.h"
#include "formats/save_file.h"
#include "content/map_writer.h"
#include "support/game_fixture.h"

namespace velk {

// Terrain of a test map, in 8-pixel cells; 40 x 30 tiles unless told.
struct HeroMap {
    explicit HeroMap(int tileColumns = 40, int tileRows = 30);
    int cellColumns() const { return 4 * columns; }
    int cellRows() const { return 4 * rows; }
    void set(int col, int row, int code);
    // Every cell of the rectangle, both corners included.
    void fill(int col0, int row0, int col1, int row1, int code);

    int columns;
    int rows;
    std::vector<int32_t> terrain;
    std::vector<MapPlacementSource> placements;
};

// The cell row the hero stands in at the default start.
constexpr int kGroundRow = 80;
// Ground from `groundRow` down, across the whole map.
HeroMap flatMap(int groundRow = kGroundRow);

// Where the hero and the camera start.
struct HeroStart {
    int tileColumn = 5;
    int tileRow = 20;  // the hero's feet stand in the top cell row of this tile row
    int camX = 0;
    int camY = 240;
    int lockedScreenY = 400;
};

class HeroWorldTest : public HeadlessFixture {
protected:
    // Sprite rows, each showing frame 0 (body only) or 1 (body and attack
    // box), 16 x 32 pixels with the feet at the hero's position.
    static constexpr int kRowCount = 41;
    static constexpr int kDyingSteps = 3;
    static constexpr int kRopeSteps = 3;
    static constexpr int kAttackSteps = 4;

    void SetUp() override;
    void TearDown() override;

    // Writes the map as map `mapNumber` with its start position.
    void writeMap(const HeroMap& map, const HeroStart& start = {}, int mapNumber = 0);
    // Writes map 0 and makes new play objects on it: a new game, no keys
    // held.
    void startWorld(const HeroMap& map, const HeroStart& start = {});
    // Moves the hero to a cell and the camera with it (no follow).
    void putHero(int cellX, int cellY);

    void releaseWorld();
    void hold(int key, bool down = true) { backend.setKey(key, down); }
    void releaseAll();
    // One input poll as a paced frame would run it.
    void poll() { g_input->poll(); }
    // One played frame: input poll, the world's pass, then the windows.
    void frame();
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }

    long soundCount(const std::string& name) const;
    CPlayer& hero() { return *world->player; }
    int cellX() { return hero().x / 8; }
    int cellY() { return hero().y / 8; }

    std::unique_ptr<CGameObjects> objects;
    CWorld* world = nullptr;
    SaveRecord newGame;
};

}  // namespace velk
