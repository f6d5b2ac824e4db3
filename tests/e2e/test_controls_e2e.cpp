// End to end: the player's controls file, the Alt+Enter chord and the
// gamepad, played headless on the demo town from a fixed save.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/save_writer.h"
#include "platform/cp949.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

constexpr long kTownY = 544;  // the hero's feet on the town's paving

// Plays `frames` frames of `script` in a fresh copy of the world, with
// `controls` as the player's controls.ini (none when empty).
VelkRun playTown(int frames, const std::string& script, const std::string& controls = "") {
    TempDir work;
    const std::string data = work.path() + "/data";
    std::filesystem::copy(demoDataDir(), data, std::filesystem::copy_options::recursive);
    SaveRecord r;
    r.name = toCp949("벨크");
    r.hp = r.mp = 50;
    r.level = 1;
    r.hpStat = r.mpStat = r.attackStat = r.defenceStat = r.skillStat = 5;
    std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveFileText(r);
    if (!controls.empty()) {
        std::filesystem::create_directories(work.path() + "/config/velk");
        std::ofstream(work.path() + "/config/velk/controls.ini") << controls;
    }
    VelkRun run = runVelk(work.path(), {"--skip-title", "--frames", std::to_string(frames)}, script);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    return run;
}

long heroY(const VelkRun& run) { return jsonNumberIn(run.state, "hero", "y"); }

TEST(E2eControls, ControlsFileMovesJumpAndABrokenOneKeepsTheDefaults) {
    const std::string jumpZ = "2 key Z down\n3 key Z up\n";
    const std::string jumpAlt = "2 key LAlt down\n3 key LAlt up\n";
    const struct {
        const char* what;
        std::string controls;
        const std::string& script;
        bool jumps;
        bool warns;
    } cases[] = {
        {"moved to Z", "jump = Z\n", jumpZ, true, false},
        {"Alt no longer jumps", "jump = Z\n", jumpAlt, false, false},
        {"broken file", "jump = Nowhere\n\x01\x02 garbage\n", jumpAlt, true, true},
        {"no file", "", jumpZ, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        VelkRun run = playTown(8, c.script, c.controls);
        EXPECT_EQ(heroY(run) < kTownY, c.jumps) << run.state;
        EXPECT_EQ(run.output.find("controls.ini: line") != std::string::npos, c.warns) << run.output;
    }
}

TEST(E2eControls, AltEnterDoesNotJump) {
    VelkRun run = playTown(8, "2 key LAlt down\n2 key Return down\n3 key Return up\n5 key LAlt up\n");
    EXPECT_EQ(heroY(run), kTownY);
    EXPECT_EQ(jsonNumberIn(run.state, "hero", "action"), 0);
}

TEST(E2eControls, PadPlaysExactlyAsTheKeys) {
    // Walk, jump, walk back, attack, a quick slot: the same frames twice.
    const char* steps[][3] = {
        {"2", "Right", "dpright"}, {"9", "Right", "dpright"}, {"10", "LAlt", "a"},
        {"11", "LAlt", "a"},       {"30", "Left", "dpleft"},  {"34", "Left", "dpleft"},
        {"36", "LCtrl", "x"},      {"37", "LCtrl", "x"},      {"45", "F1", "leftshoulder"},
        {"46", "F1", "leftshoulder"}, {"48", "LShift", "b"},  {"49", "LShift", "b"},
    };
    std::string keys, pad;
    bool down = true;
    for (const auto& s : steps) {
        const std::string state = down ? " down\n" : " up\n";
        keys += std::string(s[0]) + " key " + s[1] + state;
        pad += std::string(s[0]) + " pad " + s[2] + state;
        down = !down;
    }
    VelkRun byKeys = playTown(60, keys), byPad = playTown(60, pad);
    ASSERT_FALSE(byKeys.state.empty());
    EXPECT_NE(jsonNumberIn(byKeys.state, "hero", "x"), 672) << "the script moved the hero";
    EXPECT_EQ(byPad.state, byKeys.state);
}

}  // namespace
}  // namespace velk
