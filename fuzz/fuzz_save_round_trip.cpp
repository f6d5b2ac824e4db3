// For any bytes as the save file: loading them, saving the hero and loading
// that again gives the same hero, and what is saved is always a whole save
// (every token readable). Runs the same steps the game does on start and at
// the end, through the hero's 13-byte name, without touching the disk.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "items/player_record.h"
#include "formats/save_file.h"
#include "formats/save_name.h"

namespace {

bool sameHero(const PlayerRecord& a, const PlayerRecord& b) {
    // The save's view of the record reads the hero's own hit points.
    return std::memcmp(a.name, b.name, sizeof a.name) == 0 &&
           velk::saveRecordOf(a, 0) == velk::saveRecordOf(b, 0);
}

SaveRecord newGame() {
    SaveRecord r;
    r.name = velk::defaultHeroName();
    r.attackStat = r.defenceStat = r.skillStat = r.mpStat = r.hpStat = 5;
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const SaveRecord start = newGame();
    PlayerRecord first, second;
    int32_t firstMap = 0, secondMap = 0;
    velk::installSaveRecord(velk::loadSaveRecord(data, size, start, nullptr, nullptr), first, firstMap);
    const std::string text = velk::playerRecordText(first, firstMap);
    int read = 0;
    velk::installSaveRecord(
        velk::loadSaveRecord(reinterpret_cast<const uint8_t*>(text.data()), text.size(), start, &read, nullptr),
        second, secondMap);
    if (read != velk::kSaveTokens || !sameHero(first, second) || firstMap != secondMap) std::abort();
    // Saved again, the same text: nothing drifts from one run to the next.
    if (velk::playerRecordText(second, secondMap) != text) std::abort();
    return 0;
}
