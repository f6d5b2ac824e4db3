#pragma once
// Names and overlay colours of the terrain codes, for render-map and info.

#include <cstdint>

namespace velk::pack {

// Codes 1 .. kLastTerrainCode have a meaning; 0 is free space.
constexpr int kLastTerrainCode = 10;

// "ground", "ladder" ...; "empty" for 0, "unknown" for codes with no meaning.
const char* terrainName(int code);
// Opaque colour of a code's overlay (blended translucently over the map).
uint32_t terrainColour(int code);

}  // namespace velk::pack
