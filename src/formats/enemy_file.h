#pragma once
// Readers of the monster and boss files. A file is checked whole before
// anything is handed out: a malformed file gives nothing (reported with
// --verbose), never a half-read set of monsters.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/enemy_format.h"

namespace velk {

enum class EnemyFileResult { Loaded, Missing, Malformed };

EnemyFileResult loadMonsterFile(int mapNumber, std::vector<MonsterRecord>& out);
bool parseMonsterFile(const uint8_t* data, size_t size, std::vector<MonsterRecord>& out,
                      const char* name);

EnemyFileResult loadBossFile(int mapNumber, BossRecord& out);
bool parseBossFile(const uint8_t* data, size_t size, BossRecord& out, const char* name);

}  // namespace velk
