// --dump-state: the monsters, the boss, the shots in flight, the pet and the
// speed effect.

#include "actors/pet.h"
#include "app/state_dump.h"
#include "game/world.h"

namespace velk {

namespace {

template <typename T, typename ToJson>
std::string array(const std::vector<T>& items, ToJson toJson) {
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + toJson(items[i], i);
    return out + "]";
}

}  // namespace

std::string combatStateJson(const CWorld& world) {
    std::string json;
    const std::vector<CMonster> none;
    const std::vector<CMonster>& monsters = world.monsters ? world.monsters->monsters : none;
    json += "  \"monsters\": " + array(monsters, [](const CMonster& m, size_t i) {
        return jsonObject({{"index", long(i)}, {"x", m.x}, {"y", m.y}, {"hp", m.hp}, {"move", m.move},
                           {"animRow", m.animRow}, {"kind", m.kind}});
    }) + ",\n";
    json += "  \"boss\": ";
    if (const CBoss* b = world.boss.get())
        json += jsonObject({{"x", b->x}, {"y", b->y}, {"hp", b->hp}, {"bossState", b->bossState},
                            {"animRow", b->animRow}, {"blink", b->blink}});
    else
        json += "null";
    json += ",\n  \"shots\": " + array(world.shots.shots, [](const Shot& s, size_t) {
        return jsonObject({{"x", s.x}, {"y", s.y}, {"spriteRow", s.spriteRow}, {"motion", s.motion},
                           {"hostile", s.hostile}, {"source", s.source}});
    }) + ",\n";
    const CPet* pet = world.player->pet.get();
    json += "  \"pet\": " + (pet ? jsonObject({{"x", pet->x}, {"drawY", pet->drawY}}) : std::string("null")) + ",\n";
    const CSpeedEffect* speed = world.speedEffect.get();
    json += "  \"speedEffect\": " +
            (speed ? jsonObject({{"remaining", speed->remaining}, {"total", speed->total}}) : std::string("null")) +
            ",\n";
    return json;
}

}  // namespace velk
