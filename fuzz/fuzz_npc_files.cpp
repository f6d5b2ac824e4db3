// Condition, shop, NPC position and mission-state files: the first byte
// picks the reader; whatever it accepts stays within its bounds, and a
// shop's goods outside its item table are never found.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "items/item_tables.h"
#include "formats/npc_files.h"
#include "npc/shop_rules.h"
#include "formats/talk_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t which = data[0] % 4;
    ++data;
    --size;
    if (which == 0) {
        TalkCondition c;
        if (velk::parseConditionFile(data, size, c, "fuzz.txt") &&
            (c.kind < velk::kConditionSlotItem || c.kind > velk::kConditionAru || c.met < 0 || c.unmet < 0))
            std::abort();
    } else if (which == 1) {
        std::vector<int32_t> goods;
        if (velk::parseShopFile(data, size, goods, "fuzz.txt") && goods.size() > size_t(velk::kMaxShopGoods))
            std::abort();
        // The shop looks every good up in a one-item table: only index 0 is found.
        if (g_itemTables.energy.empty()) g_itemTables.energy.resize(1);
        for (int32_t g : goods)
            if (bool(velk::shopItem(velk::kShopKindEnergy, g)) != (g == 0)) std::abort();
    } else if (which == 2) {
        std::vector<NpcRecord> npcs;
        if (velk::parseNpcPositions(data, size, npcs, "fuzz.txt") && npcs.size() > size_t(velk::kMaxNpcs))
            std::abort();
    } else {
        std::vector<int8_t> states;
        velk::parseMissionStates(data, size, 7, states, "fuzz.txt");
        if (states.size() != 7) std::abort();
    }
    return 0;
}
