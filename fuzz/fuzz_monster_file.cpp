// Monster files: any text either gives at most the bounded count of monsters
// with every value in range, or is refused and leaves the output untouched.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "formats/enemy_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<MonsterRecord> monsters(1);
    monsters[0].hp = -5;
    if (!velk::parseMonsterFile(data, size, monsters, "fuzz.txt")) {
        if (monsters.size() != 1 || monsters[0].hp != -5) std::abort();
        return 0;
    }
    if (monsters.size() > size_t(velk::kMaxMonsters)) std::abort();
    for (const MonsterRecord& m : monsters)
        if (m.kind < 0 || m.kind > velk::kMaxMonsterKind || m.aggro < 0 ||
            m.aggro > velk::kMaxMonsterAggro || m.speed < 0 || m.speed > velk::kMaxEnemySpeed ||
            m.hp < 0 || m.x < 0 || m.y < 0)
            std::abort();
    return 0;
}
