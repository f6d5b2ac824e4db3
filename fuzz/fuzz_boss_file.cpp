// Boss files: any text either gives ten values within the limits or is
// refused and leaves the output untouched.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "formats/enemy_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BossRecord boss;
    boss.hp = -7;
    if (!velk::parseBossFile(data, size, boss, "fuzz.txt")) {
        if (boss.hp != -7) std::abort();
        return 0;
    }
    if (boss.hp < 0 || boss.speed < 0 || boss.speed > velk::kMaxEnemySpeed || boss.x < 0 ||
        boss.y < 0 || boss.spriteSet < 0)
        std::abort();
    return 0;
}
