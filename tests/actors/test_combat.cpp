// Monsters, the boss, shots, experience and the pet on small fixture maps.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "actors/monster_kinds.h"
#include "actors/pet.h"
#include "content/enemy_file_writer.h"
#include "content/npc_writer.h"
#include "content/sprite_set_writer.h"
#include "core/game_state.h"
#include "platform/files.h"
#include "support/game/hero_world.h"
#include "world/field.h"

namespace velk {
namespace {

constexpr int kMonsterSet = 500, kBossSet = 501;
constexpr int kFrameW = 16, kFrameH = 32;

// Frames 16 x 32 with the feet at the owner's position; frame 1 strikes
// ahead. `attackRows` show still, strike, strike, still with `attackDelay`.
SpriteSetSource creatureSprites(int rows, std::vector<int> attackRows, int attackDelay = 1) {
    SpriteSetSource s;
    SpriteFrameSource body;
    body.width = kFrameW;
    body.height = kFrameH;
    body.pixels.assign(size_t(kFrameW) * kFrameH, 0xFFC04020);
    body.boxes = {{0, 0, kFrameW, kFrameH}};
    SpriteFrameSource strike = body;
    strike.boxes.push_back({kFrameW, 8, kFrameW + 20, 24});
    s.frames = {body, strike};
    const AnimationStep still{0, -kFrameW / 2, -kFrameH}, hit{1, -kFrameW / 2, -kFrameH};
    s.rows.assign(size_t(rows), {still, still, still});
    s.delays.assign(size_t(rows), 1);
    for (int r : attackRows) {
        s.rows[size_t(r)] = {still, hit, hit, still};
        s.delays[size_t(r)] = attackDelay;
    }
    return s;
}

MonsterRecord monster(int kind, int cellX, int cellY, int speed = 2) {
    MonsterRecord m;
    m.spriteSet = kMonsterSet;
    m.speed = speed;
    m.kind = kind;
    m.x = 8 * cellX;
    m.y = 8 * cellY;
    m.attack = 7;
    m.defence = 2;
    m.expValue = 30;
    m.money = 99;
    m.hp = 20;
    m.respawnDelay = 50;
    return m;
}

class Combat : public HeroWorldTest {
protected:
    void SetUp() override {
        HeroWorldTest::SetUp();
        writeSet(kMonsterSet, creatureSprites(7, {5, 6}));
        writeSet(CShotList::kShotSet, creatureSprites(12, {}));
        writeEffect("sound/levelup.wav");
    }
    void TearDown() override {
        g_combatItems = {};
        HeroWorldTest::TearDown();
    }
    void writeSet(int number, const SpriteSetSource& s) {
        dir.write(spriteSetFileName(number), encodeSpriteSet(s));
        dir.write(spriteDelayFileName(number), spriteDelayText(s.delays));
    }
    void startWith(const HeroMap& map, const std::vector<MonsterRecord>& monsters) {
        dir.write(monsterFileName(0), monsterFileText(monsters));
        startWorld(map);
    }
    CMonster& first() { return world->monsters->monsters[0]; }
    // Keeps monster 0 walking one way for `n` frames of its own, the hero far above.
    void walk(int n) {
        for (int i = 0; i < n; ++i) {
            if (first().move == kMoveDeciding) break;
            first().moveTimer = 100;
            world->monsters->think(0, 0, 0);
        }
    }
    // An attack box over monster 0's body on screen.
    FrameBox overFirst() {
        int32_t sx, sy;
        world->monsters->screenPosition(0, sx, sy);
        return {sx + 4, sy + 4, sx + 12, sy + 28};
    }
};

TEST_F(Combat, WalkersKeepToTheirGroundRules) {
    struct Case {
        const char* what;
        int kind, cellX, cellY, move;
        int wallCol;  // -1 none
        int endX;
    };
    // Ground from cell row 80 down for columns 0..119; the map is 160 cells wide.
    const Case cases[] = {
        {"walker stops a cell short of a ledge", 0, 100, 80, kMoveRight, -1, 8 * 118},
        {"floater ignores the ledge, stops at the map edge", 1, 100, 79, kMoveRight, -1, 8 * 156},
        {"walker stops before a wall at body height", 0, 100, 80, kMoveRight, 110, 8 * 108},
        {"floater stops before a wall ahead", 1, 100, 79, kMoveRight, 110, 8 * 108},
        {"walker stops at the left map edge", 0, 3, 80, kMoveLeft, -1, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HeroMap map = flatMap();
        map.fill(120, 80, map.cellColumns() - 1, map.cellRows() - 1, kTerrainEmpty);
        if (c.wallCol >= 0) map.fill(c.wallCol, 70, c.wallCol, 79, kTerrainWall);
        startWith(map, {monster(c.kind, c.cellX, c.cellY)});
        first().move = c.move;
        walk(400);
        EXPECT_EQ(first().x, c.endX);
        EXPECT_EQ(first().move, kMoveDeciding);
    }
}

TEST_F(Combat, AKindAddedToTheTableWalksSeesStrikesAndShootsByItsRow) {
    // A kind of this test only: walks the ground, sees the hero level with
    // it up to 60 pixels ahead, fires shot row 11 from 30 pixels ahead and 5
    // up, and walks on rows 7 and 8 of its sprite set.
    MonsterKind lancer;
    lancer.name = "lancer";
    lancer.ground = MonsterGround::Walker;
    lancer.walks = true;
    lancer.wanders = false;
    lancer.attackCycle = true;
    lancer.sight = {60, 0, 0};
    lancer.shotLeft = {-30, -5, 10, kShotStraight};
    lancer.shotRight = {30, -5, 11, kShotStraight};
    lancer.rows.walkLeft = 7;
    lancer.rows.walkRight = 8;
    ASSERT_EQ(lancer.rows.needed(), 9);
    writeEffect("sound/mongun.wav");

    for (const int rows : {7, 9}) {
        SCOPED_TRACE(std::to_string(rows) + " sprite rows");
        writeSet(kMonsterSet, creatureSprites(rows, {5, 6}));
        MonsterRecord record = monster(2, 60, 80);
        record.aggro = 2;  // always turns to the hero
        startWith(flatMap(), {record});
        CMonsterSet& set = *world->monsters;
        set.kinds.push_back(lancer);
        first().start.kind = int32_t(set.kinds.size()) - 1;
        set.respawn(0);
        const int32_t x0 = first().x, y = first().y;
        if (rows < lancer.rows.needed()) {
            // Without the rows its kind plays, the monster stands untouchable.
            for (int i = 0; i < 5; ++i) set.think(x0 + 500, y, 0);
            EXPECT_EQ(first().x, x0);
            EXPECT_EQ(set.hitTest({-5000, -5000, 5000, 5000}, 0, 40), kHitNothing);
            continue;
        }
        EXPECT_EQ(first().animRow, 7) << "starts on its own left row";

        // The hero out of sight: it walks towards him on its right row.
        for (int i = 0; i < 5; ++i) set.think(x0 + 500, y, 0);
        EXPECT_EQ(first().x, x0 + 5 * 2);
        EXPECT_EQ(first().animRow, 8);
        EXPECT_EQ(soundCount("monsterShot"), 0);

        // In sight: it stops, strikes with the sound, and on step 2 of the
        // attack row fires its right shot.
        const int32_t x1 = first().x;
        for (int i = 0; i < 2; ++i) set.think(x1 + 40, y, 0);
        EXPECT_EQ(first().x, x1);
        EXPECT_EQ(first().animRow, 6);
        EXPECT_EQ(soundCount("monsterShot"), 1);
        ASSERT_EQ(world->shots.shots.size(), 1u);
        const Shot& shot = world->shots.shots[0];
        EXPECT_EQ(shot.x, x1 + 30);
        EXPECT_EQ(shot.y, y - 5);
        EXPECT_EQ(shot.spriteRow, 11);
        EXPECT_EQ(shot.hostile, 1);
        EXPECT_EQ(shot.source, 0);
        EXPECT_EQ(first().move, kMoveFired);

        // The hero level with it but above its sight: back to walking.
        for (int i = 0; i < 3; ++i) set.think(x1 + 40, y - 20, 0);
        EXPECT_EQ(first().x, x1 + 2 * 2) << "the end of the cycle, then two steps";
        EXPECT_EQ(first().animRow, 6) << "a kind that keeps its row between sightings";
    }
}

TEST_F(Combat, KnockBackIsTakenBackUnderAWallAndTurnsTheMonster) {
    for (const bool atWall : {false, true}) {
        SCOPED_TRACE(atWall);
        HeroMap map = flatMap();
        // A wall just ahead at head height pushes the monster back in place.
        if (atWall) map.fill(59, 70, 59, 79, kTerrainWall);
        startWith(map, {monster(0, 58, 80)});
        ASSERT_EQ(world->monsters->hitTest(overFirst(), 0, 12), kHitHurt);
        for (int i = 0; i < 6; ++i) world->monsters->think(0, 0, 0);
        EXPECT_EQ(first().x, atWall ? 8 * 58 : 8 * 58 + 12);
        EXPECT_EQ(first().move, kMoveLeft);  // towards the hero who struck from the left
        EXPECT_EQ(first().hurtTimer, -1);
    }
}

TEST_F(Combat, HitTestSkipsMonstersJustHitDyingOrDead) {
    startWith(flatMap(), {monster(2, 60, 80)});
    CMonsterSet& set = *world->monsters;
    first().hp = 40;  // two hits of up to 10 leave it alive
    EXPECT_EQ(set.hitTest(overFirst(), 0, 0), kHitNoDamage) << "power + 0..2 never passes defence 2 by one";
    EXPECT_EQ(first().hp, 40);
    EXPECT_EQ(set.hitTest(overFirst(), 0, 10), kHitHurt);
    EXPECT_EQ(set.hitTest(overFirst(), 0, 10), kHitNothing) << "just hit";
    first().hurtTimer = 5;
    EXPECT_EQ(set.hitTest(overFirst(), 1, 10), kHitHurt) << "a later frame hits again";
    first().hurtTimer = -1;
    std::vector<int> coins;
    g_combatItems.addCoins = [&](int32_t, int32_t, int32_t, int32_t action) { coins.push_back(action); };
    EXPECT_EQ(set.hitTest(overFirst(), 0, 40), 30) << "the kill pays its experience";
    EXPECT_EQ(first().move, kMoveDying);
    EXPECT_EQ(set.hitTest(overFirst(), 0, 40), kHitNothing) << "dying";
    first().move = kMoveDead;
    EXPECT_EQ(set.hitTest(overFirst(), 0, 40), kHitNothing) << "dead";
    EXPECT_EQ(coins, std::vector<int>{0});
    EXPECT_EQ(coinAction(99), 0);
    EXPECT_EQ(coinAction(100), 1);
}

TEST_F(Combat, ADeadMonsterReturnsAtItsStartFromTheLoadedValues) {
    // The file changes or vanishes under the running map: the respawn keeps
    // what was loaded.
    for (const bool vanished : {false, true}) {
        SCOPED_TRACE(vanished ? "vanished" : "changed");
        startWith(flatMap(), {monster(2, 60, 80)});
        ASSERT_GT(world->monsters->hitTest(overFirst(), 0, 40), 0);
        if (vanished)
            std::filesystem::remove(dataPath(monsterFileName(0)));
        else
            dir.write(monsterFileName(0), "garbage");
        first().x += 40;
        for (int i = 0; i < 100 && first().hp <= 0; ++i) world->monsters->think(0, 0, 0);
        EXPECT_EQ(first().hp, 20);
        EXPECT_EQ(first().x, 8 * 60);
        EXPECT_EQ(first().move, kMoveDeciding);
    }
}

TEST_F(Combat, MonstersOfOneSpriteSetShareItAndStillAnimateApart) {
    startWith(flatMap(), {monster(2, 60, 80), monster(2, 70, 80)});
    std::vector<CMonster>& ms = world->monsters->monsters;
    EXPECT_EQ(ms[0].sprites, ms[1].sprites);
    for (CMonster& m : ms) {
        m.animRow = 5;  // still, strike, strike, still
        m.move = kMovePause;
    }
    world->monsters->think(0, 0, 0);
    EXPECT_EQ(ms[0].steps.of(5), 1);
    EXPECT_EQ(ms[1].steps.of(5), 0) << "the other monster's step is its own";
    EXPECT_EQ(ms[0].steps.current(*ms[0].sprites, 5)->frame, 1);
    EXPECT_EQ(ms[1].steps.current(*ms[1].sprites, 5)->frame, 0);
}

TEST_F(Combat, GroupedHitTestsFindTheMonstersSingleTestsFind) {
    // Crowded, overlapping and spread monsters; boxes narrow, wide, inverted
    // and far off. A group of tests (the shots of a frame) must strike the
    // same monsters in the same order as the tests one by one.
    std::vector<MonsterRecord> crowd;
    for (int cell : {40, 41, 41, 43, 50, 52, 60, 75, 90, 91, 110, 150, 151, 190})
        crowd.push_back(monster(2, cell, 80));
    startWith(flatMap(), crowd);
    CMonsterSet& set = *world->monsters;
    std::vector<FrameBox> boxes;
    for (int32_t i = 0; i < set.count(); i += 2) {
        int32_t sx, sy;
        set.screenPosition(i, sx, sy);
        boxes.push_back({sx + 2, sy + 4, sx + 6, sy + 8});
        boxes.push_back({sx + 10, sy + 20, sx + 6, sy + 10});  // edges the wrong way round
    }
    boxes.push_back({-5000, -5000, 5000, 5000});
    boxes.push_back({-5000, -5000, -4000, 5000});
    boxes.push_back({4000, -5000, 5000, 5000});
    auto struck = [&](bool grouped) {
        for (CMonster& m : set.monsters) {
            m.hurtTimer = -1;
            m.hp = 1000;
            m.move = kMovePause;
        }
        std::vector<int32_t> order;
        if (grouped) set.beginHitTests();
        for (const FrameBox& box : boxes) {
            set.hitTest(box, 0, 10);
            int32_t hit = -1;
            for (int32_t i = 0; i < set.count(); ++i)
                if (set.monsters[size_t(i)].hurtTimer >= 0 && std::find(order.begin(), order.end(), i) == order.end())
                    hit = i;
            order.push_back(hit);
        }
        if (grouped) set.endHitTests();
        return order;
    };
    const std::vector<int32_t> single = struck(false);
    EXPECT_EQ(struck(true), single);
    EXPECT_GT(std::count_if(single.begin(), single.end(), [](int32_t i) { return i >= 0; }), 9);
}

TEST_F(Combat, AMonsterWithoutSpritesIsNeitherDrawnNorTouched) {
    MonsterRecord m = monster(2, 60, 80);
    m.spriteSet = 999;
    startWith(flatMap(), {m});
    EXPECT_EQ(world->monsters->hitTest({-5000, -5000, 5000, 5000}, 0, 40), kHitNothing);
    EXPECT_EQ(world->monsters->contactTest({-5000, -5000, 5000, 5000}), kHitNothing);
    frames(5);
}

TEST_F(Combat, ExperienceNeedsTheTableAndLevelsOnceAPerGain) {
    const int expected[] = {60, 208, 414, 672, 1000, 1440, 2058, 2944, 4212, 6000, 8470};
    for (int level = 1; level <= 11; ++level) EXPECT_EQ(expForLevel(level), expected[level - 1]) << level;

    startWorld(flatMap());
    CPlayer& p = hero();
    p.level = 1;
    p.exp = 50;
    p.expNext = 60;
    p.takeDamage(p.hp - 3);
    const int32_t points = p.statPoints, maxHp = p.maxHp, maxMp = p.maxMp;
    p.gainExperience(30);
    EXPECT_EQ(p.level, 2);
    EXPECT_EQ(p.exp, 0);
    EXPECT_EQ(p.expNext, 208);
    EXPECT_EQ(p.maxHp, maxHp + 6);
    EXPECT_EQ(p.hp, p.maxHp);
    EXPECT_EQ(p.maxMp, maxMp + 3);
    EXPECT_EQ(p.mp, p.maxMp);
    EXPECT_EQ(p.statPoints, points + 5);
    EXPECT_EQ(soundCount("levelup"), 1);

    p.gainExperience(100000);
    EXPECT_EQ(p.level, 3) << "one level per gain";
    p.level = 151;
    p.exp = 0;
    p.gainExperience(1 << 20);
    EXPECT_EQ(p.level, 151);
    EXPECT_EQ(p.exp, 1 << 20);
}

TEST_F(Combat, ShotMotions) {
    HeroMap map = flatMap();
    map.fill(50, 60, 60, 79, kTerrainWall);
    startWith(map, {monster(2, 20, 40)});
    CShotList& shots = world->shots;
    const int y = 8 * 76;
    // A weapon shot stops at the wall; an enemy shot and a kick shot pass it.
    shots.fire(8 * 40, y, 1, kShotStraight, 0, 0, 0);
    shots.fire(8 * 40, y, 7, kShotStraight, 0, 1, 2);
    shots.fire(8 * 40, y, 10, kShotStraight, 0, 0, 1);
    shots.moveAndDraw();
    shots.moveAndDraw();
    EXPECT_EQ(shots.shots.size(), 3u);
    shots.moveAndDraw();
    ASSERT_EQ(shots.shots.size(), 2u);
    for (const Shot& s : shots.shots) EXPECT_NE(s.source, 0);
    EXPECT_EQ(hero().shotsInFlight, 0) << "the weapon shot's end clears the count";
    // Falling: 16 across and 16 down a frame until it meets terrain.
    shots.clear();
    shots.fire(8 * 10, 8 * 60, 4, kShotFalling, 0, 1, 0);
    shots.moveAndDraw();
    ASSERT_EQ(shots.shots.size(), 1u);
    EXPECT_EQ(shots.shots[0].x, 8 * 10 + 16);
    EXPECT_EQ(shots.shots[0].y, 8 * 60 + 16);
    for (int i = 0; i < 8; ++i) shots.moveAndDraw();
    EXPECT_EQ(shots.shots.size(), 1u) << "still in the air at cell row 78";
    shots.moveAndDraw();
    EXPECT_TRUE(shots.shots.empty());
}

TEST_F(Combat, AReturningShotComesBackAndStrikesAgainOnItsWay) {
    // In the shot's path on the way out and on the way back.
    startWith(flatMap(), {monster(2, 56, 78)});
    first().hp = 1000;
    first().defence = 0;
    CPlayer& p = hero();
    p.facing = 0;
    world->shots.fireHeroShot(HeroShot::Returning);
    EXPECT_EQ(p.shotsInFlight, 1);
    int hits = 0;
    for (int i = 0; i < 60 && !world->shots.shots.empty(); ++i) {
        world->shots.moveAndDraw();
        const int32_t before = first().hp;
        world->shots.resolve({-100, -100, -99, -99});
        if (first().hp < before) ++hits;
        first().hurtTimer = -1;
    }
    EXPECT_TRUE(world->shots.shots.empty());
    EXPECT_EQ(p.shotsInFlight, 0);
    EXPECT_GE(hits, 2);
}

TEST_F(Combat, ShooterBossFiresOncePerCycleAtDelayOneAndTwiceAtDelayFour) {
    for (const int delay : {1, 4}) {
        SCOPED_TRACE(delay);
        writeSet(kBossSet, creatureSprites(10, {6, 7}, delay));
        BossRecord b;
        b.spriteSet = kBossSet;
        b.hp = 100;
        b.mode = 0;
        b.x = 8 * 100;
        b.y = 8 * 80;
        b.speed = 2;
        dir.write(bossFileName(0), bossFileText(b));
        std::filesystem::remove(dataPath(monsterFileName(0)));
        startWorld(flatMap());
        ASSERT_TRUE(world->boss);
        CBoss& boss = *world->boss;
        boss.bossState = kBossAttack;
        boss.animRow = 6;
        boss.animCounter = 0;
        boss.sprites->selectStep(6, 0);
        // One cycle of the attack row with the hero far to the left.
        for (int i = 0; i < 4 * delay; ++i) boss.think(0, 0, 0);
        int fired = 0;
        for (const Shot& s : world->shots.shots) fired += s.hostile && s.spriteRow == 5;
        EXPECT_EQ(fired, delay == 1 ? 1 : 2);
    }
}

TEST_F(Combat, TheFallenBossCompletesItsTownsMissionOnce) {
    writeSet(kBossSet, creatureSprites(10, {6, 7}));
    BossRecord b;
    b.spriteSet = kBossSet;
    b.hp = 10;
    b.mode = 1;
    b.x = 8 * 100;
    b.y = 8 * 80;
    b.speed = 6;
    b.expValue = 50;
    struct Case {
        int bossMap;
        int32_t giver;  // the NPC whose quest run is under way
        const char* after;
    };
    // The town keeps three NPCs; a giver outside the table changes none.
    for (const Case c : {Case{2, 1, "0\n1\n2\n"}, Case{22, 0, "1\n0\n2\n"}, Case{22, 3, "0\n0\n2\n"},
                         Case{2, 0xFFF, "0\n0\n2\n"}}) {
        SCOPED_TRACE(std::to_string(c.bossMap) + ", giver " + std::to_string(c.giver));
        const int town = c.bossMap - 2;
        startWorld(flatMap());
        dir.write(npcPositionFileName(town),
                  npcPositionText({{100, 640, 10, 0}, {200, 640, 20, 0}, {300, 640, 30, 0}}));
        dir.write(missionStateFileName(town), "0\n0\n2\n");
        dir.write(bossFileName(c.bossMap), bossFileText(b));
        writeMap(flatMap(), {}, c.bossMap);
        g_field->mapNumber = c.bossMap;
        world->enterMap();
        ASSERT_TRUE(world->boss);
        g_field->quest.npcMissionInfo = c.giver << 12;
        CBoss& boss = *world->boss;
        ASSERT_GT(boss.hitTest({-5000, -5000, 5000, 5000}, 0, 100), 0);
        const std::string states = savePath(missionStateFileName(town));
        auto written = [&] {
            std::ifstream in(states, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        };
        for (int i = 0; i < 20 && GameState != kStateReturn; ++i) boss.think(0, 0, 0);
        ASSERT_EQ(GameState, kStateReturn);
        EXPECT_EQ(written(), c.after);
        // The dead boss keeps asking to go home, but writes the file only once.
        std::ofstream(states, std::ios::binary) << "7\n";
        GameState = kStatePlay;
        for (int i = 0; i < 5; ++i) boss.think(0, 0, 0);
        EXPECT_EQ(GameState, kStateReturn);
        EXPECT_EQ(written(), "7\n");
        GameState = kStatePlay;
    }
}

TEST_F(Combat, ABossMapsOwnPeopleKeepTheirStatesWhileTheBossHoldsTheTowns) {
    writeSet(kBossSet, creatureSprites(10, {6, 7}));
    BossRecord b;
    b.spriteSet = kBossSet;
    b.x = 8 * 100;
    b.y = 8 * 80;
    startWorld(flatMap());
    dir.write(npcPositionFileName(0), npcPositionText({{100, 640, 10, 0}, {200, 640, 20, 0}}));
    dir.write(missionStateFileName(0), "1\n2\n");
    dir.write(npcPositionFileName(2), npcPositionText({{300, 640, 70, 0}}));
    dir.write(missionStateFileName(2), "0\n");
    dir.write(bossFileName(2), bossFileText(b));
    writeMap(flatMap(), {}, 2);
    g_field->mapNumber = 2;
    world->enterMap();
    ASSERT_TRUE(world->boss);
    EXPECT_EQ(g_field->quest.missionStates, (std::vector<int8_t>{1, 2}));
    releaseWorld();
    std::ifstream in(savePath(missionStateFileName(2)), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "0\n");
}

TEST_F(Combat, PetKeepsWithinItsLeashAndFollowsTheHeroHeight) {
    startWorld(flatMap());
    CPlayer& p = hero();
    p.x = 20;
    p.facing = 0;
    CPet pet;
    pet.place(p);
    EXPECT_EQ(pet.x, 15) << "never left of 15";
    EXPECT_EQ(pet.drawY, p.y - 80);
    p.x = 400;
    p.y -= 16;
    pet.frame(p);
    EXPECT_EQ(pet.x, 22);
    EXPECT_EQ(pet.drawY, p.y - 80);
    for (int i = 0; i < 100; ++i) pet.frame(p);
    EXPECT_EQ(pet.x, 15 + 7 * 34) << "closes to within 150 pixels, 7 a frame";
}

}  // namespace
}  // namespace velk
