#pragma once
// The minimap's text files: the map name "txt/minimap/%d.txt" and, for maps
// of a quest run, the quest text "txt/quest/quest_%d.txt".

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

constexpr size_t kMaxMinimapNameBytes = 14;
constexpr int32_t kMaxQuestLines = 127;
constexpr int32_t kMaxQuestLineBuffer = 256;

std::string minimapNameFileName(int mapNumber);
std::string questFileName(int mapNumber);

// The first token, cut to 14 bytes on a character boundary (reported). False
// for a file without a token.
bool parseMinimapName(const uint8_t* data, size_t size, std::string& out, const char* name);
// Lines as the game reads them: the rest of the line after each length, its
// blank included, at most length - 1 bytes; trailing line ends are dropped.
bool parseQuestText(const uint8_t* data, size_t size, std::vector<std::string>& out, const char* name);

// Missing files give false and leave `out` empty.
bool loadMinimapName(int mapNumber, std::string& out);
bool loadQuestText(int mapNumber, std::vector<std::string>& out);

}  // namespace velk
