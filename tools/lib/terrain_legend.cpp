#include "lib/terrain_legend.h"

namespace velk::pack {

namespace {

// Neighbouring meanings get far-apart hues so adjacent cells stay readable.
constexpr const char* kNames[kLastTerrainCode + 1] = {
    "empty",     "ground",       "ceiling", "ladder",   "rope",      "harmful",
    "exit back", "exit forward", "wall",    "slope up", "slope down"};
constexpr uint32_t kColours[kLastTerrainCode + 1] = {
    0xFF000000u, 0xFF2E7DFFu, 0xFFFF8C00u, 0xFFFFE000u, 0xFFC86400u, 0xFFFF1E1Eu,
    0xFF00E5FFu, 0xFF00FF5Au, 0xFFB400FFu, 0xFFFF4FD8u, 0xFF8CFF00u};
constexpr uint32_t kUnknownColour = 0xFFFFFFFFu;

}  // namespace

const char* terrainName(int code) {
    return code >= 0 && code <= kLastTerrainCode ? kNames[code] : "unknown";
}

uint32_t terrainColour(int code) {
    return code >= 0 && code <= kLastTerrainCode ? kColours[code] : kUnknownColour;
}

}  // namespace velk::pack
