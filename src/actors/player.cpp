#include "actors/player.h"

#include <algorithm>
#include <cmath>

#include "actors/enemies.h"
#include "actors/pet.h"
#include "core/effects.h"
#include "core/game_state.h"
#include "items/item_rules.h"
#include "platform/cp949.h"
#include "world/field.h"
#include "formats/map_position.h"

namespace {

constexpr int32_t kHeroSprites = 0;
constexpr int32_t kDamageFontHeight = 70;
constexpr uint32_t kDamageColour = 0xFF0000FF;

}  // namespace

float intPower(float base, int exponent) {
    unsigned e = exponent < 0 ? 0u - unsigned(exponent) : unsigned(exponent);
    float result = 1.0f;
    float square = base;
    while (e) {
        if (e & 1u) result *= square;
        square *= square;
        e >>= 1;
    }
    return exponent < 0 ? 1.0f / result : result;
}

int32_t expForLevel(int32_t level) {
    // Only the two squares are single precision; the rest is double, so
    // high levels keep their exact goals.
    const double next = double(int64_t(level) + 1);
    const double value =
        (double(intPower(float(next), 2)) - 13.0 * next + 82.0) * double(intPower(float(level), 2));
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return int32_t(value);
}

CPlayer::CPlayer(CField& field) : field_(field) {
    origin_ = velk::readPlayerRecord(*this, field_.mapNumber, damagedSaveCopy);
    maxHp = velk::maxHpFor(hpStat, level);
    maxMp = velk::maxMpFor(mpStat, level);
    expNext = expForLevel(level);
}

CPlayer::~CPlayer() {
    if (savesOnExit) save();
}

void CPlayer::save() {
    const bool dead = animRow == kDyingRow;
    int32_t mapNumber = field_.mapNumber, entrySide = field_.entrySide;
    int8_t questStep = field_.quest.step;
    // A run that ends in the frame of the death box's OK saves what the
    // return it started leads to, as every later frame does.
    if (GameState == kStateReturn) CField::nextMapNumbers(GameState, mapNumber, entrySide, questStep);
    if (questStep != 0) {
        // Back to the first map of the quest run, points kept.
        mapNumber = mapNumber - (questStep - 1);
    } else if (dead) {
        field_.mapNumber = 0;
        mapNumber = 0;
        PlayerRecord::hp = maxHp / 2;
    }
    if (dead) payDeathPenalty();
    velk::writePlayerRecord(*this, mapNumber, origin_);
}

void CPlayer::loadGraphics(CDirect3D* device) {
    device_ = device;
    sprites->bind(device);
    sprites->load(kHeroSprites);
    sprites->createTextures();
    // A font that cannot be made only costs the damage numbers.
    damageFont = std::make_unique<CD3dxFont>();
    if (!damageFont->create(device, "System", kDamageFontHeight)) damageFont.reset();
}

bool CPlayer::placePlayer() {
    MapPosition pos;
    if (!velk::loadMapPosition(field_.mapNumber, field_.entrySide, pos)) return false;
    animRow = 0;
    facing = 0;
    x = 32 * pos.column;
    y = 32 * pos.row;
    lockedScreenY = pos.lockedScreenY;
    field_.camera.place(pos.camX, pos.camY, x, y);
    fallFrames = 0;
    hpRegenCounter = 0;
    mpRegenCounter = 0;
    shotsInFlight = 0;
    return true;
}

void CPlayer::resetForMapChange() {
    animCounter = 0;
    action = kActionStand;
    cameraFollowsX = 0;
    cameraFollowsY = 0;
    actionStep = 0;
    jumpStep = 0;
    slideStep = 0;
    airAttackStep = 0;
    airAttackUsed = 0;
    cellPhaseX = 0;
    slope = 0;
    damageTaken = 0;
    hurtStep = 4;
    touchingMonster = -11;
}

bool CPlayer::bodyBox(FrameBox& box) const {
    const AnimationStep* step = sprites->currentStep(animRow);
    const FrameBox* body = step ? sprites->bodyBox(step->frame) : nullptr;
    if (!body) return false;
    box = {screenX + body->left, screenY + body->top, screenX + body->right,
           screenY + body->bottom};
    return true;
}

void CPlayer::blinkStep() {
    invincible -= 1;
    blinkHidden ^= 1;
    if (invincible < 0) {
        invincible = kInvincibleOff;
        blinkHidden = 0;
    }
}

void CPlayer::startDeath() {
    g_soundBank.play(&g_effects.userdie);
    PlayerRecord::hp = 0;
    field_.pauseFlag = 1;
    hurtStep = 4;
    action = kActionDying;
    // From its first step, so the dying row always plays out whole.
    enterRow(kDyingRow);

    deathBox = std::make_unique<CMessageBox>();
    deathBox->init(device_, 300, 100, 0, 0);
    const bool questRun = field_.quest.step != 0;
    deathBox->setLine(0, velk::toCp949(questRun ? "퀘스트를 실패했습니다."
                                                : "모험에 실패했습니다.")
                             .c_str());
    deathBox->setLine(1, velk::toCp949(questRun ? "퀘스트 시작점으로 이동합니다."
                                                : "확인을 눌러 마을로 가세요.")
                             .c_str());
}

void CPlayer::drawDamageNumber() {
    const int32_t left = damageNumberX - field_.camera.x;
    const int32_t top = damageNumberY - field_.camera.y;
    velk::drawDamageText(damageFont.get(), left, top, kDamageColour, damageText);
}

int32_t CPlayer::attackPower() const {
    return velk::attackPower(attackStat, slots[velk::kSlotWornWeapon]);
}
