#pragma once
// CMonsterSet: the ordinary monsters of the current map, read from its
// monster file. Monsters of one sprite set share it, each keeping its own
// place in the set's rows. A monster decides and walks once a frame,
// strikes and shoots at the hero, is knocked back by hits, dies with
// its coins and experience, and comes back at its start after its delay.
// What a monster does by its kind comes from its row of the kinds table.

#include <cstdint>
#include <memory>
#include <vector>

#include "actors/enemies.h"
#include "formats/enemy_format.h"
#include "actors/monster_kinds.h"
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

struct CMonster {
    std::shared_ptr<const CSpriteSet> sprites;  // shared with the map's monsters of its set
    CSpriteSteps steps;                         // its own step in each row of the set
    int32_t animRow = 0;
    int32_t speed = 0;
    int32_t kind = 0;  // its row of the set's kinds table
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
    // Set at every start: its kind is known and its sprite set has the rows
    // the kind plays. A monster that does not play is neither drawn, run
    // nor touched.
    bool plays = false;
};

class CMonsterSet final : public CEnemies {
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

    // The enemies' side: a monster's index is its place in the file.
    int32_t count() const override { return int32_t(monsters.size()); }
    int32_t depthY(int32_t index) const override { return monsters[size_t(index)].y; }
    void screenPosition(int32_t index, int32_t& sx, int32_t& sy) const override;
    void draw(int32_t screenX, int32_t screenY, int32_t index) override;
    void think(int32_t heroX, int32_t heroY, int32_t index) override;
    int32_t contactTest(const FrameBox& heroBody) const override;
    int32_t hitTest(const FrameBox& box, int32_t facing, int32_t power) override;
    int32_t attackOf(int32_t index) const override;
    void beginHitTests() override;
    void endHitTests() override;

    // The monster's row of the kinds table (for a monster that plays).
    const MonsterKind& kindOf(const CMonster& m) const { return kinds[size_t(m.kind)]; }

    // Where the monsters' shots go (the shot list is made after the set).
    CShotList* shots = nullptr;
    std::vector<CMonster> monsters;
    std::unique_ptr<CD3dxFont> font;
    // The kinds the monsters name: the game's table, which tests may extend.
    std::vector<MonsterKind> kinds = velk::monsterKinds();

private:
    // Whether the monster can touch the hero or be hit now.
    static bool touchable(const CMonster& m);
    // The first monster a hit may find whose body touches `box`, or -1.
    int32_t firstTouched(const FrameBox& box) const;
    // The same from the bodies sorted into columns (built at the first test
    // of a group): each test then looks only at the monsters near it.
    int32_t firstTouchedNear(const FrameBox& box);
    void buildBodyColumns();
    void restart(CMonster& m) const;
    void decide(CMonster& m, const MonsterKind& k, int32_t hx, int32_t hy);
    void ground(CMonster& m, const MonsterKind& k);
    void behave(CMonster& m, const MonsterKind& k, int32_t hx, int32_t hy);
    void knockBack(CMonster& m, const MonsterKind& k);
    void fire(const CMonster& m, const MonsterKind& k, int32_t index);
    // Terrain code of the cell (c, r) from the monster's cell.
    int32_t cellAt(const CMonster& m, int32_t c, int32_t r) const;
    bool atMapEdge(const CMonster& m) const;
    // Whether the ground ahead (`dir` -1 left, 1 right) stops the kind's push.
    bool pushBlocked(const CMonster& m, MonsterGround ground, int32_t dir) const;
    void enterRow(CMonster& m, int32_t row, bool withSound);

    CDirect3D* device_;
    bool grouped_ = false;      // between beginHitTests and endHitTests
    bool columnsBuilt_ = false;
    int32_t columnsLeft_ = 0;   // screen x where column 0 starts
    int32_t columnWidth_ = 1;
    std::vector<FrameBox> bodies_;         // per monster, placed on screen
    std::vector<int32_t> columnStart_;     // per column, into columnMembers_, and one past the last
    std::vector<int32_t> columnMembers_;   // monster indices by column, each column ascending
};
