#pragma once
// CTileSet: the numbered set of square images ("tiles/tile_%d.ttl") from
// which a map's two tile layers are drawn. One set exists for the whole run
// and is refilled by every map load; the field makes one texture per tile.

#include <cstddef>
#include <cstdint>
#include <vector>

class CTileSet {
public:
    // Reads "tiles/tile_<setNumber>.ttl". 1 on success, 0 on failure; a
    // failed load leaves the previous set as it was.
    int load(int setNumber);
    // Same, from bytes in memory; `name` is used for --verbose messages.
    int loadFromMemory(const uint8_t* data, size_t size, const char* name);
    void release();

    int tileCount() const { return lastTileIndex + 1; }

    int32_t tileHeight = 0;
    int32_t tileWidth = 0;
    int32_t lastTileIndex = -1;  // the set holds tiles 0 .. lastTileIndex
    std::vector<std::vector<uint32_t>> pixels;  // per tile, 0xAARRGGBB, top row first
};

extern CTileSet* g_tileSet;
