// End to end: the hero's moves on the demo world, read from the state dump of
// the real `velk` played headless from a save. Keys read in paced frame N act
// in frame N + 1, and a run of N frames plays frames 0 to N - 1, so a dump
// after N frames shows what frame N - 1 did.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/save_writer.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/png_io.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

struct Start {
    int map = 0;
    int hp = 60;
    int level = 1;
    int exp = 0;
};

struct Dump {
    std::string json;
    long hero(const char* key) const { return jsonNumberIn(json, "hero", key); }
    long map(const char* key) const { return jsonNumberIn(json, "map", key); }
};

class E2eHero : public ::testing::Test {
protected:
    // Plays `frames` paced frames of `script` from a save on `start.map`.
    // Every run starts from the same save: the previous run's is replaced.
    Dump play(const Start& start, int frames, const std::string& script,
              std::vector<std::string> extra = {}) {
        if (!std::filesystem::exists(data())) {
            std::filesystem::copy(demoDataDir(), data(), std::filesystem::copy_options::recursive);
            // These runs measure exact steps, hit points and sounds against the
            // terrain. Of their maps only the rocky hill has monsters, and its
            // first crab and flower stand on the measured stretch (the flower
            // fires at any hero within 400 pixels): it is walked without them.
            std::filesystem::remove(data() + "/txt/monster/mon_11.txt");
        }
        SaveRecord r;
        r.name = toCp949("벨크");
        r.mapNumber = start.map;
        r.hp = start.hp;
        r.mp = 50;
        r.level = start.level;
        r.exp = start.exp;
        r.hpStat = 10;
        r.mpStat = 5;
        r.attackStat = 6;
        r.defenceStat = 4;
        r.skillStat = 3;
        std::ofstream(data() + "/txt/user/user.txt", std::ios::binary) << saveFileText(r);

        std::vector<std::string> args = {"--skip-title", "--frames", std::to_string(frames)};
        args.insert(args.end(), extra.begin(), extra.end());
        VelkRun run = runVelk(work.path(), args, script);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return {run.state};
    }
    std::string data() const { return work.path() + "/data"; }

    TempDir work;
};

// The town's start: feet on the paving of row 17.
constexpr long kTownX = 672, kTownY = 544;

TEST_F(E2eHero, JumpRises104PixelsThenFalls8AFrame) {
    // Jump read in frame 2: thirteen rising frames (3-15), thirteen falling.
    const std::string script = "2 key LAlt down\n3 key LAlt up\n";
    const struct {
        int frames;
        long dy;
        long action;
    } cases[] = {
        {3, 0, 4},      {4, -8, 4},   {15, -96, 4},  {16, -104, 4},
        {17, -96, 4},   {18, -88, 4}, {29, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        Dump d = play({0}, c.frames, script);
        EXPECT_EQ(d.hero("x"), kTownX);
        EXPECT_EQ(d.hero("y"), kTownY + c.dy);
        EXPECT_EQ(d.hero("action"), c.action);
    }
}

TEST_F(E2eHero, SlideIsAtMostFiveMovesOf16Pixels) {
    // Down held, jump pressed: the slide, then a crouch while Down stays held.
    const std::string open = "2 key Down down\n3 key LAlt down\n4 key LAlt up\n";
    // The same at the town's west wall, where only one move fits.
    const std::string byWall =
        "2 key Left down\n80 key Left up\n82 key Down down\n83 key LAlt down\n84 key LAlt up\n";
    const struct {
        const std::string& script;
        int frames;
        long x, action;
    } cases[] = {
        {open, 4, kTownX, 7},         {open, 5, kTownX + 16, 7}, {open, 9, kTownX + 80, 7},
        {open, 14, kTownX + 80, 3},   {byWall, 82, 96, 0},       {byWall, 86, 80, 3},
        {byWall, 95, 80, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((&c.script == &open ? "open ground, frames " : "by the wall, frames ") +
                     std::to_string(c.frames));
        Dump d = play({0}, c.frames, c.script);
        EXPECT_EQ(d.hero("x"), c.x);
        EXPECT_EQ(d.hero("y"), kTownY);
        EXPECT_EQ(d.hero("action"), c.action);
    }
}

TEST_F(E2eHero, LeftAndRightTogetherKeepTheHeroStanding) {
    // Keys down from frame 2: nine walking frames (3-11) for one key alone.
    const struct {
        const char* keys;
        long dx;
        long action;
        long animRow;
    } cases[] = {
        {"2 key Right down\n", 72, 2, 2},
        {"2 key Left down\n", -72, 1, 3},
        {"2 key Left down\n2 key Right down\n", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keys);
        Dump d = play({0}, 12, c.keys);
        EXPECT_EQ(d.hero("x"), kTownX + c.dx);
        EXPECT_EQ(d.hero("action"), c.action);
        EXPECT_EQ(d.hero("animRow"), c.animRow);
    }
}

TEST_F(E2eHero, LadderIsClimbedEightAFrameAndLetGoOf) {
    // Map 9: walk from the gate (x 192) 29 steps to x 424, under the
    // watchtower's ladder (column 13, rows 13-16, ground on row 17).
    const std::string script =
        "2 key Right down\n31 key Right up\n"
        "33 key Up down\n56 key Up up\n"     // climb to the ladder's head
        "57 key Down down\n59 key Down up\n"  // two steps down
        "62 key LAlt down\n63 key LAlt up\n"; // let go: straight into the fall
    const struct {
        int frames;
        long x, y, action, animRow;
    } cases[] = {
        {33, 424, 544, 0, 0},     // at the foot
        {41, 432, 488, 11, 21},   // centred on the ladder, seven steps up
        {56, 432, 416, 110, 21},  // the head: Up still held, no higher
        {60, 432, 432, 110, 21},  // two steps down, held there
        {64, 432, 440, 4, 10},    // falling
        {77, 432, 544, 0, 10},    // landed after fourteen falling frames
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        Dump d = play({9}, c.frames, script);
        EXPECT_EQ(d.hero("x"), c.x);
        EXPECT_EQ(d.hero("y"), c.y);
        EXPECT_EQ(d.hero("action"), c.action);
        EXPECT_EQ(d.hero("animRow"), c.animRow);
    }
}

// Map 11 from its start (x 96, feet at y 800): a jump over the first spike
// bed, to the foot of the rope (column 20, rows 20-24), up the rope to the
// cliff top (y 640) and east into the low tunnel under the rock arch.
const std::string kToTheTunnel =
    "2 key Right down\n40 key LAlt down\n41 key LAlt up\n75 key Right up\n"
    "76 key Up down\n105 key Up up\n"
    "106 key Right down\n148 key Right up\n";

TEST_F(E2eHero, RopeIsClimbedATileAtATime) {
    // Each rope step lifts the hero a whole tile at once, then holds it for
    // the rope row's four steps; x stays where the hero took hold.
    const struct {
        int frames;
        long y, action;
    } cases[] = {
        {76, 800, 0}, {78, 768, 12}, {82, 768, 12}, {83, 736, 12}, {98, 640, 12}, {106, 640, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        Dump d = play({11}, c.frames, kToTheTunnel);
        EXPECT_EQ(d.hero("x"), 664);
        EXPECT_EQ(d.hero("y"), c.y);
        EXPECT_EQ(d.hero("action"), c.action);
    }
}

TEST_F(E2eHero, CeilingTenCellsAboveEndsTheRiseAfterOneStep) {
    // In the tunnel the arch's underside is ten cells above the feet.
    const std::string script = kToTheTunnel + "150 key LAlt down\n151 key LAlt up\n";
    const struct {
        int frames;
        long y, action;
    } cases[] = {{151, 640, 4}, {152, 632, 4}, {153, 640, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        Dump d = play({11}, c.frames, script);
        EXPECT_EQ(d.hero("x"), 1000);
        EXPECT_EQ(d.hero("y"), c.y);
        EXPECT_EQ(d.hero("action"), c.action);
    }
}

TEST_F(E2eHero, ForwardExitLeadsToTheNextMapsStartPosition) {
    // Map 9 walked east from the gate: the step into the exit (x 1216) is
    // taken in frame 130, the change runs in frame 131, Right let go there.
    const std::string script = "2 key Right down\n131 key Right up\n";
    Dump leaving = play({9}, 131, script);
    EXPECT_EQ(jsonNumber(leaving.json, "gameState"), 600);
    EXPECT_EQ(leaving.map("number"), 9);
    EXPECT_EQ(leaving.hero("x"), 1216);

    Dump arrived = play({9}, 140, script);
    EXPECT_EQ(jsonNumber(arrived.json, "gameState"), 400);
    EXPECT_EQ(arrived.map("number"), 10);
    EXPECT_EQ(arrived.map("entrySide"), 0);
    long camX = 0, camY = 0, column = 0, row = 0;
    ASSERT_TRUE(std::ifstream(data() + "/txt/mappos/10-0.txt") >> camX >> camY >> column >> row);
    EXPECT_EQ(arrived.hero("x"), 32 * column);
    EXPECT_EQ(arrived.hero("y"), 32 * row);
    EXPECT_EQ(arrived.map("camX"), camX);
    EXPECT_EQ(arrived.map("camY"), camY);
    EXPECT_EQ(arrived.hero("action"), 0);
}

// Pixels of the screenshot `shot` in the box x0..x1-1, y0..y1-1 that differ
// from those of `reference`.
int differences(const std::string& shot, const std::string& reference, int x0, int y0, int x1,
                int y1) {
    std::vector<uint32_t> a, b;
    uint32_t w = 0, h = 0, rw = 0, rh = 0;
    EXPECT_TRUE(readPng(shot, a, w, h)) << shot;
    EXPECT_TRUE(readPng(reference, b, rw, rh)) << reference;
    if (a.empty() || a.size() != b.size()) return -1;
    int differ = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const size_t at = size_t(y) * w + size_t(x);
            differ += ((a[at] ^ b[at]) & 0xFFFFFF) != 0;
        }
    return differ;
}

// Map 11: Right held for 40 walking frames (3-42) brings the hero to x 416,
// over the first spike bed (columns 13-15).
const std::string kOntoTheSpikes = "2 key Right down\n42 key Right up\n";

TEST_F(E2eHero, HarmfulGroundHurtsFor15AndBlinksTheHero) {
    // The hit in frame 43 throws the hero back to x 352, where it lands in
    // frame 50 and blinks: drawn, then hidden, every other frame until its
    // 25 frames of safety run out.
    std::vector<std::string> shots;
    for (int f : {5, 51, 52, 53, 54, 76, 77, 78})
        shots.insert(shots.end(), {"--screenshot", std::to_string(f) + ":" + work.path() + "/" +
                                                       std::to_string(f) + ".png"});
    Dump d = play({11, 60}, 80, kOntoTheSpikes, shots);
    EXPECT_EQ(d.hero("hp"), 45);
    EXPECT_EQ(d.hero("x"), 352);
    EXPECT_EQ(d.hero("y"), 800);
    EXPECT_EQ(d.hero("action"), 0);
    EXPECT_EQ(jsonArray(d.json, "sounds"), "[\"wait\", \"userhit\"]");

    // The hero's screen spot, (352, 472) with the camera at (0, 328); in
    // frame 5 the hero is still far to the west, the scene there empty.
    const long sx = d.hero("x") - d.map("camX"), sy = d.hero("y") - d.map("camY");
    ASSERT_EQ(sx, 352);
    ASSERT_EQ(sy, 472);
    const std::string empty = work.path() + "/5.png";
    const struct {
        int frame;
        bool drawn;
    } cases[] = {{51, true}, {52, false}, {53, true}, {54, false},
                 {76, false}, {77, true}, {78, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frame);
        const int differ = differences(work.path() + "/" + std::to_string(c.frame) + ".png", empty,
                                       int(sx) - 40, int(sy) - 80, int(sx) + 40, int(sy));
        if (c.drawn)
            EXPECT_GT(differ, 200);
        else
            EXPECT_EQ(differ, 0);
    }
}

// Opaque pixels of the demo picture that show unchanged on the screenshot
// where the picture was drawn at (x, y), as a share of them all.
double pictureShown(const std::string& shot, const char* picture, int x, int y) {
    std::vector<uint32_t> screen;
    uint32_t w = 0, h = 0;
    EXPECT_TRUE(readPng(shot, screen, w, h)) << shot;
    setDataDirectory(demoDataDir());
    CPicture pic(nullptr);
    EXPECT_EQ(pic.load(picture), 1) << picture;
    int opaque = 0, same = 0;
    for (uint32_t j = 0; j < pic.height; ++j)
        for (uint32_t i = 0; i < pic.width; ++i) {
            const uint32_t p = pic.pixels[j * pic.width + i];
            if (p >> 24 != 255 || screen.empty()) continue;
            ++opaque;
            same += ((screen[(y + j) * w + x + i] ^ p) & 0xFFFFFF) == 0;
        }
    return opaque ? double(same) / opaque : 0.0;
}

TEST_F(E2eHero, DeathBoxOkReturnsTheHeroToTownWithHalfItsHitPoints) {
    // 10 hit points on the spikes: the hit kills, the dying row plays out and
    // the death box opens at (300, 100); its OK button spans (400-445,
    // 195-219) and is clicked in frames 66-67.
    const std::string script = kOntoTheSpikes +
                               "60 mouse 420 205\n66 button left down\n67 button left up\n";
    const struct {
        int level;
        int exp;
        long maxHp, expAfter;  // above level 10 only 30 % of the experience is kept
    } cases[] = {{3, 200, 112, 200}, {11, 1000, 160, 300}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level);
        const std::string shot = work.path() + "/dead.png";
        Dump d = play({11, 10, c.level, c.exp}, 70, script, {"--screenshot", "64:" + shot});
        EXPECT_GT(pictureShown(shot, "pic/mss_box.pic", 300, 100), 0.85) << "the death box";
        EXPECT_EQ(jsonNumber(d.json, "gameState"), 400);
        EXPECT_EQ(d.map("number"), 0);
        EXPECT_EQ(d.hero("x"), kTownX);
        EXPECT_EQ(d.hero("y"), kTownY);
        EXPECT_EQ(d.hero("maxHp"), c.maxHp);
        EXPECT_EQ(d.hero("hp"), c.maxHp / 2);
        EXPECT_EQ(d.hero("exp"), c.expAfter);
        EXPECT_EQ(jsonArray(d.json, "sounds"),
                  "[\"wait\", \"userhit\", \"userdie\", \"btn\", \"btn0\"]");
    }
}

// A run that ends in the very frame of the OK release saves what every later
// frame saves: the town, half the hit points, the experience after the cut.
TEST_F(E2eHero, DeathBoxOkSavesTheSameInItsOwnFrameAndAfter) {
    const std::string script = kOntoTheSpikes +
                               "60 mouse 420 205\n66 button left down\n67 button left up\n";
    std::string first;
    for (int frames : {68, 69, 71}) {
        SCOPED_TRACE(frames);
        play({11, 10, 11, 1000}, frames, script);
        std::ifstream in(data() + "/txt/user/user.txt", std::ios::binary);
        const std::string saved(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(saved.substr(0, 7), toCp949("벨크") + "\n0\n");
        if (first.empty()) first = saved;
        EXPECT_EQ(saved, first);
    }
}

}  // namespace
}  // namespace velk
