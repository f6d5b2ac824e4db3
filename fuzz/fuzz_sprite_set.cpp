// Sprite sets and their delay files: any bytes either load a consistent set
// or leave it empty, and a loaded set animates without leaving its arrays.
// An input is the sprite file, then kDelayMarker and the delay text (no
// marker: an empty delay text), so a demo set and its delays make a seed.
// A parser target makes no textures.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "world/sprite_set.h"

namespace {
constexpr std::string_view kDelayMarker = "\n--delays--\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t marker = input.rfind(kDelayMarker);
    const size_t spriteSize = marker == std::string_view::npos ? size : marker;
    const size_t delayStart = marker == std::string_view::npos ? size : marker + kDelayMarker.size();

    CSpriteSet set;
    if (!set.loadFromMemory(data, spriteSize, data + delayStart, size - delayStart, "fuzz.asp")) {
        if (set.frameCount() != 0 || set.animationCount != 0) std::abort();
        return 0;
    }
    for (int row = -1; row <= set.animationCount; ++row) {
        for (int32_t counter : {0, 1, 7, 1000, INT32_MAX}) {
            const int32_t step = set.selectStep(row, counter);
            const AnimationStep* s = set.currentStep(row);
            if (!s) continue;
            if (step < 0 || s->frame < 0 || s->frame > set.lastFrame) std::abort();
            set.bodyBox(s->frame);
            set.attackBox(s->frame);
        }
    }
    return 0;
}
