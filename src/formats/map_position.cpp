#include "formats/map_position.h"

#include <vector>

#include "platform/files.h"
#include "platform/text_reader.h"
#include "formats/formats.h"

namespace velk {

namespace {
// Generous bounds that keep 32 x column and the camera arithmetic far from
// overflow: no map is wider or taller than kMaxMapSide tiles.
constexpr int32_t kMaxTileCoord = kMaxMapSide;
constexpr int32_t kMaxPixelCoord = kMaxMapSide * 32;
}  // namespace

std::string mapPositionFileName(int mapNumber, int entrySide) {
    return "txt/mappos/" + std::to_string(mapNumber) + "-" + std::to_string(entrySide) + ".txt";
}

bool loadMapPosition(int mapNumber, int entrySide, MapPosition& out) {
    const std::string name = mapPositionFileName(mapNumber, entrySide);
    std::vector<uint8_t> bytes;
    if (!readDataFile(name, bytes)) {
        reportBadFile(name, "missing");
        return false;
    }
    return parseMapPosition(bytes.data(), bytes.size(), out, name.c_str());
}

bool parseMapPosition(const uint8_t* data, size_t size, MapPosition& out, const char* name) {
    TextReader in(data, size);
    MapPosition p;
    in.number(p.camX, -kMaxPixelCoord, kMaxPixelCoord, "camera x");
    in.number(p.camY, -kMaxPixelCoord, kMaxPixelCoord, "camera y");
    in.number(p.column, -kMaxTileCoord, kMaxTileCoord, "start column");
    in.number(p.row, -kMaxTileCoord, kMaxTileCoord, "start row");
    in.number(p.lockedScreenY, -kMaxPixelCoord, kMaxPixelCoord, "locked screen y");
    in.number(p.unused, "sixth value");
    if (in.failed()) {
        reportBadFile(name, in.error());
        return false;
    }
    out = p;
    return true;
}

}  // namespace velk
