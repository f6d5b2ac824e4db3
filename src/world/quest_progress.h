#pragma once
// QuestProgress: where the hero stands with the missions of the current
// map's NPCs and with the quest run under way. The NPCs and the talk box
// write it, the bosses and the minimap read it, and a map change moves the
// run's step on.

#include <cstdint>
#include <vector>

struct QuestProgress {
    int8_t step = 0;  // 0, or the step of the quest run under way
    // Bits 0-11: NPCs of the map (missionStates' length); bits 12-23: the NPC
    // who gave the quest run under way.
    int32_t npcMissionInfo = -1;
    std::vector<int8_t> missionStates;  // one per NPC of the map
};
