#pragma once
// The monster kinds: one row each saying how a kind moves, when it sees
// the hero, how it strikes and shoots, and which rows of its sprite set it
// plays. A monster file names a kind by its place in the table; the monster
// set's one think step reads the row and nothing else about the kind.

#include <cstdint>
#include <vector>

// How the ground steers the kind while it walks and while it is knocked back.
enum class MonsterGround : uint8_t {
    None,     // no ground test: stays where it is placed, never pushed back by terrain
    Walker,   // follows the ground and its slopes, stops at ledges and barriers
    Floater,  // ignores ledges: stops only at walls, slopes and barriers ahead
};

// What a kind with sight shows while the hero is out of it.
enum class MonsterLull : uint8_t {
    Keep,          // keeps the row it plays
    WalkRow,       // turns to its walking row at once
    WalkRowAtEnd,  // finishes the row it plays, then its walking row
};

// Where the hero must stand, from the monster's foot point and facing its
// way, for the kind to strike while walking: from level to `reach` pixels
// ahead, from `above` pixels above to `below` pixels below.
struct MonsterSight {
    int32_t reach = -1;  // -1: blind
    int32_t above = 0;
    int32_t below = 0;
};

// A shot the kind fires on its attack row, from its foot point.
struct MonsterShotSpec {
    int32_t dx = 0, dy = 0;
    int32_t spriteRow = -1;  // row of the shot sprite set; -1 no shot
    uint8_t motion = 0;      // a ShotMotion
};

// Rows of the kind's sprite set.
struct MonsterRows {
    int32_t walkLeft = 0;
    int32_t walkRight = 1;
    int32_t pushedRight = 2;
    int32_t pushedLeft = 3;
    int32_t dying = 4;
    int32_t attackLeft = 5;
    int32_t attackRight = 6;

    // A sprite set needs this many rows for the kind to play.
    int32_t needed() const;
};

struct MonsterKind {
    const char* name = "";
    MonsterGround ground = MonsterGround::None;
    // Steps `speed` pixels a frame while walking and not striking.
    bool walks = false;
    // Decides afresh whenever its decision runs out or it pauses, and a hit
    // turns its aggro on (the others keep their course and temper).
    bool wanders = true;
    // Its attack row is one cycle: it fires on step kMonsterShotStep and
    // decides again at the row's end.
    bool attackCycle = false;
    MonsterSight sight;
    MonsterLull lull = MonsterLull::Keep;
    MonsterShotSpec shotLeft, shotRight;
    MonsterRows rows;
};

namespace velk {

// Shooters fire on this step of the attack row.
constexpr int32_t kMonsterShotStep = 2;

// The kinds a monster file may name, 0 to kMaxMonsterKind, in order.
const std::vector<MonsterKind>& monsterKinds();

}  // namespace velk
