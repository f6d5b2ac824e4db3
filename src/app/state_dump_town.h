#pragma once
// The town parts of --dump-state: the minimap (and, as they arrive, the
// NPCs, the talk box and the shop).

#include <string>

namespace velk {

// The "minimap" member's value, or empty when there is no minimap.
std::string minimapJson();

}  // namespace velk
