#pragma once
// The image block shared by pictures, tile sets, object sets, sprite sets and
// the item pack: bits per pixel (int32), descriptor (bit 0x10 = top row
// first), encoding (10 = run-length packets), then the rows in stored order.

#include <cstdint>
#include <string>

#include "platform/byte_reader.h"

namespace velk {

// Largest image any loader accepts, so a corrupt size cannot ask for gigabytes.
constexpr uint32_t kMaxImageSide = 8192;
constexpr uint64_t kMaxImagePixels = 16u * 1024u * 1024u;

bool imageSizeAcceptable(uint32_t width, uint32_t height);

// Decodes one block of width x height pixels into `out` (0xAARRGGBB, top row
// first). False, with `error` set, on a truncated block or a run packet that
// would cross the end of its row.
bool decodeImageBlock(ByteReader& in, uint32_t width, uint32_t height, uint32_t* out,
                      std::string* error = nullptr);

}  // namespace velk
