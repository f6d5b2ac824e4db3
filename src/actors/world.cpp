#include "actors/world.h"

#include <algorithm>

#include "platform/cp949.h"
#include "platform/game_state.h"
#include "platform/sound_bank.h"
#include "world/field.h"
#include "world/object_set.h"

CWorld* g_world = nullptr;

namespace {

constexpr int32_t kHeroSprites = 0;
constexpr int32_t kDamageFontHeight = 70;
constexpr uint32_t kDamageColour = 0xFF0000FF;
constexpr int32_t kRegenPeriod = 500;
constexpr int32_t kInvincibleOff = 30;

// Objects are drawn while their top-left corner is this close to the screen.
bool objectOnScreen(int32_t x, int32_t y) { return -99 <= x && x < 800 && -149 <= y && y < 600; }

void regenerate(int32_t& counter, int32_t& points, int32_t stat, int32_t maxPoints) {
    if (++counter < kRegenPeriod) return;
    counter = 0;
    const int64_t gained = int64_t(points) + stat / 3 + 8;
    points = int32_t(std::min<int64_t>(gained, maxPoints));
}

}  // namespace

CWorld::~CWorld() {
    playerSprites.reset();
    player.reset();
    damageFont.reset();
}

bool CWorld::init(CDirect3D* device) {
    direct3d = device;
    action = kActionStand;
    doubleStep = 0;
    animCounter = 0;

    playerSprites = std::make_unique<CSpriteSet>();
    playerSprites->bind(device);
    playerSprites->load(kHeroSprites);
    playerSprites->createTextures();

    player = std::make_unique<CPlayer>(*g_field);
    player->placePlayer();

    // A font that cannot be made only costs the damage numbers.
    damageFont = std::make_unique<CD3dxFont>();
    if (!damageFont->create(device, "System", kDamageFontHeight)) damageFont.reset();

    return g_field->loadMap() == 1;
}

void CWorld::enterMap() {
    animCounter = 0;
    action = kActionStand;
    resetForMapChange();
    player->placePlayer();
}

void CWorld::resetForMapChange() {
    hero.cameraFollowsX = 0;
    hero.cameraFollowsY = 0;
    hero.actionStep = 0;
    hero.jumpStep = 0;
    hero.slideStep = 0;
    hero.airAttackStep = 0;
    hero.airAttackUsed = 0;
    hero.cellPhaseX = 0;
    hero.slope = 0;
    hero.damageTaken = 0;
    hero.hurtStep = 4;
    hero.touchingMonster = -11;
}

void CWorld::update() {
    g_field->drawLowerTiles();
    g_field->drawUpperTiles();
    regenerate();
    placeHeroOnScreen();
    buildSortList();
    drawSorted();
    checkHarmfulGround();
    player->frameLogic(*this);
    animate();
    runDeath();
    if (action < kActionHurt) player->inputStep(*this);
}

void CWorld::regenerate() {
    if (action >= kActionDying) return;
    CPlayer& p = *player;
    ::regenerate(p.hpRegenCounter, p.hp, p.hpStat, p.maxHp);
    ::regenerate(p.mpRegenCounter, p.mp, p.mpStat, p.maxMp);
}

void CWorld::placeHeroOnScreen() {
    const AnimationStep* step = playerSprites->currentStep(player->animRow);
    const int32_t dx = step ? step->offsetX : 0;
    const int32_t dy = step ? step->offsetY : 0;
    hero.heroScreenX = hero.cameraFollowsX ? kFollowScreenX + dx : player->x + dx - g_field->camX;
    hero.heroScreenY =
        hero.cameraFollowsY ? player->lockedScreenY + dy : player->y + dy - g_field->camY;
}

void CWorld::buildSortList() {
    // Objects off screen are never drawn, so they stay out of the list; the
    // last place is kept for the hero however crowded the map.
    sortCount = 0;
    const int32_t objects = g_objectSet ? g_objectSet->placementCount() : 0;
    for (int32_t i = 0; i < objects && sortCount < kSortCapacity - 1; ++i) {
        const ObjectPlacement& o = g_objectSet->placements[size_t(i)];
        const int32_t sx = o.x - g_field->camX;
        const int32_t sy = o.y - g_field->camY;
        if (objectOnScreen(sx, sy)) sortList[size_t(sortCount++)] = {sy, i};
    }
    // The hero's key is its world y, compared as it stands with the objects'
    // screen y: the maps are laid out for that order.
    sortList[size_t(sortCount++)] = {player->y, objects};
    std::sort(sortList.begin(), sortList.begin() + sortCount,
              [](const SortEntry& a, const SortEntry& b) { return a.key < b.key; });
}

void CWorld::drawSorted() {
    const int32_t heroIndex = g_objectSet ? g_objectSet->placementCount() : 0;
    for (int32_t e = 0; e < sortCount; ++e) {
        const int32_t index = sortList[size_t(e)].index;
        if (index == heroIndex) {
            drawHero();
            continue;
        }
        const ObjectPlacement& o = g_objectSet->placements[size_t(index)];
        g_field->drawObject(o.x - g_field->camX, o.y - g_field->camY, o.kind, index);
    }
}

void CWorld::drawHero() {
    // Nothing on this map can touch the hero: no contact test, only the
    // blinking after a hit (which counts from one below the idle value here).
    const AnimationStep* step = playerSprites->currentStep(player->animRow);
    if (step && !player->blinkHidden)
        playerSprites->drawFrame(step->frame, hero.heroScreenX, hero.heroScreenY);
    if (player->invincible < kInvincibleOff - 1) blinkStep();
}

void CWorld::blinkStep() {
    CPlayer& p = *player;
    p.invincible -= 1;
    p.blinkHidden ^= 1;
    if (p.invincible < 0) {
        p.invincible = kInvincibleOff;
        p.blinkHidden = 0;
    }
}

bool CWorld::heroBodyBox(FrameBox& box) const {
    const AnimationStep* step = playerSprites->currentStep(player->animRow);
    const FrameBox* body = step ? playerSprites->bodyBox(step->frame) : nullptr;
    if (!body) return false;
    box = {hero.heroScreenX + body->left, hero.heroScreenY + body->top,
           hero.heroScreenX + body->right, hero.heroScreenY + body->bottom};
    return true;
}

void CWorld::checkHarmfulGround() {
    if (action == kActionDying || action == kActionDead) return;
    if (player->invincible >= kInvincibleOff && player->cellAt(0, 1) == kTerrainHarmful)
        action = kActionGroundHurt;
}

void CWorld::animate() {
    if (action != kActionHolding && action != kActionDead) animCounter += 1;
    if (action != kActionDead) playerSprites->selectStep(player->animRow, animCounter);
}

void CWorld::runDeath() {
    if (action == kActionDying) {
        const SpriteAnimation* row = playerSprites->animation(player->animRow);
        if (!row || row->currentStep >= row->stepCount - 1) action = kActionDead;
    }
    if (action != kActionDead || !hero.deathBox || hero.deathBox->update() != CMessageBox::kOk)
        return;
    hero.deathBox.reset();
    g_field->pauseFlag = 0;
    CPlayer& p = *player;
    p.hp = p.maxHp / 2;
    if (p.level > 10) p.exp = int32_t(int64_t(p.exp) * 30 / 100);
    // The penalty is paid: the hero no longer counts as dead for the save.
    p.animRow = 0;
    GameState = kStateReturn;
}

void CWorld::startDeath() {
    g_soundBank.play(&g_effects.userdie);
    player->hp = 0;
    g_field->pauseFlag = 1;
    hero.hurtStep = 4;
    action = kActionDying;
    // From its first step, so the dying row always plays out whole.
    player->enterRow(*this, CPlayer::kDyingRow);

    hero.deathBox = std::make_unique<CMessageBox>();
    hero.deathBox->init(direct3d, 300, 100, 0, 0);
    const bool questRun = g_field->questStep != 0;
    hero.deathBox->setLine(0, velk::toCp949(questRun ? "퀘스트를 실패했습니다."
                                                     : "모험에 실패했습니다.")
                                  .c_str());
    hero.deathBox->setLine(1, velk::toCp949(questRun ? "퀘스트 시작점으로 이동합니다."
                                                     : "확인을 눌러 마을로 가세요.")
                                  .c_str());
}

void CWorld::drawDamageNumber() {
    if (!damageFont) return;
    const int32_t left = player->damageNumberX - g_field->camX;
    const int32_t top = player->damageNumberY - g_field->camY;
    damageFont->draw(left, top, left + 200, top + kDamageFontHeight, kDamageColour,
                     player->damageText);
}
