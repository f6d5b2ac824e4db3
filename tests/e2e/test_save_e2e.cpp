// End to end: saves that never strand a player. A damaged save, a save on a
// map that no longer exists, an exit into a broken map and a save that
// cannot be written each leave a game that starts again, and say so.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/save_writer.h"
#include "platform/cp949.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

class SaveE2e : public ::testing::Test {
protected:
    void SetUp() override {
        data = work.path() + "/data";
        fs::copy(demoDataDir(), data, fs::copy_options::recursive);
    }
    void writeSave(const std::string& text) {
        std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << text;
    }
    std::string readSave() {
        std::ifstream in(data + "/txt/user/user.txt", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static std::string saveOn(int map, int level = 4) {
        SaveRecord r;
        r.name = toCp949("벨크");
        r.mapNumber = map;
        r.level = level;
        r.hp = 60;
        r.mp = 40;
        r.hpStat = 10;
        r.mpStat = 5;
        return saveFileText(r);
    }
    TempDir work;
    std::string data;
};

TEST_F(SaveE2e, DamagedSavesStartFromWhatWasReadWithANoticeAndEachIsKept) {
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        // A bad level token: the name, map and points before it still count.
        std::string text = saveOn(9);
        text.replace(text.find("\n4\n"), 3, "\nfour\n");
        writeSave(text);
        VelkRun r = runVelk(work.path(), {"--skip-title", "--frames", "3"});
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(jsonNumberIn(r.state, "map", "number"), 9);
        EXPECT_EQ(jsonNumberIn(r.state, "hero", "hp"), 60);
        EXPECT_NE(r.state.find("저장 파일이 손상되었습니다"), std::string::npos) << r.state;
        EXPECT_NE(r.output.find("damaged"), std::string::npos) << r.output;
        const std::string copy = run == 1 ? "/txt/user/user.txt.bad" : "/txt/user/user.txt.bad.2";
        std::ifstream in(data + copy, std::ios::binary);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), text);
    }
}

TEST_F(SaveE2e, ASaveOnAMissingMapStartsInTown) {
    writeSave(saveOn(77));
    VelkRun r = runVelk(work.path(), {"--skip-title", "--frames", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_EQ(jsonNumberIn(r.state, "map", "number"), 0);
    EXPECT_NE(r.output.find("starting in town"), std::string::npos) << r.output;
    EXPECT_EQ(readSave().substr(0, 7), toCp949("벨크") + "\n0\n");
}

// Map 9's forward exit leads to map 10; with map 10 missing or damaged the
// hero stays on map 9, and the save after it loads.
TEST_F(SaveE2e, AnExitIntoABrokenMapLeavesTheHeroWhereHeWas) {
    for (const char* broken : {"missing", "damaged"}) {
        SCOPED_TRACE(broken);
        const std::string map10 = data + "/maps/map_10.mmf";
        if (std::string(broken) == "missing")
            fs::remove(map10);
        else
            std::ofstream(map10, std::ios::binary) << "not a map";
        writeSave(saveOn(9));
        VelkRun r = runVelk(work.path(), {"--skip-title", "--frames", "200"}, "0 key Right down\n");
        ASSERT_EQ(r.exitCode, 0) << r.output;
        EXPECT_EQ(jsonNumberIn(r.state, "map", "number"), 9);
        EXPECT_GT(jsonNumberIn(r.state, "hero", "x"), 1100) << "walked to the exit";
        EXPECT_NE(r.state.find("그곳으로 가는 길이 막혔습니다"), std::string::npos) << r.state;
        EXPECT_EQ(readSave().substr(0, 7), toCp949("벨크") + "\n9\n");
        VelkRun again = runVelk(work.path(), {"--skip-title", "--frames", "2"});
        ASSERT_EQ(again.exitCode, 0) << again.output;
        EXPECT_EQ(jsonNumberIn(again.state, "map", "number"), 9);
    }
}

TEST_F(SaveE2e, AShutdownSaveThatFailsIsReportedAndExitsNonZero) {
    writeSave(saveOn(9));
    // The temporary file the save is written through cannot be made.
    fs::create_directories(data + "/txt/user/user.txt.tmp");
    VelkRun r = runVelk(work.path(), {"--skip-title", "--frames", "2"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.output.find("cannot save"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("user.txt"), std::string::npos) << r.output;
    EXPECT_EQ(readSave(), saveOn(9)) << "the old save is kept";
}

// A power cut right after a write can leave an empty save: a new game that
// is saved over it, never a save locked for good.
TEST_F(SaveE2e, AnEmptySaveStartsANewGameThatIsSavedOverIt) {
    writeSave("");
    VelkRun r = runVelk(work.path(), {"--skip-title", "--frames", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("empty"), std::string::npos) << r.output;
    EXPECT_NE(r.state.find("저장 파일이 손상되었습니다"), std::string::npos) << r.state;
    EXPECT_EQ(readSave().substr(0, 7), toCp949("벨크") + "\n0\n");
    VelkRun again = runVelk(work.path(), {"--skip-title", "--frames", "2"});
    ASSERT_EQ(again.exitCode, 0) << again.output;
    EXPECT_EQ(again.output.find("damaged"), std::string::npos) << again.output;
}

TEST_F(SaveE2e, AMissionStateWriteThatFailsExitsNonZero) {
    writeSave(saveOn(0));
    fs::create_directories(data + "/txt/npc/mssck/mss_0.txt.tmp");
    VelkRun r = runVelk(work.path(), {"--skip-title", "--frames", "2"});
    EXPECT_NE(r.exitCode, 0);
    EXPECT_NE(r.output.find("cannot save"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("mss_0.txt"), std::string::npos) << r.output;
}

}  // namespace
}  // namespace velk
