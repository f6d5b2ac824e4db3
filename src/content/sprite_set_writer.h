#pragma once
// Sprite set files ("sprite/spr_%d.asp") and their delay files
// ("txt/sprdelay/delay_%d.txt"), for the tools, the demo world and tests.

#include <cstdint>
#include <string>
#include <vector>

#include "formats/sprite_format.h"
#include "content/image_block_writer.h"

namespace velk {

struct SpriteFrameSource {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
    std::vector<FrameBox> boxes;   // box 0 the body; two boxes make an attack frame
    ImageBlockOptions options;
};

struct SpriteSetSource {
    std::vector<SpriteFrameSource> frames;      // at least one
    std::vector<std::vector<AnimationStep>> rows;
    std::vector<int32_t> delays;                // one per row, 1 or more
    // The 8 bytes after "Qalvix" and its zero, which readers ignore.
    std::string markTail = std::string(8, '\0');
};

// The whole sprite file.
std::string encodeSpriteSet(const SpriteSetSource& set);
// The delay file: one number per row, each on its own line.
std::string spriteDelayText(const std::vector<int32_t>& delays);

}  // namespace velk
