#pragma once
// CField: the current map. Owns its grids and the textures of its tile and
// object sets, draws the two tile layers and placed objects, answers terrain
// queries, and keeps the map-level numbers that every map change rewrites.
// Beside the map it holds what goes with it: the camera that shows it and
// the quest progress its NPCs and bosses share.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/picture.h"
#include "platform/texture.h"
#include "world/camera.h"
#include "world/map_data.h"
#include "world/quest_progress.h"

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

// Whether feet on a cell of `code` stand (the hero's test: slopes have their
// own walk, ladders and empty cells hold nobody).
inline bool terrainHolds(int32_t code) {
    return code != kTerrainEmpty && code != kTerrainLadder && code < kTerrainSlopeUp;
}
// Whether a cell of `code` is rock that stops a walking monster.
inline bool terrainBlocks(int32_t code) { return code == kTerrainGround || code == kTerrainWall; }

class CField {
public:
    explicit CField(CDirect3D* device);
    ~CField();
    CField(const CField&) = delete;
    CField& operator=(const CField&) = delete;

    // Empty 50 x 50 map data, scroll reset, the player marker picture. 1.
    int init();

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
    // The numbers a change by `gameState` (600, 700, 800) leads to.
    static void nextMapNumbers(int gameState, int32_t& mapNumber, int32_t& entrySide, int8_t& questStep);

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

    int32_t pauseFlag = 0;  // 1 while the death box waits
    int32_t mapNumber = 0;
    int32_t entrySide = 0;  // 1 when the map was entered backwards

    CMapData mapData;
    CCamera camera{mapData};
    QuestProgress quest;
    std::unique_ptr<CPicture> playerMarker;  // drawn by the minimap
    CDirect3D* device = nullptr;

private:
    void releaseTextures();
    void createTextures();
    template <typename CellToTile>
    void drawTileLayer(CellToTile tileAt);
};

extern CField* g_field;
