// Talk files: any bytes either give a talk within the bounds or are refused,
// and a talk the writer can write reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "content/npc_writer.h"
#include "formats/npc_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TalkFile t;
    if (!velk::parseTalkFile(data, size, t, "fuzz.txt")) return 0;
    if (t.kind != TalkFile::Kind::Text) return 0;
    if (t.text.empty() || t.text.size() > size_t(velk::kMaxTalkText) ||
        t.lines.size() > size_t(velk::kMaxTalkLines) || t.rewards.size() > size_t(velk::kMaxTalkRewards))
        std::abort();
    std::string text;
    if (!velk::talkFileText(t, text)) return 0;
    TalkFile back;
    if (!velk::parseTalkFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), back, "back.txt") ||
        back.text != t.text || back.lines.size() != t.lines.size() || back.actionCode != t.actionCode ||
        back.rewards.size() != t.rewards.size())
        std::abort();
    return 0;
}
