#include "items/save_file.h"

#include "platform/cp949.h"
#include "platform/text_reader.h"

namespace velk {

bool parseSaveFile(const uint8_t* data, size_t size, bool newGame, SaveRecord& out,
                   std::string* error) {
    TextReader in(data, size);
    SaveRecord r;
    if (!newGame) {
        std::string word;
        // The name lives in 13 bytes: a longer word is cut to 12, never
        // splitting a two-byte character.
        if (in.word(word, "name")) r.name = cutCp949(word, 12);
        in.number(r.mapNumber, 0, kMaxMapNumber, "map number");
        in.number(r.mp, "mp");
        in.number(r.hp, "hp");
    }
    in.number(r.level, "level");
    in.number(r.attackStat, "attack stat");
    in.number(r.defenceStat, "defence stat");
    in.number(r.skillStat, "skill stat");
    in.number(r.mpStat, "mp stat");
    in.number(r.hpStat, "hp stat");
    in.number(r.exp, "exp");
    in.number(r.aru, "aru");
    in.number(r.statPoints, "stat points");
    for (const SlotGroup& group : kSaveSlotGroups) {
        for (int s = group.first; s < group.first + group.length; ++s) {
            ItemSlot& slot = r.slots[size_t(s)];
            in.number(slot.icon, "slot icon");
            in.number(slot.count, "slot count");
            in.number(slot.itemId, "slot item");
        }
    }
    if (in.failed()) {
        if (error) *error = in.error();
        return false;
    }
    out = std::move(r);
    return true;
}

std::string formatSaveFile(const SaveRecord& r) {
    std::string text;
    text.reserve(1024);
    text += r.name + "\n";
    for (int32_t v : {r.mapNumber, r.mp, r.hp, r.level, r.attackStat, r.defenceStat, r.skillStat,
                      r.mpStat, r.hpStat, r.exp, r.aru, r.statPoints})
        text += std::to_string(v) + "\n";
    for (size_t g = 0; g < kSaveSlotGroups.size(); ++g) {
        const SlotGroup& group = kSaveSlotGroups[g];
        for (int s = group.first; s < group.first + group.length; ++s) {
            const ItemSlot& slot = r.slots[size_t(s)];
            for (int32_t v : {slot.icon, slot.count, slot.itemId}) text += std::to_string(v) + " ";
        }
        if (g + 1 < kSaveSlotGroups.size()) text += "\n";
    }
    return text;
}

}  // namespace velk
