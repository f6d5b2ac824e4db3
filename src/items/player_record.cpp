#include "items/player_record.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "items/save_file.h"
#include "platform/cp949.h"
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
    r.name = toCp949("벨크");
    r.mapNumber = 0;
    return r;
}

std::string damagedSaveName() { return std::string(kSaveFileName) + ".bad"; }

}  // namespace

SaveOrigin readPlayerRecord(PlayerRecord& out, int32_t& mapNumber) {
    SaveOrigin origin = SaveOrigin::NewGame;
    SaveRecord record;
    std::vector<uint8_t> bytes;
    std::error_code ec;
    if (std::filesystem::exists(dataPath(kSaveFileName), ec)) {
        std::string error = "unreadable";
        if (readDataFile(kSaveFileName, bytes) &&
            parseSaveFile(bytes.data(), bytes.size(), false, record, &error)) {
            origin = SaveOrigin::Save;
        } else {
            // The damaged save stays as it is; saving later moves it aside.
            reportBadFile(kSaveFileName, error + "; starting a new game, the file will be kept as " +
                                             damagedSaveName());
            origin = SaveOrigin::DamagedSave;
        }
    }
    if (origin != SaveOrigin::Save) record = newGameRecord();

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
    return origin;
}

void writePlayerRecord(const PlayerRecord& p, int32_t mapNumber, SaveOrigin origin) {
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

    if (origin == SaveOrigin::DamagedSave) {
        // Never write over a save that could not be read: keep it aside.
        std::error_code renameError, existsError;
        const std::string path = dataPath(kSaveFileName);
        std::filesystem::rename(path, dataPath(damagedSaveName()), renameError);
        if (renameError && std::filesystem::exists(path, existsError)) {
            reportBadFile(kSaveFileName, "could not be kept aside; not saved");
            return;
        }
    }
    if (!writeDataFileAtomic(kSaveFileName, formatSaveFile(r)))
        reportBadFile(kSaveFileName, "could not be written");
}

}  // namespace velk
