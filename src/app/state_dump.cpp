#include "app/state_dump.h"

#include <cstdio>

#include "app/game_app.h"
#include "platform/backend.h"
#include "platform/cp949.h"
#include "ui/notice_log.h"

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

namespace {

std::string joinArray(const std::vector<std::string>& items) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
    return out + "]";
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
    json += "  \"notices\": " + joinArray(notices) + ",\n";
    json += "  \"sounds\": " + joinArray(sounds) + "\n";
    json += "}\n";
    return json;
}

}  // namespace velk
