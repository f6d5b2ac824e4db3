#include "content/tile_set_writer.h"

#include "content/byte_writer.h"
#include "formats/formats.h"

namespace velk {

std::string encodeTileSet(const TileSetSource& set) {
    std::string out;
    appendBytes(out, tileSetSignature().data(), kTileSetSignatureSize);
    appendI32(out, kTileSetMagic1);
    appendI32(out, kTileSetMagic2);
    appendI32(out, int32_t(set.tiles.size()) - 1);  // the file stores the last index
    appendI32(out, set.tileWidth);
    appendI32(out, set.tileHeight);
    for (const std::vector<uint32_t>& tile : set.tiles)
        appendImageBlock(out, uint32_t(set.tileWidth), uint32_t(set.tileHeight), tile.data(),
                         set.options);
    return out;
}

}  // namespace velk
