#pragma once
// Picture files (".pic", and the cursor file): the content tools, the demo
// world and the tests write them here.

#include <cstdint>
#include <string>

#include "content/image_block_writer.h"

namespace velk {

// The whole file for width x height pixels (0xAARRGGBB, top row first).
std::string encodePicture(uint32_t width, uint32_t height, const uint32_t* pixels,
                          const ImageBlockOptions& options = {});

// Writes the file at `path` (a real path) atomically. False on failure.
bool writePicture(const std::string& path, uint32_t width, uint32_t height,
                  const uint32_t* pixels, const ImageBlockOptions& options = {});

}  // namespace velk
