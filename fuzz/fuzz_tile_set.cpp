// libFuzzer target: the tile set loader.
#include <cstddef>
#include <cstdint>

#include "world/tile_set.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CTileSet set;
    set.loadFromMemory(data, size, "fuzz.ttl");
    return 0;
}
