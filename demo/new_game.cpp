// The new-game file: the hero's starting record, from a readable table.

#include <sstream>

#include "content/save_writer.h"
#include "content/source_lines.h"
#include "demo/demo.h"

namespace demo {

void writeNewGame(const DemoContext& ctx) {
    std::string text;
    if (!readSource(ctx, "user/new_game.txt", text)) return;
    SaveRecord record;
    const bool read = velk::forEachSourceLine(text, [&](int lineNo, std::istringstream& in) {
        std::string key;
        in >> key;
        bool ok = true;
        if (key == "slot") {
            int slot = -1;
            ItemSlot s;
            ok = bool(in >> slot >> s.icon >> s.count >> s.itemId) && slot >= 0 && slot < velk::kSlotCount;
            if (ok) record.slots[size_t(slot)] = s;
        } else {
            int32_t* field = key == "level"        ? &record.level
                             : key == "attack"     ? &record.attackStat
                             : key == "defence"    ? &record.defenceStat
                             : key == "skill"      ? &record.skillStat
                             : key == "magic"      ? &record.mpStat
                             : key == "vitality"   ? &record.hpStat
                             : key == "exp"        ? &record.exp
                             : key == "aru"        ? &record.aru
                             : key == "statPoints" ? &record.statPoints
                                                   : nullptr;
            ok = field && bool(in >> *field);
        }
        if (!ok) fail("user/new_game.txt: bad line " + std::to_string(lineNo));
        return ok;
    });
    if (!read) return;
    writeOut(ctx, velk::kNewGameFileName, velk::newGameFileText(record));
}

}  // namespace demo
