// End to end: the options that test a world start the game on the given
// map and side, at the given level, with the given items, and play in a
// scratch save folder: the player's own save is never touched.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "formats/save_file.h"
#include "platform/files.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

// Every file under `root` with its bytes.
std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[std::filesystem::relative(entry.path(), root).string()] = bytes.str();
    }
    return files;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The scratch folders under `tmp`.
std::vector<std::string> scratchFolders(const std::string& tmp) {
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(tmp))
        if (entry.path().filename().string().rfind("velk-scratch-", 0) == 0) found.push_back(entry.path().string());
    return found;
}

class E2eWorldTest : public ::testing::Test {
protected:
    void SetUp() override {
        data = work.path() + "/data";
        tmp = work.path() + "/tmp";
        std::filesystem::copy(demoDataDir(), data, std::filesystem::copy_options::recursive);
        std::filesystem::create_directories(tmp);
        // The player's own save, where a run without --save-dir keeps it.
        const std::string own = work.path() + "/share/velk/" + contentTreeId(data) + "/txt/user";
        std::filesystem::create_directories(own);
        std::ofstream(own + "/user.txt", std::ios::binary) << formatSaveFile(startingHero());
    }

    // velk without --save-dir, as a world's author runs it.
    VelkRun run(const std::string& args) {
        const std::string dump = work.path() + "/state.json";
        std::filesystem::remove(dump);
        const std::string cmd = "TMPDIR='" + tmp + "' XDG_DATA_HOME='" + work.path() + "/share' XDG_CONFIG_HOME='" +
                                work.path() + "/config' '" + velkBinary() + "' --headless --skip-title --frames 3 --data '" +
                                data + "' --dump-state '" + dump + "' " + args + " 2>&1";
        VelkRun r;
        FILE* pipe = popen(cmd.c_str(), "r");
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) r.output.append(buf, n);
        const int status = pclose(pipe);
        r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.state = readText(dump);
        return r;
    }

    TempDir work;
    std::string data, tmp;
};

// How many pieces of energy item `id` the bag and the quick slots hold, and
// how many weapons `id` the weapon bag holds.
long energyPieces(const std::string& json, long id) {
    long n = 0;
    for (int s = kSlotQuickFirst; s < kSlotSkillBookFirst; ++s) {
        const auto slot = jsonSlot(json, s);
        const bool energy = s < kSlotExtraFirst || s >= kSlotEnergyBagFirst;
        if (energy && slot[1] >= 0 && slot[2] == id) n += slot[0];
    }
    return n;
}
long weapons(const std::string& json, long id) {
    long n = 0;
    for (int s = kSlotWeaponBagFirst; s < kSlotEnergyBagFirst; ++s)
        if (jsonSlot(json, s)[1] >= 0 && jsonSlot(json, s)[2] == id) ++n;
    return n;
}
bool knowsSkill(const std::string& json, long id) {
    for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s)
        if (jsonSlot(json, s)[1] >= 0 && jsonSlot(json, s)[2] == id) return true;
    return false;
}

TEST_F(E2eWorldTest, StartsOnTheMapAtTheLevelWithTheItemsAndLeavesTheOwnSaveAlone) {
    const auto before = snapshot(work.path() + "/share");
    // Items by code: weapon 3, energy item 4 (code 12), skill 1 (code 53).
    const VelkRun plain = run("--start 1:forward");
    const VelkRun given = run("--start 1:forward --level 8 --give 3 --give 12:25 --give 53");
    ASSERT_EQ(plain.exitCode, 0) << plain.output;
    ASSERT_EQ(given.exitCode, 0) << given.output;

    for (const VelkRun* r : {&plain, &given}) {
        EXPECT_EQ(jsonNumberIn(r->state, "map", "number"), 1);
        EXPECT_EQ(jsonNumberIn(r->state, "map", "entrySide"), 1);
    }
    EXPECT_EQ(jsonNumberIn(plain.state, "hero", "level"), 1);
    EXPECT_EQ(jsonNumberIn(given.state, "hero", "level"), 8);
    EXPECT_EQ(jsonNumberIn(given.state, "hero", "hp"), jsonNumberIn(given.state, "hero", "maxHp"));
    EXPECT_EQ(jsonNumberIn(given.state, "hero", "statPoints"), jsonNumberIn(plain.state, "hero", "statPoints") + 35);
    EXPECT_EQ(weapons(given.state, 3), weapons(plain.state, 3) + 1);
    EXPECT_EQ(energyPieces(given.state, 4), energyPieces(plain.state, 4) + 25);
    EXPECT_FALSE(knowsSkill(plain.state, 1));
    EXPECT_TRUE(knowsSkill(given.state, 1));

    // Each run saved in a scratch folder of its own, which stderr named.
    const auto scratch = scratchFolders(tmp);
    ASSERT_EQ(scratch.size(), 2u);
    for (const std::string& folder : scratch) {
        EXPECT_TRUE(given.output.find(folder) != std::string::npos || plain.output.find(folder) != std::string::npos)
            << folder;
        EXPECT_TRUE(std::filesystem::exists(folder + "/txt/user/user.txt")) << folder;
    }
    EXPECT_TRUE(snapshot(work.path() + "/share") == before) << "the player's own save folder changed";
}

TEST_F(E2eWorldTest, AnOptionThatCannotBeDoneExitsWithTwoAndLeavesNothing) {
    const auto before = snapshot(work.path() + "/share");
    const struct {
        const char* args;
        const char* message;
    } cases[] = {
        {"--give 없는물건", "--give 없는물건:1: the item table has no item of that name or code"},
        {"--give 53 --give 53", "--give 53:1: the hero already has the skill"},
        {"--start 77", "--start 77: maps/map_77.mmf cannot be loaded"},
        {"--level 200", "--level 200: experience raises a hero to level 151 at most"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const VelkRun r = run(c.args);
        EXPECT_EQ(r.exitCode, 2) << r.output;
        EXPECT_NE(r.output.find(c.message), std::string::npos) << r.output;
        EXPECT_TRUE(scratchFolders(tmp).empty()) << "a scratch folder was left";
    }
    EXPECT_TRUE(snapshot(work.path() + "/share") == before);
}

}  // namespace
}  // namespace velk
