#pragma once
// Readers of the NPC files: talk, condition and shop files, NPC positions
// and mission states. Each checks the whole file before it hands anything
// back, so a broken file changes nothing; with --verbose it names the file
// and the reason.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/talk_format.h"

namespace velk {

bool parseTalkFile(const uint8_t* data, size_t size, TalkFile& out, const char* name);
bool parseConditionFile(const uint8_t* data, size_t size, TalkCondition& out, const char* name);
bool parseShopFile(const uint8_t* data, size_t size, std::vector<int32_t>& goods, const char* name);
bool parseNpcPositions(const uint8_t* data, size_t size, std::vector<NpcRecord>& out, const char* name);
// Reads up to `count` states; NPCs the file has no state for start at 0. A
// bad number ends the reading there (reported) and the rest start at 0.
void parseMissionStates(const uint8_t* data, size_t size, size_t count, std::vector<int8_t>& out,
                        const char* name);

// The names of a map's people, one line each (a blank line: no name), each
// cut to kMaxNpcNameBytes without splitting a character; at most kMaxNpcs.
std::vector<std::string> parseNpcNames(const uint8_t* data, size_t size);

// The same, reading the game file `name` from the data directory. A missing
// file is reported and gives false.
bool loadTalkFile(const std::string& name, TalkFile& out);
bool loadConditionFile(int conditionNumber, TalkCondition& out);
bool loadShopFile(int talkNumber, std::vector<int32_t>& goods);
bool loadNpcPositions(int mapNumber, std::vector<NpcRecord>& out);
// No names (and no report) when the map has no name file.
std::vector<std::string> loadNpcNames(int mapNumber);
// False when the file is missing (the map then has no NPCs).
bool loadMissionStates(int mapNumber, size_t count, std::vector<int8_t>& out);

// One "%d\n" line per state, as the game writes it.
std::string missionStateText(const std::vector<int8_t>& states);

}  // namespace velk
