#include "content/npc_writer.h"

namespace velk {

namespace {

bool startsWithDigit(const std::string& s) { return !s.empty() && s[0] >= '0' && s[0] <= '9'; }

std::string numbers(std::initializer_list<int32_t> values) {
    std::string out;
    for (int32_t v : values) out += (out.empty() ? "" : " ") + std::to_string(v);
    return out;
}

}  // namespace

bool talkFileText(const TalkFile& talk, std::string& out) {
    if (talk.kind == TalkFile::Kind::Condition) {
        out = numbers({kTalkConditionMarker, talk.conditionNumber}) + "\n";
        return true;
    }
    if (talk.kind == TalkFile::Kind::Shop) {
        out = std::to_string(talk.shopKind) + "\n";
        return true;
    }
    if (startsWithDigit(talk.text)) return false;
    // Runs are glued to the number before them: a separator would be text.
    std::string s = std::to_string(talk.text.size()) + "\n" + std::to_string(talk.lines.size());
    for (const TalkLine& line : talk.lines) {
        if (startsWithDigit(line.text)) return false;
        s += "\n" + std::to_string(line.text.size()) + line.text + " " +
             numbers({line.start, line.colour, line.x, line.y});
    }
    s += talk.text + "\n" + numbers({talk.bottomMode, talk.pageMode, talk.actionCode, talk.actionValue}) + "\n";
    for (const TalkReward& r : talk.rewards) s += numbers({r.type, r.value, r.extra}) + "\n";
    out = std::move(s);
    return true;
}

std::string conditionFileText(const TalkCondition& c) {
    if (c.kind == kConditionSlotItem) return numbers({c.kind, c.a, c.b, c.unmet, c.met}) + "\n";
    return numbers({c.kind, c.a, c.unmet, c.met}) + "\n";
}

std::string shopFileText(const std::vector<int32_t>& goods) {
    std::string s = std::to_string(goods.size()) + "\n";
    for (int32_t g : goods) s += std::to_string(g) + "\n";
    return s;
}

std::string npcPositionText(const std::vector<NpcRecord>& npcs) {
    std::string s = std::to_string(npcs.size()) + "\n";
    for (const NpcRecord& n : npcs) s += numbers({n.x, n.y, n.talkNumber, n.animRow}) + "\n";
    return s;
}

}  // namespace velk
