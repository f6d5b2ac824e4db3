#pragma once
// velk-pack: the content tool. One entry point so the tests run the same
// command line a content author types.

#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

// args: the subcommand and its arguments (without the program name).
// Returns the exit status: 0 done, 1 failed, 2 bad usage.
int runPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
