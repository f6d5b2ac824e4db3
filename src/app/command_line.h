#pragma once
// The velk command line.

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

struct Screenshot {
    long frame = 0;
    std::string path;
};

// How the game shows its screen: asked at the first start, remembered, or
// given on the command line.
enum class ScreenMode { Ask, Windowed, FullScreen };

// Which of a map's two start positions --start puts the hero on.
enum class StartSide {
    Back = 0,     // beside the back exit, where a hero walking forward arrives
    Forward = 1,  // beside the forward exit, where a hero walking back arrives
};

// An item --give puts into the bag: its name in the item table (as typed,
// UTF-8) or its item code, and how many.
struct Gift {
    std::string item;
    int32_t count = 1;
};

struct Options {
    std::string dataDir;  // empty: the installed world, else the current directory
    std::string saveDir;  // empty: the user's own folder for this content tree
    ScreenMode screenMode = ScreenMode::Ask;
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
    // Options for testing a world: the map the game starts on (-1: the
    // save's), the hero's level (0: the save's) and items for the bag.
    int32_t startMap = -1;
    StartSide startSide = StartSide::Back;
    int32_t level = 0;
    std::vector<Gift> gifts;
    bool testsAWorld() const { return startMap >= 0 || level > 0 || !gifts.empty(); }
};

// Parses argv. False with a message in `error` on a bad command line.
bool parseCommandLine(int argc, const char* const* argv, Options& options, std::string& error);
const char* usageText();

}  // namespace velk
