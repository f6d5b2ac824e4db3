// Quest texts and minimap names: bounded lines and a name of at most 14 bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/minimap_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> lines;
    if (velk::parseQuestText(data, size, lines, "fuzz.txt")) {
        if (lines.size() > size_t(velk::kMaxQuestLines)) std::abort();
        for (const std::string& l : lines)
            if (l.size() >= size_t(velk::kMaxQuestLineBuffer)) std::abort();
    }
    std::string name;
    if (velk::parseMinimapName(data, size, name, "fuzz.txt") && name.size() > velk::kMaxMinimapNameBytes)
        std::abort();
    return 0;
}
