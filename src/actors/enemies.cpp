#include "actors/enemies.h"

#include <cstdio>

#include "actors/combat.h"
#include "core/effects.h"
#include "platform/cp949.h"
#include "platform/d3dx_font.h"
#include "platform/game_random.h"
#include "widgets/notice_log.h"
#include "world/field.h"
#include "world/sprite_set.h"

namespace {
constexpr int32_t kFontHeight = 70;
}

int32_t CNoEnemies::contactTest(const FrameBox&) const { return velk::kHitNothing; }
int32_t CNoEnemies::hitTest(const FrameBox&, int32_t, int32_t) { return velk::kHitNothing; }

namespace velk {

std::unique_ptr<CD3dxFont> makeDamageFont(CDirect3D* device) {
    auto font = std::make_unique<CD3dxFont>();
    if (!font->create(device, toCp949("돋움체").c_str(), kFontHeight)) font.reset();
    return font;
}

void drawDamageText(CD3dxFont* font, int32_t x, int32_t y, uint32_t colour, const char* text) {
    constexpr uint32_t kRing = 0xFF140A0A;
    if (font) font->drawOutlined(x, y, colour, kRing, text, -1, 2);
}

void enemyScreenPosition(const AnimationStep* step, int32_t x, int32_t y, int32_t& sx, int32_t& sy) {
    sx = x + (step ? step->offsetX : 0) - g_field->camera.x;
    sy = y + (step ? step->offsetY : 0) - g_field->camera.y;
}

bool enemyBox(const CSpriteSet& sprites, const AnimationStep* step, int32_t x, int32_t y, bool attackBox,
              FrameBox& placed) {
    if (!step) return false;
    const FrameBox* box = attackBox ? sprites.attackBox(step->frame) : sprites.bodyBox(step->frame);
    if (!box) return false;
    int32_t sx, sy;
    enemyScreenPosition(step, x, y, sx, sy);
    placed = placeBox(*box, sx, sy);
    return true;
}

bool enemyBoxTouches(const CSpriteSet& sprites, const AnimationStep* step, int32_t x, int32_t y, bool attackBox,
                     const FrameBox& other) {
    FrameBox placed;
    return enemyBox(sprites, step, x, y, attackBox, placed) && boxesTouch(placed, other);
}

int32_t rollDamage(int32_t power, int32_t defence) {
    g_soundBank.play(&g_effects.monsterHit);
    return power + gameRand() % 3 - defence;
}

void noticeKill(int32_t expValue) {
    char line[64];
    std::snprintf(line, sizeof line, "경험치를 얻었습니다(+%d)", expValue);
    if (g_noticeLog) g_noticeLog->add(toCp949(line).c_str());
}

}  // namespace velk
