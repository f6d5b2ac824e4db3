#pragma once
// CField: the current map. Owns its grids and the textures of its tile and
// object sets, keeps the camera, draws the two tile layers and placed
// objects, answers terrain queries, and keeps the map-level numbers that
// every map change rewrites.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/picture.h"
#include "platform/texture.h"
#include "world/map_data.h"

class CDirect3D;
struct MapFile;

// One code per 8 x 8 terrain cell; the actors' movement reads them.
enum TerrainCode : int32_t {
    kTerrainOutside = -1,
    kTerrainEmpty = 0,
    kTerrainGround = 1,
    kTerrainCeiling = 2,
    kTerrainLadder = 3,
    kTerrainRope = 4,
    kTerrainHarmful = 5,
    kTerrainExitBack = 6,
    kTerrainExitForward = 7,
    kTerrainWall = 8,
    kTerrainSlopeUp = 9,
    kTerrainSlopeDown = 10,
};

class CField {
public:
    explicit CField(CDirect3D* device);
    ~CField();
    CField(const CField&) = delete;
    CField& operator=(const CField&) = delete;

    // Empty 50 x 50 map data, scroll reset, the player marker picture. 1.
    int init();
    void resetScroll() { fineX = fineY = 0; }

    // Loads "maps/map_<mapNumber>.mmf" with the sets it names (through
    // g_tileSet and g_objectSet) and makes their textures. 1 on success, 0
    // on failure. A file that is missing, is not a map, or is malformed is
    // refused before anything of the current map is released; a tile set
    // that fails afterwards leaves the new grids without textures.
    int loadMap();
    int loadMapFromMemory(const uint8_t* data, size_t size, const char* name);
    // Installs a parsed map: its grids, then the sets it names, then the
    // placements. 0 when the tile set cannot be loaded; the new grids are
    // then in place without textures.
    int installMap(MapFile&& file);

    // Map-number arithmetic of a map change (game state 600 forwards, 700
    // backwards, 800 return to town or back along a quest run).
    void changeMapNumbers(int gameState);

    // Camera placement: derives the tile and fine offsets and the player's cell.
    void placeCamera(int32_t cameraX, int32_t cameraY, int32_t playerX, int32_t playerY);

    // Camera moves by a step of `a` pixels. Each moves the player's
    // coordinate too and returns whether the camera followed (the caller's
    // cameraFollowsX / cameraFollowsY). The camera follows only while the
    // player's terrain column is in 52 .. 4W - 52 and its row in 40 .. 4H - 40;
    // left and down test the cell before the step, right and up the cell after.
    bool scrollLeft(int32_t a, int32_t& playerX);
    bool scrollRight(int32_t a, int32_t& playerX);
    bool scrollUp(int32_t a, int32_t& playerY);
    bool scrollDown(int32_t a, int32_t& playerY);

    // Queries; outside the grid: -1 for the lower tile and terrain, 0 for the upper tile.
    int32_t lowerTile(int32_t col, int32_t row) const;
    int32_t upperTile(int32_t col, int32_t row) const;
    int32_t terrain(int32_t col, int32_t row) const;

    // The 21 x 27 tiles around the camera.
    void drawLowerTiles();
    void drawUpperTiles();
    // Advances placement `placement`'s animation and draws the current image
    // of `kind` with its top-left corner at the screen position.
    void drawObject(int32_t screenX, int32_t screenY, int32_t kind, int32_t placement);

    std::vector<std::unique_ptr<CTexture>> tileTextures;    // one per tile of the set
    std::vector<std::unique_ptr<CTexture>> objectTextures;  // one per object image

    int32_t fineX = 0;  // camX % 32, with the sign of camX
    int32_t fineY = 0;
    int32_t playerCellX = 0;  // terrain column under the player
    int32_t playerCellY = 0;
    int32_t camX = 0;  // world position of the screen's top-left corner
    int32_t camY = 0;
    int32_t camCol = 0;  // camX / 32
    int32_t camRow = 0;
    int32_t lastScroll = -1;  // 0 after a scroll left, 1 after a scroll right
    int32_t pauseFlag = 0;    // 1 while the death box waits
    int32_t mapNumber = 0;
    int32_t entrySide = 0;  // 1 when the map was entered backwards
    // Bits 0-11: NPCs of the map (missionStates' length); bits 12-23: the NPC
    // whose quest run is under way.
    int32_t npcMissionInfo = -1;
    int8_t questStep = 0;  // 0, or the step of the quest run under way
    std::vector<int8_t> missionStates;  // one per NPC of the map

    CMapData mapData;
    std::unique_ptr<CPicture> playerMarker;  // drawn by the minimap
    CDirect3D* device = nullptr;

private:
    void releaseTextures();
    void createTextures();
    template <typename CellToTile>
    void drawTileLayer(CellToTile tileAt);
};

extern CField* g_field;
