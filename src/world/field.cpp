#include "world/field.h"

#include <string>

#include "platform/direct3d.h"
#include "platform/files.h"
#include "world/formats.h"
#include "world/map_file.h"
#include "world/object_set.h"
#include "world/tile_set.h"

CField* g_field = nullptr;

namespace {

constexpr int32_t kTile = 32;

// The camera follows the player only this far from the map's edges (cells).
bool followsX(int32_t cell, int32_t columns) { return 51 < cell && cell <= 4 * columns - 52; }
bool followsY(int32_t cell, int32_t rows) { return 40 <= cell && cell <= 4 * rows - 40; }

}  // namespace

CField::CField(CDirect3D* dev) : device(dev) {}

CField::~CField() = default;

int CField::init() {
    mapData.init(50, 50);
    resetScroll();
    tileTextures.clear();
    objectTextures.clear();
    playerMarker = CPicture::loaded(device, "pic/minimap_user.pic");
    return 1;
}

int CField::loadMap() {
    const std::string name = velk::mapFileName(mapNumber);
    std::vector<uint8_t> bytes;
    if (!velk::readDataFile(name, bytes)) return 0;
    return loadMapFromMemory(bytes.data(), bytes.size(), name.c_str());
}

int CField::loadMapFromMemory(const uint8_t* data, size_t size, const char* name) {
    if (!g_tileSet || !g_objectSet) return 0;
    // The whole file is checked before the current map is released, so a
    // damaged file leaves the game on the map it has.
    MapFile file;
    if (std::string why = velk::parseMapFile(data, size, file); !why.empty()) {
        velk::reportBadFile(name, why);
        return 0;
    }
    return installMap(std::move(file));
}

int CField::installMap(MapFile&& file) {
    releaseTextures();
    mapData = std::move(file.grids);
    g_objectSet->setNumber = file.setNumber;

    if (!g_tileSet->load(g_objectSet->setNumber)) return 0;
    g_objectSet->placements = std::move(file.placements);
    // A missing or bad object set only costs the map its decorations.
    if (!g_objectSet->load()) g_objectSet->release();

    tileTextures.clear();
    tileTextures.resize(size_t(g_tileSet->tileCount()));
    objectTextures.clear();
    objectTextures.resize(size_t(g_objectSet->lastImageIndex() + 1));
    createTextures();
    return 1;
}

void CField::releaseTextures() {
    for (auto& t : tileTextures) t.reset();
    for (auto& t : objectTextures) t.reset();
}

void CField::createTextures() {
    if (!device) return;
    // The first texture that cannot be made ends its table.
    for (size_t t = 0; t < tileTextures.size(); ++t) {
        tileTextures[t] = device->createTexture(uint32_t(g_tileSet->tileWidth),
                                                uint32_t(g_tileSet->tileHeight),
                                                g_tileSet->pixels[t].data());
        if (!tileTextures[t]) break;
    }
    for (size_t i = 0; i < objectTextures.size(); ++i) {
        const ObjectImage& image = g_objectSet->images[i];
        objectTextures[i] = device->createTexture(uint32_t(image.width), uint32_t(image.height),
                                                  image.pixels.data());
        if (!objectTextures[i]) break;
    }
}

void CField::changeMapNumbers(int gameState) {
    switch (gameState) {
    case 700:
        entrySide = 1;
        mapNumber -= 1;
        break;
    case 600:
        entrySide = 0;
        if (questStep == 0) {
            mapNumber += 1;
        } else {
            questStep = int8_t(questStep + 1);
            if (questStep == 3) mapNumber += 1;
        }
        break;
    case 800:
        entrySide = 0;
        if (questStep == 0) {
            mapNumber = 0;
        } else {
            mapNumber -= questStep - 1;
            questStep = 0;
        }
        break;
    default:
        break;
    }
}

void CField::placeCamera(int32_t cameraX, int32_t cameraY, int32_t playerX, int32_t playerY) {
    camX = cameraX;
    camY = cameraY;
    camCol = camX / kTile;
    camRow = camY / kTile;
    fineX = camX % kTile;
    fineY = camY % kTile;
    playerCellX = playerX / 8;
    playerCellY = playerY / 8;
}

bool CField::scrollLeft(int32_t a, int32_t& playerX) {
    bool follows = false;
    if (followsX(playerCellX, mapData.columns)) {
        camX -= a;
        fineX = camX % kTile;
        camCol = camX / kTile;
        lastScroll = 0;
        follows = true;
    }
    playerX -= a;
    playerCellX = playerX / 8;
    return follows;
}

bool CField::scrollRight(int32_t a, int32_t& playerX) {
    playerX += a;
    playerCellX = playerX / 8;
    if (!followsX(playerCellX, mapData.columns)) return false;
    camX += a;
    fineX = camX % kTile;
    camCol = camX / kTile;
    lastScroll = 1;
    return true;
}

bool CField::scrollUp(int32_t a, int32_t& playerY) {
    playerY -= a;
    playerCellY = playerY / 8;
    if (!followsY(playerCellY, mapData.rows)) return false;
    camY -= a;
    fineY = camY % kTile;
    camRow = camY / kTile;
    return true;
}

bool CField::scrollDown(int32_t a, int32_t& playerY) {
    bool follows = false;
    if (followsY(playerCellY, mapData.rows)) {
        camY += a;
        fineY = camY % kTile;
        camRow = camY / kTile;
        follows = true;
    }
    playerY += a;
    playerCellY = playerY / 8;
    return follows;
}

int32_t CField::lowerTile(int32_t col, int32_t row) const {
    if (!mapData.hasGrid() || col < 0 || row < 0 || col >= mapData.columns || row >= mapData.rows)
        return -1;
    return int32_t(mapData.tileCell(col, row) & 0xFFFu);
}

int32_t CField::upperTile(int32_t col, int32_t row) const {
    if (!mapData.hasGrid() || col < 0 || row < 0 || col >= mapData.columns || row >= mapData.rows)
        return 0;
    return int32_t(mapData.tileCell(col, row) >> 20);
}

int32_t CField::terrain(int32_t col, int32_t row) const {
    if (!mapData.hasGrid() || col < 0 || row < 0 || col >= mapData.terrainColumns() ||
        row >= mapData.terrainRows())
        return kTerrainOutside;
    return mapData.terrainCode(col, row);
}

template <typename CellToTile>
void CField::drawTileLayer(CellToTile tileAt) {
    if (!mapData.hasGrid() || !device || !g_tileSet) return;
    const float w = float(g_tileSet->tileWidth);
    const float h = float(g_tileSet->tileHeight);
    for (int32_t i = camRow - 1; i <= camRow + 19; ++i) {
        if (i < 0) continue;
        for (int32_t j = camCol - 1; j <= camCol + 25; ++j) {
            if (j < 0) continue;
            const int32_t t = tileAt(j, i);
            if (t < 0 || size_t(t) >= tileTextures.size() || !tileTextures[size_t(t)]) continue;
            device->drawQuad(tileTextures[size_t(t)].get(), float(kTile * (j - camCol) - fineX),
                             float(kTile * (i - camRow) - fineY), w, h);
        }
    }
}

void CField::drawLowerTiles() {
    const int32_t last = g_tileSet ? g_tileSet->lastTileIndex : -1;
    drawTileLayer([this, last](int32_t j, int32_t i) {
        const int32_t t = lowerTile(j, i);
        return t <= last ? t : -1;
    });
}

void CField::drawUpperTiles() {
    drawTileLayer([this](int32_t j, int32_t i) {
        const int32_t t = upperTile(j, i);
        return t != 0 ? t : -1;
    });
}

void CField::drawObject(int32_t screenX, int32_t screenY, int32_t kind, int32_t placement) {
    if (!device || !g_objectSet) return;
    const int image = g_objectSet->animationImage(kind, placement);
    if (image < 0 || size_t(image) >= objectTextures.size() || !objectTextures[size_t(image)])
        return;
    const ObjectImage& picture = g_objectSet->images[size_t(image)];
    device->drawQuad(objectTextures[size_t(image)].get(), float(screenX), float(screenY),
                     float(picture.width), float(picture.height));
}
