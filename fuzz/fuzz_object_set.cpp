// libFuzzer target: the object set loader, then its animation over every
// kind (frames naming any image), so table bounds are exercised too.
#include <cstddef>
#include <cstdint>

#include "world/object_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CObjectSet set;
    if (!set.loadFromMemory(data, size, "fuzz.msp")) return 0;
    set.placements.assign(2, ObjectPlacement{});
    for (int kind = -1; kind <= set.kindCount(); ++kind)
        for (int i = 0; i < 12; ++i) set.animationImage(kind, i % 3);
    return 0;
}
