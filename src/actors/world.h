#pragma once
// CWorld: every actor of the current map. Once per played frame it draws the
// tiles, the map's objects and the actors in depth order, regenerates the
// hero, runs the hero's logic and input, and decides damage and death. It is
// made once at start-up, partly reset on every map change, and saves the
// hero when it is destroyed.

#include <array>
#include <cstdint>
#include <memory>

#include "actors/player.h"
#include "actors/sprite_set.h"
#include "platform/d3dx_font.h"
#include "ui/message_box.h"

class CDirect3D;

// The hero's frame-to-frame state, shared by the world's pass and the hero's
// own logic (and by the actors that fight the hero).
struct HeroState {
    int32_t heroScreenX = 0;  // where the hero is drawn this frame
    int32_t heroScreenY = 0;
    int32_t cameraFollowsX = 0;  // 1 while the last step also moved the camera
    int32_t cameraFollowsY = 0;
    int32_t actionStep = 0;  // frames inside a crouch attack or a rope step
    int32_t jumpStep = 0;    // 0..13 rising, 15 or 16 falling
    int32_t slideStep = 0;
    int32_t airAttackStep = 0;
    int32_t airAttackUsed = 0;  // one air attack per jump
    int32_t cellPhaseX = 0;     // hero x mod 32
    int32_t slope = 0;          // 0 level, 1 stepping down, 2 stepping up
    int32_t damageTaken = 0;    // of the last hit
    int32_t hurtStep = 4;       // knock-back counter; 4 when no hit is pending
    int32_t touchingMonster = -11;  // what struck the hero this frame; -11 nothing
    int32_t touchingShot = -11;
    std::unique_ptr<CMessageBox> deathBox;
};

// The shots the hero fires.
enum class HeroShot { Straight, Returning, Kick };

class CWorld {
public:
    static constexpr int kSortCapacity = 1000;
    // The hero is drawn this far from the screen's left edge while the
    // camera follows it.
    static constexpr int32_t kFollowScreenX = 408;

    struct SortEntry {
        int32_t key;
        int32_t index;  // a placement of the object set, or the hero after them
    };

    CWorld() = default;
    // Releases in order: the hero's sprites, the hero (which saves), the font.
    ~CWorld();
    CWorld(const CWorld&) = delete;
    CWorld& operator=(const CWorld&) = delete;

    // Makes the hero's sprites and the hero (from the save), places the hero
    // and loads the current map. False when the map cannot be loaded: the
    // game cannot start.
    bool init(CDirect3D* device);
    // One played frame.
    void update();

    // The world's part of a map change, after the field holds the new map:
    // the hero starts afresh at the map's start position.
    void enterMap();
    // Clears the hero's frame-to-frame state for a new map.
    void resetForMapChange();

    // Box 0 of the hero's current frame, on screen. False when it has none.
    bool heroBodyBox(FrameBox& box) const;
    // One frame of the blinking that follows a hit.
    void blinkStep();
    // The hero's hit points are gone: the dying row and the death box.
    void startDeath();
    // Draws the damage number over the hero.
    void drawDamageNumber();

    // What the hero does to and receives from the map's other actors: the
    // monsters or the boss, the shot list, the drop list, the skills. A map
    // without them has nothing to strike, nothing to hit the hero and
    // nothing to pick up, so these answer accordingly.
    void meleeHitTest() {}
    void fireHeroShot(HeroShot) {}
    void useSkill() {}
    // Aru picked up from drops under the box, or -1.
    int32_t pickUp(const FrameBox&) { return -1; }
    // Sets damageTaken from the monster or boss that struck the hero.
    void takeEnemyHit() {}
    bool speedEffectRunning() const { return false; }

    int8_t action = kActionStand;
    int32_t animCounter = 0;  // the hero's animation counter
    uint8_t doubleStep = 0;   // alternates inside a fast walking frame
    CDirect3D* direct3d = nullptr;
    std::unique_ptr<CSpriteSet> playerSprites;  // sprite set 0
    std::unique_ptr<CPlayer> player;
    std::unique_ptr<CD3dxFont> damageFont;
    HeroState hero;

    // This frame's draw order.
    std::array<SortEntry, kSortCapacity> sortList{};
    int32_t sortCount = 0;

private:
    void regenerate();
    void placeHeroOnScreen();
    void buildSortList();
    void drawSorted();
    void drawHero();
    void checkHarmfulGround();
    void animate();
    void runDeath();
};

// The world (created by the application).
extern CWorld* g_world;
