#pragma once
// Object set files ("objects/obj_%d.msp"), for the tools, the demo world and tests.

#include <cstdint>
#include <string>
#include <vector>

#include "content/image_block_writer.h"

namespace velk {

struct ObjectFrameSource {
    int32_t image = 0;
    int32_t extra1 = 0;  // stored, read by nothing in the game
    int32_t extra2 = 0;
};

struct ObjectKindSource {
    std::vector<ObjectFrameSource> frames;  // each shown for 5 drawn frames
    int32_t extra1 = 0;
    int32_t extra2 = 0;
};

struct ObjectImageSource {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
};

struct ObjectSetSource {
    std::vector<ObjectKindSource> kinds;
    std::vector<ObjectImageSource> images;
    // The 15-byte mark field: "Qalvix", a zero, then these bytes (readers
    // ignore what follows the zero), cut or zero-padded to fit.
    std::string markTail;
    ImageBlockOptions options;
};

// The whole object set file.
std::string encodeObjectSet(const ObjectSetSource& set);

}  // namespace velk
