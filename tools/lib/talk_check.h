#pragma once
// validate, the NPC part: every map's NPC positions and mission states, and
// every talk an NPC can reach (through pages and condition chains), with
// the shops, rewards and journeys the talks name.

#include <cstdint>
#include <functional>
#include <set>
#include <string>

namespace velk::pack {

using ProblemSink = std::function<void(const std::string& file, const std::string& reason)>;

// How many weapons and energy items the item pack holds, for the goods of
// the shops and the items of rewards; without a readable pack they are not
// checked against it.
struct ShopTables {
    bool known = false;
    size_t weapons = 0;
    size_t energy = 0;
    size_t skills = 0;
    size_t pictures = 0;
    // The skills the new game starts with (worn and in the book): a reward
    // that gives one of them again gives nothing.
    std::set<int32_t> newGameSkills;
};

// `maps`: the map numbers of the tree. Returns the number of files checked.
size_t checkNpcContent(const std::set<int>& maps, const ShopTables& tables, const ProblemSink& problem);

}  // namespace velk::pack
