#pragma once
// Stage backdrops by style: "day", "forest", "dusk", "night", "cave".

#include <cstdint>
#include <string>

#include "demo/demo.h"

namespace demo {

bool stageStyleExists(const std::string& style);
// Which light a style casts on the map in front of it: 0 daylight (no tint),
// 1 dusk, 2 night, 3 cave. Maps that share a theme and a light share a set.
int stageLight(const std::string& style);
constexpr int kStageLights = 4;
// Scales each colour channel of a tile or object by the light's colour.
uint32_t tintToLight(uint32_t argb, int light);
// Writes the style's pictures and "txt/stage/stage_<mapNumber>.txt".
void writeStage(const DemoContext& ctx, int mapNumber, const std::string& style);

}  // namespace demo
