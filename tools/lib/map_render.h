#pragma once
// render-map: a whole map as one picture, drawn by the game's own loaders and
// compositor: the stage's background, both tile layers, the placed objects
// (each at its first frame), markers for who stands where (NPCs, monsters,
// the boss, the hero's entry points) and, on request, the terrain codes
// tinted with a legend strip under the map.

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace velk::pack {

struct MapRenderOptions {
    bool terrain = false;  // tint terrain cells and add the legend strip
    bool markers = true;   // mark the people, creatures and entry points
};

// A marker is a square of its kind's colour in a dark frame, standing on the
// foot point (its bottom edge's middle at the point), with a short label
// above it: N0.. NPCs, M0.. monsters, B the boss, > and < where the hero
// arrives going forwards (side 0) and backwards (side 1), "start" where a
// new game begins (map 0's side 0).
enum class MarkerKind { Npc, Monster, Boss, EntryForward, EntryBack, Start };
constexpr int kMarkerSize = 16;  // frame included
constexpr int kMarkerFrame = 2;
constexpr uint32_t kMarkerOutline = 0xFF101010u;
uint32_t markerColour(MarkerKind kind);

struct RenderedMap {
    uint32_t width = 0;                 // pixels: 32 x columns
    uint32_t height = 0;                // 32 x rows, plus the legend strip with `terrain`
    uint32_t mapHeight = 0;             // where the legend strip starts
    std::vector<uint32_t> pixels;       // 0xAARRGGBB, top row first
    std::vector<std::string> warnings;  // things left out of the picture, and why
};

// Renders map `mapNumber` of the current data directory. False, with
// `error` naming the file and the reason, when the map cannot be drawn.
bool renderMap(int mapNumber, const MapRenderOptions& options, RenderedMap& out,
               std::string& error);

int renderMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace velk::pack
