#pragma once
// CMonsterSet: the ordinary monsters of the current map, read from its
// monster file. Each monster owns its sprite set, decides and walks once a
// frame, strikes and shoots at the hero, is knocked back by hits, dies with
// its coins and experience, and comes back at its start after its delay.

#include <cstdint>
#include <memory>
#include <vector>

#include "actors/enemy_format.h"
#include "platform/d3dx_font.h"
#include "world/sprite_set.h"

class CDirect3D;
class CShotList;

// The monster's `move`: what it is doing.
enum MonsterMove : int32_t {
    kMoveDeciding = -1,
    kMovePause = 0,
    kMoveLeft = 1,
    kMoveRight = 2,
    kMoveDying = 5,
    kMoveDead = 6,
    kMoveFired = 1111,  // this attack cycle has fired its shot
};

// Rows of a monster's sprite set.
enum MonsterRow : int32_t {
    kMonsterRowLeft = 0,
    kMonsterRowRight = 1,
    kMonsterRowPushedRight = 2,
    kMonsterRowPushedLeft = 3,
    kMonsterRowDying = 4,
    kMonsterRowAttackLeft = 5,
    kMonsterRowAttackRight = 6,
};

struct CMonster {
    std::unique_ptr<CSpriteSet> sprites;
    int32_t animRow = 0;
    int32_t speed = 0;
    int32_t kind = 0;
    int32_t aggro = 0;
    int32_t x = 0, y = 0;
    int32_t col = 0, row = 0;
    int32_t damageNumberX = -1, damageNumberY = -1;
    char damageText[12] = {};
    int32_t attack = 0;
    int32_t defence = 0;
    int32_t expValue = 0;
    int32_t money = 0;
    int32_t hp = 0;
    int32_t respawnDelay = 0;
    int32_t move = kMoveDeciding;
    int32_t moveTimer = 1;
    int32_t animCounter = 0;
    int8_t hurtTimer = -1;  // -1 normal, 6..1 knocked back, 0 dead
    // As loaded: a respawn starts from these, whatever became of the file.
    MonsterRecord start;

    // A monster whose sprite set did not load is neither drawn nor touched.
    bool hasSprites() const { return sprites && sprites->animationCount > kMonsterRowAttackRight; }
    void restart();
};

class CMonsterSet {
public:
    explicit CMonsterSet(CDirect3D* device);
    ~CMonsterSet();
    CMonsterSet(const CMonsterSet&) = delete;
    CMonsterSet& operator=(const CMonsterSet&) = delete;

    // The damage font, then the current map's monsters. Nonzero when the map
    // has a monster file.
    int init();
    // Replaces the monsters with the current map's. 0 when the map has no
    // (readable) monster file: the set is then empty.
    int load();
    // Brings monster `index` back at its start with full points.
    void respawn(int32_t index);

    int32_t count() const { return int32_t(monsters.size()); }
    // Draws monster `index`'s current frame of `row` at a screen position.
    void draw(int32_t screenX, int32_t screenY, int32_t row, int32_t index);
    // One frame of monster `index`, with the hero's world position.
    void think(int32_t heroX, int32_t heroY, int32_t index);
    int32_t contactTest(const FrameBox& heroBody) const;
    int32_t hitTest(const FrameBox& box, int32_t facing, int32_t power);
    // The screen position of a monster's current frame.
    void screenPosition(const CMonster& m, int32_t& sx, int32_t& sy) const;

    // Where the monsters' shots go (the shot list is made after the set).
    CShotList* shots = nullptr;
    std::vector<CMonster> monsters;
    std::unique_ptr<CD3dxFont> font;

private:
    void decide(CMonster& m, int32_t hx, int32_t hy);
    void ground(CMonster& m);
    void behave(CMonster& m, int32_t hx, int32_t hy);
    void knockBack(CMonster& m);
    void fire(CMonster& m, int32_t index);
    // Terrain code of the cell (c, r) from the monster's cell.
    int32_t cellAt(const CMonster& m, int32_t c, int32_t r) const;
    bool atMapEdge(const CMonster& m) const;
    void enterRow(CMonster& m, int32_t row, bool withSound);

    CDirect3D* device_;
};
