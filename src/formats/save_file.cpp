#include "formats/save_file.h"

#include "formats/save_name.h"
#include "platform/text_reader.h"

namespace velk {

int readSaveTokens(const uint8_t* data, size_t size, bool newGame, SaveRecord& r,
                   std::string* error) {
    TextReader in(data, size);
    int read = 0;
    auto take = [&](bool ok) { read += ok && !in.failed(); };
    if (!newGame) {
        std::string word;
        // The name lives in 13 bytes: a longer word is cut to 12, never
        // splitting a two-byte character. A name that would not read back
        // as the same word (a NUL, a control byte, no CP949) keeps the name
        // the record held.
        if (in.word(word, "name")) {
            const std::string name = readableSaveName(word);
            if (!name.empty()) r.name = name;
        }
        take(!in.failed());
        take(in.number(r.mapNumber, 0, kMaxMapNumber, "map number"));
        take(in.number(r.mp, "mp"));
        take(in.number(r.hp, "hp"));
    }
    take(in.number(r.level, "level"));
    take(in.number(r.attackStat, "attack stat"));
    take(in.number(r.defenceStat, "defence stat"));
    take(in.number(r.skillStat, "skill stat"));
    take(in.number(r.mpStat, "mp stat"));
    take(in.number(r.hpStat, "hp stat"));
    take(in.number(r.exp, "exp"));
    take(in.number(r.aru, "aru"));
    take(in.number(r.statPoints, "stat points"));
    for (const SlotGroup& group : kSaveSlotGroups) {
        for (int s = group.first; s < group.first + group.length; ++s) {
            ItemSlot& slot = r.slots[size_t(s)];
            take(in.number(slot.icon, "slot icon"));
            take(in.number(slot.count, "slot count"));
            take(in.number(slot.itemId, "slot item"));
        }
    }
    if (in.failed() && error) *error = in.error() + " (token " + std::to_string(read + 1) + ")";
    return read;
}

bool parseSaveFile(const uint8_t* data, size_t size, bool newGame, SaveRecord& out,
                   std::string* error) {
    SaveRecord r;
    if (!newGame) r.name = defaultHeroName();
    if (readSaveTokens(data, size, newGame, r, error) != (newGame ? kNewGameTokens : kSaveTokens))
        return false;
    out = std::move(r);
    return true;
}

std::string formatSaveFile(const SaveRecord& r) {
    std::string text;
    text.reserve(1024);
    // Whatever the record holds, the first line is one readable word.
    const std::string name = readableSaveName(r.name);
    text += (name.empty() ? defaultHeroName() : name) + "\n";
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
