#pragma once
// The town parts of --dump-state: the minimap, the NPCs, the talk box and the shop.

#include <string>

namespace velk {

// The "minimap" member's value, or empty when there is no minimap.
std::string minimapJson();
// The current map's NPCs: x, y, talk number and mission state of each.
std::string npcsJson();
// The talk box while open (open, talk number, shown bytes, action), or null.
std::string talkJson();
// The open shop (kind, goods and bag selection and scroll), or null.
std::string shopJson();

}  // namespace velk
