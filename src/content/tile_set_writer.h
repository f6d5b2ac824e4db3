#pragma once
// Tile set files ("tiles/tile_%d.ttl"), for the tools, the demo world and tests.

#include <cstdint>
#include <string>
#include <vector>

#include "content/image_block_writer.h"

namespace velk {

struct TileSetSource {
    int32_t tileWidth = 32;
    int32_t tileHeight = 32;
    // tileWidth x tileHeight pixels each (0xAARRGGBB, top row first).
    std::vector<std::vector<uint32_t>> tiles;
    ImageBlockOptions options;
};

// The whole tile set file.
std::string encodeTileSet(const TileSetSource& set);

}  // namespace velk
