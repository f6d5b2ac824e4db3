#pragma once
// Writes the image block that pictures, tile sets, object sets, sprite sets
// and the item pack share (the reader is platform/image_block.h).

#include <cstdint>
#include <string>

namespace velk {

struct ImageBlockOptions {
    int bitsPerPixel = 32;  // 32 keeps alpha; 24 stores blue, green, red only
    bool runLength = true;  // run-length packets instead of raw rows
    bool topDown = true;    // rows stored top row first (descriptor bit 0x10)
};

// Appends the block for width x height pixels (0xAARRGGBB, top row first).
// Run-length rows use a run packet for every 2 or more equal pixels and
// literal packets for the rest; no packet crosses the end of a row.
void appendImageBlock(std::string& out, uint32_t width, uint32_t height, const uint32_t* pixels,
                      const ImageBlockOptions& options = {});

}  // namespace velk
