#pragma once
// png2pic and pic2png: pictures in and out of the game's picture format.

#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

int png2picCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int pic2pngCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
