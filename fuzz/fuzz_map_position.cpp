// Map-position files: any text either gives six values within the limits,
// which place the camera without overflow, or is refused.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "world/field.h"
#include "formats/map_position.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MapPosition p;
    p.camX = 12345;
    if (!velk::parseMapPosition(data, size, p, "fuzz.txt")) {
        if (p.camX != 12345) std::abort();
        return 0;
    }
    CField field(nullptr);
    field.camera.place(p.camX, p.camY, 32 * p.column, 32 * p.row);
    return 0;
}
