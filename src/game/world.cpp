#include "game/world.h"

#include <cstdio>

#include <algorithm>

#include "actors/pet.h"
#include "core/effects.h"
#include "core/game_state.h"
#include "items/inventory.h"
#include "formats/npc_files.h"
#include "platform/game_random.h"
#include "platform/sound_bank.h"
#include "world/field.h"
#include "formats/formats.h"
#include "world/object_set.h"

CWorld* g_world = nullptr;

namespace {

// Objects are drawn while their top-left corner is this close to the screen.
bool objectOnScreen(int32_t x, int32_t y) { return -99 <= x && x < 800 && -149 <= y && y < 600; }
// Actors are drawn while their frame is this close to the screen; they
// think whether drawn or not.
bool actorOnScreen(int32_t x, int32_t y) { return -50 <= x && x <= 850 && -50 <= y && y <= 650; }

}  // namespace

CWorld::~CWorld() {
    // The hero saves first, as the world's teardown has always done.
    player.reset();
}

bool CWorld::init(CDirect3D* device) {
    device_ = device;
    player = std::make_unique<CPlayer>(*g_field);
    player->loadGraphics(device);
    player->placePlayer();
    bool loaded = g_field->loadMap() == 1;
    if (!loaded && g_field->mapNumber != 0) {
        // A save naming a map that no longer loads starts in town rather than
        // refusing every start; only a town that fails too is fatal.
        std::fprintf(stderr, "velk: the saved map %s cannot be loaded; starting in town\n",
                     velk::mapFileName(g_field->mapNumber).c_str());
        g_field->mapNumber = 0;
        g_field->entrySide = 0;
        g_field->quest.step = 0;
        player->placePlayer();
        loaded = g_field->loadMap() == 1;
    }
    if (!loaded) return false;
    monsters = std::make_unique<CMonsterSet>(device);
    g_soundBank.loadEffect("sound\\mongun.wav", &g_effects.monsterShot);
    g_soundBank.loadEffect("sound\\monhit.wav", &g_effects.monsterHit);
    g_soundBank.loadEffect("sound\\mondie.wav", &g_effects.monsterDie);
    if (!monsters->init()) {
        buildBoss();
        if (boss) {
            g_soundBank.loadEffect("sound\\bossgun.wav", &g_effects.monsterShot);
            g_soundBank.loadEffect("sound\\bosshit.wav", &g_effects.monsterHit);
            g_soundBank.loadEffect("sound\\bossdie.wav", &g_effects.monsterDie);
        }
    }
    shots.init(device, &enemies(), player.get());
    if (player->slots[velk::kSlotPet].icon == CPet::kPetPicture) {
        player->pet = std::make_unique<CPet>();
        player->pet->init(device);
        player->pet->place(*player);
    }
    monsters->shots = &shots;
    connectSeams();
    npcs = std::make_unique<CNpc>(device, player.get());
    npcs->windows = windows;
    loadNpcs();
    return true;
}

void CWorld::buildBoss() {
    boss = std::make_unique<CBoss>(device_);
    if (!boss->init()) boss.reset();
    if (boss) boss->shots = &shots;
}

void CWorld::loadNpcs() {
    npcs->load();
    if (!boss) return;
    // Nobody talks on a boss map, and the table below holds the town's
    // states: forget the map's own people, so that their file is never
    // written with the town's states in it.
    npcs->count = 0;
    npcs->records.clear();
    // Beating the boss rewrites its town's mission states: start from the
    // town's own, so its NPCs' progress survives the rewrite. Read after the
    // map's own NPCs: their load empties the table of a map without people.
    const int town = g_field->mapNumber - 2;
    std::vector<NpcRecord> townNpcs;
    g_field->quest.missionStates.clear();
    if (velk::loadNpcPositions(town, townNpcs))
        velk::loadMissionStates(town, townNpcs.size(), g_field->quest.missionStates);
}

void CWorld::connectSeams() {
    HeroSeams& seams = player->seams;
    seams.meleeHitTest = [this] { meleeHitTest(*player, enemies()); };
    seams.fireShot = [this](HeroShot shot) { shots.fireHeroShot(shot); };
    seams.useSkill = [this] { useSkill(*player, speedEffect, device_); };
    seams.takeEnemyHit = [this] { takeEnemyHit(); };
    seams.speedEffectRunning = [this] { return speedEffect != nullptr; };
}

void CWorld::enterMap() {
    player->resetForMapChange();
    boss.reset();
    player->placePlayer();
    if (!monsters->load()) buildBoss();
    shots.setEnemies(&enemies());
    shots.clear();
    if (player->pet) player->pet->place(*player);
    loadNpcs();
    drops.clearDrops();
}

CEnemies& CWorld::enemies() const {
    if (monsters && monsters->count() > 0) return *monsters;
    if (boss) return *boss;
    return noEnemies_;
}

bool CWorld::npcsRun() const { return enemies().count() == 0; }

void CWorld::takeEnemyHit() {
    CPlayer& p = *player;
    const CEnemies& foes = enemies();
    for (int32_t source : {p.touchingMonster, p.touchingShot})
        if (source != velk::kHitNothing)
            p.damageTaken = foes.attackOf(source) + velk::gameRand() % 3 - p.defenceStat / 2;
}

void CWorld::update() {
    g_field->drawLowerTiles();
    g_field->drawUpperTiles();
    player->regenerate();
    placeHeroOnScreen();
    buildSortList();
    drawSorted();
    if (g_inventory) drops.update(g_inventory->itemPack.get(), player->aru);
    runShots();
    checkHarmfulGround();
    player->frameLogic();
    animate();
    runDeath();
    if (player->pet) {
        player->pet->frame(*player);
        drops.setPet(player->pet->x, player->pet->drawY);
    }
    // An open talk box (a window of the stack) takes the hero's input.
    const bool talking = npcsRun() && npcs->talkBox->open;
    if (!talking && player->action < kActionHurt) player->inputStep();
    if (speedEffect && !speedEffect->frame()) speedEffect.reset();
}

void CWorld::runShots() {
    CPlayer& p = *player;
    FrameBox body{};
    const bool hasBody = p.bodyBox(body);
    shots.moveAndDraw();
    // Without a body box nothing can touch the hero.
    p.touchingShot = shots.resolve(hasBody ? body : FrameBox{-1, -1, -2, -2});
    if (p.touchingShot != velk::kHitNothing && p.action != kActionDying && p.action != kActionDead &&
        p.invincible >= CPlayer::kInvincibleOff)
        p.action = kActionHurt;
}

void CWorld::placeHeroOnScreen() {
    CPlayer& p = *player;
    const AnimationStep* step = p.sprites->currentStep(p.animRow);
    const int32_t dx = step ? step->offsetX : 0;
    const int32_t dy = step ? step->offsetY : 0;
    p.screenX = p.cameraFollowsX ? kFollowScreenX + dx : p.x + dx - g_field->camera.x;
    p.screenY = p.cameraFollowsY ? p.lockedScreenY + dy : p.y + dy - g_field->camera.y;
}

void CWorld::buildSortList() {
    // Objects off screen are never drawn, so they stay out of the list; the
    // last places are kept for the hero and the map's people however crowded
    // the map.
    sortCount = 0;
    const bool people = npcsRun() && npcs->count > 0;
    const int32_t reserved = people ? 2 : 1;
    const int32_t objects = g_objectSet ? g_objectSet->placementCount() : 0;
    for (int32_t i = 0; i < objects && sortCount < kSortCapacity - reserved; ++i) {
        const ObjectPlacement& o = g_objectSet->placements[size_t(i)];
        const int32_t sx = o.x - g_field->camera.x;
        const int32_t sy = o.y - g_field->camera.y;
        if (objectOnScreen(sx, sy)) sortList[size_t(sortCount++)] = {sy, SortKind::MapObject, i};
    }
    // The hero's key is its world y, compared as it stands with the objects'
    // screen y: the maps are laid out for that order.
    const CEnemies& foes = enemies();
    for (int32_t i = 0; i < foes.count() && sortCount < kSortCapacity - 1; ++i)
        sortList[size_t(sortCount++)] = {foes.depthY(i) - g_field->camera.y, SortKind::Enemy, i};
    // The people stand at the hero's place in the order.
    if (people) sortList[size_t(sortCount++)] = {player->y, SortKind::Npc, 0};
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
            g_field->drawObject(o.x - g_field->camera.x, o.y - g_field->camera.y, o.kind, entry.index);
            break;
        }
        case SortKind::Hero: drawHero(); break;
        case SortKind::Enemy: drawEnemy(entry.index); break;
        case SortKind::Npc: npcs->step(); break;
        case SortKind::Pet: break;
        }
    }
}

void CWorld::drawEnemy(int32_t index) {
    CEnemies& foes = enemies();
    int32_t sx = 0, sy = 0;
    foes.screenPosition(index, sx, sy);
    if (actorOnScreen(sx, sy)) foes.draw(sx, sy, index);
    foes.think(player->x, player->y, index);
}

void CWorld::drawHero() {
    CPlayer& p = *player;
    const AnimationStep* step = p.sprites->currentStep(p.animRow);
    CEnemies& foes = enemies();
    if (foes.count() == 0) {
        // Nothing on this map can touch the hero: no contact test, only the
        // blinking after a hit (which counts from one below the idle value here).
        if (step && !p.blinkHidden) p.sprites->drawFrame(step->frame, p.screenX, p.screenY);
        if (p.invincible < CPlayer::kInvincibleOff - 1) p.blinkStep();
        return;
    }
    if (step && !p.blinkHidden && p.action != kActionDead) p.sprites->drawFrame(step->frame, p.screenX, p.screenY);
    if (p.action == kActionDying || p.action == kActionDead) return;
    if (p.invincible < CPlayer::kInvincibleOff) {
        p.blinkStep();
        return;
    }
    FrameBox body;
    if (!p.bodyBox(body)) return;
    p.touchingMonster = foes.contactTest(body);
    if (p.touchingMonster != velk::kHitNothing) p.action = kActionHurt;
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
    p.revive();
    GameState = kStateReturn;
}
