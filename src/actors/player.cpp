#include "actors/player.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "actors/save_file.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "world/field.h"
#include "world/map_position.h"

namespace {

int32_t clampToInt32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

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
    if (!velk::readDataFile(velk::kNewGameFileName, bytes) ||
        !velk::parseSaveFile(bytes.data(), bytes.size(), true, r, &error)) {
        velk::reportBadFile(velk::kNewGameFileName, error + "; starting with a blank hero");
        r = blankRecord();
    }
    r.name = velk::toCp949("벨크");
    r.mapNumber = 0;
    return r;
}

std::string damagedSaveName() { return std::string(velk::kSaveFileName) + ".bad"; }

}  // namespace

float intPower(float base, int exponent) {
    unsigned e = exponent < 0 ? 0u - unsigned(exponent) : unsigned(exponent);
    float result = 1.0f;
    float square = base;
    while (e) {
        if (e & 1u) result *= square;
        square *= square;
        e >>= 1;
    }
    return exponent < 0 ? 1.0f / result : result;
}

int32_t expForLevel(int32_t level) {
    const float next = float(int64_t(level) + 1);
    const float value = (intPower(next, 2) - 13.0f * next + 82.0f) * intPower(float(level), 2);
    if (std::isnan(value)) return 0;
    if (value >= 2147483648.0f) return INT32_MAX;
    if (value <= -2147483648.0f) return INT32_MIN;
    return int32_t(value);
}

CPlayer::CPlayer(CField& field) : field_(field) {
    SaveRecord record;
    std::vector<uint8_t> bytes;
    std::error_code ec;
    const std::string savedPath = velk::savedFilePath(velk::kSaveFileName);
    if (std::filesystem::exists(savedPath, ec)) {
        std::string error = "unreadable";
        if (velk::readFile(savedPath, bytes) &&
            velk::parseSaveFile(bytes.data(), bytes.size(), false, record, &error)) {
            origin_ = SaveOrigin::Save;
        } else {
            // The damaged save stays as it is; saving later moves it aside.
            const bool own = savedPath == velk::savePath(velk::kSaveFileName);
            velk::reportBadFile(savedPath, error + "; starting a new game" +
                                               (own ? ", the file will be kept as " +
                                                          damagedSaveName()
                                                    : std::string()));
            origin_ = SaveOrigin::DamagedSave;
        }
    }
    if (origin_ != SaveOrigin::Save) record = newGameRecord();

    std::memcpy(name, record.name.data(), std::min(record.name.size(), sizeof name - 1));
    field_.mapNumber = record.mapNumber;
    mp = record.mp;
    hp = record.hp;
    level = record.level;
    attackStat = record.attackStat;
    defenceStat = record.defenceStat;
    skillStat = record.skillStat;
    mpStat = record.mpStat;
    hpStat = record.hpStat;
    exp = record.exp;
    aru = record.aru;
    statPoints = record.statPoints;
    slots = record.slots;

    maxHp = clampToInt32(int64_t(hpStat) * 10 + (int64_t(level) - 1) * 6);
    maxMp = clampToInt32(int64_t(mpStat) * 10 + (int64_t(level) - 1) * 3);
    if (origin_ != SaveOrigin::Save) {
        mp = maxMp;
        hp = maxHp;
    }
    expNext = expForLevel(level);
}

CPlayer::~CPlayer() { save(); }

void CPlayer::save() {
    const bool dead = animRow == kDyingRow;
    SaveRecord r;
    r.name.assign(name, strnlen(name, sizeof name));
    if (field_.questStep != 0) {
        // Back to the first map of the quest run, points kept.
        r.mapNumber = field_.mapNumber - (field_.questStep - 1);
    } else if (!dead) {
        r.mapNumber = field_.mapNumber;
    } else {
        field_.mapNumber = 0;
        r.mapNumber = 0;
        hp = maxHp / 2;
    }
    if (dead && level > 10) exp = int32_t(int64_t(exp) * 30 / 100);
    r.mp = mp;
    r.hp = hp;
    r.level = level;
    r.attackStat = attackStat;
    r.defenceStat = defenceStat;
    r.skillStat = skillStat;
    r.mpStat = mpStat;
    r.hpStat = hpStat;
    r.exp = exp;
    r.aru = aru;
    r.statPoints = statPoints;
    r.slots = slots;

    const std::string path = velk::savePath(velk::kSaveFileName);
    std::error_code existsError;
    if (origin_ == SaveOrigin::DamagedSave && std::filesystem::exists(path, existsError)) {
        // Never write over a save that could not be read: keep it aside. A
        // damaged save shipped in the content tree stays there untouched.
        std::error_code renameError;
        std::filesystem::rename(path, velk::savePath(damagedSaveName()), renameError);
        if (renameError && std::filesystem::exists(path, existsError)) {
            velk::reportBadFile(path, "could not be kept aside; not saved");
            return;
        }
    }
    if (!velk::writeSavedFileAtomic(velk::kSaveFileName, velk::formatSaveFile(r)))
        velk::reportBadFile(path, "could not be written");
}

bool CPlayer::placePlayer() {
    MapPosition pos;
    if (!velk::loadMapPosition(field_.mapNumber, field_.entrySide, pos)) return false;
    animRow = 0;
    facing = 0;
    x = 32 * pos.column;
    y = 32 * pos.row;
    lockedScreenY = pos.lockedScreenY;
    field_.placeCamera(pos.camX, pos.camY, x, y);
    fallFrames = 0;
    hpRegenCounter = 0;
    mpRegenCounter = 0;
    shotsInFlight = 0;
    return true;
}
