#include "app/state_dump_town.h"

#include "game/world.h"
#include "world/field.h"
#include "world/mini_map.h"

namespace velk {

std::string minimapJson() {
    if (!g_miniMap) return {};
    return "{\"size\": " + std::to_string(g_miniMap->size) +
           ", \"questLines\": " + std::to_string(g_miniMap->questLines.size()) + "}";
}

std::string npcsJson() {
    std::string json = "[";
    const CNpc* npcs = g_world ? g_world->npcs.get() : nullptr;
    for (size_t i = 0; npcs && i < npcs->records.size(); ++i) {
        const NpcRecord& r = npcs->records[i];
        const std::vector<int8_t>& states = g_field->quest.missionStates;
        const int state = i < states.size() ? states[i] : 0;
        json += std::string(i ? ", " : "") + "{\"x\": " + std::to_string(r.x) + ", \"y\": " + std::to_string(r.y) +
                ", \"talkNumber\": " + std::to_string(r.talkNumber) + ", \"mission\": " + std::to_string(state) + "}";
    }
    return json + "]";
}

std::string talkJson() {
    const CNpc* npcs = g_world ? g_world->npcs.get() : nullptr;
    const CTalkBox* box = npcs ? npcs->talkBox.get() : nullptr;
    if (!box || !box->open) return "null";
    return "{\"open\": " + std::to_string(box->open) + ", \"talkNumber\": " + std::to_string(box->talkNumber) +
           ", \"shown\": " + std::to_string(box->shownBytes) + ", \"action\": " + std::to_string(box->talk.actionCode) +
           "}";
}

std::string shopJson() {
    const CNpc* npcs = g_world ? g_world->npcs.get() : nullptr;
    const CShop* shop = npcs && npcs->talkBox ? npcs->talkBox->shop.get() : nullptr;
    if (!shop) return "null";
    return "{\"kind\": " + std::to_string(shop->kind) + ", \"goodsSelection\": " + std::to_string(shop->goodsSelection) +
           ", \"bagSelection\": " + std::to_string(shop->bagSelection) + ", \"goodsScroll\": " +
           std::to_string(shop->goodsScroll) + ", \"bagScroll\": " + std::to_string(shop->bagScroll) + "}";
}

}  // namespace velk
