// The world's pass: regeneration, harmful ground and the blinking after a
// hit, the damage number, the depth order, death and the death box, exits
// and the map change.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/game/hero_world.h"
#include "platform/cp949.h"
#include "core/game_state.h"
#include "platform/input_state.h"
#include "world/field.h"

namespace velk {
namespace {

class World : public HeroWorldTest {
protected:
    // Harmful ground two cells deep under the whole floor.
    static HeroMap harmfulMap() {
        HeroMap map = flatMap();
        map.fill(0, kGroundRow, map.cellColumns() - 1, kGroundRow + 1, kTerrainHarmful);
        return map;
    }
    uint32_t pixel(int x, int y) const { return device.backBuffer()[size_t(y) * 800 + size_t(x)]; }
};

TEST_F(World, RegeneratesEveryFiveHundredFramesUpToTheMaximum) {
    startWorld(flatMap());
    hero().takeDamage(hero().hp - 10);
    hero().mp = 20;
    frames(499);
    EXPECT_EQ(hero().hp, 10);
    EXPECT_EQ(hero().mp, 20);
    frame();
    EXPECT_EQ(hero().hp, 10 + 5 / 3 + 8);
    EXPECT_EQ(hero().mp, 20 + 4 / 3 + 8);
    hero().takeDamage(hero().hp - (hero().maxHp - 3));
    frames(500);
    EXPECT_EQ(hero().hp, hero().maxHp);
}

TEST_F(World, HarmfulGroundHurtsForFifteenThenTheHeroBlinksTwentySixFrames) {
    startWorld(harmfulMap());
    const int hp = hero().hp;
    frame();
    EXPECT_EQ(hero().hp, hp - 15);
    EXPECT_EQ(soundCount("userhit"), 1);
    EXPECT_STREQ(hero().damageText, "15");
    EXPECT_EQ(hero().damageNumberY, 8 * kGroundRow - 10);
    // The number, blue, over the hero.
    const int left = hero().damageNumberX - g_field->camera.x;
    const int top = hero().damageNumberY - g_field->camera.y;
    bool blue = false;
    for (int y = top; y < top + 70 && !blue; ++y)
        for (int x = left; x < left + 100 && !blue; ++x) blue = pixel(x, y) == 0xFF0000FF;
    EXPECT_TRUE(blue);

    // Knocked up and back, then down onto the ground again.
    int guard = 0;
    while (hero().invincible == 30 && ++guard < 40) frame();
    ASSERT_EQ(hero().invincible, 25);
    EXPECT_EQ(hero().y, 8 * kGroundRow);
    EXPECT_EQ(hero().action, kActionStand);

    int blinking = 0, hidden = 0;
    while (hero().invincible < 30 && blinking < 40) {
        const bool hiddenWhenDrawn = hero().blinkHidden;
        frame();
        ++blinking;
        hidden += hero().blinkHidden;
        const uint32_t heroPixel = pixel(hero().screenX + 8, hero().screenY + 16);
        EXPECT_EQ(heroPixel == 0xFF20C040, !hiddenWhenDrawn) << "frame " << blinking;
        // Not hurt again while blinking.
        if (hero().invincible < 30) {
            EXPECT_EQ(hero().hp, hp - 15);
        }
    }
    EXPECT_EQ(blinking, 26);
    EXPECT_EQ(hidden, 13);
    EXPECT_EQ(hero().blinkHidden, 0);
    // Still on harmful ground: the next hit comes as the blinking ends.
    EXPECT_EQ(hero().hp, hp - 30);
}

TEST_F(World, DrawOrderComparesTheHerosWorldYWithTheObjectsScreenY) {
    struct Case {
        int camY;
        std::vector<int> order;  // placements; -1 is the hero
    };
    // The hero stands at world y 480; objects at world y 100, 560 and 700.
    const Case cases[] = {
        {0, {0, -1, 1}},         // 700 is below the screen
        {200, {0, 1, -1, 2}},    // 560 - 200 = 360 sorts before the hero's 480
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.camY);
        HeroMap map = flatMap(60);
        map.placements = {{100, 100, 0}, {100, 560, 0}, {100, 700, 0}};
        startWorld(map, {.tileRow = 15, .camY = c.camY, .lockedScreenY = 480 - c.camY});
        frame();
        std::vector<int> order;
        for (int e = 0; e < world->sortCount; ++e) {
            const CWorld::SortEntry& entry = world->sortList[size_t(e)];
            order.push_back(entry.kind == SortKind::Hero ? -1 : entry.index);
        }
        EXPECT_EQ(order, c.order);
    }
}

TEST_F(World, ACrowdedMapStillDrawsTheHero) {
    HeroMap map = flatMap();
    map.placements.assign(1500, {100, 300, 0});
    startWorld(map);
    frame();
    ASSERT_EQ(world->sortCount, CWorld::kSortCapacity);
    int heroEntries = 0;
    for (int e = 0; e < world->sortCount; ++e)
        heroEntries += world->sortList[size_t(e)].kind == SortKind::Hero;
    EXPECT_EQ(heroEntries, 1);
}

TEST_F(World, DeathShowsTheBoxAndOkReturnsWithThePenalty) {
    struct Case {
        int questStep;
        int level;
        int exp;
        const char* line0;
        const char* line1;
        int expAfter;
    };
    const Case cases[] = {
        {0, 11, 1000, "모험에 실패했습니다.", "확인을 눌러 마을로 가세요.", 300},
        {0, 10, 1000, "모험에 실패했습니다.", "확인을 눌러 마을로 가세요.", 1000},
        {2, 1, 30, "퀘스트를 실패했습니다.", "퀘스트 시작점으로 이동합니다.", 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        startWorld(harmfulMap());
        g_field->quest.step = int8_t(c.questStep);
        hero().level = c.level;
        hero().exp = c.exp;
        hero().takeDamage(hero().hp - 10);
        const long dying = soundCount("userdie");
        frame();
        EXPECT_EQ(hero().action, kActionDying);
        EXPECT_EQ(hero().hp, 0);
        EXPECT_EQ(hero().animRow, CPlayer::kDyingRow);
        EXPECT_EQ(g_field->pauseFlag, 1);
        EXPECT_EQ(soundCount("userdie") - dying, 1);
        ASSERT_TRUE(hero().deathBox);
        EXPECT_EQ(std::string(hero().deathBox->lines[0]), toCp949(c.line0));
        EXPECT_EQ(std::string(hero().deathBox->lines[1]), toCp949(c.line1));

        frames(kDyingSteps);
        EXPECT_EQ(hero().action, kActionDead);
        EXPECT_EQ(GameState, kStatePlay);
        // OK sits at (400, 195) of the box at (300, 100).
        backend.setMouse(420, 205);
        frame();
        backend.setButton(0, true);
        frame();
        backend.setButton(0, false);
        frame();
        EXPECT_EQ(GameState, kStateReturn);
        EXPECT_FALSE(hero().deathBox);
        EXPECT_EQ(g_field->pauseFlag, 0);
        EXPECT_EQ(hero().hp, hero().maxHp / 2);
        EXPECT_EQ(hero().exp, c.expAfter);
    }
}

TEST_F(World, ExitsRequestTheMapChangeAndTheHeroStartsAfresh) {
    struct Case {
        int code;
        int column;
        int key;
        int state;
        int dx;
    };
    for (const Case c : {Case{kTerrainExitForward, 21, dik::kRight, kStateNextMap, 8},
                         Case{kTerrainExitBack, 19, dik::kLeft, kStatePreviousMap, -8}}) {
        SCOPED_TRACE(c.state);
        HeroMap map = flatMap();
        map.set(c.column, kGroundRow, c.code);
        startWorld(map);
        const int x0 = hero().x;
        hold(c.key);
        frames(2);
        EXPECT_EQ(GameState, c.state);
        EXPECT_EQ(hero().x - x0, c.dx);  // the step is still taken
    }

    // A hero who jumps and lands in an exit takes it on landing: exit cells
    // hold the hero like ground, and near the map's edge walking on is
    // blocked, so without this the hero stood in the exit for good.
    for (const Case c : {Case{kTerrainExitForward, 20, 0, kStateNextMap, 0},
                         Case{kTerrainExitBack, 20, 0, kStatePreviousMap, 0}}) {
        SCOPED_TRACE(c.state);
        HeroMap map = flatMap();
        map.set(c.column, kGroundRow, c.code);
        startWorld(map);
        ASSERT_EQ(hero().x / 8, c.column);
        hold(dik::kLAlt);
        frame();
        hold(dik::kLAlt, false);
        for (int f = 0; f < 60 && hero().action != kActionStand; ++f) {
            EXPECT_EQ(GameState, kStatePlay);
            frame();
        }
        EXPECT_EQ(GameState, c.state);
    }

    startWorld(flatMap());
    writeMap(flatMap(), {.tileColumn = 7}, 1);
    hero().action = kActionJump;
    hero().jumpStep = 5;
    hero().slope = 2;
    hero().hurtStep = -3;
    g_field->changeMapNumbers(kStateNextMap);
    g_field->camera.resetScroll();
    ASSERT_EQ(g_field->loadMap(), 1);
    world->enterMap();
    EXPECT_EQ(g_field->mapNumber, 1);
    EXPECT_EQ(hero().x, 7 * 32);
    EXPECT_EQ(hero().y, 8 * kGroundRow);
    EXPECT_EQ(hero().action, kActionStand);
    EXPECT_EQ(hero().jumpStep, 0);
    EXPECT_EQ(hero().slope, 0);
    EXPECT_EQ(hero().hurtStep, 4);
    frame();
    EXPECT_EQ(hero().y, 8 * kGroundRow);
}

}  // namespace
}  // namespace velk
