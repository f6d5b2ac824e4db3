// Picture files from untrusted bytes: the load must fail cleanly or give
// exactly width x height pixels. A parser target makes no textures.

#include <cstddef>
#include <cstdint>

#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CPicture picture(nullptr);
    if (picture.loadFromMemory(data, size, "fuzz.pic") == 1) {
        if (picture.pixels.size() != size_t(picture.width) * picture.height) __builtin_trap();
    }
    return 0;
}
