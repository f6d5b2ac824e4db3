// Save and new-game files: any text either parses or is refused, a parsed
// name fits the hero's 13 bytes, and what is written reads back the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "actors/player.h"
#include "formats/save_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const bool newGame = data[0] & 1;
    SaveRecord record;
    std::string error;
    if (!velk::parseSaveFile(data + 1, size - 1, newGame, record, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (record.name.size() > 12) std::abort();
    // Any level the file may hold gives a whole experience goal.
    expForLevel(record.level);
    if (newGame) return 0;
    const std::string text = velk::formatSaveFile(record);
    SaveRecord back;
    if (!velk::parseSaveFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), false,
                             back, nullptr) ||
        !(record == back))
        std::abort();
    return 0;
}
