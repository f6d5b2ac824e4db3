#include "actors/monster_set.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <map>
#include <utility>

#include "actors/combat.h"
#include "formats/enemy_file.h"
#include "actors/shot_list.h"
#include "core/effects.h"
#include "platform/game_random.h"
#include "world/field.h"

namespace {

constexpr int32_t kKnockFrames = 6;
constexpr uint32_t kDamageColour = 0xFFFF0000;
constexpr int32_t kSparkEffect = 0;

// Floaters stop at walls, slopes (codes above 7) and ground.
bool blocksFloater(int32_t code) { return code > 7 || code == kTerrainGround; }

int32_t mapCells() { return g_field ? g_field->mapData.columns * 4 : 0; }

// Whether the hero at (hx, hy) is in the kind's sight, `ahead` pixels in front.
bool inSight(const MonsterSight& sight, const CMonster& m, int32_t ahead, int32_t hy) {
    return sight.reach >= 0 && hy <= m.y + sight.below && hy >= m.y - sight.above && ahead >= 0 &&
           ahead <= sight.reach;
}

bool atLastStep(const CMonster& m) {
    const SpriteAnimation* anim = m.sprites->animation(m.animRow);
    return anim && m.steps.of(m.animRow) >= anim->stepCount - 1;
}

}  // namespace

void CMonsterSet::restart(CMonster& m) const {
    const MonsterRecord& start = m.start;
    m.speed = start.speed;
    m.kind = start.kind;
    m.aggro = start.aggro;
    m.x = start.x;
    m.y = start.y;
    m.attack = start.attack;
    m.defence = start.defence;
    m.expValue = start.expValue;
    m.money = start.money;
    m.hp = start.hp;
    m.respawnDelay = start.respawnDelay;
    m.move = kMoveDeciding;
    m.hurtTimer = -1;
    m.damageNumberX = m.damageNumberY = -1;
    m.moveTimer = 1;
    m.animCounter = 0;
    m.plays = m.kind >= 0 && size_t(m.kind) < kinds.size() && m.sprites &&
              m.sprites->animationCount >= kindOf(m).rows.needed();
    m.animRow = m.plays ? kindOf(m).rows.walkLeft : 0;
    m.col = m.x / 8;
    m.row = m.y / 8;
    std::fill(m.damageText, m.damageText + 5, '\0');
}

CMonsterSet::CMonsterSet(CDirect3D* device) : device_(device) {
    velk::seedFromClock(int64_t(std::time(nullptr)));
}

CMonsterSet::~CMonsterSet() = default;

int CMonsterSet::init() {
    font = velk::makeDamageFont(device_);
    return load();
}

int CMonsterSet::load() {
    monsters.clear();
    std::vector<MonsterRecord> records;
    if (!g_field || velk::loadMonsterFile(g_field->mapNumber, records) != velk::EnemyFileResult::Loaded)
        return 0;
    // Each sprite set the map's monsters name is loaded once, for all of them.
    std::map<int32_t, std::shared_ptr<const CSpriteSet>> sets;
    monsters.resize(records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        CMonster& m = monsters[i];
        m.start = records[i];
        std::shared_ptr<const CSpriteSet>& set = sets[records[i].spriteSet];
        if (!set) {
            auto loaded = std::make_shared<CSpriteSet>();
            loaded->bind(device_);
            loaded->load(records[i].spriteSet);
            loaded->createTextures();
            set = std::move(loaded);
        }
        m.sprites = set;
        m.steps.reset(*set);
        restart(m);
    }
    return 1;
}

void CMonsterSet::respawn(int32_t index) {
    if (index >= 0 && index < count()) restart(monsters[size_t(index)]);
}

void CMonsterSet::screenPosition(int32_t index, int32_t& sx, int32_t& sy) const {
    const CMonster& m = monsters[size_t(index)];
    if (m.sprites) {
        velk::enemyScreenPosition(m.steps.current(*m.sprites, m.animRow), m.x, m.y, sx, sy);
    } else {
        sx = m.x - g_field->camera.x;
        sy = m.y - g_field->camera.y;
    }
}

void CMonsterSet::draw(int32_t screenX, int32_t screenY, int32_t index) {
    const CMonster& m = monsters[size_t(index)];
    if (m.move == kMoveDead || !m.plays) return;
    if (const AnimationStep* step = m.steps.current(*m.sprites, m.animRow))
        m.sprites->drawFrame(step->frame, screenX, screenY);
}

int32_t CMonsterSet::attackOf(int32_t index) const {
    return index >= 0 && index < count() ? monsters[size_t(index)].attack : 0;
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
    if (!m.plays) return;
    const MonsterKind& k = kindOf(m);
    const MonsterRows& rows = k.rows;
    if (m.move != kMoveDead) decide(m, k, heroX, heroY);
    if (k.ground != MonsterGround::None) ground(m, k);
    if (m.hurtTimer < 0) behave(m, k, heroX, heroY);
    if (m.hurtTimer > 0) knockBack(m, k);
    m.col = m.x / 8;
    m.row = m.y / 8;

    // Upkeep. A dying or dead monster keeps its course: taking a decision
    // then would walk it out of its death and let it be killed again.
    const bool gone = m.move == kMoveDying || m.move == kMoveDead;
    if (k.wanders && !gone && (m.moveTimer < 1 || m.move == kMovePause)) {
        m.move = kMoveDeciding;
        m.moveTimer = 1;
    }
    m.animCounter += 1;
    m.steps.select(*m.sprites, m.animRow, m.animCounter);
    const bool lastStep = atLastStep(m);

    if (k.attackCycle && (m.animRow == rows.attackLeft || m.animRow == rows.attackRight)) {
        const SpriteAnimation* anim = m.sprites->animation(m.animRow);
        if (anim && m.steps.of(m.animRow) == velk::kMonsterShotStep && (m.move == kMoveLeft || m.move == kMoveRight)) {
            fire(m, k, index);
            m.move = kMoveFired;
        }
        if (lastStep) m.move = kMoveDeciding;
    }

    // Death and return.
    if (m.animRow == rows.dying && lastStep && m.move == kMoveDying) {
        m.animRow = rows.walkLeft;
        m.move = kMoveDead;
        m.hurtTimer = 0;
    }
    if (m.move == kMoveDead && --m.respawnDelay <= 0) restart(m);
}

void CMonsterSet::decide(CMonster& m, const MonsterKind& k, int32_t hx, int32_t hy) {
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
        if (m.move != kMoveFired && m.animRow != k.rows.dying)
            m.move = hx < m.x ? kMoveLeft : hx > m.x ? kMoveRight : kMoveDeciding;
        break;
    default: break;
    }
}

void CMonsterSet::ground(CMonster& m, const MonsterKind& k) {
    auto stop = [&] {
        m.move = kMoveDeciding;
        m.moveTimer = 1;
    };
    if (k.ground == MonsterGround::Floater) {
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
        else if (cellAt(m, -2, 0) == kTerrainEmpty || terrainBlocks(cellAt(m, -2, -4)) || m.col < 1)
            stop();
    } else if (m.move == kMoveRight) {
        if (cellAt(m, 0, -1) == kTerrainSlopeUp)
            m.y -= m.speed;
        else if (cellAt(m, 1, 0) == kTerrainSlopeDown)
            m.y += m.speed;
        else if (cellAt(m, 2, 0) == kTerrainEmpty || terrainBlocks(cellAt(m, 2, -4)) || m.col >= mapCells() - 4)
            stop();
    }
}

void CMonsterSet::behave(CMonster& m, const MonsterKind& k, int32_t hx, int32_t hy) {
    if (m.move == kMoveLeft || m.move == kMoveRight) {
        const bool right = m.move == kMoveRight;
        const int32_t dir = right ? 1 : -1;
        const int32_t walkRow = right ? k.rows.walkRight : k.rows.walkLeft;
        const int32_t attackRow = right ? k.rows.attackRight : k.rows.attackLeft;
        // How far ahead the hero is (negative: behind).
        const int32_t ahead = (hx - m.x) * dir;
        if (inSight(k.sight, m, ahead, hy)) {
            enterRow(m, attackRow, true);
        } else {
            if (k.walks) m.x += dir * m.speed;
            if (k.lull == MonsterLull::WalkRow || (k.lull == MonsterLull::WalkRowAtEnd && atLastStep(m)))
                enterRow(m, walkRow, false);
        }
        // Aggro 3 and 4 strike at close range whatever the kind.
        if (m.aggro == 3 || m.aggro == 4)
            enterRow(m, hy >= m.y - 100 && hy <= m.y - 30 && ahead >= 0 && ahead <= 100 ? attackRow : walkRow, false);
        if (m.animRow != walkRow && m.animRow != attackRow) enterRow(m, walkRow, false);
    }
    m.moveTimer -= 1;
}

bool CMonsterSet::pushBlocked(const CMonster& m, MonsterGround ground, int32_t dir) const {
    switch (ground) {
    case MonsterGround::Walker:
        return cellAt(m, 2 * dir, 0) == kTerrainEmpty || cellAt(m, 2 * dir, -4) == kTerrainGround ||
               cellAt(m, dir < 0 ? -2 : 1, -4) > 7 || atMapEdge(m);
    case MonsterGround::Floater: return blocksFloater(cellAt(m, 2 * dir, 0)) || atMapEdge(m);
    case MonsterGround::None: break;
    }
    return false;
}

void CMonsterSet::knockBack(CMonster& m, const MonsterKind& k) {
    if (m.damageNumberX >= 0) {
        m.damageNumberY -= 10;
        velk::drawDamageText(font.get(), m.damageNumberX, m.damageNumberY, kDamageColour, m.damageText);
    }
    const bool left = m.move == kMoveLeft;
    const int32_t dir = left ? -1 : 1;
    if (left || m.move == kMoveRight) {
        m.x += dir * m.speed;
        m.animRow = left ? k.rows.pushedLeft : k.rows.pushedRight;
        m.col = m.x / 8;
        if (pushBlocked(m, k.ground, dir)) {
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

void CMonsterSet::fire(const CMonster& m, const MonsterKind& k, int32_t index) {
    const bool left = m.move == kMoveLeft;
    const MonsterShotSpec& shot = left ? k.shotLeft : k.shotRight;
    if (!shots || shot.spriteRow < 0) return;
    shots->fire(m.x + shot.dx, m.y + shot.dy, shot.spriteRow, shot.motion, left ? 1 : 0, 1, index);
}

int32_t CMonsterSet::contactTest(const FrameBox& heroBody) const {
    for (int32_t i = 0; i < count(); ++i) {
        const CMonster& m = monsters[size_t(i)];
        if (!touchable(m)) continue;
        if (velk::enemyBoxTouches(*m.sprites, m.steps.current(*m.sprites, m.animRow), m.x, m.y, true, heroBody))
            return i;
    }
    return velk::kHitNothing;
}

bool CMonsterSet::touchable(const CMonster& m) {
    return m.hurtTimer < kKnockFrames && m.move != kMoveDying && m.move != kMoveDead && m.plays;
}

int32_t CMonsterSet::firstTouched(const FrameBox& box) const {
    for (int32_t i = 0; i < count(); ++i) {
        const CMonster& m = monsters[size_t(i)];
        if (!touchable(m)) continue;
        if (velk::enemyBoxTouches(*m.sprites, m.steps.current(*m.sprites, m.animRow), m.x, m.y, false, box)) return i;
    }
    return -1;
}

void CMonsterSet::beginHitTests() {
    grouped_ = true;
    columnsBuilt_ = false;
}

void CMonsterSet::endHitTests() { grouped_ = false; }

void CMonsterSet::buildBodyColumns() {
    columnsBuilt_ = true;
    bodies_.resize(monsters.size());
    std::vector<int32_t> found;
    int64_t left = INT64_MAX, right = INT64_MIN;
    for (int32_t i = 0; i < count(); ++i) {
        const CMonster& m = monsters[size_t(i)];
        if (!touchable(m) ||
            !velk::enemyBox(*m.sprites, m.steps.current(*m.sprites, m.animRow), m.x, m.y, false, bodies_[size_t(i)]))
            continue;
        const FrameBox& b = bodies_[size_t(i)];
        left = std::min<int64_t>(left, std::min(b.left, b.right));
        right = std::max<int64_t>(right, std::max(b.left, b.right));
        found.push_back(i);
    }
    columnStart_.assign(1, 0);
    columnMembers_.clear();
    if (found.empty()) return;
    // About one body a column, never narrower than a body is likely to be.
    const int64_t span = right - left + 1;
    columnsLeft_ = int32_t(left);
    columnWidth_ = int32_t(std::max<int64_t>(64, span / int64_t(found.size()) + 1));
    const size_t columns = size_t(span / columnWidth_ + 1);
    auto columnOf = [&](int32_t x) { return size_t((int64_t(x) - columnsLeft_) / columnWidth_); };
    std::vector<int32_t> fill(columns + 1, 0);
    for (int32_t i : found) {
        const FrameBox& b = bodies_[size_t(i)];
        for (size_t c = columnOf(std::min(b.left, b.right)); c <= columnOf(std::max(b.left, b.right)); ++c)
            fill[c + 1]++;
    }
    for (size_t c = 0; c < columns; ++c) fill[c + 1] += fill[c];
    columnStart_ = fill;
    columnMembers_.resize(size_t(fill[columns]));
    for (int32_t i : found) {
        const FrameBox& b = bodies_[size_t(i)];
        for (size_t c = columnOf(std::min(b.left, b.right)); c <= columnOf(std::max(b.left, b.right)); ++c)
            columnMembers_[size_t(fill[c]++)] = i;
    }
}

int32_t CMonsterSet::firstTouchedNear(const FrameBox& box) {
    if (!columnsBuilt_) buildBodyColumns();
    const size_t columns = columnStart_.size() - 1;
    if (columns == 0) return -1;
    // Boxes that touch overlap in x whichever way round their edges are.
    const int64_t lo = std::min(box.left, box.right), hi = std::max(box.left, box.right);
    const int64_t last = int64_t(columnsLeft_) + int64_t(columns) * columnWidth_ - 1;
    if (hi < columnsLeft_ || lo > last) return -1;
    const size_t first = size_t((std::max<int64_t>(lo, columnsLeft_) - columnsLeft_) / columnWidth_);
    const size_t end = size_t((std::min(hi, last) - columnsLeft_) / columnWidth_);
    int32_t best = -1;
    for (size_t c = first; c <= end; ++c)
        for (int32_t k = columnStart_[c]; k < columnStart_[c + 1]; ++k) {
            const int32_t i = columnMembers_[size_t(k)];
            if (best >= 0 && i >= best) break;
            if (touchable(monsters[size_t(i)]) && velk::boxesTouch(bodies_[size_t(i)], box)) {
                best = i;
                break;
            }
        }
    return best;
}

int32_t CMonsterSet::hitTest(const FrameBox& attackBox, int32_t facing, int32_t power) {
    const int32_t i = grouped_ ? firstTouchedNear(attackBox) : firstTouched(attackBox);
    if (i < 0) return velk::kHitNothing;
    CMonster& m = monsters[size_t(i)];
    const int32_t damage = velk::rollDamage(power, m.defence);
    if (damage < 1) return velk::kHitNoDamage;
    const MonsterKind& k = kindOf(m);
    if (k.wanders) m.aggro = (m.aggro == 3 || m.aggro == 4) ? 4 : 1;
    int32_t sx, sy;
    screenPosition(i, sx, sy);
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
    m.animRow = k.rows.dying;
    if (velk::g_combatItems.addCoins)
        velk::g_combatItems.addCoins(m.x, m.y, m.money, velk::coinAction(m.money));
    velk::noticeKill(m.expValue);
    return m.expValue;
}
