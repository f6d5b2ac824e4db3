#include "app/state_dump_town.h"

#include "world/mini_map.h"

namespace velk {

std::string minimapJson() {
    if (!g_miniMap) return {};
    return "{\"size\": " + std::to_string(g_miniMap->size) +
           ", \"questLines\": " + std::to_string(g_miniMap->questLines.size()) + "}";
}

}  // namespace velk
