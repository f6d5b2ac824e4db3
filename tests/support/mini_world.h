#pragma once
// The smallest content tree the game starts on: map 0 (a 30 x 20 field with
// ground along the bottom), its tile set and a start position. Tests that
// run the application use it instead of the demo world.

#include "support/temp_dir.h"

namespace velk {

void writeMiniWorld(const TempDir& dir);

}  // namespace velk
