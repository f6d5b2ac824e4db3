#include "platform/files.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <utility>

namespace velk {

namespace {
std::string g_dataDir = ".";
std::string g_saveDir;
bool g_verbose = false;
BadFileListener g_listener;
}  // namespace

void setDataDirectory(const std::string& dir) { g_dataDir = dir.empty() ? "." : dir; }
const std::string& dataDirectory() { return g_dataDir; }

namespace {
std::string underDirectory(const std::string& dir, const std::string& gameName) {
    std::string rel = gameName;
    for (char& c : rel)
        if (c == '\\') c = '/';
    if (!rel.empty() && rel.front() == '/') return rel;
    return dir + "/" + rel;
}
}  // namespace

std::string dataPath(const std::string& gameName) { return underDirectory(g_dataDir, gameName); }

void setSaveDirectory(const std::string& dir) { g_saveDir = dir; }
const std::string& saveDirectory() { return g_saveDir.empty() ? g_dataDir : g_saveDir; }

std::string savePath(const std::string& gameName) {
    return underDirectory(saveDirectory(), gameName);
}

std::string savedFilePath(const std::string& gameName) {
    std::string own = savePath(gameName);
    std::error_code ec;
    return std::filesystem::exists(own, ec) ? own : dataPath(gameName);
}

std::string missionStateName(int mapNumber) {
    return "txt/npc/mssck/mss_" + std::to_string(mapNumber) + ".txt";
}

std::string contentTreeId(const std::string& dataDir) {
    std::error_code ec;
    std::filesystem::path full = std::filesystem::weakly_canonical(dataDir, ec);
    if (ec) full = std::filesystem::absolute(dataDir, ec);
    const std::string text = full.string();
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    std::string name = full.filename().string();
    if (name.empty()) name = full.parent_path().filename().string();
    if (name.empty()) name = "root";
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, "-%08" PRIx32, uint32_t(hash ^ (hash >> 32)));
    return name + suffix;
}

std::string userConfigDirectory() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/') return std::string(xdg) + "/velk";
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config/velk";
    return "";
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

bool readSavedFile(const std::string& gameName, std::vector<uint8_t>& out, size_t cap) {
    return readFile(savedFilePath(gameName), out, cap);
}

bool writeSavedFileAtomic(const std::string& gameName, const std::string& text, std::string* why) {
    return writeFileAtomic(savePath(gameName), text.data(), text.size(), why);
}

void setVerbose(bool on) { g_verbose = on; }
bool verbose() { return g_verbose; }

void setBadFileListener(BadFileListener listener) { g_listener = std::move(listener); }

void reportBadFile(const std::string& name, const std::string& reason) {
    if (g_listener) g_listener(name, reason);
    if (g_verbose) std::fprintf(stderr, "velk: %s: %s\n", name.c_str(), reason.c_str());
}

}  // namespace velk
