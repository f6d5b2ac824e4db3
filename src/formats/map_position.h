#pragma once
// The map-position file "txt/mappos/<map>-<side>.txt": where the camera and
// the hero start on a map, one file per side the map is entered from
// (0 forwards or by a return, 1 backwards).

#include <cstddef>
#include <cstdint>
#include <string>

struct MapPosition {
    int32_t camX = 0;  // world pixels
    int32_t camY = 0;
    int32_t column = 0;  // hero start, in tiles of 32 pixels
    int32_t row = 0;
    int32_t lockedScreenY = 0;  // the hero's screen y while the camera follows vertically
    int32_t unused = 0;         // read and ignored, as content has always carried it
};

namespace velk {

std::string mapPositionFileName(int mapNumber, int entrySide);

// Reads the position file of (mapNumber, entrySide). False when it is missing
// or malformed (reported with --verbose); `out` is then left as it was.
bool loadMapPosition(int mapNumber, int entrySide, MapPosition& out);
bool parseMapPosition(const uint8_t* data, size_t size, MapPosition& out, const char* name);

}  // namespace velk
