#pragma once
// NPC files for the tools, the demo world and tests: talk files, condition
// files, shop files and NPC positions.

#include <string>
#include <vector>

#include "formats/talk_format.h"

namespace velk {

// Every raw run follows its number directly; a run that starts with a digit
// would merge into that number, so the writer refuses it (false).
bool talkFileText(const TalkFile& talk, std::string& out);
std::string conditionFileText(const TalkCondition& condition);
std::string shopFileText(const std::vector<int32_t>& goods);
std::string npcPositionText(const std::vector<NpcRecord>& npcs);

}  // namespace velk
