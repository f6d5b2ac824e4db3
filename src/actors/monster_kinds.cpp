#include "actors/monster_kinds.h"

#include <algorithm>

#include "formats/enemy_format.h"
#include "actors/shot_list.h"

int32_t MonsterRows::needed() const {
    return 1 + std::max({walkLeft, walkRight, pushedRight, pushedLeft, dying, attackLeft, attackRight});
}

namespace velk {

namespace {

using G = MonsterGround;
using L = MonsterLull;

constexpr MonsterSight kBlind{};
constexpr MonsterShotSpec kNoShot{};
constexpr MonsterRows kRows{};

// One row a kind; its place is the number monster files give it. Sight is
// {reach ahead, above, below}; a shot {dx, dy, shot row, motion} from the
// foot point.
const MonsterKind kBuiltIn[] = {
    // name            ground      walks  wanders cycle  sight            lull
    //                 shot facing left                     shot facing right                    rows
    {"walker",          G::Walker,  true,  true,  false, kBlind,          L::Keep,
                        kNoShot,                            kNoShot,                             kRows},
    {"floater",         G::Floater, true,  true,  false, kBlind,          L::Keep,
                        kNoShot,                            kNoShot,                             kRows},
    {"stander",         G::None,    false, true,  false, kBlind,          L::Keep,
                        kNoShot,                            kNoShot,                             kRows},
    {"stander",         G::None,    false, true,  false, kBlind,          L::Keep,
                        kNoShot,                            kNoShot,                             kRows},
    {"walking shooter", G::Walker,  true,  true,  true,  {300, 150, 50},  L::Keep,
                        {-20, -20, 8, kShotStraight},       {-20, -20, 9, kShotStraight},        kRows},
    {"dropper",         G::None,    false, false, true,  {160, 0, 160},   L::WalkRow,
                        {-20, 0, 3, kShotFalling},          {20, 0, 4, kShotFalling},            kRows},
    {"gunner",          G::None,    false, false, true,  {400, 200, 200}, L::WalkRow,
                        {-20, -20, 7, kShotStraight},       {20, -20, 7, kShotStraight},         kRows},
    {"striker",         G::None,    false, false, true,  {130, 50, 0},    L::WalkRowAtEnd,
                        kNoShot,                            kNoShot,                             kRows},
};
// A new row needs the monster files' range raised with it.
static_assert(std::size(kBuiltIn) == kMaxMonsterKind + 1);

}  // namespace

const std::vector<MonsterKind>& monsterKinds() {
    static const std::vector<MonsterKind> kinds(std::begin(kBuiltIn), std::end(kBuiltIn));
    return kinds;
}

}  // namespace velk
