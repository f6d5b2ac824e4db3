#include "formats/npc_files.h"

#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/scan_reader.h"
#include "formats/formats.h"

namespace velk {

namespace {

constexpr int32_t kMaxNpcCoord = kMaxMapSide * 32;
// Talk, condition, shop and position files are small; this keeps a stray
// huge file from being read at all.
constexpr size_t kMaxNpcFile = 1u << 20;

bool failWith(const ScanReader& in, const char* name) {
    reportBadFile(name, in.error());
    return false;
}

bool readWhole(const std::string& name, std::vector<uint8_t>& bytes) {
    if (readDataFile(name, bytes, kMaxNpcFile)) return true;
    reportBadFile(name, "missing");
    return false;
}

}  // namespace

bool parseTalkFile(const uint8_t* data, size_t size, TalkFile& out, const char* name) {
    ScanReader in(data, size);
    TalkFile t;
    int32_t length = 0;
    if (!in.number(length, INT32_MIN, kMaxTalkText, "text length")) return failWith(in, name);
    if (length == kTalkConditionMarker) {
        t.kind = TalkFile::Kind::Condition;
        if (!in.number(t.conditionNumber, 0, kMaxTalkNumber, "condition number")) return failWith(in, name);
        out = std::move(t);
        return true;
    }
    if (length < 0) {
        t.kind = TalkFile::Kind::Shop;
        t.shopKind = length;
        out = std::move(t);
        return true;
    }
    // An empty text would leave a box open that nothing can close.
    if (length == 0) {
        reportBadFile(name, "the text is empty");
        return false;
    }
    int32_t lineCount = 0;
    in.number(lineCount, 0, kMaxTalkLines, "line count");
    for (int32_t i = 0; i < lineCount && !in.failed(); ++i) {
        TalkLine line;
        int32_t n = 0;
        in.number(n, 0, kMaxTalkLineText, "line length");
        in.raw(size_t(n), line.text, "line text");
        in.number(line.start, INT32_MIN, INT32_MAX, "line start");
        in.number(line.colour, INT32_MIN, INT32_MAX, "line colour");
        in.number(line.x, -kMaxTalkOffset, kMaxTalkOffset, "line x");
        in.number(line.y, -kMaxTalkOffset, kMaxTalkOffset, "line y");
        t.lines.push_back(std::move(line));
    }
    in.raw(size_t(length), t.text, "text");
    in.number(t.bottomMode, INT32_MIN, INT32_MAX, "bottom button mode");
    in.number(t.pageMode, INT32_MIN, INT32_MAX, "page button mode");
    in.number(t.actionCode, INT8_MIN, INT8_MAX, "action code");
    if (t.actionCode > kActionQuest)
        in.number(t.actionValue, 0, kMaxTalkRewards, "reward count");
    else
        in.number(t.actionValue, INT32_MIN, INT32_MAX, "action value");
    if (in.failed()) return failWith(in, name);
    if (t.actionCode > kActionQuest)
        for (int32_t i = 0; i < t.actionValue; ++i) {
            TalkReward r;
            in.number(r.type, INT32_MIN, INT32_MAX, "reward type");
            in.number(r.value, INT32_MIN, INT32_MAX, "reward value");
            in.number(r.extra, INT32_MIN, INT32_MAX, "reward extra");
            t.rewards.push_back(r);
        }
    if (in.failed()) return failWith(in, name);
    out = std::move(t);
    return true;
}

bool parseConditionFile(const uint8_t* data, size_t size, TalkCondition& out, const char* name) {
    ScanReader in(data, size);
    TalkCondition c;
    if (!in.number(c.kind, INT32_MIN, INT32_MAX, "condition kind")) return failWith(in, name);
    if (c.kind == kConditionSlotItem) {
        in.number(c.a, INT32_MIN, INT32_MAX, "slot");
        in.number(c.b, INT32_MIN, INT32_MAX, "icon");
    } else if (c.kind == kConditionLevel || c.kind == kConditionAru) {
        in.number(c.a, INT32_MIN, INT32_MAX, c.kind == kConditionLevel ? "level" : "amount");
    } else {
        reportBadFile(name, "unknown condition kind " + std::to_string(c.kind));
        return false;
    }
    in.number(c.unmet, 0, kMaxTalkNumber, "talk when unmet");
    in.number(c.met, 0, kMaxTalkNumber, "talk when met");
    if (in.failed()) return failWith(in, name);
    out = c;
    return true;
}

bool parseShopFile(const uint8_t* data, size_t size, std::vector<int32_t>& goods, const char* name) {
    ScanReader in(data, size);
    int32_t count = 0;
    in.number(count, 0, kMaxShopGoods, "goods count");
    std::vector<int32_t> list;
    for (int32_t i = 0; i < count && !in.failed(); ++i) {
        int32_t index = 0;
        if (in.number(index, 0, INT32_MAX, "item index")) list.push_back(index);
    }
    if (in.failed()) return failWith(in, name);
    goods = std::move(list);
    return true;
}

bool parseNpcPositions(const uint8_t* data, size_t size, std::vector<NpcRecord>& out, const char* name) {
    ScanReader in(data, size);
    int32_t count = 0;
    in.number(count, 0, kMaxNpcs, "NPC count");
    std::vector<NpcRecord> list;
    for (int32_t i = 0; i < count && !in.failed(); ++i) {
        NpcRecord r;
        in.number(r.x, -kMaxNpcCoord, kMaxNpcCoord, "NPC x");
        in.number(r.y, -kMaxNpcCoord, kMaxNpcCoord, "NPC y");
        in.number(r.talkNumber, 0, kMaxTalkNumber, "talk number");
        in.number(r.animRow, 0, kMaxNpcAnimRow, "animation row");
        list.push_back(r);
    }
    if (in.failed()) return failWith(in, name);
    out = std::move(list);
    return true;
}

void parseMissionStates(const uint8_t* data, size_t size, size_t count, std::vector<int8_t>& out,
                        const char* name) {
    ScanReader in(data, size);
    out.assign(count, 0);
    for (size_t i = 0; i < count; ++i) {
        int32_t state = 0;
        if (!in.number(state, INT8_MIN, INT8_MAX, "mission state")) {
            // Running out of numbers is allowed: those NPCs start at 0.
            if (in.error().rfind("missing", 0) != 0) reportBadFile(name, in.error());
            return;
        }
        // Kept as it is, but named: no talk answers a state outside 0..2.
        if (state < 0 || state > kMaxMissionState)
            reportBadFile(name, "NPC " + std::to_string(i) + "'s state " + std::to_string(state) + " is none of 0 to " +
                                    std::to_string(kMaxMissionState));
        out[i] = int8_t(state);
    }
}

bool loadTalkFile(const std::string& name, TalkFile& out) {
    std::vector<uint8_t> bytes;
    return readWhole(name, bytes) && parseTalkFile(bytes.data(), bytes.size(), out, name.c_str());
}

bool loadConditionFile(int conditionNumber, TalkCondition& out) {
    const std::string name = conditionFileName(conditionNumber);
    std::vector<uint8_t> bytes;
    return readWhole(name, bytes) && parseConditionFile(bytes.data(), bytes.size(), out, name.c_str());
}

bool loadShopFile(int talkNumber, std::vector<int32_t>& goods) {
    const std::string name = shopFileName(talkNumber);
    std::vector<uint8_t> bytes;
    return readWhole(name, bytes) && parseShopFile(bytes.data(), bytes.size(), goods, name.c_str());
}

bool loadNpcPositions(int mapNumber, std::vector<NpcRecord>& out) {
    const std::string name = npcPositionFileName(mapNumber);
    std::vector<uint8_t> bytes;
    // Most maps have no people: a missing file is no fault.
    if (!readDataFile(name, bytes, kMaxNpcFile)) return false;
    return parseNpcPositions(bytes.data(), bytes.size(), out, name.c_str());
}

std::vector<std::string> parseNpcNames(const uint8_t* data, size_t size) {
    std::vector<std::string> names;
    size_t start = 0;
    while (start < size && names.size() < size_t(kMaxNpcs)) {
        size_t end = start;
        while (end < size && data[end] != '\n') ++end;
        std::string line(reinterpret_cast<const char*>(data) + start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        // Control bytes would draw nothing useful; a name is one line of text.
        std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 32; });
        names.push_back(cutCp949(line, kMaxNpcNameBytes));
        start = end + 1;
    }
    return names;
}

std::vector<std::string> loadNpcNames(int mapNumber) {
    std::vector<uint8_t> bytes;
    // Names are optional: a world without them shows talk boxes unnamed.
    if (!readDataFile(npcNameFileName(mapNumber), bytes, kMaxNpcFile)) return {};
    return parseNpcNames(bytes.data(), bytes.size());
}

bool loadMissionStates(int mapNumber, size_t count, std::vector<int8_t>& out) {
    const std::string name = missionStateFileName(mapNumber);
    std::vector<uint8_t> bytes;
    // The game writes these into the save folder: read its copy first.
    if (!readSavedFile(name, bytes, kMaxNpcFile)) return false;
    parseMissionStates(bytes.data(), bytes.size(), count, out, name.c_str());
    return true;
}

std::string missionStateText(const std::vector<int8_t>& states) {
    std::string out;
    for (int8_t s : states) out += std::to_string(int(s)) + "\n";
    return out;
}

}  // namespace velk
