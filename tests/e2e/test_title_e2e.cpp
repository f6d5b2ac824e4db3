// End to end: the real `velk`, headless, on the generated demo world.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/png_io.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

struct Screen {
    std::vector<uint32_t> pixels;
    uint32_t width = 0, height = 0;
    uint32_t at(int x, int y) const { return pixels[size_t(y) * width + x] & 0xFFFFFF; }
};

Screen readScreen(const std::string& path) {
    Screen s;
    std::string error;
    EXPECT_TRUE(readPng(path, s.pixels, s.width, s.height, &error)) << path << ": " << error;
    return s;
}

// Counts the opaque pixels of a demo picture that differ from the screen
// where the picture was drawn at (x, y), outside `skip` (the cursor).
int mismatches(const Screen& screen, const std::string& picture, int x, int y, int skipX, int skipY) {
    setDataDirectory(demoDataDir());
    CPicture pic(nullptr);
    EXPECT_EQ(pic.load(picture.c_str()), 1) << picture;
    int bad = 0;
    for (uint32_t j = 0; j < pic.height; ++j)
        for (uint32_t i = 0; i < pic.width; ++i) {
            uint32_t p = pic.pixels[j * pic.width + i];
            int sx = x + int(i), sy = y + int(j);
            if ((p >> 24) != 255 || (sx >= skipX && sx < skipX + 32 && sy >= skipY && sy < skipY + 32)) continue;
            if (screen.at(sx, sy) != (p & 0xFFFFFF)) ++bad;
        }
    return bad;
}

// A click or a key tap whose press and release both fall between two polls
// counts as one press: the script's down and up on one frame.
TEST(E2eTitle, TapsWithinOneFrameClickStartAndJump) {
    TempDir work;
    VelkRun run = runVelk(work.path(), {"--frames", "24"},
                          "0 mouse 650 515\n"
                          "5 button left down\n"
                          "5 button left up\n"
                          "20 key LAlt down\n"
                          "20 key LAlt up\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(jsonNumber(run.state, "gameState"), 400) << run.state;
    // The town's start is on the ground at y 544; the hero is in the air.
    EXPECT_LT(jsonNumberIn(run.state, "hero", "y"), 544) << run.state;
}

// Return starts the game like the button, with its sounds; the worn weapon
// (the new game's fist) sounds on the first attack.
TEST(E2eTitle, ReturnStartsTheGameAndTheFirstAttackSounds) {
    TempDir work;
    VelkRun run = runVelk(work.path(), {"--frames", "16"},
                          "3 key Return down\n"
                          "4 key Return up\n"
                          "10 key LCtrl down\n"
                          "11 key LCtrl up\n");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(jsonNumber(run.state, "gameState"), 400) << run.state;
    EXPECT_EQ(jsonArray(run.state, "sounds"), "[\"wait\", \"btn\", \"btn0\", \"weapon\"]");
}

TEST(E2eTitle, ClickingStartReachesPlayWithTheButtonSounds) {
    TempDir work;
    const std::string shot = work.path() + "/title.png";
    VelkRun run = runVelk(work.path(), {"--frames", "12", "--screenshot", "3:" + shot},
                          "0 mouse 650 515\n"
                          "5 button left down\n"
                          "6 button left up\n"
                          "7 mouse 400 300\n");  // off the HUD, which has sounds of its own
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(jsonNumber(run.state, "gameState"), 400) << run.state;
    EXPECT_EQ(jsonNumber(run.state, "frame"), 12);
    // "wait" sounds at start-up, "btn" once on entering the button, "btn0" on the click.
    EXPECT_EQ(jsonArray(run.state, "sounds"), "[\"wait\", \"btn\", \"btn0\"]");

    Screen screen = readScreen(shot);
    ASSERT_EQ(screen.width, 800u);
    EXPECT_EQ(mismatches(screen, "pic/b_start.pic", 600, 500, 650, 515), 0) << "hover button";
    EXPECT_EQ(mismatches(screen, "pic/title.pic", 130, 20, 650, 515), 0) << "title picture";
    EXPECT_GT(mismatches(screen, "pic/d_start.pic", 600, 500, 650, 515), 0) << "not the normal button";
}

TEST(E2eTitle, SkipTitleShowsTheTownAndTheFrameRate) {
    TempDir work;
    const std::string shot = work.path() + "/play.png";
    VelkRun run = runVelk(work.path(), {"--skip-title", "--frames", "5", "--screenshot", "4:" + shot});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(jsonNumber(run.state, "gameState"), 400);
    Screen screen = readScreen(shot);
    int red = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 700; x < 800; ++x) red += screen.at(x, y) == 0xFF0000;
    EXPECT_GT(red, 20) << "the red frame-rate line";
    // The town's stage and tiles cover the whole screen: no clear colour shows.
    int clearBlue = 0;
    for (int y = 20; y < 600; y += 20)
        for (int x = 0; x < 800; x += 20) clearBlue += screen.at(x, y) == 0x0000FF;
    EXPECT_EQ(clearBlue, 0);
}

TEST(E2eCommandLine, ClearMessagesAndExitCodes) {
    TempDir work;
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;
    };
    const Case cases[] = {
        {{"--frames", "many"}, 2, "--frames takes a whole number"},
        {{"--scale", "9"}, 2, "--scale takes a whole number from 1 to 8"},
        {{"--screenshot", "shot.png"}, 2, "--screenshot takes N:FILE.png"},
        {{"--bogus"}, 2, "unknown option '--bogus'"},
        {{"--data", work.path() + "/missing", "--frames", "1"}, 1, "data directory"},
        {{"--frames", "2", "--screenshot", "5:" + work.path() + "/late.png"}, 1, "was not taken"},
        {{"--help"}, 0, "usage: velk"},
    };
    for (const Case& c : cases) {
        VelkRun run = runVelk(work.path(), c.args, "", false);
        EXPECT_EQ(run.exitCode, c.code) << c.says << "\n" << run.output;
        EXPECT_NE(run.output.find(c.says), std::string::npos) << run.output;
    }
    VelkRun bad = runVelk(work.path(), {"--frames", "1"}, "0 key Nowhere down\n", false);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_NE(bad.output.find("line 1: unknown key 'Nowhere'"), std::string::npos) << bad.output;
}

}  // namespace
}  // namespace velk
