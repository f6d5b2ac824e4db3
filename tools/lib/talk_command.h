#pragma once
// talk: compiles talk sources (UTF-8) into the game's NPC files.

#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

int talkCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
