#include "content/save_writer.h"

namespace velk {

namespace {

void appendLine(std::string& text, int32_t v) { text += std::to_string(v) + "\n"; }

void appendRecordFromLevel(std::string& text, const SaveRecord& r) {
    for (int32_t v : {r.level, r.attackStat, r.defenceStat, r.skillStat, r.mpStat, r.hpStat,
                      r.exp, r.aru, r.statPoints})
        appendLine(text, v);
    // Skill book before energy bag; a blank after every number; no line end
    // after the last group.
    for (size_t g = 0; g < kSaveSlotGroups.size(); ++g) {
        const SlotGroup& group = kSaveSlotGroups[g];
        for (int s = group.first; s < group.first + group.length; ++s) {
            const ItemSlot& slot = r.slots[size_t(s)];
            text += std::to_string(slot.icon) + " " + std::to_string(slot.count) + " " +
                    std::to_string(slot.itemId) + " ";
        }
        if (g + 1 < kSaveSlotGroups.size()) text += "\n";
    }
}

}  // namespace

std::string saveFileText(const SaveRecord& r) {
    std::string text = r.name + "\n";
    appendLine(text, r.mapNumber);
    appendLine(text, r.mp);
    appendLine(text, r.hp);
    appendRecordFromLevel(text, r);
    return text;
}

std::string newGameFileText(const SaveRecord& r) {
    std::string text;
    appendRecordFromLevel(text, r);
    return text;
}

}  // namespace velk
