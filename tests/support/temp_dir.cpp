#include "support/temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "platform/files.h"

namespace velk {

TempDir::TempDir() : previous_(dataDirectory()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "velk-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
    path_ = pattern;
    setDataDirectory(path_);
}

TempDir::~TempDir() {
    setDataDirectory(previous_);
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& gameName, const std::vector<uint8_t>& bytes) const {
    write(gameName, std::string(bytes.begin(), bytes.end()));
}

void TempDir::write(const std::string& gameName, const std::string& text) const {
    const std::filesystem::path file(dataPath(gameName));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(text.data(), std::streamsize(text.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace velk
