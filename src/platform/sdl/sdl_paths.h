#pragma once
// Folders SDL finds for the game: where the program itself lives, and the
// user's own folder for what the game writes ($XDG_DATA_HOME/velk/ on Linux).
// Both empty when SDL cannot tell.

#include <string>

namespace velk {

std::string programDirectory();
std::string userDataDirectory();

}  // namespace velk
