// The monster and boss files of the demo maps, from sources/enemies/enemies.txt.

#include <map>
#include <sstream>

#include "content/enemy_file_writer.h"
#include "content/source_lines.h"
#include "demo/creatures.h"

namespace demo {

namespace {

const std::map<std::string, int> kSpeciesSets = {
    {"slime", kSlimeSet}, {"beetle", kBeetleSet}, {"crab", kCrabSet},       {"flower", kFlowerSet},
    {"bat", kBatSet},     {"shroom", kShroomSet}, {"treant", kTreantSet}, {"boar", kBoarSet},
};

// The foot point of a creature standing on the top of tile (column, row).
int32_t footX(int column) { return 32 * column + 16; }
int32_t footY(int row) { return 32 * row; }
// Kind 1 walks a terrain cell above the ground it stands over.
constexpr int32_t kFloatHeight = 8;

}  // namespace

void writeEnemies(const DemoContext& ctx) {
    std::string text;
    if (!readSource(ctx, "enemies/enemies.txt", text)) return;
    std::map<int, std::vector<MonsterRecord>> monsters;
    std::map<int, BossRecord> bosses;
    velk::forEachSourceLine(text, [&](int lineNo, std::istringstream& in) {
        std::string what, species;
        int map = 0, column = 0, row = 0;
        in >> what;
        const std::string where = "enemies/enemies.txt line " + std::to_string(lineNo);
        bool ok = false;
        if (what == "monster") {
            MonsterRecord m;
            ok = bool(in >> map >> species >> m.kind >> m.aggro >> column >> row >> m.speed >> m.attack >>
                      m.defence >> m.expValue >> m.money >> m.hp >> m.respawnDelay);
            m.x = footX(column);
            m.y = footY(row) - (m.kind == 1 ? kFloatHeight : 0);
            if (ok && kSpeciesSets.count(species)) {
                m.spriteSet = kSpeciesSets.at(species);
                monsters[map].push_back(m);
            }
        } else if (what == "boss") {
            BossRecord b;
            int mode = 0;
            ok = bool(in >> map >> species >> mode >> column >> row >> b.speed >> b.attack >> b.defence >>
                      b.expValue >> b.hp);
            b.mode = uint8_t(mode);
            b.x = footX(column);
            b.y = footY(row);
            if (ok && kSpeciesSets.count(species)) {
                b.spriteSet = kSpeciesSets.at(species);
                ok = bosses.emplace(map, b).second;
            }
        }
        if (!ok || !kSpeciesSets.count(species)) fail(where + ": not a monster or boss line I can read");
        return true;
    });
    for (const auto& [map, list] : monsters) {
        if (bosses.count(map)) fail("enemies/enemies.txt: map " + std::to_string(map) + " has monsters and a boss");
        writeOut(ctx, velk::monsterFileName(map), velk::monsterFileText(list));
    }
    for (const auto& [map, boss] : bosses) writeOut(ctx, velk::bossFileName(map), velk::bossFileText(boss));
}

}  // namespace demo
