#include "formats/enemy_file.h"

#include <string>

#include "platform/files.h"
#include "platform/text_reader.h"
#include "formats/formats.h"

namespace velk {

namespace {

// Monster and boss files are a few hundred bytes; anything huge is not one.
constexpr size_t kMaxEnemyFile = 1u << 20;
constexpr int32_t kMaxPosition = kMaxMapSide * 32;

bool finish(TextReader& in, const char* name) {
    if (in.failed()) {
        reportBadFile(name, in.error());
        return false;
    }
    return true;
}

template <typename Record, typename Parse>
EnemyFileResult loadEnemyFile(const std::string& name, Record& out, Parse parse) {
    std::vector<uint8_t> bytes;
    if (!readDataFile(name, bytes, kMaxEnemyFile)) return EnemyFileResult::Missing;
    return parse(bytes.data(), bytes.size(), out, name.c_str()) ? EnemyFileResult::Loaded
                                                                : EnemyFileResult::Malformed;
}

}  // namespace

bool parseMonsterFile(const uint8_t* data, size_t size, std::vector<MonsterRecord>& out,
                      const char* name) {
    TextReader in(data, size);
    int32_t count = 0;
    if (!in.number(count, 0, kMaxMonsters, "monster count")) return finish(in, name);
    std::vector<MonsterRecord> monsters(static_cast<size_t>(count));
    for (MonsterRecord& m : monsters) {
        in.number(m.spriteSet, 0, kMaxEnemySpriteSet, "sprite set");
        in.number(m.speed, 0, kMaxEnemySpeed, "speed");
        in.number(m.kind, 0, kMaxMonsterKind, "kind");
        in.number(m.aggro, 0, kMaxMonsterAggro, "aggro");
        in.number(m.x, 0, kMaxPosition, "x");
        in.number(m.y, 0, kMaxPosition, "y");
        in.number(m.attack, 0, kMaxEnemyValue, "attack");
        in.number(m.defence, 0, kMaxEnemyValue, "defence");
        in.number(m.expValue, 0, kMaxEnemyValue, "experience");
        in.number(m.money, 0, kMaxEnemyValue, "money");
        in.number(m.hp, 0, kMaxEnemyValue, "hp");
        in.number(m.respawnDelay, 0, kMaxEnemyValue, "respawn delay");
        if (in.failed()) break;
    }
    if (!finish(in, name)) return false;
    out = std::move(monsters);
    return true;
}

bool parseBossFile(const uint8_t* data, size_t size, BossRecord& out, const char* name) {
    TextReader in(data, size);
    BossRecord b;
    int32_t mode = 0, spare = 0;
    in.number(b.spriteSet, 0, kMaxEnemySpriteSet, "sprite set");
    in.number(b.hp, 0, kMaxEnemyValue, "hp");
    in.number(b.attack, 0, kMaxEnemyValue, "attack");
    in.number(b.defence, 0, kMaxEnemyValue, "defence");
    in.number(mode, "mode");
    in.number(spare, "spare byte");
    in.number(b.x, 0, kMaxPosition, "x");
    in.number(b.y, 0, kMaxPosition, "y");
    in.number(b.expValue, 0, kMaxEnemyValue, "experience");
    in.number(b.speed, 0, kMaxEnemySpeed, "speed");
    if (!finish(in, name)) return false;
    b.mode = uint8_t(mode);
    b.spareByte = uint8_t(spare);
    out = b;
    return true;
}

EnemyFileResult loadMonsterFile(int mapNumber, std::vector<MonsterRecord>& out) {
    return loadEnemyFile(monsterFileName(mapNumber), out, parseMonsterFile);
}

EnemyFileResult loadBossFile(int mapNumber, BossRecord& out) {
    return loadEnemyFile(bossFileName(mapNumber), out, parseBossFile);
}

}  // namespace velk
