#pragma once
// validate: loads a whole content tree with the game's own loaders and names
// every file that is missing or malformed, with the reason.

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

struct ContentProblem {
    std::string file;    // game name, relative to the tree
    std::string reason;  // the first thing wrong with it
    int more = 0;        // further problems found in the same file
};

struct ContentReport {
    std::vector<ContentProblem> problems;  // one per file, in the order found
    // What still plays but likely not as meant (a creature in the air or in
    // rock); one per file, and never a failure.
    std::vector<ContentProblem> warnings;
    size_t filesChecked = 0;
    size_t maps = 0;
    size_t spriteSets = 0;
    size_t pictures = 0;
};

// Checks the tree at `dir`: every "maps/map_N.mmf" with the sets it names,
// its stage and the pictures the stage names, its position files for both
// entry sides and its minimap name; every sprite set with its delays (set 0,
// the hero, is required); every picture under pic/ and the cursor; when the
// tree has items, the item pack, its names and descriptions, the help texts,
// the windows' pictures and sprite sets 1001 and 1002; the new-game file and
// the save if there is one; every map's NPCs and the talks, conditions and
// shops they reach; and the rules the game keeps without a word: weapons
// whose picture is a weapon kind, NPCs only on maps with neither monsters
// nor a boss, each NPC's look in its sprite set, quest runs that end at a
// boss, creatures standing on ground rather than in the air or in rock.
ContentReport checkContent(const std::string& dir);

int validateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
