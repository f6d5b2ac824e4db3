#include "actors/monster_set.h"

#include <cstdio>
#include <ctime>

#include "actors/combat.h"
#include "actors/enemy_file.h"
#include "actors/shot_list.h"
#include "core/effects.h"
#include "platform/cp949.h"
#include "platform/game_random.h"
#include "ui/widgets/notice_log.h"
#include "world/field.h"

namespace {

constexpr int32_t kKnockFrames = 6;
constexpr int32_t kFontHeight = 70;
constexpr uint32_t kDamageColour = 0xFFFF0000;
constexpr int32_t kSparkEffect = 0;
constexpr int32_t kShotStep = 2;  // shooters fire on this step of the attack row

bool barrier(int32_t code) { return code == kTerrainGround || code == kTerrainWall; }
// Kind 1 stops at walls, slopes (codes above 7) and barriers.
bool blocksFloater(int32_t code) { return code > 7 || code == kTerrainGround; }

int32_t mapCells() { return g_field ? g_field->mapData.columns * 4 : 0; }

}  // namespace

void CMonster::restart() {
    speed = start.speed;
    kind = start.kind;
    aggro = start.aggro;
    x = start.x;
    y = start.y;
    attack = start.attack;
    defence = start.defence;
    expValue = start.expValue;
    money = start.money;
    hp = start.hp;
    respawnDelay = start.respawnDelay;
    move = kMoveDeciding;
    hurtTimer = -1;
    damageNumberX = damageNumberY = -1;
    moveTimer = 1;
    animCounter = 0;
    animRow = kMonsterRowLeft;
    col = x / 8;
    row = y / 8;
    std::fill(damageText, damageText + 5, '\0');
}

CMonsterSet::CMonsterSet(CDirect3D* device) : device_(device) {
    velk::seedFromClock(int64_t(std::time(nullptr)));
}

CMonsterSet::~CMonsterSet() = default;

int CMonsterSet::init() {
    font = std::make_unique<CD3dxFont>();
    if (!font->create(device_, velk::toCp949("돋움체").c_str(), kFontHeight)) font.reset();
    return load();
}

int CMonsterSet::load() {
    monsters.clear();
    std::vector<MonsterRecord> records;
    if (!g_field || velk::loadMonsterFile(g_field->mapNumber, records) != velk::EnemyFileResult::Loaded)
        return 0;
    monsters.resize(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        CMonster& m = monsters[i];
        m.start = records[i];
        m.sprites = std::make_unique<CSpriteSet>();
        m.sprites->bind(device_);
        m.sprites->load(records[i].spriteSet);
        m.sprites->createTextures();
        m.restart();
    }
    return 1;
}

void CMonsterSet::respawn(int32_t index) {
    if (index >= 0 && index < count()) monsters[size_t(index)].restart();
}

void CMonsterSet::screenPosition(const CMonster& m, int32_t& sx, int32_t& sy) const {
    const AnimationStep* step = m.sprites ? m.sprites->currentStep(m.animRow) : nullptr;
    sx = m.x + (step ? step->offsetX : 0) - g_field->camera.x;
    sy = m.y + (step ? step->offsetY : 0) - g_field->camera.y;
}

void CMonsterSet::draw(int32_t screenX, int32_t screenY, int32_t row, int32_t index) {
    const CMonster& m = monsters[size_t(index)];
    if (m.move == kMoveDead || !m.hasSprites()) return;
    if (const AnimationStep* step = m.sprites->currentStep(row)) m.sprites->drawFrame(step->frame, screenX, screenY);
}

int32_t CMonsterSet::cellAt(const CMonster& m, int32_t c, int32_t r) const {
    return g_field->terrain(m.col + c, m.row + r);
}

bool CMonsterSet::atMapEdge(const CMonster& m) const { return m.col < 1 || m.col >= mapCells() - 4; }

void CMonsterSet::enterRow(CMonster& m, int32_t row, bool withSound) {
    if (m.animRow == row) return;
    if (withSound) g_soundBank.play(&g_effects.monsterShot);
    m.animRow = row;
    m.animCounter = 0;
}

void CMonsterSet::think(int32_t heroX, int32_t heroY, int32_t index) {
    CMonster& m = monsters[size_t(index)];
    if (!m.hasSprites()) return;
    if (m.move != kMoveDead) decide(m, heroX, heroY);
    if (m.kind == 0 || m.kind == 1 || m.kind == 4) ground(m);
    if (m.hurtTimer < 0) behave(m, heroX, heroY);
    if (m.hurtTimer > 0) knockBack(m);
    m.col = m.x / 8;
    m.row = m.y / 8;

    // Upkeep. A dying or dead monster keeps its course: taking a decision
    // then would walk it out of its death and let it be killed again.
    const bool gone = m.move == kMoveDying || m.move == kMoveDead;
    if (m.kind < 5 && !gone && (m.moveTimer < 1 || m.move == kMovePause)) {
        m.move = kMoveDeciding;
        m.moveTimer = 1;
    }
    m.animCounter += 1;
    m.sprites->selectStep(m.animRow, m.animCounter);
    const SpriteAnimation* anim = m.sprites->animation(m.animRow);
    const bool lastStep = anim && anim->currentStep >= anim->stepCount - 1;

    if (m.kind > 3 && (m.animRow == kMonsterRowAttackLeft || m.animRow == kMonsterRowAttackRight)) {
        if (anim && anim->currentStep == kShotStep && (m.move == kMoveLeft || m.move == kMoveRight)) {
            fire(m, index);
            m.move = kMoveFired;
        }
        if (lastStep) m.move = kMoveDeciding;
    }

    // Death and return.
    if (m.animRow == kMonsterRowDying && lastStep && m.move == kMoveDying) {
        m.animRow = kMonsterRowLeft;
        m.move = kMoveDead;
        m.hurtTimer = 0;
    }
    if (m.move == kMoveDead && --m.respawnDelay <= 0) m.restart();
}

void CMonsterSet::decide(CMonster& m, int32_t hx, int32_t hy) {
    auto randomDecision = [&] {
        if (m.move != kMoveDeciding) return;
        m.move = velk::gameRand() % 3;
        if (m.move == kMoveLeft || m.move == kMoveRight) {
            m.moveTimer = 5 + velk::gameRand() % 15;
            m.animCounter = 0;
        }
    };
    switch (m.aggro) {
    case 0:
    case 3: randomDecision(); break;
    case 1:
    case 4:
        if (hy == m.y) {
            if (m.move == kMoveDeciding) {
                m.move = m.x < hx ? kMoveRight : m.x > hx ? kMoveLeft : 1 + velk::gameRand() % 2;
                m.moveTimer = 5;
                m.animCounter = 0;
            }
        } else {
            randomDecision();
        }
        break;
    case 2:
        if (m.move != kMoveFired && m.animRow != kMonsterRowDying)
            m.move = hx < m.x ? kMoveLeft : hx > m.x ? kMoveRight : kMoveDeciding;
        break;
    default: break;
    }
}

void CMonsterSet::ground(CMonster& m) {
    auto stop = [&] {
        m.move = kMoveDeciding;
        m.moveTimer = 1;
    };
    if (m.kind == 1) {
        const int32_t ahead = m.move == kMoveLeft ? -2 : 2;
        if ((m.move == kMoveLeft || m.move == kMoveRight) && (blocksFloater(cellAt(m, ahead, 0)) || atMapEdge(m)))
            stop();
        return;
    }
    if (m.move == kMoveLeft) {
        if (cellAt(m, -1, 0) == kTerrainSlopeUp)
            m.y += m.speed;
        else if (cellAt(m, 0, -1) == kTerrainSlopeDown)
            m.y -= m.speed;
        else if (cellAt(m, -2, 0) == kTerrainEmpty || barrier(cellAt(m, -2, -4)) || m.col < 1)
            stop();
    } else if (m.move == kMoveRight) {
        if (cellAt(m, 0, -1) == kTerrainSlopeUp)
            m.y -= m.speed;
        else if (cellAt(m, 1, 0) == kTerrainSlopeDown)
            m.y += m.speed;
        else if (cellAt(m, 2, 0) == kTerrainEmpty || barrier(cellAt(m, 2, -4)) || m.col >= mapCells() - 4)
            stop();
    }
}

void CMonsterSet::behave(CMonster& m, int32_t hx, int32_t hy) {
    if (m.move == kMoveLeft || m.move == kMoveRight) {
        const bool right = m.move == kMoveRight;
        const int32_t dir = right ? 1 : -1;
        const int32_t walkRow = right ? kMonsterRowRight : kMonsterRowLeft;
        const int32_t attackRow = right ? kMonsterRowAttackRight : kMonsterRowAttackLeft;
        // How far ahead the hero is (negative: behind).
        const int32_t ahead = (hx - m.x) * dir;
        auto orWalk = [&](bool strike) {
            if (strike)
                enterRow(m, attackRow, true);
            else
                enterRow(m, walkRow, false);
        };
        switch (m.kind) {
        case 0:
        case 1: m.x += dir * m.speed; break;
        case 4:
            if (hy <= m.y + 50 && hy >= m.y - 150 && ahead >= 0 && ahead <= 300)
                enterRow(m, attackRow, true);
            else
                m.x += dir * m.speed;
            break;
        case 5: orWalk(hy <= m.y + 160 && hy >= m.y && ahead >= 0 && ahead <= 160); break;
        case 6: orWalk(hy <= m.y + 200 && hy >= m.y - 200 && ahead >= 0 && ahead <= 400); break;
        case 7:
            if (hy <= m.y && hy >= m.y - 50 && ahead >= 0 && ahead <= 130) {
                enterRow(m, attackRow, true);
            } else {
                const SpriteAnimation* anim = m.sprites->animation(m.animRow);
                if (anim && anim->currentStep >= anim->stepCount - 1) enterRow(m, walkRow, false);
            }
            break;
        default: break;
        }
        if (m.aggro == 3 || m.aggro == 4)
            enterRow(m, hy >= m.y - 100 && hy <= m.y - 30 && ahead >= 0 && ahead <= 100 ? attackRow : walkRow, false);
        if (m.animRow != kMonsterRowRight && m.animRow != kMonsterRowAttackRight && right) enterRow(m, walkRow, false);
        if (m.animRow != kMonsterRowLeft && m.animRow != kMonsterRowAttackLeft && !right) enterRow(m, walkRow, false);
    }
    m.moveTimer -= 1;
}

void CMonsterSet::knockBack(CMonster& m) {
    if (m.damageNumberX >= 0) {
        m.damageNumberY -= 10;
        if (font) font->draw(m.damageNumberX, m.damageNumberY, 0, 0, kDamageColour, m.damageText);
    }
    const bool left = m.move == kMoveLeft;
    const int32_t dir = left ? -1 : 1;
    if (left || m.move == kMoveRight) {
        m.x += dir * m.speed;
        m.animRow = left ? kMonsterRowPushedLeft : kMonsterRowPushedRight;
        m.col = m.x / 8;
        bool blocked = false;
        if (m.kind == 0 || m.kind == 4)
            blocked = cellAt(m, 2 * dir, 0) == kTerrainEmpty || cellAt(m, 2 * dir, -4) == kTerrainGround ||
                      cellAt(m, left ? -2 : 1, -4) > 7 || atMapEdge(m);
        else if (m.kind == 1)
            blocked = blocksFloater(cellAt(m, 2 * dir, 0)) || atMapEdge(m);
        if (blocked) {
            m.x -= dir * m.speed;
            m.col = m.x / 8;
        }
    }
    if (--m.hurtTimer == 0) {
        m.hurtTimer = -1;
        m.moveTimer = 1;
        // Turns towards the hero (unless the ground stopped the push).
        m.move = left || m.move == kMoveRight ? 3 - m.move : kMoveDeciding;
    }
}

void CMonsterSet::fire(CMonster& m, int32_t index) {
    if (!shots) return;
    const bool left = m.move == kMoveLeft;
    const uint8_t facing = left ? 1 : 0;
    switch (m.kind) {
    case 4: shots->fire(m.x - 20, m.y - 20, left ? 8 : 9, kShotStraight, facing, 1, index); break;
    case 5: shots->fire(left ? m.x - 20 : m.x + 20, m.y, left ? 3 : 4, kShotFalling, facing, 1, index); break;
    case 6: shots->fire(left ? m.x - 20 : m.x + 20, m.y - 20, 7, kShotStraight, facing, 1, index); break;
    default: break;
    }
}

int32_t CMonsterSet::contactTest(const FrameBox& heroBody) const {
    for (int32_t i = 0; i < count(); ++i) {
        const CMonster& m = monsters[size_t(i)];
        if (!m.hasSprites() || m.hurtTimer >= kKnockFrames || m.move == kMoveDying || m.move == kMoveDead) continue;
        const AnimationStep* step = m.sprites->currentStep(m.animRow);
        const FrameBox* box = step ? m.sprites->attackBox(step->frame) : nullptr;
        if (!box) continue;
        int32_t sx, sy;
        screenPosition(m, sx, sy);
        if (velk::boxesTouch(velk::placeBox(*box, sx, sy), heroBody)) return i;
    }
    return velk::kHitNothing;
}

int32_t CMonsterSet::hitTest(const FrameBox& attackBox, int32_t facing, int32_t power) {
    for (int32_t i = 0; i < count(); ++i) {
        CMonster& m = monsters[size_t(i)];
        if (!m.hasSprites() || m.hurtTimer >= kKnockFrames || m.move == kMoveDying || m.move == kMoveDead) continue;
        const AnimationStep* step = m.sprites->currentStep(m.animRow);
        const FrameBox* body = step ? m.sprites->bodyBox(step->frame) : nullptr;
        if (!body) continue;
        int32_t sx, sy;
        screenPosition(m, sx, sy);
        if (!velk::boxesTouch(velk::placeBox(*body, sx, sy), attackBox)) continue;

        g_soundBank.play(&g_effects.monsterHit);
        const int32_t damage = power + velk::gameRand() % 3 - m.defence;
        if (damage < 1) return velk::kHitNoDamage;
        if (m.kind < 5) m.aggro = (m.aggro == 3 || m.aggro == 4) ? 4 : 1;
        std::snprintf(m.damageText, sizeof m.damageText, "%d", damage);
        m.damageNumberX = m.x - g_field->camera.x;
        m.damageNumberY = sy;
        if (velk::g_combatItems.addEffect) velk::g_combatItems.addEffect(m.x, m.y, kSparkEffect);
        m.hp -= damage;
        m.hurtTimer = kKnockFrames;
        m.moveTimer = 2;
        m.move = facing == 0 ? kMoveRight : kMoveLeft;
        m.animCounter = 0;
        if (m.hp > 0) return velk::kHitHurt;

        g_soundBank.play(&g_effects.monsterDie);
        m.hurtTimer = -1;
        m.move = kMoveDying;
        m.animRow = kMonsterRowDying;
        if (velk::g_combatItems.addCoins)
            velk::g_combatItems.addCoins(m.x, m.y, m.money, velk::coinAction(m.money));
        char line[64];
        std::snprintf(line, sizeof line, "경험치를 얻었습니다(+%d)", m.expValue);
        if (g_noticeLog) g_noticeLog->add(velk::toCp949(line).c_str());
        return m.expValue;
    }
    return velk::kHitNothing;
}
