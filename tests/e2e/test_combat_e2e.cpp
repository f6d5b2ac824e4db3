// End to end: a seeded fight on the green field through the real `velk`.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "content/save_writer.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

std::string fistFightScript() {
    // Walk up to the field's first slime, then punch every six frames.
    std::string s = "0 key Right down\n16 key Right up\n";
    for (int f = 20; f < 320; f += 6)
        s += std::to_string(f) + " key LCtrl down\n" + std::to_string(f + 1) + " key LCtrl up\n";
    return s;
}

// A level-1 hero on the green field with a fist worn; `exp` as given.
SaveRecord fieldHero(int exp) {
    SaveRecord r = startingHero();
    r.mapNumber = 10;
    r.exp = exp;
    return r;
}

VelkRun playFrom(const TempDir& work, const SaveRecord& r, int frames, const std::string& script, int seed = 7) {
    runVelk(work.path(), {"--frames", "1"}, "", false);  // makes the copy of the world
    std::ofstream(work.path() + "/data/txt/user/user.txt", std::ios::binary) << saveFileText(r);
    return runVelk(work.path(),
                   {"--skip-title", "--seed", std::to_string(seed), "--frames", std::to_string(frames)}, script);
}

TEST(E2eCombat, TheFistKillsTheFirstSlimeForItsExperienceAndALevel) {
    struct Case {
        int exp;
        int level, expAfter, expNext, statPoints;
    };
    for (const Case c : {Case{0, 1, 8, 60, 0}, Case{55, 2, 0, 208, 5}}) {
        SCOPED_TRACE(c.exp);
        TempDir work;
        const VelkRun run = playFrom(work, fieldHero(c.exp), 320, fistFightScript());
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const std::string monsters = jsonArray(run.state, "monsters");
        // The slime lies dead where it stood: hit points gone, its death row played.
        const std::string first = "\"index\": 0, \"x\": 272, \"y\": 672, \"hp\": ";
        const size_t at = monsters.find(first);
        ASSERT_NE(at, std::string::npos) << monsters;
        EXPECT_LE(std::stol(monsters.substr(at + first.size())), 0) << monsters;
        EXPECT_NE(monsters.find("\"move\": 6", at), std::string::npos) << monsters;
        const std::string notices = jsonArray(run.state, "notices");
        const std::string gained = "경험치를 얻었습니다(+8)";
        EXPECT_EQ(notices.find(gained), notices.rfind(gained)) << "once";
        EXPECT_NE(notices.find(gained), std::string::npos) << notices;
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "level"), c.level);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "exp"), c.expAfter);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "expNext"), c.expNext);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "statPoints"), c.statPoints);
        EXPECT_EQ(notices.find("레벨업하였습니다(1->2).") != std::string::npos, c.level == 2) << notices;
        const std::string sounds = jsonArray(run.state, "sounds");
        EXPECT_NE(sounds.find("monsterDie"), std::string::npos);
        EXPECT_EQ(sounds.find("levelup") != std::string::npos, c.level == 2);
    }
}

TEST(E2eCombat, LeftShiftPicksUpTheSlimesCoinAndTheSlimeComesBackAfterItsDelay) {
    // After the kill: step onto the coin and press Left Shift.
    const std::string script =
        fistFightScript() + "330 key Right down\n336 key Right up\n340 key LShift down\n350 key LShift up\n";
    struct Case {
        int frames;
        bool noticeShown, slimeBack;
    };
    for (const Case c : {Case{400, true, false}, Case{700, false, true}}) {
        SCOPED_TRACE(c.frames);
        TempDir work;
        const VelkRun run = playFrom(work, fieldHero(0), c.frames, script);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "aru"), 15);
        EXPECT_NE(run.state.find("\"coins\": []"), std::string::npos) << jsonArray(run.state, "drops");
        const std::string sounds = jsonArray(run.state, "sounds");
        EXPECT_EQ(sounds.find("\"eat\""), sounds.rfind("\"eat\"")) << sounds;
        EXPECT_NE(sounds.find("\"eat\""), std::string::npos) << sounds;
        const std::string notices = jsonArray(run.state, "notices");
        EXPECT_EQ(notices.find("아루를 획득하였습니다(+15)") != std::string::npos, c.noticeShown) << notices;
        // The slime stays dead for its delay, then stands again with full hit points.
        const std::string monsters = jsonArray(run.state, "monsters");
        const std::string first = "\"index\": 0, ";
        const std::string slime = monsters.substr(monsters.find(first), monsters.find("}") - monsters.find(first));
        EXPECT_EQ(slime.find("\"hp\": 12,") != std::string::npos, c.slimeBack) << slime;
        EXPECT_EQ(slime.find("\"move\": 6") == std::string::npos, c.slimeBack) << slime;
    }
}

TEST(E2eCombat, SkillsSpendMpAndARefusalSaysSo) {
    const ItemSlot speed{1, 52, 0}, kick{1, 54, 1};
    // Space uses the worn skill at frame 20 and again at 40; Right is held
    // for ten frames after that.
    const std::string script =
        "20 key Space down\n21 key Space up\n40 key Space down\n41 key Space up\n50 key Right down\n60 key Right up\n";
    struct Case {
        const char* name;
        ItemSlot skill;
        int mp;
        int mpAfter;
        bool refused;
        int speedTotal;  // 0: no speed effect
        int heroX;
    };
    for (const Case c : {Case{"kick", kick, 50, 20, false, 0, 176}, Case{"kick, short of mp", kick, 10, 10, true, 0, 176},
                         Case{"speed", speed, 50, 30, false, 300, 256},
                         Case{"speed, short of mp", speed, 19, 19, true, 0, 176}}) {
        SCOPED_TRACE(c.name);
        TempDir work;
        SaveRecord r = fieldHero(0);
        r.mp = c.mp;
        r.slots[1] = c.skill;
        const VelkRun run = playFrom(work, r, 64, script);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "mp"), c.mpAfter);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "x"), c.heroX);
        const std::string notices = jsonArray(run.state, "notices");
        EXPECT_EQ(notices.find("mp가 모자랍니다.") != std::string::npos, c.refused) << notices;
        EXPECT_EQ(jsonArray(run.state, "sounds").find("\"no\"") != std::string::npos, c.refused);
        if (c.speedTotal) {
            EXPECT_EQ(jsonNumberIn(run.state, "speedEffect", "total"), c.speedTotal);
            EXPECT_EQ(jsonNumberIn(run.state, "speedEffect", "remaining"), c.speedTotal - 44);
        } else {
            EXPECT_NE(run.state.find("\"speedEffect\": null"), std::string::npos);
        }
    }
}

TEST(E2eCombat, TheBoomerangFliesOutAndComesBackToTheHero) {
    struct Case {
        int frames;
        const char* shots;
        int inFlight;
    };
    const Case cases[] = {
        {16, "[{\"x\": 217, \"y\": 630, \"spriteRow\": 2, \"motion\": 1, \"hostile\": 0, \"source\": 0}]", 1},
        {22, "[{\"x\": 409, \"y\": 630, \"spriteRow\": 2, \"motion\": 1, \"hostile\": 0, \"source\": 0}]", 1},
        {28, "[{\"x\": 217, \"y\": 630, \"spriteRow\": 2, \"motion\": 1, \"hostile\": 0, \"source\": 0}]", 1},
        {34, "[]", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        TempDir work;
        SaveRecord r = fieldHero(0);
        r.level = 3;
        r.slots[0] = {1, 4, 4};
        // A second throw while the first is out is refused.
        const VelkRun run = playFrom(work, r, c.frames, "5 key LCtrl down\n6 key LCtrl up\n15 key LCtrl down\n16 key LCtrl up\n");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(jsonArray(run.state, "shots"), c.shots);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "shotsInFlight"), c.inFlight);
    }
}

TEST(E2eCombat, TheCaveStrikerHurtsTheHeroByItsAttackAndKnocksItBack) {
    // The cave's first shroom (a striker: attack 18) stands at x 336 and,
    // with this seed, faces west. Right held to frame 21 brings the hero to
    // x 264, inside its reach; the strike lands in frame 23.
    const std::string script = "0 key Right down\n21 key Right up\n";
    struct Case {
        int frames;
        bool hurt;
        long x, action, animRow;
    };
    for (const Case c : {Case{22, false, 264, 0, 2}, Case{24, true, 248, 111, 6}, Case{32, true, 200, 0, 0}}) {
        SCOPED_TRACE(c.frames);
        TempDir work;
        SaveRecord r = fieldHero(0);
        r.mapNumber = 12;
        const VelkRun run = playFrom(work, r, c.frames, script, 1);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        const long hp = jsonNumberIn(run.state, "hero", "hp");
        if (c.hurt) {
            // The attack plus 0 to 2, less half the hero's defence of 4.
            EXPECT_GE(hp, 100 - 14);
            EXPECT_LE(hp, 100 - 12);
        } else {
            EXPECT_EQ(hp, 100);
        }
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "x"), c.x);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "action"), c.action);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "animRow"), c.animRow);
        const std::string sounds = jsonArray(run.state, "sounds");
        EXPECT_EQ(sounds.find("\"userhit\"") != std::string::npos, c.hurt) << sounds;
        EXPECT_NE(sounds.find("\"monsterShot\""), std::string::npos) << "the strike's sound";
    }
}

TEST(E2eCombat, TheGunsShotStopsAtTheTownsWestWall) {
    // The gun is worn from the bag, the hero walks west to x 368 and fires
    // in frame 53; the shot flies 32 a frame and meets the wall (x 0-63)
    // while still on screen (camera at x 0).
    const std::string script =
        wearFromBagScript(320) + "12 key Left down\n50 key Left up\n52 key LCtrl down\n53 key LCtrl up\n";
    struct Case {
        int frames;
        const char* shots;
    };
    const Case cases[] = {
        {54, "[{\"x\": 343, \"y\": 502, \"spriteRow\": 0, \"motion\": 0, \"hostile\": 0, \"source\": 0}]"},
        {62, "[{\"x\": 87, \"y\": 502, \"spriteRow\": 0, \"motion\": 0, \"hostile\": 0, \"source\": 0}]"},
        {63, "[]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frames);
        TempDir work;
        SaveRecord r = fieldHero(0);
        r.mapNumber = 0;
        r.level = 4;
        r.slots[8] = {1, 0, 6};  // the gun in the bag's first row
        const VelkRun run = playFrom(work, r, c.frames, script);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "x"), 368);
        EXPECT_EQ(jsonNumberIn(run.state, "map", "camX"), 0);
        EXPECT_EQ(jsonArray(run.state, "shots"), c.shots);
        EXPECT_EQ(jsonNumberIn(run.state, "hero", "shotsInFlight"), c.frames < 63 ? 1 : 0);
    }
}

TEST(E2eCombat, TheSummitBoarChargesAtAStandingHero) {
    // The charger runs west 6 pixels a frame (its file's speed), stops short
    // of the hero for its lead-in and strikes (attack 24).
    struct Case {
        int frames;
        long bossX, bossState, animRow;
        bool hurt;
    };
    for (const Case c : {Case{20, 1038, 1, 0, false}, Case{21, 1032, 1, 0, false}, Case{22, 1026, 1, 0, false},
                         Case{175, 198, 255, 8, true}}) {
        SCOPED_TRACE(c.frames);
        TempDir work;
        SaveRecord r = fieldHero(0);
        r.mapNumber = 22;
        const VelkRun run = playFrom(work, r, c.frames, "");
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(jsonNumberIn(run.state, "boss", "x"), c.bossX);
        EXPECT_EQ(jsonNumberIn(run.state, "boss", "bossState"), c.bossState);
        EXPECT_EQ(jsonNumberIn(run.state, "boss", "animRow"), c.animRow);
        const long hp = jsonNumberIn(run.state, "hero", "hp");
        if (c.hurt) {
            EXPECT_GE(hp, 100 - 24);
            EXPECT_LE(hp, 100 - 22);
        } else {
            EXPECT_EQ(hp, 100);
        }
    }
}

TEST(E2eCombat, ThePetFollowsTheHeroAndCollectsTheKillsCoin) {
    SaveRecord r = fieldHero(0);
    r.slots[7] = {1, 58, 0};
    {
        // In town: Right held from frame 2 to 42 outruns the pet (7 a frame
        // to the hero's 8); once the hero stops it closes to within 150.
        r.mapNumber = 0;
        struct Case {
            int frames;
            long heroX, heroY;
            long behindMin, behindMax;
        };
        for (const Case c : {Case{2, 672, 544, 50, 50}, Case{42, 984, 512, 151, 200}, Case{120, 992, 512, 144, 150}}) {
            SCOPED_TRACE(c.frames);
            TempDir work;
            const VelkRun run = playFrom(work, r, c.frames, "2 key Right down\n42 key Right up\n");
            ASSERT_EQ(run.exitCode, 0) << run.output;
            EXPECT_EQ(jsonNumberIn(run.state, "hero", "x"), c.heroX);
            EXPECT_EQ(jsonNumberIn(run.state, "hero", "y"), c.heroY);
            const long behind = c.heroX - jsonNumberIn(run.state, "pet", "x");
            EXPECT_GE(behind, c.behindMin);
            EXPECT_LE(behind, c.behindMax);
            EXPECT_EQ(jsonNumberIn(run.state, "pet", "drawY"), c.heroY - 80);
        }
    }
    // On the green field the slime's coin flies to the pet and is taken
    // there: no Left Shift pressed.
    r.mapNumber = 10;
    TempDir work;
    const VelkRun run = playFrom(work, r, 200, fistFightScript());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_LE(jsonNumberIn(run.state, "monsters", "hp"), 0);
    EXPECT_EQ(jsonNumberIn(run.state, "hero", "aru"), 15);
    EXPECT_NE(run.state.find("\"coins\": []"), std::string::npos) << jsonArray(run.state, "drops");
    EXPECT_NE(jsonArray(run.state, "notices").find("아루를 획득하였습니다(+15)"), std::string::npos);
    EXPECT_EQ(jsonArray(run.state, "sounds").find("\"eat\""), std::string::npos) << "nothing picked up by hand";
}

std::string keyTap(int frame, const char* key) {
    return std::to_string(frame) + " key " + key + " down\n" + std::to_string(frame + 1) + " key " + key + " up\n";
}
std::string click(int frame, int x, int y) {
    return std::to_string(frame) + " mouse " + std::to_string(x) + " " + std::to_string(y) + "\n" +
           std::to_string(frame + 1) + " button left down\n" + std::to_string(frame + 2) + " button left up\n";
}

TEST(E2eCombat, TheQuestRunsBossFallsAndTheEldersMissionIsDone) {
    // A strong gunner takes the elder's offer in town (the elder stands at
    // screen (232, 408) after the walk; next, next, accept), runs through
    // the quest forest with two jumps over its hazards, walks up to the
    // forest heart's boss and fires until it falls.
    std::string script = "0 key Right down\n60 key Right up\n" + click(62, 232, 408) + click(70, 310, 330) +
                         click(76, 382, 330) + click(82, 480, 385) + "90 key Right down\n" + keyTap(196, "LAlt") +
                         keyTap(238, "LAlt") + "480 key Right up\n";
    for (int f = 482; f < 800; f += 10) script += keyTap(f, "LCtrl");
    TempDir work;
    SaveRecord r = fieldHero(0);
    r.mapNumber = 0;
    r.level = 12;
    r.hpStat = 200;
    r.hp = 2000;
    r.attackStat = 800;
    r.slots[0] = {1, 0, 7};
    runVelk(work.path(), {"--frames", "1"}, "", false);  // the copy of the world to write into
    const std::string states = work.path() + "/data/txt/npc/mssck/mss_0.txt";
    struct Case {
        int frames;
        long map;
        const char* statesAfter;
    };
    for (const Case c : {Case{360, 2, "0\n1\n0\n0\n2\n0\n"}, Case{800, 0, "0\n1\n1\n0\n2\n0\n"}}) {
        SCOPED_TRACE(c.frames);
        // Other NPCs of the town have made progress that the victory must keep.
        std::ofstream(states, std::ios::binary) << "0\n1\n0\n0\n2\n0\n";
        const VelkRun run = playFrom(work, r, c.frames, script);
        ASSERT_EQ(run.exitCode, 0) << run.output;
        EXPECT_EQ(jsonNumberIn(run.state, "map", "number"), c.map);
        EXPECT_EQ(run.state.find("\"boss\": null") != std::string::npos, c.map == 0);
        // One state a line for each of the town's six NPCs: the elder's (the
        // third) done, the others as they were.
        std::ifstream in(states, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), c.statesAfter);
    }
}

}  // namespace
}  // namespace velk
