#include "items/save_journal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/files.h"

namespace velk {

namespace {

constexpr const char* kJournalHeader = "velk-journal 1\n";
constexpr const char* kJournalEnd = "end\n";

SaveStepHook g_stepHook;

bool stepAllowed(int step, std::string* why) {
    if (!g_stepHook || g_stepHook(step)) return true;
    if (why) *why = "step " + std::to_string(step) + " failed";
    return false;
}

// What a file of the save folder holds now; nothing when it has none.
std::optional<std::string> currentText(const std::string& name) {
    std::vector<uint8_t> bytes;
    std::error_code ec;
    if (!std::filesystem::exists(savePath(name), ec) || !readFile(savePath(name), bytes)) return std::nullopt;
    return std::string(bytes.begin(), bytes.end());
}

bool restore(const std::string& name, const std::optional<std::string>& text) {
    if (text) return writeSavedFileAtomic(name, *text);
    std::error_code ec;
    std::filesystem::remove(savePath(name), ec);
    return !ec;
}

bool removeJournal() {
    std::error_code ec;
    std::filesystem::remove(savePath(kSaveJournalName), ec);
    return !ec;
}

}  // namespace

void setSaveStepHook(SaveStepHook hook) { g_stepHook = std::move(hook); }

std::string saveJournalText(const std::vector<SavedFileText>& files) {
    std::string text = kJournalHeader;
    for (const SavedFileText& f : files) text += f.name + "\n" + std::to_string(f.text.size()) + "\n" + f.text + "\n";
    return text + kJournalEnd;
}

bool parseSaveJournal(const std::string& text, std::vector<SavedFileText>& out) {
    const std::string header = kJournalHeader, end = kJournalEnd;
    if (text.compare(0, header.size(), header) != 0) return false;
    std::vector<SavedFileText> files;
    size_t pos = header.size();
    while (text.compare(pos, std::string::npos, end) != 0) {
        SavedFileText f;
        const size_t nameEnd = text.find('\n', pos);
        if (nameEnd == std::string::npos || nameEnd == pos) return false;
        f.name = text.substr(pos, nameEnd - pos);
        // Only the game's own files, never a path that leaves the folder.
        if (f.name.find("..") != std::string::npos || f.name[0] == '/') return false;
        const size_t sizeEnd = text.find('\n', nameEnd + 1);
        if (sizeEnd == std::string::npos || sizeEnd == nameEnd + 1 || sizeEnd - nameEnd > 10) return false;
        size_t size = 0;
        for (size_t i = nameEnd + 1; i < sizeEnd; ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
            size = size * 10 + size_t(text[i] - '0');
        }
        pos = sizeEnd + 1;
        if (text.size() - pos < size + 1 || text[pos + size] != '\n') return false;
        f.text = text.substr(pos, size);
        pos += size + 1;
        files.push_back(std::move(f));
    }
    out = std::move(files);
    return true;
}

bool commitSavedFiles(const std::vector<SavedFileText>& files, std::string* why) {
    std::vector<std::optional<std::string>> before;
    for (const SavedFileText& f : files) before.push_back(currentText(f.name));
    int step = 0;
    if (!stepAllowed(step++, why) || !writeSavedFileAtomic(kSaveJournalName, saveJournalText(files), why))
        return false;
    for (size_t i = 0; i < files.size(); ++i) {
        if (stepAllowed(step++, why) && writeSavedFileAtomic(files[i].name, files[i].text, why)) continue;
        // Put back what the files held; only then may the journal go.
        bool undone = true;
        for (size_t j = 0; j < i; ++j) undone = restore(files[j].name, before[j]) && undone;
        if (undone) removeJournal();
        return false;
    }
    // Every file holds its new text: the change is made whatever follows.
    // A journal left behind would write the same again at the next start.
    if (!stepAllowed(step++, why) || !removeJournal())
        std::fprintf(stderr, "velk: cannot remove %s: %s\n", savePath(kSaveJournalName).c_str(), std::strerror(errno));
    stepAllowed(step, why);
    return true;
}

bool replaySaveJournal() {
    std::vector<uint8_t> bytes;
    const std::string path = savePath(kSaveJournalName);
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return true;
    std::vector<SavedFileText> files;
    if (!readFile(path, bytes) || !parseSaveJournal(std::string(bytes.begin(), bytes.end()), files)) {
        std::fprintf(stderr, "velk: %s is damaged and was not applied\n", path.c_str());
        return false;
    }
    std::string why;
    for (const SavedFileText& f : files)
        if (!writeSavedFileAtomic(f.name, f.text, &why)) {
            std::fprintf(stderr, "velk: cannot finish the interrupted save in %s: %s\n", path.c_str(), why.c_str());
            return false;
        }
    if (removeJournal()) return true;
    std::fprintf(stderr, "velk: cannot remove %s after finishing it\n", path.c_str());
    return false;
}

}  // namespace velk
