#pragma once
// CBoss: the one enemy of a map without monsters. It opens with a roar,
// shoots (mode 0) or charges (mode 1), patrols between the map's ends, is
// thrown into a short hit state by the hero's attacks and blinks while it
// recovers; its death completes the quest run under way: the mission of the
// giver's map is marked done and written, and the game returns to town.
// To the world and combat it is the map's one enemy, index 0.

#include <cstdint>
#include <memory>
#include <vector>

#include "actors/enemies.h"
#include "formats/enemy_format.h"
#include "platform/d3dx_font.h"
#include "world/sprite_set.h"

class CDirect3D;
class CShotList;

enum BossState : uint8_t {
    kBossAttack = 0,
    kBossWalkLeft = 1,
    kBossWalkRight = 2,
    kBossHit = 5,
    kBossNumberLeft = 6,  // showing the damage, facing left
    kBossNumberRight = 7,
    kBossDying = 8,
    kBossDead = 9,
    kBossLeadInRight = 254,
    kBossLeadInLeft = 255,
};

class CBoss final : public CEnemies {
public:
    static constexpr int32_t kRowCount = 10;

    explicit CBoss(CDirect3D* device);
    ~CBoss();
    CBoss(const CBoss&) = delete;
    CBoss& operator=(const CBoss&) = delete;

    // The damage font, then the current map's boss file. Nonzero on success.
    int init();
    int load();

    // The enemies' side; the boss is enemy 0.
    int32_t count() const override { return 1; }
    int32_t depthY(int32_t) const override { return y; }
    void screenPosition(int32_t index, int32_t& sx, int32_t& sy) const override;
    // Nothing on the frames the blinking boss is hidden.
    void draw(int32_t screenX, int32_t screenY, int32_t index) override;
    // One frame; the boss watches only the hero's x.
    void think(int32_t heroX, int32_t heroY, int32_t index) override;
    // 1 when the boss's attack box touches the hero, else kHitNothing.
    int32_t contactTest(const FrameBox& heroBody) const override;
    int32_t hitTest(const FrameBox& box, int32_t facing, int32_t power) override;
    int32_t attackOf(int32_t) const override { return attack; }
    // Neither hurt nor hurting: hit, dying or dead, or blinking.
    bool untouchable() const { return int8_t(bossState) >= kBossHit || blink >= 0; }

    int32_t hp = 0;
    int32_t attack = 0;
    int32_t defence = 0;
    int32_t expValue = 0;
    int32_t speed = 0;
    int32_t x = 0, y = 0;
    int32_t col = 0, row = 0;
    int32_t animCounter = 0;
    uint8_t mode = 0;
    uint8_t spareByte = 0;
    uint8_t bossState = kBossLeadInLeft;
    uint8_t animRow = 0;
    uint8_t hidden = 0;
    int8_t blink = -1;
    std::unique_ptr<CSpriteSet> sprites;
    std::unique_ptr<CD3dxFont> font;
    CShotList* shots = nullptr;

    // The shot latch and the damage number.
    int32_t shotLatch = 0;
    int32_t numberX = 0, numberY = 0, numberFrames = 0;
    char damageText[12] = {};
    // Set once the death has been reported: the mission is written once.
    bool missionWritten = false;

private:
    void enterRow(int32_t row);
    bool atLastStep() const;
    void attackFrame(int32_t hx);
    void chooseWalk(int32_t hx);
    void completeMission();

    CDirect3D* device_;
};

namespace velk {
// "txt/npc/mssck/mss_<map>.txt": one state a line, written atomically.
bool writeMissionStates(int mapNumber, const std::vector<int8_t>& states);
}  // namespace velk
