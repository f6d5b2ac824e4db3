// Sprite sets and their delay files: any bytes either load a consistent set
// or leave it empty, and a loaded set animates and draws without leaving its
// arrays.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "world/sprite_set.h"
#include "content/byte_writer.h"
#include "platform/direct3d.h"

namespace {

CDirect3D& device() {
    static CDirect3D d3d;
    static const bool ready = d3d.init(nullptr, 800, 600, true);
    (void)ready;
    return d3d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    // First byte: bit 0 puts a valid header in front so the body gets
    // explored; the rest is the length of the delay text at the end.
    const bool withHeader = data[0] & 1;
    const size_t delaySize = std::min<size_t>(data[0] >> 1, size - 1);
    const uint8_t* body = data + 1;
    const size_t bodySize = size - 1 - delaySize;
    const uint8_t* delays = body + bodySize;

    std::string file;
    if (withHeader) {
        file = velk::spriteSetSignature();
        velk::appendI32(file, velk::kSpriteSetMagic1);
        velk::appendI32(file, velk::kSpriteSetMagic2);
    }
    file.append(reinterpret_cast<const char*>(body), bodySize);

    CSpriteSet set;
    set.bind(&device());
    if (!set.loadFromMemory(reinterpret_cast<const uint8_t*>(file.data()), file.size(), delays,
                            delaySize, "fuzz.asp")) {
        if (set.frameCount() != 0 || set.animationCount != 0) std::abort();
        return 0;
    }
    set.createTextures();
    for (int row = -1; row <= set.animationCount; ++row) {
        for (int32_t counter : {0, 1, 7, 1000, INT32_MAX}) {
            const int32_t step = set.selectStep(row, counter);
            const AnimationStep* s = set.currentStep(row);
            if (!s) continue;
            if (step < 0 || s->frame < 0 || s->frame > set.lastFrame) std::abort();
            set.drawFrame(s->frame, s->offsetX, s->offsetY);
            set.bodyBox(s->frame);
            set.attackBox(s->frame);
        }
    }
    return 0;
}
