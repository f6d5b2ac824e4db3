#include "platform/files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <utility>

namespace velk {

namespace {
std::string g_dataDir = ".";
bool g_verbose = false;
BadFileListener g_listener;
}  // namespace

void setDataDirectory(const std::string& dir) { g_dataDir = dir.empty() ? "." : dir; }
const std::string& dataDirectory() { return g_dataDir; }

std::string dataPath(const std::string& gameName) {
    std::string rel = gameName;
    for (char& c : rel)
        if (c == '\\') c = '/';
    if (!rel.empty() && rel.front() == '/') return rel;
    return g_dataDir + "/" + rel;
}

bool readFile(const std::string& path, std::vector<uint8_t>& out, size_t cap) {
    out.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        reportBadFile(path, "is a directory, not a file");
        return false;
    }
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        // A missing file is often expected (optional content); anything else is a fault.
        if (errno != ENOENT) reportBadFile(path, std::string("cannot be opened: ") + std::strerror(errno));
        return false;
    }
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    if (size < 0 || size_t(size) > cap || std::fseek(f, 0, SEEK_SET) != 0) {
        std::fclose(f);
        if (size >= 0 && size_t(size) > cap) reportBadFile(path, "file too large");
        return false;
    }
    out.resize(size_t(size));
    ok = out.empty() || std::fread(out.data(), 1, out.size(), f) == out.size();
    std::fclose(f);
    if (!ok) out.clear();
    return ok;
}

bool readDataFile(const std::string& gameName, std::vector<uint8_t>& out, size_t cap) {
    return readFile(dataPath(gameName), out, cap);
}

bool writeFileAtomic(const std::string& path, const void* data, size_t size, std::string* why) {
    auto failed = [&](const std::string& step) {
        if (why) *why = step + ": " + std::strerror(errno);
        return false;
    };
    std::error_code ec;
    std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), ec);
    std::string tmp = path + ".tmp";
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return failed("cannot create " + tmp);
    const auto* p = static_cast<const uint8_t*>(data);
    size_t left = size;
    std::string step;
    while (left > 0 && step.empty()) {
        ssize_t n = ::write(fd, p, left);
        if (n <= 0) step = "cannot write " + tmp;
        p += n > 0 ? n : 0;
        left -= n > 0 ? size_t(n) : 0;
    }
    if (step.empty() && ::fsync(fd) != 0) step = "cannot flush " + tmp;
    if (::close(fd) != 0 && step.empty()) step = "cannot close " + tmp;
    if (step.empty() && std::rename(tmp.c_str(), path.c_str()) != 0) step = "cannot rename " + tmp + " to " + path;
    if (step.empty()) return true;
    const int error = errno;
    std::remove(tmp.c_str());
    errno = error;
    return failed(step);
}

bool writeDataFileAtomic(const std::string& gameName, const std::string& text, std::string* why) {
    return writeFileAtomic(dataPath(gameName), text.data(), text.size(), why);
}

void setVerbose(bool on) { g_verbose = on; }
bool verbose() { return g_verbose; }

void setBadFileListener(BadFileListener listener) { g_listener = std::move(listener); }

void reportBadFile(const std::string& name, const std::string& reason) {
    if (g_listener) g_listener(name, reason);
    if (g_verbose) std::fprintf(stderr, "velk: %s: %s\n", name.c_str(), reason.c_str());
}

}  // namespace velk
