#pragma once
// Stage backdrops by style: "day", "forest", "dusk", "night", "cave".

#include <string>

#include "demo/demo.h"

namespace demo {

bool stageStyleExists(const std::string& style);
// Writes the style's pictures and "txt/stage/stage_<mapNumber>.txt".
void writeStage(const DemoContext& ctx, int mapNumber, const std::string& style);

}  // namespace demo
