// End to end in the demo town: a new game walks up to the people of the
// town and talks to them with the mouse through the real `velk`: the elder's
// three-page offer starts the quest run, the travel guide walks the hero to
// the gate, and the pet seller turns away a hero without the aru.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

// The town's people stand on their feet; their body box is centred this
// far above the feet.
constexpr int kBodyCentreAbove = 32;
// The talk box opens with its corner here; its buttons, from that corner.
constexpr int kBoxX = 280, kBoxY = 150;
constexpr int kPageLeftX = 10 + 20, kPageRightX = 82 + 20, kPageY = 170 + 10;
constexpr int kAcceptX = 180 + 20, kBottomY = 225 + 10;

class E2eTown : public ::testing::Test {
protected:
    // The hero walks right from the town's start for `frames` frames; the
    // clicks and the frames played follow.
    static std::string walk(int frames) {
        return "0 key Right down\n" + std::to_string(frames) + " key Right up\n";
    }
    static std::string click(int frame, int x, int y) {
        return std::to_string(frame) + " mouse " + std::to_string(x) + " " + std::to_string(y) + "\n" +
               std::to_string(frame + 1) + " button left down\n" + std::to_string(frame + 2) + " button left up\n";
    }
    // A new game each time: the save a run leaves behind is removed first.
    std::string play(int frames, const std::string& script) {
        std::filesystem::remove(work.path() + "/data/txt/user/user.txt");
        run = runVelk(work.path(), {"--skip-title", "--frames", std::to_string(frames)}, script);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return run.state;
    }
    // Where to click the NPC with talk number `talk` in a dump's camera.
    static void npcOnScreen(const std::string& dump, int talk, int& x, int& y) {
        const std::string npcs = jsonArray(dump, "npcs");
        std::smatch m;
        const std::regex entry("\\{\"x\": (-?\\d+), \"y\": (-?\\d+), \"talkNumber\": " + std::to_string(talk) + ",");
        ASSERT_TRUE(std::regex_search(npcs, m, entry)) << npcs;
        x = std::stoi(m[1]) - int(jsonNumberIn(dump, "map", "camX"));
        y = std::stoi(m[2]) - kBodyCentreAbove - int(jsonNumberIn(dump, "map", "camY"));
        ASSERT_TRUE(x > 0 && x < 800 && y > 0 && y < 600) << x << ", " << y;
    }

    TempDir work;
    VelkRun run;
};

TEST_F(E2eTown, TheEldersOfferTakenStartsTheQuestRun) {
    const int walked = 60;
    int x = 0, y = 0;
    npcOnScreen(play(walked + 2, walk(walked)), 30, x, y);
    std::string script = walk(walked) + click(walked + 2, x, y);
    std::string dump = play(walked + 8, script);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "talkNumber"), 30);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "action"), 60);

    // Next, next, then accept on the last page.
    script += click(walked + 10, kBoxX + kPageLeftX, kBoxY + kPageY);
    script += click(walked + 16, kBoxX + kPageRightX, kBoxY + kPageY);
    dump = play(walked + 22, script);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "talkNumber"), 32);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "action"), 99);
    script += click(walked + 22, kBoxX + kAcceptX, kBoxY + kBottomY);
    dump = play(walked + 40, script);
    EXPECT_EQ(jsonNumberIn(dump, "map", "number"), 1) << dump;
    EXPECT_GT(jsonNumberIn(dump, "map", "questStep"), 0);
    EXPECT_NE(dump.find("\"talk\": null"), std::string::npos);
}

TEST_F(E2eTown, TheGuideWalksTheHeroToTheGateAndThePetSellerWantsMoreAru) {
    const int walked = 100;
    int x = 0, y = 0;
    const std::string at = play(walked + 2, walk(walked));
    npcOnScreen(at, 40, x, y);
    std::string dump = play(walked + 40, walk(walked) + click(walked + 2, x, y) +
                                             click(walked + 10, kBoxX + kAcceptX, kBoxY + kBottomY));
    EXPECT_EQ(jsonNumberIn(dump, "map", "number"), 9) << dump;
    EXPECT_EQ(jsonNumberIn(dump, "map", "questStep"), 0);

    npcOnScreen(at, 50, x, y);
    dump = play(walked + 8, walk(walked) + click(walked + 2, x, y));
    EXPECT_EQ(jsonNumberIn(dump, "talk", "talkNumber"), 51);
    EXPECT_EQ(jsonNumberIn(dump, "talk", "action"), 60);
    EXPECT_LT(jsonNumberIn(dump, "hero", "aru"), 3000);
}

}  // namespace
}  // namespace velk
