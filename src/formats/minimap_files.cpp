#include "formats/minimap_files.h"

#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/scan_reader.h"

namespace velk {

namespace {
constexpr size_t kMaxMinimapFile = 64u * 1024u;
}  // namespace

std::string minimapNameFileName(int mapNumber) {
    return "txt/minimap/" + std::to_string(mapNumber) + ".txt";
}

std::string questFileName(int mapNumber) { return "txt/quest/quest_" + std::to_string(mapNumber) + ".txt"; }

bool parseMinimapName(const uint8_t* data, size_t size, std::string& out, const char* name) {
    ScanReader in(data, size);
    std::string word;
    if (!in.word(word, "map name")) {
        reportBadFile(name, in.error());
        return false;
    }
    if (word.size() > kMaxMinimapNameBytes) {
        reportBadFile(name, "the name is " + std::to_string(word.size()) + " bytes; 14 are shown");
        word = cutCp949(word, kMaxMinimapNameBytes);
    }
    out = std::move(word);
    return true;
}

bool parseQuestText(const uint8_t* data, size_t size, std::vector<std::string>& out, const char* name) {
    ScanReader in(data, size);
    int32_t count = 0;
    in.number(count, 0, kMaxQuestLines, "line count");
    std::vector<std::string> lines;
    for (int32_t i = 0; i < count && !in.failed(); ++i) {
        int32_t length = 0;
        std::string line;
        in.number(length, 1, kMaxQuestLineBuffer, "line length");
        // A length of 1 holds only the terminator: an empty line.
        if (length > 1) in.lineRest(size_t(length), line, "line text");
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        lines.push_back(std::move(line));
    }
    if (in.failed()) {
        reportBadFile(name, in.error());
        return false;
    }
    out = std::move(lines);
    return true;
}

bool loadMinimapName(int mapNumber, std::string& out) {
    out.clear();
    const std::string name = minimapNameFileName(mapNumber);
    std::vector<uint8_t> bytes;
    if (!readDataFile(name, bytes, kMaxMinimapFile)) {
        reportBadFile(name, "missing");
        return false;
    }
    return parseMinimapName(bytes.data(), bytes.size(), out, name.c_str());
}

bool loadQuestText(int mapNumber, std::vector<std::string>& out) {
    out.clear();
    const std::string name = questFileName(mapNumber);
    std::vector<uint8_t> bytes;
    if (!readDataFile(name, bytes, kMaxMinimapFile)) {
        reportBadFile(name, "missing");
        return false;
    }
    return parseQuestText(bytes.data(), bytes.size(), out, name.c_str());
}

}  // namespace velk
