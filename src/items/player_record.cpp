#include "items/player_record.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/save_file.h"
#include "formats/save_name.h"
#include "platform/cp949.h"
#include "items/save_alert.h"
#include "items/save_journal.h"
#include "platform/files.h"

namespace velk {

namespace {

// Without a readable new-game file the hero still starts: level 1, a few
// points in every stat, no items.
SaveRecord blankRecord() {
    SaveRecord r;
    r.level = 1;
    r.attackStat = r.defenceStat = r.skillStat = r.mpStat = r.hpStat = 5;
    return r;
}

SaveRecord newGameRecord() {
    SaveRecord r;
    std::vector<uint8_t> bytes;
    std::string error = "missing";
    if (!readDataFile(kNewGameFileName, bytes) ||
        !parseSaveFile(bytes.data(), bytes.size(), true, r, &error)) {
        reportBadFile(kNewGameFileName, error + "; starting with a blank hero");
        r = blankRecord();
    }
    r.name = defaultHeroName();
    r.mapNumber = 0;
    return r;
}

// The first free name for a copy of a damaged save: user.txt.bad, then
// user.txt.bad.2, .3 ... so no earlier copy is written over.
std::string freeDamagedCopyName() {
    const std::string base = std::string(kSaveFileName) + ".bad";
    std::error_code ec;
    for (int n = 1; n < 1000; ++n) {
        const std::string name = n == 1 ? base : base + "." + std::to_string(n);
        if (!std::filesystem::exists(savePath(name), ec)) return name;
    }
    return {};
}

// Each value within its sound range; `file` names where it came from. Points
// not read from a file are filled to the maximum the clamped stats give.
void clampRecord(SaveRecord& r, const char* file, bool fullHp, bool fullMp) {
    auto clamp = [&](int32_t& v, int32_t low, int32_t high, const std::string& what) {
        if (v >= low && v <= high) return;
        const int32_t to = std::clamp(v, low, high);
        reportBadFile(file, what + " " + std::to_string(v) + " out of range " + std::to_string(low) + ".." +
                                std::to_string(high) + "; taken as " + std::to_string(to));
        v = to;
    };
    constexpr int32_t kMaxLevel = 999, kMaxStat = 100000;
    clamp(r.level, 1, kMaxLevel, "level");
    clamp(r.attackStat, 0, kMaxStat, "attack stat");
    clamp(r.defenceStat, 0, kMaxStat, "defence stat");
    clamp(r.skillStat, 0, kMaxStat, "skill stat");
    clamp(r.mpStat, 0, kMaxStat, "mp stat");
    clamp(r.hpStat, 0, kMaxStat, "hp stat");
    clamp(r.exp, 0, INT32_MAX, "exp");
    clamp(r.aru, 0, INT32_MAX, "aru");
    clamp(r.statPoints, 0, kMaxStat, "stat points");
    for (ItemSlot& slot : r.slots) {
        clamp(slot.icon, -1, INT32_MAX, "slot icon");
        clamp(slot.count, 0, INT32_MAX, "slot count");
    }
    const int32_t maxHp = maxHpFor(r.hpStat, r.level), maxMp = maxMpFor(r.mpStat, r.level);
    if (fullHp) r.hp = maxHp;
    if (fullMp) r.mp = maxMp;
    clamp(r.hp, std::min(1, maxHp), maxHp, "hp");
    clamp(r.mp, 0, maxMp, "mp");
}

}  // namespace

int32_t maxHpFor(int32_t hpStat, int32_t level) {
    return int32_t(std::clamp<int64_t>(int64_t(hpStat) * 10 + (int64_t(level) - 1) * 6, INT32_MIN, INT32_MAX));
}

int32_t maxMpFor(int32_t mpStat, int32_t level) {
    return int32_t(std::clamp<int64_t>(int64_t(mpStat) * 10 + (int64_t(level) - 1) * 3, INT32_MIN, INT32_MAX));
}

SaveRecord loadSaveRecord(const uint8_t* data, size_t size, const SaveRecord& newGame, int* read,
                          std::string* error) {
    SaveRecord record = newGame;
    const int tokens = readSaveTokens(data, size, false, record, error);
    if (read) *read = tokens;
    // A hero whose points were not reached starts with them full.
    clampRecord(record, kSaveFileName, tokens < 4, tokens < 3);
    return record;
}

void installSaveRecord(const SaveRecord& record, PlayerRecord& out, int32_t& mapNumber) {
    std::memset(out.name, 0, sizeof out.name);
    std::memcpy(out.name, record.name.data(), std::min(record.name.size(), sizeof out.name - 1));
    mapNumber = record.mapNumber;
    out.mp = record.mp;
    out.hp = record.hp;
    out.level = record.level;
    out.attackStat = record.attackStat;
    out.defenceStat = record.defenceStat;
    out.skillStat = record.skillStat;
    out.mpStat = record.mpStat;
    out.hpStat = record.hpStat;
    out.exp = record.exp;
    out.aru = record.aru;
    out.statPoints = record.statPoints;
    out.slots = record.slots;
}

SaveRecord saveRecordOf(const PlayerRecord& p, int32_t mapNumber) {
    SaveRecord r;
    r.name.assign(p.name, strnlen(p.name, sizeof p.name));
    r.mapNumber = mapNumber;
    r.mp = p.mp;
    r.hp = p.hp;
    r.level = p.level;
    r.attackStat = p.attackStat;
    r.defenceStat = p.defenceStat;
    r.skillStat = p.skillStat;
    r.mpStat = p.mpStat;
    r.hpStat = p.hpStat;
    r.exp = p.exp;
    r.aru = p.aru;
    r.statPoints = p.statPoints;
    r.slots = p.slots;
    return r;
}

SaveOrigin readPlayerRecord(PlayerRecord& out, int32_t& mapNumber, std::string& damagedCopy) {
    // A reward whose writes a crash cut short is finished before anything
    // is read; one that cannot be finished holds this run's saves back.
    const bool journalClear = replaySaveJournal();
    SaveOrigin origin = SaveOrigin::NewGame;
    // What a new game has: the whole record without a save, and every field
    // a damaged save does not reach.
    const SaveRecord newGame = newGameRecord();
    SaveRecord record = newGame;
    std::vector<uint8_t> bytes;
    std::error_code ec;
    damagedCopy.clear();
    const std::string savedPath = savedFilePath(kSaveFileName);
    if (!std::filesystem::exists(savedPath, ec)) {
        clampRecord(record, kNewGameFileName, true, true);
    } else {
        std::string error = "cannot be read";
        int read = 0;
        const bool readable = readFile(savedPath, bytes);
        record = loadSaveRecord(bytes.data(), bytes.size(), newGame, &read, &error);
        // An empty save (what a power cut right after a write can leave)
        // holds nothing to keep: it is a new game, saved over it as usual.
        if (readable && bytes.empty()) error = "the file is empty";
        origin = SaveOrigin::Save;
        if (read != kSaveTokens) {
            // Keep the damaged file as it is before anything is saved over it.
            const std::string copy = freeDamagedCopyName();
            const bool kept = !copy.empty() && readable &&
                              writeSavedFileAtomic(copy, std::string(bytes.begin(), bytes.end()));
            origin = kept ? SaveOrigin::RecoveredSave : SaveOrigin::DamagedSave;
            if (kept) damagedCopy = copy;
            std::fprintf(stderr, "velk: %s is damaged (%s); starting from the %d values before the damage; %s\n",
                         kSaveFileName, error.c_str(), read,
                         kept ? ("the damaged file is kept as " + savePath(copy)).c_str()
                              : "it could not be copied and will not be saved over");
        }
    }
    installSaveRecord(record, out, mapNumber);
    if (!journalClear) {
        tellSaveFailure("the interrupted save in " + savePath(kSaveJournalName) +
                        " cannot be finished; nothing of this session will be saved over it");
        return SaveOrigin::DamagedSave;
    }
    return origin;
}

std::string playerRecordText(const PlayerRecord& p, int32_t mapNumber) {
    return formatSaveFile(saveRecordOf(p, mapNumber));
}

bool writePlayerRecord(const PlayerRecord& p, int32_t mapNumber, SaveOrigin origin) {
    std::string why = "the damaged save, or an interrupted save not yet finished, is left as it is";
    if (origin == SaveOrigin::DamagedSave ||
        !writeSavedFileAtomic(kSaveFileName, playerRecordText(p, mapNumber), &why)) {
        tellSaveFailure("cannot save " + savePath(kSaveFileName) + ": " + why + "; this session's progress is lost");
        return false;
    }
    return true;
}



}  // namespace velk
