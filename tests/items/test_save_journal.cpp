// Files of the save folder written as one: a kill at any step of a commit,
// or a write that fails, leaves either every file new or every file old,
// once the next start has finished what the journal holds.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "items/save_journal.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

const std::vector<SavedFileText> kNew = {{"txt/user/user.txt", "new hero\n"}, {"txt/npc/mssck/mss_0.txt", "0\n2\n"}};
constexpr int kSteps = 4;  // journal, two files, the journal's removal; then the end

std::string savedText(const std::string& name) {
    std::vector<uint8_t> bytes;
    if (!readFile(savePath(name), bytes)) return "(none)";
    return std::string(bytes.begin(), bytes.end());
}

class SaveJournal : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("txt/user/user.txt", "old hero\n");
        dir.write("txt/npc/mssck/mss_0.txt", "0\n1\n");
    }
    void TearDown() override { setSaveStepHook(nullptr); }
    // After the next start: every file old, or every file new.
    void expectAllOrNothing() {
        ASSERT_TRUE(replaySaveJournal());
        EXPECT_FALSE(std::filesystem::exists(savePath(kSaveJournalName)));
        const std::string hero = savedText("txt/user/user.txt"), states = savedText("txt/npc/mssck/mss_0.txt");
        const bool before = hero == "old hero\n" && states == "0\n1\n";
        const bool after = hero == kNew[0].text && states == kNew[1].text;
        EXPECT_TRUE(before != after) << hero << states;
    }
    TempDir dir;
};

TEST_F(SaveJournal, AllFilesChangeTogether) {
    std::string why;
    ASSERT_TRUE(commitSavedFiles(kNew, &why)) << why;
    EXPECT_EQ(savedText("txt/user/user.txt"), kNew[0].text);
    EXPECT_EQ(savedText("txt/npc/mssck/mss_0.txt"), kNew[1].text);
    EXPECT_FALSE(std::filesystem::exists(savePath(kSaveJournalName)));
}

// The process dies (no destructor, no flush of anything of its own) just
// before each step in turn, and the next start finishes or forgets it.
TEST_F(SaveJournal, AKillAtEveryStepLeavesAllOrNothing) {
    for (int kill = 0; kill <= kSteps; ++kill) {
        SCOPED_TRACE("killed before step " + std::to_string(kill));
        SetUp();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            setSaveStepHook([kill](int step) {
                if (step == kill) _exit(0);
                return true;
            });
            commitSavedFiles(kNew, nullptr);
            _exit(1);  // the kill never came
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        expectAllOrNothing();
        // Killed once the journal stood, the change is made.
        if (kill >= 1) {
            EXPECT_EQ(savedText("txt/user/user.txt"), kNew[0].text);
        }
    }
}

TEST_F(SaveJournal, AFailedWriteChangesNoFile) {
    for (int fail = 0; fail <= kSteps; ++fail) {
        SCOPED_TRACE("step " + std::to_string(fail) + " fails");
        SetUp();
        setSaveStepHook([fail](int step) { return step != fail; });
        std::string why;
        const bool made = commitSavedFiles(kNew, &why);
        // Only a failure after every file holds its new text still commits.
        EXPECT_EQ(made, fail >= 3) << why;
        if (!made) {
            EXPECT_FALSE(why.empty());
            EXPECT_EQ(savedText("txt/user/user.txt"), "old hero\n");
            EXPECT_EQ(savedText("txt/npc/mssck/mss_0.txt"), "0\n1\n");
        }
        setSaveStepHook(nullptr);
        expectAllOrNothing();
    }
}

TEST_F(SaveJournal, ADamagedJournalIsNeverApplied) {
    const std::string whole = saveJournalText(kNew);
    std::vector<SavedFileText> back;
    ASSERT_TRUE(parseSaveJournal(whole, back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].text, kNew[1].text);
    for (size_t cut = 0; cut < whole.size(); ++cut) EXPECT_FALSE(parseSaveJournal(whole.substr(0, cut), back)) << cut;
    EXPECT_FALSE(parseSaveJournal("velk-journal 1\n../x\n1\na\nend\n", back));
    dir.write(kSaveJournalName, whole.substr(0, whole.size() - 2));
    EXPECT_FALSE(replaySaveJournal());
    EXPECT_EQ(savedText("txt/user/user.txt"), "old hero\n");
}

}  // namespace
}  // namespace velk
