#include "app/world_test_start.h"

#include <cstdio>

#include "formats/item_records.h"
#include "formats/formats.h"
#include "formats/talk_format.h"
#include "game/world.h"
#include "items/item_rules.h"
#include "items/item_tables.h"
#include "npc/shop_rules.h"
#include "platform/cp949.h"
#include "world/field.h"
#include "world/mini_map.h"

namespace velk {

namespace {

bool giveSkill(PlayerRecord& hero, int32_t index, int32_t count, std::string& error) {
    const SkillItem* skill = g_itemTables.skill(index);
    if (!skill) return false;
    const std::string name = toUtf8(skill->name);
    if (count != 1) {
        error = "a skill is given once, not " + std::to_string(count) + " times";
        return false;
    }
    if (knowsSkill(hero.slots, index)) {
        error = "the hero already has the skill " + name;
        return false;
    }
    for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s) {
        ItemSlot& slot = hero.slots[size_t(s)];
        if (slot.icon != -1) continue;
        slot = {1, skill->icon, skill->index};
        return true;
    }
    error = "the skill book is full";
    return false;
}

}  // namespace

bool findItem(const ItemTables& tables, const std::string& nameOrCode, ItemChoice& out) {
    const bool number = !nameOrCode.empty() && nameOrCode.find_first_not_of("0123456789") == std::string::npos;
    if (number) {
        if (nameOrCode.size() > 9) return false;
        const int32_t code = int32_t(std::stol(nameOrCode));
        const int kind = itemKindOfCode(code);
        const int32_t index = itemIndexFromCode(kind, code);
        const bool known = kind == kKindWeapon   ? tables.weapon(index) != nullptr
                           : kind == kKindEnergy ? tables.energyItem(index) != nullptr
                                                 : tables.skill(index) != nullptr;
        if (!known) return false;
        out = {kind, index};
        return true;
    }
    return tables.find(toCp949(nameOrCode), out.kind, out.index);
}

bool giveItem(PlayerRecord& hero, const ItemChoice& item, int32_t count, std::string& error) {
    if (item.kind == kKindSkill) return giveSkill(hero, item.index, count, error);
    const int32_t shopKind = item.kind == kKindWeapon ? kShopKindWeapon : kShopKindEnergy;
    ShopItem goods = shopItem(shopKind, item.index);
    if (!goods) return false;
    goods.buyPrice = 0;
    const std::string name = toUtf8(*goods.name);
    // Weapons are bought one at a time, each into a slot of its own.
    const int32_t purchases = item.kind == kKindWeapon ? count : 1;
    for (int32_t i = 0; i < purchases; ++i) {
        if (buyItem(hero, shopKind, goods, item.kind == kKindWeapon ? 1 : count).outcome == BuyOutcome::Bought)
            continue;
        error = item.kind == kKindWeapon ? "the weapon bag is full (" + std::to_string(i) + " of " +
                                               std::to_string(count) + " " + name + " given)"
                                         : "the energy bag has no room for " + std::to_string(count) + " " + name;
        return false;
    }
    return true;
}

bool applyWorldTestOptions(const Options& options, std::string& error) {
    CPlayer& hero = *g_world->player;
    if (options.startMap >= 0) {
        g_field->mapNumber = options.startMap;
        g_field->entrySide = int32_t(options.startSide);
        g_field->quest.step = 0;
        if (g_field->loadMap() != 1) {
            error = "--start " + std::to_string(options.startMap) + ": " + mapFileName(options.startMap) +
                    " cannot be loaded (--verbose says why)";
            return false;
        }
        g_field->camera.resetScroll();
        g_miniMap->reload();
        g_world->enterMap();
    }
    if (options.level > 0) {
        if (options.level > CPlayer::kTopLevel) {
            error = "--level " + std::to_string(options.level) + ": experience raises a hero to level " +
                    std::to_string(CPlayer::kTopLevel) + " at most";
            return false;
        }
        if (hero.level > options.level)
            std::fprintf(stderr, "velk: --level %d: the hero is at level %d already and stays there\n",
                         options.level, hero.level);
        hero.raiseLevel(options.level);
    }
    for (const Gift& gift : options.gifts) {
        const std::string what = "--give " + gift.item + ":" + std::to_string(gift.count) + ": ";
        ItemChoice item;
        if (!findItem(g_itemTables, gift.item, item)) {
            error = what + "the item table has no item of that name or code";
            return false;
        }
        std::string why;
        if (!giveItem(hero, item, gift.count, why)) {
            error = what + why;
            return false;
        }
    }
    return true;
}

}  // namespace velk
