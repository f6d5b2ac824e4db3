#pragma once
// The talk source: the readable UTF-8 form in which NPCs and their dialogue
// are written, and its compiler into the game's files (talk, condition,
// shop, NPC position and mission-state files). Byte counts of the CP949
// texts, line starts and coloured-line positions are worked out here, so
// nobody counts bytes by hand.
//
//   map 0                              # the map the following NPCs stand on
//   npc 30 look 2 at 976 512 name 촌장  # talk number, sprite row, foot x y (pixels),
//                                      # and the name on its talk box (optional)
//   talk 30 [state S]                  # one talk file: talkS_30 (state 0 by default)
//     pages next                       # none | next | both | previous
//     buttons choose                   # ok | choose (decline, accept) | none
//     action quest 1                   # none | travel MAP | fee MAP PRICE | quest MAP
//                                      # | pet PRICE | reward
//     reward item NAME                 # a whole item, by its name in the item table
//     reward aru AMOUNT | reward skill INDEX
//     reward item SLOT ICON            # a picture only (the pet's slot 7)
//     text
//       Lines of dialogue, as shown.
//       [red] A coloured line, shown when the typing reaches it.
//     end
//   talk 10
//     shop weapon 0 1 2                # or energy: opens a shop with these goods
//   talk 50
//     check 500 aru 1000 yes 52 no 51  # or: level L, slot S icon I
//
// Comments start with '#' outside text blocks.

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "formats/item_records.h"

namespace velk {

// Line height of the talk box's font: coloured lines sit on text rows.
constexpr int kTalkRowHeight = 18;

struct TalkSource {
    std::string name;  // for messages
    std::string text;  // UTF-8
};

// Compiles all sources together (talk, check and map numbers are shared by
// the whole content tree). On success `files` maps each game file name to
// its bytes; mission-state files start every NPC at 0. On failure `error`
// names the source, the line and what is wrong. `items` names the items
// that `reward item NAME` may give; without it such a reward is an error.
bool compileTalkSources(const std::vector<TalkSource>& sources, std::map<std::string, std::string>& files,
                        std::string& error, const ItemTables* items = nullptr);

}  // namespace velk
