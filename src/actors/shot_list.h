#pragma once
// CShotList: every shot in flight, the hero's and the enemies', drawn from
// sprite set 1003. Each frame the shots move and are drawn, the hero's
// strike the map's enemies (a kill pays experience) and the enemies' hurt
// the hero.

#include <cstdint>
#include <memory>
#include <vector>

#include "actors/combat.h"
#include "actors/player.h"
#include "world/sprite_set.h"

class CDirect3D;
class CEnemies;
class CPlayer;

enum ShotMotion : uint8_t { kShotStraight = 0, kShotReturning = 1, kShotFalling = 2 };

struct Shot {
    int32_t x = 0, y = 0;
    int32_t col = 0, row = 0;
    uint8_t motion = kShotStraight;
    uint8_t facing = 0;  // 0 right, 1 left
    uint8_t hostile = 0;
    int32_t spriteRow = 0;
    int32_t age = 0;
    int32_t step = 0;
    int32_t source = 0;  // hero: 0 weapon, 1 skill; enemy: the enemy's index
};

class CShotList {
public:
    static constexpr int32_t kShotSet = 1003;
    static constexpr int32_t kReturningRow = 2;

    CShotList() = default;
    CShotList(const CShotList&) = delete;
    CShotList& operator=(const CShotList&) = delete;

    // Stores what the shots meet and makes sprite set 1003.
    void init(CDirect3D* device, CEnemies* enemies, CPlayer* player);
    // The map's new enemies after a map change.
    void setEnemies(CEnemies* enemies) { enemies_ = enemies; }

    void fire(int32_t x, int32_t y, int32_t spriteRow, uint8_t motion, uint8_t facing, uint8_t hostile,
              int32_t source);
    // The hero's shots of the table: the weapon's straight or returning shot, the kick's.
    void fireHeroShot(HeroShot shot);
    void moveAndDraw();
    // The hero's shots against the enemies, the enemies' against the hero's
    // body: the source of the enemy shot that struck it, or kHitNothing.
    int32_t resolve(const FrameBox& heroBody);
    void clear() { shots.clear(); }

    // Newest last; judged newest first.
    std::vector<Shot> shots;
    std::unique_ptr<CSpriteSet> sprites;

private:
    // One frame of a shot's motion; false when the shot is gone.
    bool advance(Shot& s);
    bool onScreen(int32_t sx, int32_t sy) const { return sx > 0 && sx < 800 && sy > 0 && sy < 600; }
    bool screenBox(const Shot& s, FrameBox& box) const;
    void heroShotGone(const Shot& s);
    // Drops the shots marked gone, keeping the others in order.
    void dropGone(const std::vector<uint8_t>& gone);

    CEnemies* enemies_ = nullptr;
    CPlayer* player_ = nullptr;
};
