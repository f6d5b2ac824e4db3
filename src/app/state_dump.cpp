#include "app/state_dump.h"
#include "app/state_dump_town.h"

#include <cstdio>

#include "game/world.h"
#include "app/game_app.h"
#include "app/state_dump_items.h"
#include "platform/backend.h"
#include "platform/cp949.h"
#include "widgets/notice_log.h"
#include "world/field.h"

namespace velk {

std::string jsonString(const std::string& utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += char(c);
            }
        }
    }
    return out + "\"";
}

std::string jsonObject(std::initializer_list<JsonField> fields, const std::string& extra) {
    std::string out = "{";
    bool first = true;
    for (const JsonField& f : fields) {
        out += std::string(first ? "" : ", ") + "\"" + f.name + "\": " + std::to_string(f.value);
        first = false;
    }
    return out + extra + "}";
}

namespace {

std::string joinArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
    return out + "]";
}

std::string mapJson(const CField& field) {
    return jsonObject({{"number", field.mapNumber},
                   {"entrySide", field.entrySide},
                   {"questStep", field.quest.step},
                   {"camX", field.camera.x},
                   {"camY", field.camera.y}});
}

std::string heroJson(const CWorld& world) {
    const CPlayer& p = *world.player;
    std::string slots = ", \"slots\": [";
    for (size_t i = 0; i < p.slots.size(); ++i)
        slots += std::string(i ? ", " : "") + "[" + std::to_string(p.slots[i].count) + ", " +
                 std::to_string(p.slots[i].icon) + ", " + std::to_string(p.slots[i].itemId) + "]";
    slots += "]";
    return jsonObject({{"x", p.x},
                   {"y", p.y},
                   {"action", p.action},
                   {"animRow", p.animRow},
                   {"facing", p.facing},
                   {"hp", p.hp},
                   {"maxHp", p.maxHp},
                   {"mp", p.mp},
                   {"maxMp", p.maxMp},
                   {"exp", p.exp},
                   {"expNext", p.expNext},
                   {"level", p.level},
                   {"aru", p.aru},
                   {"statPoints", p.statPoints},
                   {"attackStat", p.attackStat},
                   {"defenceStat", p.defenceStat},
                   {"skillStat", p.skillStat},
                   {"mpStat", p.mpStat},
                   {"hpStat", p.hpStat},
                   {"shotsInFlight", p.shotsInFlight}},
                  slots);
}

}  // namespace

std::string stateDumpJson(const CGameApp& app) {
    std::vector<std::string> notices;
    if (g_noticeLog)
        for (const auto& line : g_noticeLog->lines)
            if (line[0]) notices.push_back(jsonString(toUtf8(line)));
    std::vector<std::string> sounds;
    for (const std::string& name : app.backend()->startedEffects()) sounds.push_back(jsonString(name));

    std::string json = "{\n";
    json += "  \"gameState\": " + std::to_string(GameState) + ",\n";
    json += "  \"frame\": " + std::to_string(app.pacedFrames()) + ",\n";
    if (g_field) json += "  \"map\": " + mapJson(*g_field) + ",\n";
    if (g_world && g_world->player) json += "  \"hero\": " + heroJson(*g_world) + ",\n";
    json += "  \"ui\": " + uiJson() + ",\n";
    json += "  \"drops\": " + dropsJson() + ",\n";
    if (g_world && g_world->player) json += combatStateJson(*g_world);
    if (const std::string m = minimapJson(); !m.empty()) json += "  \"minimap\": " + m + ",\n";
    json += "  \"npcs\": " + npcsJson() + ",\n";
    json += "  \"talk\": " + talkJson() + ",\n";
    json += "  \"shop\": " + shopJson() + ",\n";
    json += "  \"notices\": " + joinArray(notices) + ",\n";
    json += "  \"sounds\": " + joinArray(sounds) + "\n";
    json += "}\n";
    return json;
}

}  // namespace velk
