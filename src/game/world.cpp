#include "game/world.h"

#include <algorithm>

#include "core/game_state.h"
#include "world/field.h"
#include "world/object_set.h"

CWorld* g_world = nullptr;

namespace {

constexpr int32_t kRegenPeriod = 500;

// Objects are drawn while their top-left corner is this close to the screen.
bool objectOnScreen(int32_t x, int32_t y) { return -99 <= x && x < 800 && -149 <= y && y < 600; }

void regenerate(int32_t& counter, int32_t& points, int32_t stat, int32_t maxPoints) {
    if (++counter < kRegenPeriod) return;
    counter = 0;
    const int64_t gained = int64_t(points) + stat / 3 + 8;
    points = int32_t(std::min<int64_t>(gained, maxPoints));
}

}  // namespace

bool CWorld::init(CDirect3D* device) {
    player = std::make_unique<CPlayer>(*g_field);
    player->loadGraphics(device);
    player->placePlayer();
    return g_field->loadMap() == 1;
}

void CWorld::enterMap() {
    player->resetForMapChange();
    player->placePlayer();
}

void CWorld::update() {
    g_field->drawLowerTiles();
    g_field->drawUpperTiles();
    regenerate();
    placeHeroOnScreen();
    buildSortList();
    drawSorted();
    checkHarmfulGround();
    player->frameLogic();
    animate();
    runDeath();
    if (player->action < kActionHurt) player->inputStep();
}

void CWorld::regenerate() {
    if (player->action >= kActionDying) return;
    CPlayer& p = *player;
    ::regenerate(p.hpRegenCounter, p.hp, p.hpStat, p.maxHp);
    ::regenerate(p.mpRegenCounter, p.mp, p.mpStat, p.maxMp);
}

void CWorld::placeHeroOnScreen() {
    CPlayer& p = *player;
    const AnimationStep* step = p.sprites->currentStep(p.animRow);
    const int32_t dx = step ? step->offsetX : 0;
    const int32_t dy = step ? step->offsetY : 0;
    p.screenX = p.cameraFollowsX ? kFollowScreenX + dx : p.x + dx - g_field->camX;
    p.screenY = p.cameraFollowsY ? p.lockedScreenY + dy : p.y + dy - g_field->camY;
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
        if (objectOnScreen(sx, sy)) sortList[size_t(sortCount++)] = {sy, SortKind::MapObject, i};
    }
    // The hero's key is its world y, compared as it stands with the objects'
    // screen y: the maps are laid out for that order.
    sortList[size_t(sortCount++)] = {player->y, SortKind::Hero, 0};
    std::sort(sortList.begin(), sortList.begin() + sortCount,
              [](const SortEntry& a, const SortEntry& b) { return a.key < b.key; });
}

void CWorld::drawSorted() {
    for (int32_t e = 0; e < sortCount; ++e) {
        const SortEntry& entry = sortList[size_t(e)];
        switch (entry.kind) {
        case SortKind::MapObject: {
            const ObjectPlacement& o = g_objectSet->placements[size_t(entry.index)];
            g_field->drawObject(o.x - g_field->camX, o.y - g_field->camY, o.kind, entry.index);
            break;
        }
        case SortKind::Hero: drawHero(); break;
        case SortKind::Monster:
        case SortKind::Boss:
        case SortKind::Npc:
        case SortKind::Pet: break;
        }
    }
}

void CWorld::drawHero() {
    // Nothing on this map can touch the hero: no contact test, only the
    // blinking after a hit (which counts from one below the idle value here).
    CPlayer& p = *player;
    const AnimationStep* step = p.sprites->currentStep(p.animRow);
    if (step && !p.blinkHidden) p.sprites->drawFrame(step->frame, p.screenX, p.screenY);
    if (p.invincible < CPlayer::kInvincibleOff - 1) p.blinkStep();
}

void CWorld::checkHarmfulGround() {
    CPlayer& p = *player;
    if (p.action == kActionDying || p.action == kActionDead) return;
    if (p.invincible >= CPlayer::kInvincibleOff && p.cellAt(0, 1) == kTerrainHarmful)
        p.action = kActionGroundHurt;
}

void CWorld::animate() {
    CPlayer& p = *player;
    if (p.action != kActionHolding && p.action != kActionDead) p.animCounter += 1;
    if (p.action != kActionDead) p.sprites->selectStep(p.animRow, p.animCounter);
}

void CWorld::runDeath() {
    CPlayer& p = *player;
    if (p.action == kActionDying) {
        const SpriteAnimation* row = p.sprites->animation(p.animRow);
        if (!row || row->currentStep >= row->stepCount - 1) p.action = kActionDead;
    }
    if (p.action != kActionDead || !p.deathBox || p.deathBox->update() != CMessageBox::kOk)
        return;
    p.deathBox.reset();
    g_field->pauseFlag = 0;
    p.hp = p.maxHp / 2;
    if (p.level > 10) p.exp = int32_t(int64_t(p.exp) * 30 / 100);
    // The penalty is paid: the hero no longer counts as dead for the save.
    p.animRow = 0;
    GameState = kStateReturn;
}
