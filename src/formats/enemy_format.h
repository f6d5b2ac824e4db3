#pragma once
// The monster file "txt/monster/mon_%d.txt" and the boss file
// "txt/boss/boss_%d.txt" of a map: their records, names and limits, shared
// by the readers and the writers in content/.

#include <cstdint>
#include <string>

// One line of a monster file: twelve numbers in this order.
struct MonsterRecord {
    int32_t spriteSet = 0;
    int32_t speed = 0;  // pixels a frame, also the slope and knock-back step
    int32_t kind = 0;   // behaviour 0..7
    int32_t aggro = 0;  // reaction to the hero 0..4
    int32_t x = 0;      // start position: the foot point, world pixels
    int32_t y = 0;
    int32_t attack = 0;
    int32_t defence = 0;
    int32_t expValue = 0;
    int32_t money = 0;
    int32_t hp = 0;
    int32_t respawnDelay = 0;  // frames between death and return
};

// A boss file: ten numbers in this order. Mode and the spare byte keep the
// low byte of their numbers.
struct BossRecord {
    int32_t spriteSet = 0;
    int32_t hp = 0;
    int32_t attack = 0;
    int32_t defence = 0;
    uint8_t mode = 0;  // 0 shooter, 1 charger
    uint8_t spareByte = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t expValue = 0;
    int32_t speed = 0;
};

namespace velk {

constexpr int32_t kMaxMonsters = 256;
constexpr int32_t kMaxEnemySpriteSet = 99999;
constexpr int32_t kMaxEnemySpeed = 64;
constexpr int32_t kMaxMonsterKind = 7;
constexpr int32_t kMaxMonsterAggro = 4;
// Points, experience, money and delays: far below where sums and damage
// arithmetic could overflow.
constexpr int32_t kMaxEnemyValue = 10'000'000;

inline std::string monsterFileName(int mapNumber) {
    return "txt/monster/mon_" + std::to_string(mapNumber) + ".txt";
}
inline std::string bossFileName(int mapNumber) {
    return "txt/boss/boss_" + std::to_string(mapNumber) + ".txt";
}

}  // namespace velk
