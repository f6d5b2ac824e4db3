#include "actors/boss.h"

#include <cstdio>
#include <ctime>
#include <string>

#include "actors/combat.h"
#include "formats/enemy_file.h"
#include "actors/shot_list.h"
#include "core/effects.h"
#include "core/game_state.h"
#include "items/save_alert.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/game_random.h"
#include "world/field.h"

namespace {
constexpr uint32_t kDamageColour = 0xFFFF0000;
constexpr int32_t kBlinkFrames = 30;
constexpr int32_t kNumberFrames = 8;
constexpr int32_t kShotRowLeft = 5, kShotRowRight = 6;
constexpr int32_t kMuzzleX = 50, kMuzzleY = 72;
constexpr int32_t kSparkEffect = 0;
enum BossRow : int32_t {
    kRowWalkLeft = 0, kRowWalkRight = 1, kRowHitLeft = 2, kRowHitRight = 3, kRowDieLeft = 4,
    kRowDieRight = 5, kRowAttackLeft = 6, kRowAttackRight = 7, kRowLeadInLeft = 8, kRowLeadInRight = 9,
};
}  // namespace

namespace velk {
bool writeMissionStates(int mapNumber, const std::vector<int8_t>& states) {
    std::string text;
    for (int8_t s : states) text += std::to_string(int(s)) + "\n";
    const std::string name = missionStateName(mapNumber);
    std::string why;
    if (writeSavedFileAtomic(name, text, &why)) return true;
    tellSaveFailure("cannot save " + savePath(name) + ": " + why);
    return false;
}
}  // namespace velk

CBoss::CBoss(CDirect3D* device) : device_(device) { velk::seedFromClock(int64_t(std::time(nullptr))); }

CBoss::~CBoss() = default;

int CBoss::init() {
    font = velk::makeDamageFont(device_);
    return load();
}

int CBoss::load() {
    BossRecord b;
    if (!g_field) return 0;
    const velk::EnemyFileResult result = velk::loadBossFile(g_field->mapNumber, b);
    // A map without monsters asks for a boss: without either it has no enemies.
    if (result == velk::EnemyFileResult::Missing)
        velk::reportBadFile(velk::bossFileName(g_field->mapNumber), "missing, as is the monster file: no enemies here");
    if (result != velk::EnemyFileResult::Loaded) return 0;
    sprites = std::make_unique<CSpriteSet>();
    sprites->bind(device_);
    // A boss without all of its rows cannot play its states: no boss.
    if (sprites->load(b.spriteSet) != 1 || sprites->animationCount < kRowCount) return 0;
    sprites->createTextures();
    hp = b.hp;
    attack = b.attack;
    defence = b.defence;
    mode = b.mode;
    spareByte = b.spareByte;
    x = b.x;
    y = b.y;
    expValue = b.expValue;
    speed = b.speed;
    animCounter = 0;
    col = x / 8;
    row = y / 8;
    animRow = 0;
    bossState = kBossLeadInLeft;
    hidden = 0;
    blink = -1;
    std::fill(damageText, damageText + sizeof damageText, '\0');
    return 1;
}

void CBoss::screenPosition(int32_t, int32_t& sx, int32_t& sy) const {
    velk::enemyScreenPosition(sprites->currentStep(animRow), x, y, sx, sy);
}

void CBoss::draw(int32_t screenX, int32_t screenY, int32_t) {
    if (hidden) return;
    if (const AnimationStep* step = sprites->currentStep(animRow)) sprites->drawFrame(step->frame, screenX, screenY);
}

void CBoss::enterRow(int32_t r) {
    if (animRow == r) return;
    animRow = uint8_t(r);
    animCounter = 0;
}

bool CBoss::atLastStep() const {
    const SpriteAnimation* anim = sprites->animation(animRow);
    return anim && anim->currentStep >= anim->stepCount - 1;
}

void CBoss::chooseWalk(int32_t hx) {
    if (mode == 0) {
        if (hx >= x - 200 && hx <= x) bossState = kBossWalkLeft;
        else if (hx >= x + 1 && hx <= x + 200) bossState = kBossWalkRight;
    } else {
        if (hx <= x - 115) bossState = kBossWalkLeft;
        else if (hx > x + 115) bossState = kBossWalkRight;
    }
}

void CBoss::attackFrame(int32_t hx) {
    const bool left = x >= hx;
    if (mode == 0) {
        const SpriteAnimation* anim = sprites->animation(animRow);
        if (anim && anim->currentStep == 0 && !shotLatch) {
            if (shots)
                shots->fire(left ? x - kMuzzleX : x + kMuzzleX, y - kMuzzleY, left ? kShotRowLeft : kShotRowRight,
                            kShotStraight, left ? 1 : 0, 1, 0);
            shotLatch = 1;
        } else {
            shotLatch = 0;
        }
    }
    if (atLastStep()) chooseWalk(hx);
    g_soundBank.play(&g_effects.monsterShot);
    enterRow(left ? kRowAttackLeft : kRowAttackRight);
}

void CBoss::completeMission() {
    GameState = kStateReturn;
    if (missionWritten) return;
    missionWritten = true;
    std::vector<int8_t>& states = g_field->quest.missionStates;
    if (states.empty()) return;  // no town states read: never blank the file
    const int32_t giver = (g_field->quest.npcMissionInfo >> 12) & 0xFFF;
    if (giver < int32_t(states.size())) states[size_t(giver)] = 1;
    velk::writeMissionStates(g_field->mapNumber - 2, states);
}

void CBoss::think(int32_t hx, int32_t, int32_t) {
    switch (bossState) {
    case kBossLeadInLeft:
    case kBossLeadInRight:
        enterRow(bossState == kBossLeadInLeft ? kRowLeadInLeft : kRowLeadInRight);
        if (atLastStep()) bossState = kBossAttack;
        break;
    case kBossAttack: attackFrame(hx); break;
    case kBossWalkLeft:
        if (mode == 1) {
            if (hx >= x - 110 && hx <= x - 100) bossState = kBossLeadInLeft;
            else chooseWalk(hx);
        } else if (hx >= x + 350) {
            bossState = kBossLeadInRight;
        }
        break;
    case kBossWalkRight:
        if (mode == 1) {
            if (hx >= x + 100 && hx <= x + 110) bossState = kBossLeadInRight;
            else chooseWalk(hx);
        } else if (hx <= x - 350) {
            bossState = kBossLeadInLeft;
        }
        break;
    case kBossHit:
        enterRow(x >= hx ? kRowHitLeft : kRowHitRight);
        bossState = x >= hx ? kBossNumberLeft : kBossNumberRight;
        break;
    case kBossNumberLeft:
    case kBossNumberRight:
        numberY -= 10;
        velk::drawDamageText(font.get(), numberX, numberY, kDamageColour, damageText);
        if (++numberFrames > kNumberFrames) {
            numberFrames = 0;
            bossState = bossState == kBossNumberLeft ? kBossWalkLeft : kBossWalkRight;
            blink = kBlinkFrames;
        }
        break;
    case kBossDying:
        enterRow(x >= hx ? kRowDieLeft : kRowDieRight);
        bossState = kBossDead;
        break;
    case kBossDead:
        if (atLastStep()) completeMission();
        break;
    default: break;
    }

    const int32_t lastCol = (g_field ? g_field->mapData.columns * 4 : 0) - 8;
    if (bossState == kBossWalkLeft) {
        x -= speed;
        col = x / 8;
        if (col <= 4) bossState = kBossWalkRight;
        enterRow(kRowWalkLeft);
    } else if (bossState == kBossWalkRight) {
        x += speed;
        col = x / 8;
        if (col >= lastCol) bossState = kBossWalkLeft;
        enterRow(kRowWalkRight);
    }

    if (blink >= 0) {
        blink -= 1;
        hidden ^= 1;
        if (blink < 0) {
            blink = -1;
            hidden = 0;
        }
    }
    animCounter += 1;
    sprites->selectStep(animRow, animCounter);
}

int32_t CBoss::contactTest(const FrameBox& heroBody) const {
    if (untouchable()) return velk::kHitNothing;
    return velk::enemyBoxTouches(*sprites, sprites->currentStep(animRow), x, y, true, heroBody) ? 1 : velk::kHitNothing;
}

// The hero's facing does not matter: the boss is never pushed.
int32_t CBoss::hitTest(const FrameBox& attackBox, int32_t, int32_t power) {
    if (untouchable()) return velk::kHitNothing;
    if (!velk::enemyBoxTouches(*sprites, sprites->currentStep(animRow), x, y, false, attackBox)) return velk::kHitNothing;
    const int32_t damage = velk::rollDamage(power, defence);
    if (damage < 1) return velk::kHitNoDamage;
    int32_t sx, sy;
    screenPosition(0, sx, sy);
    std::snprintf(damageText, sizeof damageText, "%d", damage);
    if (velk::g_combatItems.addEffect) velk::g_combatItems.addEffect(x, y, kSparkEffect);
    hp -= damage;
    numberX = x - g_field->camera.x;
    numberY = sy;
    bossState = kBossHit;
    if (hp > 0) return velk::kHitHurt;
    g_soundBank.play(&g_effects.monsterDie);
    bossState = kBossDying;
    velk::noticeKill(expValue);
    return expValue;
}
