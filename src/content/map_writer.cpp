#include "content/map_writer.h"

#include "content/byte_writer.h"
#include "formats/formats.h"

namespace velk {

std::string encodeMap(const MapSource& map) {
    std::string out;
    const size_t terrainCount = 16u * size_t(map.columns) * size_t(map.rows);
    const size_t tileCount = size_t(map.columns) * size_t(map.rows);
    out.reserve(51 + 4 * (terrainCount + tileCount) + 12 * map.placements.size());
    appendBytes(out, mapSignature().data(), kMapSignatureSize);
    appendI32(out, kMapMagic1);
    appendI32(out, kMapMagic2);
    appendI32(out, map.rows);
    appendI32(out, map.columns);
    for (size_t i = 0; i < terrainCount; ++i)
        appendI32(out, i < map.terrain.size() ? map.terrain[i] : 0);
    for (size_t i = 0; i < tileCount; ++i) appendU32(out, i < map.tiles.size() ? map.tiles[i] : 0);
    appendI32(out, map.setNumber);
    appendI32(out, int32_t(map.placements.size()));
    for (const MapPlacementSource& p : map.placements) {
        appendI32(out, p.y);
        appendI32(out, p.kind);
        appendI32(out, p.x);
    }
    return out;
}

}  // namespace velk
