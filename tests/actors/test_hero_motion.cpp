// The hero's movement on the terrain grid: jumps, falls, slides, slopes,
// walls and map edges, the camera window, ladders and ropes, attacks.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/game/hero_world.h"
#include "platform/cp949.h"
#include "platform/input_state.h"
#include "widgets/notice_log.h"
#include "world/field.h"

namespace velk {
namespace {

constexpr int kStartY = 8 * kGroundRow;

class HeroMotion : public HeroWorldTest {};

TEST_F(HeroMotion, JumpRisesThirteenStepsOrToTheCeilingThenFallsEightAFrame) {
    struct Case {
        int ceilingRow;  // -1: none
        int risingFrames;
    };
    // The rise ends once a ceiling is ten cells above the feet.
    for (const Case c : {Case{-1, 13}, Case{66, 4}, Case{60, 10}}) {
        SCOPED_TRACE(c.ceilingRow);
        HeroMap map = flatMap();
        if (c.ceilingRow >= 0)
            map.fill(0, c.ceilingRow, map.cellColumns() - 1, c.ceilingRow, kTerrainCeiling);
        startWorld(map);
        const long jumps = soundCount("jump");
        hold(dik::kLAlt);
        frame();
        hold(dik::kLAlt, false);
        std::vector<int> ys;
        for (int i = 0; i < 2 * c.risingFrames + 3; ++i) {
            frame();
            ys.push_back(hero().y);
        }
        const int j = c.risingFrames;
        for (int i = 0; i < int(ys.size()); ++i) {
            const int expected = i < j ? kStartY - 8 * (i + 1)
                                 : i < 2 * j ? kStartY - 8 * j + 8 * (i + 1 - j)
                                             : kStartY;
            EXPECT_EQ(ys[size_t(i)], expected) << "frame " << i;
        }
        EXPECT_EQ(hero().action, kActionStand);
        EXPECT_EQ(soundCount("jump") - jumps, 1);
    }
}

TEST_F(HeroMotion, AHeldJumpKeyJumpsOnceUntilItIsPressedAgain) {
    startWorld(flatMap());
    const long jumps = soundCount("jump");
    hold(dik::kLAlt);
    frames(40);  // one whole jump and well past the landing
    EXPECT_EQ(hero().y, kStartY);
    EXPECT_EQ(hero().action, kActionStand);
    EXPECT_EQ(soundCount("jump") - jumps, 1);
    hold(dik::kLAlt, false);
    frame();
    hold(dik::kLAlt);
    frames(3);
    EXPECT_LT(hero().y, kStartY);
}

TEST_F(HeroMotion, LandingAfterSixtyFallingFramesHurtsOnTheNextFrame) {
    struct Case {
        int fallingFrames;
        int damage;
    };
    for (const Case c : {Case{59, 0}, Case{60, 20}, Case{75, 25}}) {
        SCOPED_TRACE(c.fallingFrames);
        startWorld(flatMap());
        putHero(20, kGroundRow - c.fallingFrames);
        hero().action = kActionJump;
        hero().jumpStep = 15;
        const int hp = hero().hp;
        frames(c.fallingFrames);
        EXPECT_EQ(hero().y, kStartY);
        EXPECT_EQ(hero().hp, hp);
        EXPECT_EQ(hero().action, c.damage ? kActionHurt : kActionStand);
        frame();
        EXPECT_EQ(hero().hp, hp - c.damage);
        EXPECT_EQ(hero().fallFrames, 0);
    }
}

TEST_F(HeroMotion, SlideMovesAtMostFiveTimesSixteenPixels) {
    struct Case {
        const char* name;
        int facing;
        int wallColumn;   // a wall one cell above the feet; -1 none
        int groundEnd;    // last column with ground; -1 all
        int distance;
    };
    const Case cases[] = {
        {"open ground", 0, -1, -1, 80},
        {"open ground leftwards", 1, -1, -1, -80},
        {"wall ahead", 0, 30, -1, 48},
        {"ground ends", 0, -1, 27, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeroMap map;
        const int lastColumn = c.groundEnd >= 0 ? c.groundEnd : map.cellColumns() - 1;
        map.fill(0, kGroundRow, lastColumn, map.cellRows() - 1, kTerrainGround);
        if (c.wallColumn >= 0)
            map.fill(c.wallColumn, kGroundRow - 10, c.wallColumn, kGroundRow - 1, kTerrainWall);
        startWorld(map);
        hero().facing = c.facing;
        const int x0 = hero().x;
        hold(dik::kDown);
        hold(dik::kLAlt);
        int moves = 0;
        for (int i = 0; i < 12; ++i) {
            const int before = hero().x;
            frame();
            if (hero().x != before) {
                EXPECT_EQ(std::abs(hero().x - before), 16);
                ++moves;
            }
        }
        EXPECT_EQ(hero().x - x0, c.distance);
        EXPECT_LE(moves, 5);
        EXPECT_EQ(hero().slideStep, 0);
        // Still crouching with the keys held: one slide per press.
        EXPECT_EQ(hero().animRow, 15 + c.facing);
    }
}

TEST_F(HeroMotion, LeftAndRightTogetherKeepTheHeroStanding) {
    startWorld(flatMap());
    const int x0 = hero().x;
    hold(dik::kLeft);
    hold(dik::kRight);
    frames(8);
    EXPECT_EQ(hero().x, x0);
    EXPECT_EQ(hero().action, kActionStand);
    EXPECT_EQ(hero().animRow, 0);
}

TEST_F(HeroMotion, StandingAtALedgeUsesTheLedgeRows) {
    struct Case {
        int cellX;
        int facing;
        int row;
    };
    // Ground over columns 10 .. 30 only.
    for (const Case c : {Case{30, 0, 34}, Case{10, 1, 35}, Case{30, 1, 1}, Case{20, 0, 0}}) {
        SCOPED_TRACE(std::to_string(c.cellX) + " facing " + std::to_string(c.facing));
        HeroMap map;
        map.fill(10, kGroundRow, 30, map.cellRows() - 1, kTerrainGround);
        startWorld(map);
        putHero(c.cellX, kGroundRow);
        hero().facing = c.facing;
        frame();
        EXPECT_EQ(hero().animRow, c.row);
    }
}

// A hill: flat ground at row 80, a slope rising to the right (code 9) from
// column 30 up to a plateau at row 72 over columns 38..45, and a slope
// falling to the right (code 10) down to row 80 again at column 53.
HeroMap hillMap() {
    HeroMap map = flatMap();
    map.fill(38, 72, 45, 79, kTerrainGround);
    for (int k = 0; k < 8; ++k) {
        map.set(30 + k, 79 - k, kTerrainSlopeUp);
        if (k > 0) map.fill(30 + k, 80 - k, 30 + k, 79, kTerrainGround);
    }
    for (int k = 1; k <= 8; ++k) {
        map.set(45 + k, 71 + k, kTerrainSlopeDown);
        map.fill(45 + k, 72 + k, 45 + k, 79, kTerrainGround);
    }
    return map;
}

TEST_F(HeroMotion, SlopesAreClimbedAndDescendedBothWays) {
    struct Case {
        const char* name;
        int startX, startY;
        int key;
        int endX, endY;
    };
    const Case cases[] = {
        {"right, up a rising slope", 26, 80, dik::kRight, 42, 72},
        {"left, down a rising slope", 42, 72, dik::kLeft, 26, 80},
        {"right, down a falling slope", 42, 72, dik::kRight, 58, 80},
        {"left, up a falling slope", 58, 80, dik::kLeft, 42, 72},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startWorld(hillMap());
        putHero(c.startX, c.startY);
        hold(c.key);
        frame();
        for (int i = 0; i < 16; ++i) {
            const int y = hero().y;
            frame();
            EXPECT_TRUE(hero().y - y == 0 || std::abs(hero().y - y) == 8) << "frame " << i;
            EXPECT_LT(hero().action, kActionJump) << "frame " << i;
        }
        EXPECT_EQ(cellX(), c.endX);
        EXPECT_EQ(cellY(), c.endY);
    }
}

TEST_F(HeroMotion, KnockBackStepsStopAtWallsAndMapEdges) {
    struct Case {
        const char* name;
        int cellX;
        int facing;
        int wallColumn;  // -1 none
        int dx;
    };
    // 40 tiles: 160 columns; guarded steps keep the column within 4 .. 156.
    const Case cases[] = {
        {"open, facing right", 20, 0, -1, -8},
        {"wall a tile behind", 20, 0, 16, 0},
        {"left edge", 3, 0, -1, 0},
        {"one column from the left edge", 4, 0, -1, -8},
        {"open, facing left", 20, 1, -1, 8},
        {"wall a tile behind, facing left", 20, 1, 24, 0},
        {"right edge", 157, 1, -1, 0},
        {"one column from the right edge", 156, 1, -1, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeroMap map = flatMap();
        map.set(c.cellX, kGroundRow + 1, kTerrainHarmful);
        if (c.wallColumn >= 0) map.set(c.wallColumn, kGroundRow, kTerrainWall);
        startWorld(map);
        putHero(c.cellX, kGroundRow);
        hero().facing = c.facing;
        frame();
        EXPECT_EQ(hero().action, kActionGroundHurt);
        EXPECT_EQ(hero().x - 8 * c.cellX, c.dx);
        EXPECT_EQ(hero().y, kStartY - 8);
    }
}

TEST_F(HeroMotion, WalkingStopsBeforeWallsAndMapEdges) {
    struct Case {
        const char* name;
        int cellX;
        int key;
        int wallColumn;  // -1 none
        int endX;
    };
    const Case cases[] = {
        {"wall ahead", 20, dik::kRight, 30, 25},
        {"wall behind", 20, dik::kLeft, 10, 15},
        {"right edge", 150, dik::kRight, -1, 156},
        {"left edge", 10, dik::kLeft, -1, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeroMap map = flatMap();
        if (c.wallColumn >= 0) map.set(c.wallColumn, kGroundRow, kTerrainWall);
        startWorld(map);
        putHero(c.cellX, kGroundRow);
        hold(c.key);
        frames(12);
        EXPECT_EQ(cellX(), c.endX);
    }
}

TEST_F(HeroMotion, CameraFollowsOnlyInsideItsWindow) {
    struct Case {
        int cellX;
        int key;
        bool follows;
    };
    // 40 tiles: the camera follows columns 52 .. 108; left tests the column
    // before the step, right the column after it.
    const Case cases[] = {
        {51, dik::kRight, true}, {50, dik::kRight, false}, {52, dik::kLeft, true},
        {51, dik::kLeft, false}, {107, dik::kRight, true}, {108, dik::kRight, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.cellX) + (c.key == dik::kRight ? " right" : " left"));
        startWorld(flatMap());
        putHero(c.cellX, kGroundRow);
        g_field->camera.place(hero().x - CWorld::kFollowScreenX, g_field->camera.y, hero().x, hero().y);
        const int camX = g_field->camera.x;
        hold(c.key);
        frame();
        releaseAll();
        frame();  // one step
        EXPECT_EQ(hero().cameraFollowsX, c.follows ? 1 : 0);
        const int step = c.key == dik::kRight ? 8 : -8;
        EXPECT_EQ(g_field->camera.x - camX, c.follows ? step : 0);
        EXPECT_EQ(hero().x - 8 * c.cellX, step);
        frame();
        EXPECT_EQ(hero().screenX, hero().x - 8 - g_field->camera.x);
    }
}

TEST_F(HeroMotion, CameraFollowsAJumpOnlyBelowRowForty) {
    HeroMap map = flatMap();
    map.fill(0, 44, 40, 44, kTerrainGround);
    startWorld(map, {.camY = 352 - 300, .lockedScreenY = 300});
    putHero(20, 44);
    const int camY = g_field->camera.y;
    hold(dik::kLAlt);
    frame();
    hold(dik::kLAlt, false);
    int lowest = camY;
    for (int i = 0; i < 26; ++i) {
        frame();
        lowest = std::min(lowest, g_field->camera.y);
    }
    EXPECT_EQ(hero().y, 352);
    EXPECT_EQ(lowest, camY - 32);  // rows 43 .. 40 of the rise
    EXPECT_EQ(g_field->camera.y, camY);
    EXPECT_EQ(hero().cameraFollowsY, 1);
}

// A ladder (columns 20..23, rows 64..79) up to a platform at row 60 whose
// cells above the ladder are rope.
HeroMap ladderMap() {
    HeroMap map = flatMap();
    map.fill(0, 60, map.cellColumns() - 1, 63, kTerrainGround);
    map.fill(20, 60, 23, 63, kTerrainRope);
    map.fill(20, 64, 23, 79, kTerrainLadder);
    return map;
}

TEST_F(HeroMotion, LaddersAndRopesCarryTheHeroUpAndDown) {
    startWorld(ladderMap());
    ASSERT_EQ(hero().x, 160);
    hold(dik::kUp);
    frames(2);
    EXPECT_EQ(hero().x, 176);  // centred on the ladder
    EXPECT_EQ(hero().y, kStartY - 8);
    EXPECT_EQ(hero().animRow, CPlayer::kLadderRow);
    frames(15);
    EXPECT_EQ(hero().y, 8 * 64);  // eight pixels a frame
    EXPECT_EQ(hero().action, kActionRopeUp);
    frame();
    EXPECT_EQ(hero().y, 8 * 60);  // onto the rope in one move
    EXPECT_EQ(hero().animRow, CPlayer::kRopeRow);
    frames(3);
    EXPECT_EQ(hero().action, kActionStand);

    hold(dik::kUp, false);
    hold(dik::kDown);
    frames(4);
    EXPECT_EQ(hero().y, 8 * 60);  // the rope row plays first
    frame();
    EXPECT_EQ(hero().y, 8 * 64);
    frame();
    EXPECT_EQ(hero().y, 8 * 65);
    EXPECT_EQ(hero().action, kActionLadderDown);

    // Letting go drops the hero to the ground.
    hold(dik::kDown, false);
    hold(dik::kLAlt);
    frames(20);
    EXPECT_EQ(hero().y, kStartY);
    EXPECT_EQ(hero().action, kActionStand);
}

TEST_F(HeroMotion, AtALadderTopANoticeNamesTheKeysThatStepOntoTheLedge) {
    // The ladder (columns 20..23) climbs from the ground to a ledge whose
    // top is row 60 on both sides.
    HeroMap map = flatMap();
    map.fill(0, 60, map.cellColumns() - 1, 63, kTerrainGround);
    map.fill(20, 60, 23, 79, kTerrainLadder);
    startWorld(map);
    CNoticeLog log(&device);
    CNoticeLog* const owner = g_noticeLog;
    g_noticeLog = &log;
    const std::string tip = toCp949("위+아래 후 옆: 사다리 내리기");
    ASSERT_LE(tip.size(), size_t(CNoticeLog::kLineBytes - 1));

    hold(dik::kUp);
    frames(22);
    EXPECT_EQ(hero().y, 8 * 60);  // Up climbs no further
    EXPECT_EQ(hero().action, kActionHolding);
    EXPECT_STREQ(log.lines[0], "") << "not while the hero climbs";
    hold(dik::kUp, false);
    frames(CPlayer::kLadderTipFrames);
    EXPECT_EQ(log.lines[0], tip);

    // Up and Down together, then Right: onto the ledge at the same height.
    hold(dik::kUp);
    hold(dik::kDown);
    frame();
    hold(dik::kUp, false);
    hold(dik::kDown, false);
    hold(dik::kRight);
    frames(6);
    hold(dik::kRight, false);
    frames(3);
    EXPECT_EQ(hero().y, 8 * 60);
    EXPECT_GE(cellX(), 24);
    EXPECT_EQ(hero().action, kActionStand);

    // Once a play: back at the top, no second notice.
    log.lines[0][0] = '\0';
    putHero(22, 70);
    hold(dik::kUp);
    frames(12);
    hold(dik::kUp, false);
    frames(2 * CPlayer::kLadderTipFrames);
    EXPECT_EQ(hero().y, 8 * 60);
    EXPECT_STREQ(log.lines[0], "");
    g_noticeLog = owner;
}

TEST_F(HeroMotion, ClimbingDownARopeNeverSinksIntoTheGroundBelow) {
    struct Case {
        const char* name;
        int ropeTop;  // rope cells from here down to the ground at kGroundRow
        int startRow;
        int endRow;
    };
    const Case cases[] = {
        {"a tile of rope over the ground", kGroundRow - 4, kGroundRow - 4, kGroundRow},
        {"half a tile of rope over the ground", kGroundRow - 2, kGroundRow - 2, kGroundRow},
        {"a long rope, one tile a cycle", kGroundRow - 12, kGroundRow - 12, kGroundRow - 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeroMap map = flatMap();
        map.fill(20, c.ropeTop, 23, kGroundRow - 1, kTerrainRope);
        startWorld(map);
        putHero(22, c.startRow);
        hold(dik::kDown);
        frame();
        hold(dik::kDown, false);
        frames(12);
        EXPECT_EQ(cellY(), c.endRow);
        EXPECT_NE(g_field->terrain(cellX(), cellY() - 1), kTerrainGround);
    }
}

TEST_F(HeroMotion, EachWeaponKindAttacksInItsRowWithItsSound) {
    struct Case {
        int kind;
        int row;
    };
    for (const Case c : {Case{kWeaponFist, 4}, Case{kWeaponBlade, 30}, Case{kWeaponGun, 28},
                         Case{kWeaponBoomerang, 32}}) {
        SCOPED_TRACE(c.kind);
        newGame.slots[velk::kSlotWornWeapon].icon = c.kind;
        startWorld(flatMap());
        const long strikes = soundCount("weapon");
        hold(dik::kLCtrl);
        frames(2);
        EXPECT_EQ(hero().animRow, c.row);
        frames(3);
        EXPECT_EQ(hero().action, kActionStand);
        // The boomerang's sound comes as it leaves the hand, the others' at once.
        EXPECT_EQ(soundCount("weapon") - strikes, 1);
    }
}

}  // namespace
}  // namespace velk
