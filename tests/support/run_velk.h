#pragma once
// Runs the real `velk` binary headless on the generated demo world, for
// end-to-end tests that assert on the state dump and on screenshots.

#include <array>
#include <string>
#include <vector>

#include "formats/save_file.h"

namespace velk {

struct VelkRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr
    std::string state;   // the state dump, if one was asked for
};

// `args` follow `velk --headless --data <copy> --save-dir <copy>`, where
// <copy> is a copy of the demo world made in `workDir` on the first run
// there, with XDG_CONFIG_HOME at <workDir>/config (a controls.ini there
// applies) and XDG_DATA_HOME at <workDir>/share; `script` (if not
// empty) is written to a file and passed with --script. The dump is read
// back from `dumpPath` when given.
VelkRun runVelk(const std::string& workDir, const std::vector<std::string>& args,
                const std::string& script = "", bool dumpState = true);

std::string velkBinary();

// A script that opens the weapon bag from the HUD's weapon slot, selects the
// row at screen y `rowY` in frame 6 and wears it with a right click in frame 8.
std::string wearFromBagScript(int rowY);
std::string demoDataDir();

// The hero the e2e saves start from: level 1 with a new game's stats, hp
// 100, mp 50 and the fist worn, in town.
SaveRecord startingHero();

// The value of a top-level number field in the dump ("gameState": 400).
long jsonNumber(const std::string& json, const std::string& key);
// The raw text of a top-level array field ("sounds": [...]).
std::string jsonArray(const std::string& json, const std::string& key);
// The value of a number field inside a top-level object ("hero": {"y": 544}).
long jsonNumberIn(const std::string& json, const std::string& object, const std::string& key);
// The hero's slot `n` in the dump: count, icon, itemId.
std::array<long, 3> jsonSlot(const std::string& json, int n);

}  // namespace velk
