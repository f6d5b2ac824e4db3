#pragma once
// velk-pack build-world and new-world: a world built from a folder of
// readable sources, and the template of such a folder.

#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

int buildWorldCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int newWorldCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
