#pragma once
// A temporary content tree for one test: made empty, set as the data
// directory while it lives, removed with everything in it afterwards.

#include <cstdint>
#include <string>
#include <vector>

namespace velk {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes a game file (relative name, parent folders made as needed).
    void write(const std::string& gameName, const std::vector<uint8_t>& bytes) const;
    void write(const std::string& gameName, const std::string& text) const;

private:
    std::string path_;
    std::string previous_;
};

}  // namespace velk
