#include "world/field.h"

#include <filesystem>
#include <string>

#include "platform/direct3d.h"
#include "platform/files.h"
#include "formats/formats.h"
#include "world/map_file.h"
#include "world/object_set.h"
#include "world/tile_set.h"

CField* g_field = nullptr;

namespace {

constexpr int32_t kTile = 32;

}  // namespace

CField::CField(CDirect3D* dev) : device(dev) {}

CField::~CField() = default;

int CField::init() {
    mapData.init(50, 50);
    camera.resetScroll();
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
    // The tile set is loaded before anything changes: a map whose set is
    // missing or damaged fails to load and leaves the game on the map it has.
    CTileSet tiles;
    if (!tiles.load(file.setNumber)) {
        const std::string setName = velk::tileSetFileName(file.setNumber);
        std::error_code ec;
        // A damaged set has given its own reason; a missing one is named here.
        if (!std::filesystem::exists(velk::dataPath(setName), ec))
            velk::reportBadFile(setName + " (named by " + velk::mapFileName(mapNumber) + ")", "missing");
        return 0;
    }
    releaseTextures();
    mapData = std::move(file.grids);
    g_objectSet->setNumber = file.setNumber;
    *g_tileSet = std::move(tiles);
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
    nextMapNumbers(gameState, mapNumber, entrySide, quest.step);
}

void CField::nextMapNumbers(int gameState, int32_t& mapNumber, int32_t& entrySide, int8_t& questStep) {
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
    for (int32_t i = camera.row - 1; i <= camera.row + 19; ++i) {
        if (i < 0) continue;
        for (int32_t j = camera.col - 1; j <= camera.col + 25; ++j) {
            if (j < 0) continue;
            const int32_t t = tileAt(j, i);
            if (t < 0 || size_t(t) >= tileTextures.size() || !tileTextures[size_t(t)]) continue;
            device->drawQuad(tileTextures[size_t(t)].get(), float(kTile * (j - camera.col) - camera.fineX),
                             float(kTile * (i - camera.row) - camera.fineY), w, h);
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
