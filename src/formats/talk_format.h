#pragma once
// What the NPC files hold: talk files (text, coloured lines, buttons, the
// action and its rewards, or a condition, or a shop), condition files, shop
// files, NPC positions and mission states. Shared by the readers here and the
// writers in content/.

#include <cstdint>
#include <string>
#include <vector>

// A coloured line drawn over the talk text once `start` bytes of it show.
struct TalkLine {
    std::string text;  // CP949
    int32_t start = 0;
    int32_t colour = 0;  // 1 blue, 2 green, 3 red; others are not drawn
    int32_t x = 0;       // relative to the box's text origin
    int32_t y = 0;
};

struct TalkReward {
    int32_t type = 0;  // 100 a picture into a slot, 101 aru, 102 a skill, 103 a whole item
    int32_t value = 0;
    int32_t extra = 0;
};

struct TalkFile {
    enum class Kind { Text, Condition, Shop };
    Kind kind = Kind::Text;
    int32_t conditionNumber = 0;  // Condition: the condition file to evaluate
    int32_t shopKind = 0;         // Shop: -1 weapons, -3 energy items (any other negative opens a shop too)
    std::string text;             // Text: CP949, at least one byte
    std::vector<TalkLine> lines;
    int32_t bottomMode = 0;  // 0 OK, 1 decline and accept, others none
    int32_t pageMode = 0;    // 0 none, 1 next, 2 previous and next, 3 previous
    int32_t actionCode = 60;  // a signed byte; 51 to 96 do nothing
    int32_t actionValue = 0;
    std::vector<TalkReward> rewards;  // actionValue of them when actionCode > 99
};

// A condition file: kind 100 (slot `a` holds icon `b`), 101 (level at least
// `a`) or 102 (aru at least `a`); `met` when it holds, `unmet` otherwise.
struct TalkCondition {
    int32_t kind = 0;
    int32_t a = 0;
    int32_t b = 0;
    int32_t unmet = 0;
    int32_t met = 0;
};

struct NpcRecord {
    int32_t x = 0;  // world pixels
    int32_t y = 0;
    int32_t talkNumber = 0;
    int32_t animRow = 0;  // row of sprite set 1000
};

namespace velk {

constexpr int32_t kTalkConditionMarker = -555;
constexpr int32_t kConditionSlotItem = 100;
constexpr int32_t kConditionLevel = 101;
constexpr int32_t kConditionAru = 102;

constexpr int32_t kShopKindWeapon = -1;
constexpr int32_t kShopKindEnergy = -3;

// Action codes: 50 and below travel for a fee to map code + 1.
constexpr int32_t kActionLastFeeTravel = 50;
constexpr int32_t kActionNone = 60;
constexpr int32_t kActionPet = 97;
constexpr int32_t kActionTravel = 98;
constexpr int32_t kActionQuest = 99;
constexpr int32_t kActionRewards = 100;

constexpr int32_t kRewardItem = 100;
constexpr int32_t kRewardAru = 101;
constexpr int32_t kRewardSkill = 102;
// A whole item (value: the slot, extra: the item code), where 100 gives a
// slot only a picture; 100 stays for the pet slot and stored talk files.
constexpr int32_t kRewardWholeItem = 103;

// Mission states: 0 open, 1 done (the boss fell), 2 rewarded.
constexpr int kMaxMissionState = 2;

constexpr int32_t kLineBlue = 1;
constexpr int32_t kLineGreen = 2;
constexpr int32_t kLineRed = 3;

// Bounds of what a reader accepts; far above what a talk box can show.
constexpr int32_t kMaxTalkText = 4096;
constexpr int32_t kMaxTalkLines = 32;
constexpr int32_t kMaxTalkLineText = 512;
constexpr int32_t kMaxTalkRewards = 16;
constexpr int32_t kMaxTalkNumber = 1000000;
constexpr int32_t kMaxTalkOffset = 4096;  // coloured line x and y
constexpr int32_t kMaxShopGoods = 256;
constexpr int32_t kMaxNpcs = 64;
constexpr int32_t kMaxNpcAnimRow = 255;

inline std::string talkFileName(int state, int talkNumber) {
    return "txt/npc/talk/talk" + std::to_string(state) + "_" + std::to_string(talkNumber) + ".txt";
}
inline std::string conditionFileName(int conditionNumber) {
    return "txt/npc/ckecked/" + std::to_string(conditionNumber) + ".txt";
}
inline std::string shopFileName(int talkNumber) {
    return "txt/npc/shop/shop_" + std::to_string(talkNumber) + ".txt";
}
inline std::string npcPositionFileName(int mapNumber) {
    return "txt/npc/pos/" + std::to_string(mapNumber) + ".txt";
}
// The names of a map's people, shown on their talk box: one CP949 line per
// NPC in the order of the position file, at most kMaxNpcNameBytes each.
inline std::string npcNameFileName(int mapNumber) {
    return "txt/npc/name/" + std::to_string(mapNumber) + ".txt";
}
constexpr size_t kMaxNpcNameBytes = 12;
inline std::string missionStateFileName(int mapNumber) {
    return "txt/npc/mssck/mss_" + std::to_string(mapNumber) + ".txt";
}

}  // namespace velk
