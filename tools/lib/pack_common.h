#pragma once
// Pieces every velk-pack command shares: exit codes, the data directory and
// the loaders' bad-file reports held for the length of one command.

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace velk::pack {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Points the loaders at `dir` until the scope ends.
class DataDirScope {
public:
    explicit DataDirScope(const std::string& dir);
    ~DataDirScope();
    DataDirScope(const DataDirScope&) = delete;
    DataDirScope& operator=(const DataDirScope&) = delete;

private:
    std::string previous_;
};

// Collects what the loaders report (file name, reason) instead of printing it.
// Captures nest: the innermost one collects, and the one outside it resumes
// when it ends.
class BadFileCapture {
public:
    BadFileCapture();
    ~BadFileCapture();
    BadFileCapture(const BadFileCapture&) = delete;
    BadFileCapture& operator=(const BadFileCapture&) = delete;

    void clear() { reports_.clear(); }
    const std::vector<std::pair<std::string, std::string>>& reports() const { return reports_; }
    // The first reason reported for `name`, or empty.
    std::string reasonFor(const std::string& name) const;

private:
    void listen();

    std::vector<std::pair<std::string, std::string>> reports_;
    BadFileCapture* outer_;
};

// A command's usage error: the message, its synopsis and where help is.
int usageError(std::ostream& err, const std::string& command, const std::string& message,
               const char* synopsis);
bool wantsHelp(const std::vector<std::string>& args);
// A whole decimal int32; false for anything else.
bool parseInt(const std::string& text, int& out);
bool fileExists(const std::string& path);
// The text after the last separator.
std::string baseName(const std::string& path);
// The folder `path` sits in, without its trailing separator ("" for none).
std::string parentPath(const std::string& path);
// True when `name` is prefix + a decimal number + suffix ("map_12.mmf").
bool numberedName(const std::string& name, const std::string& prefix, const std::string& suffix,
                  int& number);

}  // namespace velk::pack
