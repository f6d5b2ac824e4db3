// Music files: measuring an mp3 from its frame headers must hold up against
// any bytes.

#include <cstddef>
#include <cstdint>

#include "platform/mp3_length.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velk::mp3DurationMs(data, size);
    return 0;
}
