// The talk source compiler: any text either compiles or is refused with a
// message, and every file it writes is read by the game's own readers.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "content/talk_source.h"
#include "formats/npc_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::map<std::string, std::string> files;
    std::string error;
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!velk::compileTalkSources({{"fuzz.txt", text}}, files, error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    for (const auto& [name, bytes] : files) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
        bool ok = true;
        if (name.find("/talk/") != std::string::npos) {
            TalkFile t;
            ok = velk::parseTalkFile(p, bytes.size(), t, name.c_str());
        } else if (name.find("/ckecked/") != std::string::npos) {
            TalkCondition c;
            ok = velk::parseConditionFile(p, bytes.size(), c, name.c_str());
        } else if (name.find("/shop/") != std::string::npos) {
            std::vector<int32_t> goods;
            ok = velk::parseShopFile(p, bytes.size(), goods, name.c_str());
        } else if (name.find("/pos/") != std::string::npos) {
            std::vector<NpcRecord> npcs;
            ok = velk::parseNpcPositions(p, bytes.size(), npcs, name.c_str());
        }
        if (!ok) std::abort();
    }
    return 0;
}
