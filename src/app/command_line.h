#pragma once
// The velk command line.

#include <string>
#include <vector>

namespace velk {

struct Screenshot {
    long frame = 0;
    std::string path;
};

struct Options {
    std::string dataDir;  // empty: the installed world, else the current directory
    std::string saveDir;  // empty: the user's own folder for this content tree
    int screenMode = 0;  // 0 ask, 1 windowed, 2 full screen
    int scale = 1;
    bool smooth = false;  // full screen: linear filtering at any scale
    bool seedGiven = false;
    unsigned seed = 0;
    bool verbose = false;
    bool headless = false;
    long frames = -1;  // -1: run until quit
    bool skipTitle = false;
    std::string script;
    std::vector<Screenshot> screenshots;
    std::string dumpState;
    std::string record;
    bool help = false;
};

// Parses argv. False with a message in `error` on a bad command line.
bool parseCommandLine(int argc, const char* const* argv, Options& options, std::string& error);
const char* usageText();

}  // namespace velk
