#include "items/drop_list.h"

#include <cstdlib>
#include <string>

#include "items/item_pack.h"
#include "items/item_tables.h"
#include "platform/cp949.h"
#include "core/effects.h"
#include "core/saturating.h"
#include "widgets/notice_log.h"
#include "world/field.h"

namespace {

constexpr int32_t kCell = 8;

DropNode makeNode(int32_t x, int32_t y) {
    DropNode n;
    n.x = x;
    n.y = y;
    n.cellX = x / kCell;
    n.cellY = y / kCell;
    return n;
}

// Drops fall through empty cells and ladders; everything else holds them.
void fall(DropNode& n, int32_t depth) {
    if (n.age <= CDropList::kFallDelay || !g_field) return;
    const int32_t below = g_field->terrain(n.cellX, n.cellY + depth);
    if (below != kTerrainEmpty && below != kTerrainLadder) return;
    n.y += kCell;
    n.cellX = n.x / kCell;
    n.cellY = n.y / kCell;
}

int32_t camX() { return g_field ? g_field->camera.x : 0; }
int32_t camY() { return g_field ? g_field->camera.y : 0; }

void notice(const char* utf8Prefix, const std::string& cp949Middle, const char* utf8Suffix) {
    if (!g_noticeLog) return;
    const std::string text = velk::toCp949(utf8Prefix) + cp949Middle + velk::toCp949(utf8Suffix);
    g_noticeLog->add(text.c_str());
}

void aruNotice(int32_t amount) { notice("아루를 획득하였습니다(+", std::to_string(amount), ")"); }

bool overlaps(int32_t l1, int32_t t1, int32_t r1, int32_t b1, int32_t l2, int32_t t2, int32_t r2,
              int32_t b2) {
    return l1 <= r2 && l2 <= r1 && t1 <= b2 && t2 <= b1;
}

// Removes the nodes `keep` refuses, in list order.
template <typename Keep>
void sweep(std::forward_list<DropNode>& list, Keep keep) {
    auto before = list.before_begin();
    for (auto it = list.begin(); it != list.end();) {
        if (keep(*it)) {
            before = it++;
        } else {
            it = list.erase_after(before);
        }
    }
}

}  // namespace

CDropList::~CDropList() = default;

void CDropList::init(CDirect3D* deviceIn) {
    device = deviceIn;
    for (auto [set, number] : {std::pair{&effectSprites, 1001}, std::pair{&coinSprites, 1002}}) {
        set->bind(device);
        set->load(number);
        set->createTextures();
    }
    effects.clear();
    clearDrops();
}

void CDropList::addEffect(int32_t x, int32_t y, int32_t action) {
    DropNode n = makeNode(x, y);
    n.action = action;
    effects.push_front(n);
}

void CDropList::addCoins(int32_t x, int32_t y, int32_t action, int32_t amount) {
    DropNode n = makeNode(x, y);
    n.action = action;
    n.value = amount;
    coins.push_front(n);
}

void CDropList::addItem(int32_t x, int32_t y, int32_t icon, int32_t count, int32_t itemId,
                        int32_t kind) {
    DropNode n = makeNode(x, y);
    n.frameCounter = count;
    n.action = icon;
    n.itemId = itemId;
    n.value = kind;
    items.push_front(n);
}

void CDropList::update(const CItemPack* pack, int32_t& aru) {
    updateEffects();
    updateCoins(aru);
    updateItems(pack);
}

int32_t CDropList::frameOf(CSpriteSet& set, const DropNode& node) const {
    set.selectStep(node.action, node.frameCounter);
    const AnimationStep* step = set.currentStep(node.action);
    return step ? step->frame : -1;
}

bool CDropList::drawAnimated(CSpriteSet& set, DropNode& node) {
    const int32_t stepIndex = set.selectStep(node.action, node.frameCounter);
    const AnimationStep* step = set.currentStep(node.action);
    if (!step) return false;
    set.drawFrame(step->frame, node.x + step->offsetX - camX(), node.y + step->offsetY - camY());
    const SpriteAnimation* row = set.animation(node.action);
    return row && stepIndex + 1 < int32_t(row->steps.size());
}

void CDropList::updateEffects() {
    sweep(effects, [this](DropNode& n) {
        ++n.frameCounter;
        return drawAnimated(effectSprites, n);
    });
}

void CDropList::updateCoins(int32_t& aru) {
    sweep(coins, [&](DropNode& n) {
        ++n.frameCounter;
        ++n.age;
        if (pet) {
            const int32_t px = (*pet)[0], py = (*pet)[1];
            if (n.x != px) n.x += n.x < px ? kCell : -kCell;
            if (n.y != py) n.y += n.y < py ? kCell : -kCell;
            n.cellX = n.x / kCell;
            n.cellY = n.y / kCell;
        } else {
            fall(n, 1);
        }
        drawAnimated(coinSprites, n);
        if (pet) {
            if (std::abs(n.x - (*pet)[0]) <= kPetReach && std::abs(n.y - (*pet)[1]) <= kPetReach) {
                aruNotice(n.value);
                aru = velk::saturatingAdd(aru, n.value);
                return false;
            }
            return true;
        }
        return n.age < kLifetime;
    });
}

void CDropList::updateItems(const CItemPack* pack) {
    sweep(items, [&](DropNode& n) {
        ++n.age;
        fall(n, 4);
        if (pack) pack->drawIcon(float(n.x - camX()), float(n.y - camY()), n.action);
        return n.age < kLifetime;
    });
}

bool CDropList::takeItem(const DropNode& node,
                         std::array<ItemSlot, velk::kSlotCount>& slots) const {
    if (node.value == velk::kKindWeapon) {
        for (int s = velk::kSlotWeaponBagFirst; s < velk::kSlotEnergyBagFirst; ++s) {
            if (slots[size_t(s)].icon != -1) continue;
            const WeaponItem* w = g_itemTables.weapon(node.itemId);
            slots[size_t(s)] = {1, w ? w->icon : node.action, node.itemId};
            notice("아이템 획득(", w ? w->name : std::string(), ")");
            return true;
        }
        return false;
    }
    if (node.value != velk::kKindEnergy) return false;
    for (int s = velk::kSlotEnergyBagFirst; s < velk::kSlotSkillBookFirst; ++s) {
        ItemSlot& slot = slots[size_t(s)];
        if (slot.icon == node.action) {
            slot.count = velk::saturatingAdd(slot.count, node.frameCounter);
        } else if (slot.icon == -1) {
            slot.icon = node.action;
            slot.count = node.frameCounter;
        } else {
            continue;
        }
        slot.itemId = node.itemId;
        notice("아이템 획득(", g_itemTables.name(velk::kKindEnergy, node.itemId), ")");
        return true;
    }
    return false;
}

int32_t CDropList::pickup(int32_t left, int32_t top, int32_t right, int32_t bottom,
                          std::array<ItemSlot, velk::kSlotCount>& slots) {
    auto before = coins.before_begin();
    for (auto it = coins.begin(); it != coins.end(); before = it++) {
        const int32_t frame = frameOf(coinSprites, *it);
        const FrameBox* box = coinSprites.bodyBox(frame);
        const AnimationStep* step = coinSprites.currentStep(it->action);
        if (!box || !step) continue;
        const int32_t ox = it->x + step->offsetX - camX(), oy = it->y + step->offsetY - camY();
        if (!overlaps(left, top, right, bottom, ox + box->left, oy + box->top, ox + box->right,
                      oy + box->bottom))
            continue;
        const int32_t amount = it->value;
        coins.erase_after(before);
        aruNotice(amount);
        return amount;
    }
    bool touched = false;
    before = items.before_begin();
    for (auto it = items.begin(); it != items.end(); before = it++) {
        const int32_t x = it->x - camX(), y = it->y - camY();
        if (!overlaps(left, top, right, bottom, x, y, x + kItemBox, y + kItemBox)) continue;
        touched = true;
        if (!takeItem(*it, slots)) continue;
        g_soundBank.play(&g_effects.eat);
        items.erase_after(before);
        return -1;
    }
    // Nothing is lost to a full bag: the item stays where it lies.
    if (touched) notice("가방에 빈 자리가 없습니다.", {}, "");
    return -1;
}

void CDropList::clearDrops() {
    coins.clear();
    items.clear();
}
