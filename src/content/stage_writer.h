#pragma once
// Stage files ("txt/stage/stage_%d.txt") and map-position files
// ("txt/mappos/%d-%d.txt"), for the tools, the demo world and tests.

#include <string>

#include "formats/map_position.h"
#include "formats/stage_file.h"

namespace velk {

// The background path and layer count, then each layer's header line, its
// items one a line and its picture path. Paths must not contain spaces.
std::string stageText(const StageFile& stage);
// The six numbers on one line.
std::string mapPositionText(const MapPosition& position);

}  // namespace velk
