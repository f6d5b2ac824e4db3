#pragma once
// The save file ("txt/user/user.txt") and the new-game file
// ("txt/user/init.txt"), for the demo world and tests.

#include <string>

#include "formats/save_file.h"

namespace velk {

// Every field of the record, in the save file's layout.
std::string saveFileText(const SaveRecord& record);
// The new-game layout: the same without the name, map, mp and hp.
std::string newGameFileText(const SaveRecord& record);

}  // namespace velk
