#include "content/enemy_file_writer.h"

#include <initializer_list>

namespace velk {

namespace {
std::string line(std::initializer_list<int32_t> numbers) {
    std::string out;
    for (int32_t n : numbers) out += (out.empty() ? "" : " ") + std::to_string(n);
    return out + "\n";
}
}  // namespace

std::string monsterFileText(const std::vector<MonsterRecord>& monsters) {
    std::string out = std::to_string(monsters.size()) + "\n";
    for (const MonsterRecord& m : monsters)
        out += line({m.spriteSet, m.speed, m.kind, m.aggro, m.x, m.y, m.attack, m.defence, m.expValue,
                     m.money, m.hp, m.respawnDelay});
    return out;
}

std::string bossFileText(const BossRecord& b) {
    return line({b.spriteSet, b.hp, b.attack, b.defence, b.mode, b.spareByte, b.x, b.y, b.expValue,
                 b.speed});
}

}  // namespace velk
