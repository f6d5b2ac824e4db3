// End to end: the content tool on the generated demo world.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <sys/wait.h>

#include "platform/png_io.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

int run(const std::string& command, std::string& output) {
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) output.append(buf, n);
    int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string packTool() { return velkBinary().substr(0, velkBinary().size() - 4) + "velk-pack"; }

TEST(E2eContent, DemoWorldValidatesAndEveryMapRenders) {
    std::string out;
    EXPECT_EQ(run(packTool() + " validate " + demoDataDir(), out), 0) << out;
    EXPECT_NE(out.find("no problems"), std::string::npos) << out;

    TempDir work;
    for (int map : {0, 1, 2, 9, 10, 11, 12}) {
        std::string png = work.path() + "/map" + std::to_string(map) + ".png";
        std::string log;
        ASSERT_EQ(run(packTool() + " render-map " + std::to_string(map) + " " + png + " --data " +
                          demoDataDir(),
                      log),
                  0)
            << log;
        std::vector<uint32_t> pixels;
        uint32_t w = 0, h = 0;
        ASSERT_TRUE(readPng(png, pixels, w, h));
        // Wider and taller than one screen, so the camera scrolls both ways.
        EXPECT_GT(w, 26u * 32) << "map " << map;
        EXPECT_GT(h, 19u * 32) << "map " << map;
    }
}

}  // namespace
}  // namespace velk
