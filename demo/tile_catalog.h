#pragma once
// The demo world's tiles: the kinds a map source names, where each kind and
// variant sits in a tile set (the same layout in every set), and the art of
// every tile in each theme.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace demo {

enum class TileKind {
    None,
    // Solid materials.
    Ground,
    Stone,
    Paving,
    Rock,
    Brick,
    // Slopes of the materials: Up rises to the right, Down falls to the right.
    GroundUp,
    GroundDown,
    StoneUp,
    StoneDown,
    RockUp,
    RockDown,
    PavingUp,
    PavingDown,
    Plank,   // jump-through wooden platform
    Ladder,
    Rope,
    Spikes,  // harmful
    Water,   // harmful
    Back,    // passable back wall
};

enum class Material { Ground, Stone, Paving, Rock, Brick };
constexpr int kMaterialCount = 5;

std::optional<TileKind> tileKindByName(const std::string& name);

bool isMaterial(TileKind k);
Material materialOf(TileKind k);  // materials and slopes
bool isSlope(TileKind k);
bool isSlopeUp(TileKind k);
// Solid for the hero and for the surfaces of the tiles around it: the
// materials, spikes and water. Slopes, planks, ladders and ropes are not.
bool isFullSolid(TileKind k);

// Which sides of a tile are open (drawn with an edge); bit set = exposed.
enum EdgeBits : int { kEdgeTop = 1, kEdgeRight = 2, kEdgeBottom = 4, kEdgeLeft = 8 };

// Decorations drawn on the upper layer in an empty tile.
enum class Decor { Tuft, TuftTall, Flowers, Pebbles, Stalactite, Crystal, Mushroom };
constexpr int kDecorCount = 7;

// Plank pieces by which neighbours are planks too.
enum class PlankPiece { Left, Middle, Right, Single };

// Tile indices. Index 0 is blank: it is never placed, since an upper cell
// of 0 means "no upper tile".
namespace tiles {
constexpr int kInteriorVariants = 3;  // fully covered material tiles vary
// Material tiles three or more tiles below the surface are drawn darker, so
// the depth of the earth reads; the tile above them fades into that shade.
constexpr int kDeep = kInteriorVariants;
constexpr int kFade = kInteriorVariants + 1;
int material(Material m, int edges, int variant = 0);
int slope(Material m, bool up);
int plank(PlankPiece piece);
int ladder();
int rope(bool top);
int spikes();
int water(bool surface);
int back(int edges);
int decor(Decor d);
int count();
}  // namespace tiles

// A palette for one tile set; set numbers pick themes.
enum class Theme { Village, Forest, Hill, Cave };
Theme themeOfSet(int setNumber);

// Every tile of a set, in index order, 32 x 32 ARGB each.
std::vector<std::vector<uint32_t>> drawTileSet(Theme theme);

}  // namespace demo
