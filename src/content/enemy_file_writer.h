#pragma once
// Monster files ("txt/monster/mon_%d.txt") and boss files
// ("txt/boss/boss_%d.txt"), for the demo world and tests.

#include <string>
#include <vector>

#include "formats/enemy_format.h"

namespace velk {

// The count, then one line of twelve numbers per monster.
std::string monsterFileText(const std::vector<MonsterRecord>& monsters);
// The ten numbers on one line.
std::string bossFileText(const BossRecord& boss);

}  // namespace velk
