#pragma once
// CEnemies: what the world and combat see of a map's enemies, whether a set
// of monsters or a boss. Each enemy has an index (the boss is 0); the world
// sorts, draws and runs them by index, and combat tests the hero's attacks
// and body against them without knowing which they are. Also the pieces of
// a strike every enemy shares: the damage font, the box test, the damage
// roll and the kill notice.

#include <cstdint>
#include <memory>

#include "formats/sprite_format.h"

class CD3dxFont;
class CDirect3D;
class CSpriteSet;

class CEnemies {
public:
    virtual ~CEnemies() = default;

    // How many enemies take part in the depth-sorted pass.
    virtual int32_t count() const = 0;
    // Enemy `index`'s world y: its place in the depth order.
    virtual int32_t depthY(int32_t index) const = 0;
    // The screen position of enemy `index`'s current frame.
    virtual void screenPosition(int32_t index, int32_t& sx, int32_t& sy) const = 0;
    // Draws enemy `index`'s current frame there, unless it is not shown
    // (dead, blinking, without sprites).
    virtual void draw(int32_t screenX, int32_t screenY, int32_t index) = 0;
    // One frame of enemy `index`, with the hero's world position.
    virtual void think(int32_t heroX, int32_t heroY, int32_t index) = 0;
    // The first enemy whose attack box touches the hero's body: what
    // `attackOf` takes, or kHitNothing.
    virtual int32_t contactTest(const FrameBox& heroBody) const = 0;
    // The hero's attack box against the enemies' bodies: kHitNothing,
    // kHitNoDamage, kHitHurt, or the experience of a kill.
    virtual int32_t hitTest(const FrameBox& box, int32_t facing, int32_t power) = 0;
    // The attack of what `contactTest` or an enemy shot named; 0 when gone.
    virtual int32_t attackOf(int32_t source) const = 0;
    // Between these only `hitTest` runs and the enemies stand still, so many
    // tests (the shots of a frame) may share what they work out once.
    virtual void beginHitTests() {}
    virtual void endHitTests() {}
};

// A map with no enemies: nothing to draw, touch or strike.
class CNoEnemies final : public CEnemies {
public:
    int32_t count() const override { return 0; }
    int32_t depthY(int32_t) const override { return 0; }
    void screenPosition(int32_t, int32_t& sx, int32_t& sy) const override { sx = sy = 0; }
    void draw(int32_t, int32_t, int32_t) override {}
    void think(int32_t, int32_t, int32_t) override {}
    int32_t contactTest(const FrameBox&) const override;
    int32_t hitTest(const FrameBox&, int32_t, int32_t) override;
    int32_t attackOf(int32_t) const override { return 0; }
};

namespace velk {

// The damage numbers' font ("돋움체", height 70); null when it cannot be made.
std::unique_ptr<CD3dxFont> makeDamageFont(CDirect3D* device);
// Draws a damage number in its colour inside a dark ring two pixels wide, so
// it reads on light walls and skies as well as on dark ones.
void drawDamageText(CD3dxFont* font, int32_t x, int32_t y, uint32_t colour, const char* text);

// Where an enemy's current frame stands on screen, from its foot point
// (x, y) and the step's offsets (none without a step).
void enemyScreenPosition(const AnimationStep* step, int32_t x, int32_t y, int32_t& sx, int32_t& sy);

// Box 0 (`attackBox` false) or the attack box of the enemy's current frame,
// placed at its screen position; false when the frame has no such box.
bool enemyBox(const CSpriteSet& sprites, const AnimationStep* step, int32_t x, int32_t y, bool attackBox,
              FrameBox& placed);
// Whether that box touches `other`.
bool enemyBoxTouches(const CSpriteSet& sprites, const AnimationStep* step, int32_t x, int32_t y, bool attackBox,
                     const FrameBox& other);

// A hit on an enemy: the hit sound, then power + a random 0..2 - defence.
int32_t rollDamage(int32_t power, int32_t defence);
// The experience notice of a kill.
void noticeKill(int32_t expValue);

}  // namespace velk
