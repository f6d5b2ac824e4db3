#pragma once
// CWorld: the hub of the paced play frame. Once per played frame it draws
// the tiles, the map's objects and the actors in depth order, runs the
// map's drops, regenerates the hero, checks harmful ground, runs the hero's
// logic and input, and runs the death box. The windows of play are drawn
// after it, by the window stack. It is made once at start-up, partly reset on every
// map change, and saves the hero when it is destroyed.

#include <array>
#include <cstdint>
#include <memory>

#include "actors/boss.h"
#include "actors/combat.h"
#include "actors/enemies.h"
#include "actors/monster_set.h"
#include "actors/player.h"
#include "actors/shot_list.h"
#include "actors/skills.h"
#include "items/drop_list.h"
#include "npc/npc.h"

class CDirect3D;

// What an entry of the depth-sorted pass draws.
enum class SortKind : uint8_t { MapObject, Hero, Enemy, Npc, Pet };

class CWorld {
public:
    static constexpr int kSortCapacity = 1000;
    // The hero is drawn this far from the screen's left edge while the
    // camera follows it.
    static constexpr int32_t kFollowScreenX = 408;

    struct SortEntry {
        int32_t key;
        SortKind kind;
        int32_t index;  // within its kind: a placement of the object set, ...
    };

    CWorld() = default;
    ~CWorld();
    CWorld(const CWorld&) = delete;
    CWorld& operator=(const CWorld&) = delete;

    // Makes the hero (from the save) with its graphics, places it and loads
    // the current map. False when the map cannot be loaded: the game cannot
    // start.
    bool init(CDirect3D* device);
    // One played frame.
    void update();

    // The world's part of a map change, after the field holds the new map:
    // the hero starts afresh at the map's start position, and the old map's
    // coins and items are gone.
    void enterMap();

    // The map's enemies: its monsters when it has any, else its boss, else
    // none (an empty set).
    CEnemies& enemies() const;

    std::unique_ptr<CPlayer> player;
    std::unique_ptr<CMonsterSet> monsters;  // may hold none
    std::unique_ptr<CBoss> boss;            // only on a map without monsters
    CShotList shots;
    std::unique_ptr<CSpeedEffect> speedEffect;  // while the speed skill runs
    // The map's people; they run only where neither monsters nor a boss do.
    std::unique_ptr<CNpc> npcs;
    // The coins and items lying on the map (their pictures loaded by
    // CGameObjects once the item pack is in).
    CDropList drops;
    // Where the NPCs' talk boxes open; set before init.
    CWindowHost* windows = nullptr;

    // This frame's draw order.
    std::array<SortEntry, kSortCapacity> sortList{};
    int32_t sortCount = 0;

private:
    CDirect3D* device_ = nullptr;
    // What a map without monsters or boss fights with.
    mutable CNoEnemies noEnemies_;

    // A map without a monster file may have a boss.
    void buildBoss();
    // The map's NPCs; on a boss map, then the mission states of its town.
    void loadNpcs();
    void connectSeams();
    void takeEnemyHit();
    void runShots();
    void placeHeroOnScreen();
    void buildSortList();
    void drawSorted();
    void drawHero();
    void drawEnemy(int32_t index);
    bool npcsRun() const;
    void checkHarmfulGround();
    void animate();
    void runDeath();
};

// The world (made by CGameObjects).
extern CWorld* g_world;
