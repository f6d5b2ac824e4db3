// End to end: an install into a temporary prefix, and the installed velk
// playing its own world with no --data, saving in the user's folder and
// leaving the installed tree as it was.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "support/temp_dir.h"

namespace velk {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> snapshot(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), root).string()] = bytes.str();
    }
    return files;
}

int shell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(E2eInstall, InstalledVelkPlaysItsWorldAndNeverWritesIt) {
    TempDir tmp;
    const fs::path prefix = fs::path(tmp.path()) / "prefix";
    ASSERT_EQ(shell(std::string(VELK_CMAKE) + " --install '" + VELK_BINARY_DIR + "' --prefix '" +
                    prefix.string() + "' > '" + tmp.path() + "/install.log' 2>&1"),
              0);
    for (const char* f : {"bin/velk", "bin/velk-pack", "share/velk/txt/user/init.txt",
                          "share/velk/maps/map_0.mmf", "share/applications/velk.desktop",
                          "share/icons/hicolor/128x128/apps/velk.png"})
        EXPECT_TRUE(fs::exists(prefix / f)) << f;
    EXPECT_FALSE(fs::exists(prefix / "share/velk/txt/user/user.txt"));
    const auto before = snapshot(prefix / "share/velk");

    // From an unrelated folder, so the current directory cannot serve as content.
    const fs::path xdg = fs::path(tmp.path()) / "xdg";
    fs::create_directories(fs::path(tmp.path()) / "elsewhere");
    const std::string run = "cd '" + tmp.path() + "/elsewhere' && XDG_DATA_HOME='" + xdg.string() +
                            "' XDG_CONFIG_HOME='" + tmp.path() + "/config' '" +
                            (prefix / "bin/velk").string() + "' --headless --frames 20 --verbose > '" +
                            tmp.path() + "/run.log' 2>&1";
    EXPECT_EQ(shell(run), 0);
    std::ifstream log(tmp.path() + "/run.log");
    std::ostringstream out;
    out << log.rdbuf();

    int saves = 0;
    if (fs::exists(xdg / "velk"))
        for (const auto& tree : fs::directory_iterator(xdg / "velk"))
            saves += fs::exists(tree.path() / "txt/user/user.txt");
    EXPECT_EQ(saves, 1) << out.str();
    EXPECT_NE(out.str().find("saving in " + (xdg / "velk").string()), std::string::npos) << out.str();
    EXPECT_TRUE(snapshot(prefix / "share/velk") == before) << "the installed world changed";
}

}  // namespace
}  // namespace velk
