#pragma once
// info: what a content file is and what it holds, for every format the game
// reads. Binary files are known by their signature, text files by their name.

#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
