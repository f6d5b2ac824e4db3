#pragma once
// A mission's reward is kept by two writes: the hero's record (the save
// file) and the mission states of the map. Both are made together, so that
// a crash at any instant leaves the reward either taken and kept, or not
// taken and still offered, and a failed write changes neither.

#include <cstdint>
#include <vector>

class CPlayer;

namespace velk {

// Writes the hero as he stands on map `map` and the map's mission states.
// False when neither could be written: the player has been told (notice,
// message box, stderr and the exit code) and the caller takes the reward
// back.
bool commitReward(const CPlayer& hero, int32_t map, const std::vector<int8_t>& states);

}  // namespace velk
