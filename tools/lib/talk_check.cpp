#include "lib/talk_check.h"

#include <map>
#include <vector>

#include "lib/pack_common.h"
#include "actors/pet.h"
#include "formats/enemy_file.h"
#include "formats/npc_files.h"
#include "platform/files.h"
#include "formats/formats.h"
#include "formats/item_records.h"
#include "formats/item_slot.h"

namespace velk::pack {

namespace {

constexpr int kLastSlot = 52;

class TalkChecker {
public:
    TalkChecker(const std::set<int>& maps, const ShopTables& tables, const ProblemSink& problem)
        : maps_(maps), tables_(tables), problem_(problem) {}

    size_t run() {
        for (int n : maps_) checkMap(n);
        return checked_;
    }

private:
    // Reads a file with its loader; a failure is a problem with the loader's reason.
    template <typename Load>
    bool load(const std::string& name, const std::string& namedBy, Load&& loader) {
        ++checked_;
        if (!fileExists(dataPath(name))) {
            problem_(name, "missing (named by " + namedBy + ")");
            return false;
        }
        BadFileCapture capture;
        if (loader()) return true;
        const std::string reason = capture.reasonFor(name);
        problem_(name, reason.empty() ? "cannot be read" : reason);
        return false;
    }

    void checkMap(int n) {
        map_ = n;
        const std::string posName = npcPositionFileName(n);
        if (!fileExists(dataPath(posName))) return;
        std::vector<NpcRecord> npcs;
        if (!load(posName, mapFileName(n), [&] { return loadNpcPositions(n, npcs); })) return;
        std::vector<int8_t> states;
        if (!load(missionStateFileName(n), posName, [&] { return loadMissionStates(n, npcs.size(), states); }))
            return;
        for (size_t i = 0; i < states.size(); ++i)
            if (states[i] < 0 || states[i] > kMaxMissionState)
                problem_(missionStateFileName(n), "NPC " + std::to_string(i) + "'s state " + std::to_string(states[i]) +
                                                      " is none of 0 to " + std::to_string(kMaxMissionState));
        for (size_t i = 0; i < npcs.size(); ++i) {
            const std::string who = posName + " NPC " + std::to_string(i);
            const int talk = npcs[i].talkNumber;
            givesQuest_ = givesReward_ = false;
            visit(0, talk, who);
            // A quest giver is asked again once the boss falls (state 1), and
            // anyone who gave a reward once it is given (state 2).
            for (int s = 1; s <= kMaxMissionState; ++s)
                if (givesQuest_ || (s == 2 && givesReward_) || fileExists(dataPath(talkFileName(s, talk))))
                    visit(s, talk, who);
        }
    }

    void visit(int state, int number, const std::string& namedBy) {
        if (!visited_.insert({state, number}).second) return;
        const std::string name = talkFileName(state, number);
        TalkFile t;
        if (!load(name, namedBy, [&] { return loadTalkFile(name, t); })) return;
        switch (t.kind) {
            case TalkFile::Kind::Condition:
                followCondition(t.conditionNumber, name);
                break;
            case TalkFile::Kind::Shop:
                checkShop(number, t.shopKind, name);
                break;
            case TalkFile::Kind::Text:
                checkText(state, number, t, name);
                break;
        }
    }

    // Each condition leads to talk0 files, which may hold a condition again;
    // a chain that comes back to one of its own checks never ends.
    void followCondition(int first, const std::string& namedBy) { walk(first, namedBy, onPath_); }

    void walk(int c, const std::string& namedBy, std::map<int, bool>& onPath) {
        const std::string name = conditionFileName(c);
        if (auto it = onPath.find(c); it != onPath.end()) {
            if (it->second) problem_(name, "the condition chain comes back to it from " + namedBy);
            return;
        }
        TalkCondition cond;
        if (!load(name, namedBy, [&] { return loadConditionFile(c, cond); })) {
            onPath[c] = false;
            return;
        }
        onPath[c] = true;
        for (int r : {cond.unmet, cond.met}) {
            const std::string talk = talkFileName(0, r);
            TalkFile t;
            BadFileCapture quiet;
            if (fileExists(dataPath(talk)) && loadTalkFile(talk, t) && t.kind == TalkFile::Kind::Condition)
                walk(t.conditionNumber, talk, onPath);
            visit(0, r, name);
        }
        onPath[c] = false;
    }

    void checkShop(int number, int kind, const std::string& namedBy) {
        const std::string name = shopFileName(number);
        std::vector<int32_t> goods;
        if (!load(name, namedBy, [&] { return loadShopFile(number, goods); })) return;
        if (kind != kShopKindWeapon && kind != kShopKindEnergy)
            problem_(namedBy, "shop kind " + std::to_string(kind) + " is neither weapons (-1) nor energy items (-3)");
        if (goods.empty()) problem_(name, "the shop sells nothing");
        if (!tables_.known) return;
        const bool weapons = kind == kShopKindWeapon;
        const size_t size = weapons ? tables_.weapons : tables_.energy;
        for (size_t i = 0; i < goods.size(); ++i)
            if (size_t(goods[i]) >= size)
                problem_(name, "good " + std::to_string(i) + " is " + (weapons ? "weapon " : "energy item ") +
                                   std::to_string(goods[i]) + ", but the item pack holds " + std::to_string(size) +
                                   (weapons ? " weapons" : " energy items"));
    }

    void needMap(int map, const std::string& name, const char* what) {
        if (!maps_.count(map))
            problem_(name, std::string(what) + " to map " + std::to_string(map) + ", but " + mapFileName(map) +
                               " is missing");
    }

    void checkText(int state, int number, const TalkFile& t, const std::string& name) {
        if (t.pageMode == 1 || t.pageMode == 2) visit(state, number + 1, name + " (next page)");
        if (t.pageMode == 2 || t.pageMode == 3) visit(state, number - 1, name + " (previous page)");
        const int code = t.actionCode;
        if (code <= kActionLastFeeTravel) {
            needMap(code + 1, name, "travels");
            if (t.actionValue < 0) problem_(name, "the fare is negative");
        } else if (code == kActionTravel) {
            needMap(t.actionValue + 1, name, "travels");
        } else if (code == kActionQuest) {
            givesQuest_ = true;
            needMap(t.actionValue, name, "starts a quest run");
            needMap(t.actionValue + 1, name, "starts a quest run");
            checkQuestRun(t.actionValue, name);
        } else if (code == kActionRewards) {
            givesReward_ = true;
            for (const TalkReward& r : t.rewards) {
                if (r.type == kRewardItem && (r.value < 0 || r.value > kLastSlot || r.extra < 0))
                    problem_(name, "an item reward names slot " + std::to_string(r.value) + " and icon " +
                                       std::to_string(r.extra));
                else if (r.type == kRewardAru && r.value <= 0)
                    problem_(name, "an aru reward of " + std::to_string(r.value));
                else if (r.type == kRewardSkill && r.extra < 0)
                    problem_(name, "a skill reward names skill " + std::to_string(r.extra));
                else if (r.type != kRewardItem && r.type != kRewardAru && r.type != kRewardSkill &&
                         r.type != kRewardWholeItem)
                    problem_(name, "reward type " + std::to_string(r.type) + " gives nothing");
                else
                    checkRewardItem(r, name);
            }
        }
    }

    // A quest run is the giver's map's next two maps: the talk sends the
    // hero to the first, its forward exit leads to the second, where the
    // boss's fall marks the mission done in the states of the map two
    // below it and sends the hero back there.
    void checkQuestRun(int first, const std::string& name) {
        const int bossMap = first + 1;
        if (first != map_ + 1)
            problem_(name, "a quest given on map " + std::to_string(map_) + " must start its run on map " +
                               std::to_string(map_ + 1) + ", not " + std::to_string(first) + ": the boss on map " +
                               std::to_string(bossMap) + " marks the mission of map " + std::to_string(first - 1));
        if (maps_.count(bossMap) && !hasBoss(bossMap))
            problem_(name, "the quest run ends on map " + std::to_string(bossMap) + ", which has no boss (" +
                               bossFileName(bossMap) + ", and no monster file): the mission can never be done");
    }

    // Whether the game puts a boss on `map`: a boss file that loads, and no
    // monster file that loads (monsters keep the boss away).
    static bool hasBoss(int map) {
        BadFileCapture quiet;
        std::vector<MonsterRecord> monsters;
        BossRecord boss;
        return loadMonsterFile(map, monsters) != EnemyFileResult::Loaded &&
               loadBossFile(map, boss) == EnemyFileResult::Loaded;
    }

    // A picture without an item, a whole item the pack lacks, a skill the
    // new game already has.
    void checkRewardItem(const TalkReward& r, const std::string& name) {
        const std::string slot = std::to_string(r.value);
        if (r.type == kRewardItem && r.value != kSlotExtraFirst && r.value != kSlotPet)
            problem_(name, "an item reward (type 100) gives slot " + slot + " picture " + std::to_string(r.extra) +
                               " without its item; type 103 gives a whole item");
        // The pet's mark is no icon: the game looks for it in the pet's slot.
        const bool petMark = r.value == kSlotPet && r.extra == CPet::kPetPicture;
        if (r.type == kRewardItem && tables_.known && !petMark && size_t(r.extra) >= tables_.pictures)
            problem_(name, "an item reward (type 100) gives picture " + std::to_string(r.extra) +
                               ", but the item pack holds " + std::to_string(tables_.pictures) +
                               " pictures: it names no item");
        if (r.type == kRewardWholeItem && (r.value < 0 || r.value > kLastSlot || r.extra < 0))
            problem_(name, "a whole-item reward names slot " + slot + " and item code " + std::to_string(r.extra));
        if (r.type == kRewardWholeItem && tables_.known && r.extra >= 0) {
            const int kind = itemKindOfCode(r.extra);
            const size_t index = size_t(itemIndexFromCode(kind, r.extra));
            if (index >= (kind == kKindWeapon ? tables_.weapons : kind == kKindEnergy ? tables_.energy : tables_.skills))
                problem_(name, "a whole-item reward gives item code " + std::to_string(r.extra) +
                                   ", which the item pack does not hold");
        }
        const int32_t skill = r.type == kRewardSkill && r.value == 1                            ? r.extra
                              : r.type == kRewardWholeItem && r.extra >= kSkillCodeBase ? r.extra - kSkillCodeBase
                                                                                        : -1;
        if (skill >= 0 && tables_.newGameSkills.count(skill))
            problem_(name, "a reward gives skill " + std::to_string(skill) + ", which the new game already has");
    }

    const std::set<int>& maps_;
    const ShopTables& tables_;
    const ProblemSink& problem_;
    std::set<std::pair<int, int>> visited_;
    std::map<int, bool> onPath_;  // condition number -> on the chain being walked
    size_t checked_ = 0;
    bool givesQuest_ = false, givesReward_ = false;
    int map_ = 0;  // the map whose NPCs are being followed
};

}  // namespace

size_t checkNpcContent(const std::set<int>& maps, const ShopTables& tables, const ProblemSink& problem) {
    return TalkChecker(maps, tables, problem).run();
}

}  // namespace velk::pack
