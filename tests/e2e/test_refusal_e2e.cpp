// End to end: a start the game refuses writes nothing. The data directory
// is the same byte for byte afterwards, saves included.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

// Every file of the tree by its relative path, with its bytes.
std::map<std::string, std::string> snapshot(const std::string& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[std::filesystem::relative(entry.path(), root).string()] = bytes.str();
    }
    return files;
}

// Points fontconfig at a configuration with no fonts for one scope.
class NoFonts {
public:
    explicit NoFonts(const TempDir& dir) : path_(dir.path() + "/no-fonts.conf") {
        std::ofstream(path_) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
        if (const char* old = std::getenv("FONTCONFIG_FILE")) old_ = old;
        setenv("FONTCONFIG_FILE", path_.c_str(), 1);
    }
    ~NoFonts() {
        if (old_.empty())
            unsetenv("FONTCONFIG_FILE");
        else
            setenv("FONTCONFIG_FILE", old_.c_str(), 1);
    }
    NoFonts(const NoFonts&) = delete;
    NoFonts& operator=(const NoFonts&) = delete;

private:
    std::string path_;
    std::string old_;
};

TEST(E2eStart, RefusedStartsLeaveTheDataDirectoryUnchanged) {
    const struct {
        const char* name;
        bool fonts;
        const char* save;  // user.txt before the run; null for none
        const char* message;
    } cases[] = {
        {"no font, new game", false, nullptr, "no font with Korean (Hangul) coverage"},
        {"no font, damaged save", false, "not a save", "no font with Korean (Hangul) coverage"},
        {"first map missing", true, nullptr, "cannot load the first map"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir work;
        const std::string data = work.path() + "/data";
        std::filesystem::copy(demoDataDir(), data, std::filesystem::copy_options::recursive);
        if (c.save) std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << c.save;
        if (c.fonts) std::filesystem::remove(data + "/maps/map_0.mmf");
        const auto before = snapshot(data);

        VelkRun run;
        {
            std::optional<NoFonts> noFonts;
            if (!c.fonts) noFonts.emplace(work);
            run = runVelk(work.path(), {"--frames", "5"}, "", false);
        }
        EXPECT_NE(run.exitCode, 0) << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_TRUE(snapshot(data) == before) << "the data directory changed";
    }
}

// Run from a folder that is no world (the repository's root, say): the
// message says how to name the world, and no save folder is left behind.
TEST(E2eStart, AFolderWithoutMapsIsNamedAndLeavesNoSaveFolder) {
    TempDir work;
    const std::string saves = work.path() + "/share/velk/tree";
    const std::string cmd = "cd " + work.path() + " && XDG_CONFIG_HOME=" + work.path() + "/config " + velkBinary() +
                            " --headless --frames 2 --data . --save-dir " + saves + " > out.txt 2>&1";
    const int status = std::system(cmd.c_str());
    EXPECT_NE(status, 0);
    std::ifstream in(work.path() + "/out.txt");
    const std::string output((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(output.find("--data build/data"), std::string::npos) << output;
    EXPECT_FALSE(std::filesystem::exists(work.path() + "/share")) << "an empty save folder was left";
}

}  // namespace
}  // namespace velk
