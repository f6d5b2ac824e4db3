// Writing a file whole or not at all.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

std::string contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(WriteFileAtomic, ReplacesTheFileWholeOrLeavesItAsItWas) {
    TempDir dir;
    const std::string states = dir.path() + "/txt/npc/mssck/mss_0.txt";
    ASSERT_TRUE(writeFileAtomic(states, "0\n1\n", 4)) << "parent folders are made";
    ASSERT_TRUE(writeFileAtomic(states, "1\n", 2));
    EXPECT_EQ(contents(states), "1\n");
    EXPECT_FALSE(std::filesystem::exists(states + ".tmp"));

    // A target that cannot be replaced (a folder stands there) keeps what it
    // held, and the half-way file is gone.
    const std::string blocked = dir.path() + "/blocked";
    std::filesystem::create_directories(blocked + "/inside");
    std::string why;
    EXPECT_FALSE(writeFileAtomic(blocked, "x", 1, &why));
    EXPECT_NE(why.find("rename"), std::string::npos) << why;
    EXPECT_TRUE(std::filesystem::is_directory(blocked + "/inside"));
    EXPECT_FALSE(std::filesystem::exists(blocked + ".tmp"));
}

}  // namespace
}  // namespace velk
