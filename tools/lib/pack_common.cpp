#include "lib/pack_common.h"

#include <charconv>
#include <filesystem>

#include "platform/files.h"

namespace velk::pack {

DataDirScope::DataDirScope(const std::string& dir) : previous_(dataDirectory()) {
    setDataDirectory(dir);
}

DataDirScope::~DataDirScope() {
    setDataDirectory(previous_);
}

namespace {
BadFileCapture* g_innermost = nullptr;
}  // namespace

BadFileCapture::BadFileCapture() : outer_(g_innermost) {
    g_innermost = this;
    listen();
}

BadFileCapture::~BadFileCapture() {
    g_innermost = outer_;
    if (outer_)
        outer_->listen();
    else
        setBadFileListener({});
}

void BadFileCapture::listen() {
    setBadFileListener([this](const std::string& name, const std::string& reason) {
        reports_.emplace_back(name, reason);
    });
}

std::string BadFileCapture::reasonFor(const std::string& name) const {
    for (const auto& [file, reason] : reports_)
        if (file == name) return reason;
    return {};
}

int usageError(std::ostream& err, const std::string& command, const std::string& message,
               const char* synopsis) {
    err << "velk-pack " << command << ": " << message << "\n"
        << "usage: " << synopsis << "\n"
        << "Try 'velk-pack " << command << " --help'.\n";
    return kExitUsage;
}

bool wantsHelp(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (a == "--help" || a == "-h") return true;
    return false;
}

bool parseInt(const std::string& text, int& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && ptr == end;
}

bool fileExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string parentPath(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool numberedName(const std::string& name, const std::string& prefix, const std::string& suffix,
                  int& number) {
    if (name.size() <= prefix.size() + suffix.size() ||
        name.compare(0, prefix.size(), prefix) != 0 ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    return parseInt(name.substr(prefix.size(), name.size() - prefix.size() - suffix.size()),
                    number);
}

}  // namespace velk::pack
