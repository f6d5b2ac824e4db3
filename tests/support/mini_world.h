#pragma once
// The smallest content tree the game starts on: map 0 (a 30 x 20 field with
// ground along the bottom), its tile set, a start position and the item
// pack. Tests that
// run the application use it instead of the demo world.

#include "support/temp_dir.h"

namespace velk {

void writeMiniWorld(const TempDir& dir);
// The smallest item pack the game starts with: one weapon, one energy
// item, one skill and their pictures (names and descriptions left out).
void writeMiniItemPack(const TempDir& dir);

}  // namespace velk
