#include "actors/pet.h"

#include <algorithm>

#include "actors/player.h"
#include "core/effects.h"
#include "platform/game_random.h"
#include "world/field.h"

namespace {
constexpr int32_t kBehind = 50, kAbove = 80, kLeftmost = 15;
constexpr int32_t kLeash = 150, kPetSpeed = 7;
}  // namespace

void CPet::init(CDirect3D* device) {
    sprites = std::make_unique<CSpriteSet>();
    sprites->bind(device);
    sprites->load(kSpriteSet);
    sprites->createTextures();
    animCounter = 0;
}

void CPet::place(const CPlayer& hero) {
    facingRight = hero.facing == 0 ? 1 : 0;
    x = std::max(facingRight ? hero.x - kBehind : hero.x + kBehind, kLeftmost);
    lastHeroY = hero.y;
    drawY = lastHeroY - kAbove;
}

void CPet::frame(const CPlayer& hero) {
    if (velk::gameRand() % 100 == 80) g_soundBank.play(&g_effects.wait);
    if (x < hero.x - kLeash) {
        if (!facingRight) animCounter = 0;
        facingRight = 1;
        x += kPetSpeed;
    } else if (x > hero.x + kLeash) {
        if (facingRight) animCounter = 0;
        facingRight = 0;
        x -= kPetSpeed;
    }
    if (hero.y != lastHeroY) {
        drawY += hero.y - lastHeroY;
        lastHeroY = hero.y;
    }
    animCounter += 1;
    if (!sprites) return;
    sprites->selectStep(facingRight, animCounter);
    if (const AnimationStep* step = sprites->currentStep(facingRight))
        sprites->drawFrame(step->frame, x + step->offsetX - g_field->camera.x, drawY + step->offsetY - g_field->camera.y);
}
