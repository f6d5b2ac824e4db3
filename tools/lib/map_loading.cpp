#include "lib/map_loading.h"

#include "platform/byte_reader.h"
#include "world/formats.h"

namespace velk::pack {

ScopedWorldSets::ScopedWorldSets() : oldTiles_(g_tileSet), oldObjects_(g_objectSet) {
    g_tileSet = &tiles;
    g_objectSet = &objects;
}

ScopedWorldSets::~ScopedWorldSets() {
    g_tileSet = oldTiles_;
    g_objectSet = oldObjects_;
}

int readMapPlacements(const std::vector<uint8_t>& mapFile, const CMapData& map, CObjectSet& out) {
    // Signature, two magic numbers, rows, columns, both grids, the set number.
    const uint64_t at =
        kMapSignatureSize + 16 + 68u * uint64_t(map.columns) * uint64_t(map.rows) + 4;
    if (!map.hasGrid() || at > mapFile.size()) return 0;
    ByteReader in(mapFile.data() + at, mapFile.size() - size_t(at));
    return out.readPlacements(in);
}

}  // namespace velk::pack
