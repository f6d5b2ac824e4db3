// The settings file that remembers the screen-mode answer, and when the
// question is asked.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/settings.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

TEST(Settings, TheScreenAnswerIsReadAndAnythingDamagedAsksAgain) {
    const struct {
        std::string text;
        ScreenMode mode;
        size_t warnings;
    } cases[] = {
        {"screen = window\n", ScreenMode::Windowed, 0},
        {"# mine\r\nscreen=fullscreen   # asked once\r\n", ScreenMode::FullScreen, 0},
        {"", ScreenMode::Ask, 0},
        {"music = off\n", ScreenMode::Ask, 0},
        {"screen = sideways\n", ScreenMode::Ask, 1},
        {"screen = window\nscreen = \n", ScreenMode::Ask, 1},
        {"screen window\n", ScreenMode::Ask, 1},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), ScreenMode::Ask, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        std::vector<std::string> warnings;
        EXPECT_EQ(parseSettings(c.text, warnings).screenMode, c.mode);
        EXPECT_EQ(warnings.size(), c.warnings);
    }
}

TEST(Settings, WritingKeepsCommentsAndOtherSettingsAndDropsUnreadableLines) {
    std::vector<std::string> warnings;
    Settings s = parseSettings("# my notes\nmusic = off\nscreen = sideways\n@@@\n", warnings);
    s.screenMode = ScreenMode::FullScreen;
    const std::string text = settingsText(s);
    EXPECT_EQ(text, "# velk's settings; the game writes this file\n# my notes\nmusic = off\nscreen = fullscreen\n");
    warnings.clear();
    const Settings again = parseSettings(text, warnings);
    EXPECT_TRUE(warnings.empty());
    EXPECT_EQ(again.screenMode, ScreenMode::FullScreen);
    EXPECT_EQ(settingsText(again), text);
}

TEST(Settings, TheFileIsSavedIntoANewFolderAndADamagedOneReadsAsUnanswered) {
    TempDir dir;
    const std::string path = dir.path() + "/config/velk/settings.ini";
    std::vector<std::string> warnings;
    EXPECT_EQ(loadSettings(path, warnings).screenMode, ScreenMode::Ask);  // none yet
    EXPECT_TRUE(warnings.empty());

    Settings s;
    s.screenMode = ScreenMode::Windowed;
    std::string why;
    ASSERT_TRUE(saveSettings(path, s, why)) << why;
    EXPECT_EQ(loadSettings(path, warnings).screenMode, ScreenMode::Windowed);

    std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(70 * 1024, 'x');
    EXPECT_EQ(loadSettings(path, warnings).screenMode, ScreenMode::Ask);
    EXPECT_EQ(warnings.size(), 1u);

    // A folder where the file should be: read as unanswered, not written.
    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    warnings.clear();
    EXPECT_EQ(loadSettings(path, warnings).screenMode, ScreenMode::Ask);
    EXPECT_FALSE(saveSettings(path, s, why));
    EXPECT_FALSE(why.empty());
}

TEST(Settings, TheQuestionIsAskedOnlyWithoutAnAnswerAndNeverHeadless) {
    using M = ScreenMode;
    const struct {
        M commandLine, remembered;
        bool headless, windowed, ask;
    } cases[] = {
        {M::Ask, M::Ask, false, true, true},
        {M::Ask, M::FullScreen, false, false, false},
        {M::Ask, M::Windowed, false, true, false},
        {M::Windowed, M::FullScreen, false, true, false},
        {M::FullScreen, M::Ask, false, false, false},
        {M::Ask, M::Ask, true, true, false},
        {M::FullScreen, M::FullScreen, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.commandLine) * 10 + int(c.remembered));
        const ScreenChoice choice = chooseScreenMode(c.commandLine, c.remembered, c.headless);
        EXPECT_EQ(choice.windowed, c.windowed);
        EXPECT_EQ(choice.ask, c.ask);
    }
}

}  // namespace
}  // namespace velk
