#include "world/tile_set.h"

#include <cstring>
#include <string>

#include "platform/byte_reader.h"
#include "platform/files.h"
#include "platform/image_block.h"
#include "formats/formats.h"

CTileSet* g_tileSet = nullptr;

int CTileSet::load(int setNumber) {
    const std::string name = velk::tileSetFileName(setNumber);
    std::vector<uint8_t> bytes;
    if (!velk::readDataFile(name, bytes)) return 0;
    return loadFromMemory(bytes.data(), bytes.size(), name.c_str());
}

int CTileSet::loadFromMemory(const uint8_t* data, size_t size, const char* name) {
    auto bad = [name](const std::string& reason) {
        velk::reportBadFile(name, reason);
        return 0;
    };
    velk::ByteReader in(data, size);
    if (std::string why = velk::readFileHeader(in, velk::tileSetHeader()); !why.empty())
        return bad(why);

    const int32_t last = in.i32();
    const int32_t width = in.i32();
    const int32_t height = in.i32();
    if (in.failed()) return bad("truncated header");
    if (last < -1 || last >= velk::kMaxTiles)
        return bad("last tile index " + std::to_string(last) + " out of range");
    if (width <= 0 || height <= 0 || !velk::imageSizeAcceptable(uint32_t(width), uint32_t(height)))
        return bad("tile size " + std::to_string(width) + "x" + std::to_string(height));
    const uint64_t tilePixels = uint64_t(width) * uint64_t(height);
    if (tilePixels * uint64_t(last + 1) > velk::kMaxSetPixels) return bad("too many pixels");

    // Decoded aside and swapped in whole, so a bad file changes nothing.
    std::vector<std::vector<uint32_t>> tiles(static_cast<size_t>(last + 1));
    for (int32_t t = 0; t <= last; ++t) {
        if (!velk::imageBlockCouldFit(in, tilePixels))
            return bad("tile " + std::to_string(t) + " truncated");
        tiles[size_t(t)].resize(size_t(tilePixels));
        std::string error;
        if (!velk::decodeImageBlock(in, uint32_t(width), uint32_t(height), tiles[size_t(t)].data(),
                                    &error))
            return bad("tile " + std::to_string(t) + ": " + error);
    }

    pixels = std::move(tiles);
    lastTileIndex = last;
    tileWidth = width;
    tileHeight = height;
    return 1;
}

void CTileSet::release() {
    pixels.clear();
    pixels.shrink_to_fit();
    lastTileIndex = -1;
}
