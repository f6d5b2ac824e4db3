#pragma once
// CDropList: what lies or plays on the map without being an actor: effect
// animations (sprite set 1001: 0 hit spark, 1 level-up flash), aru coins
// (set 1002: 0 small, 1 large) and items thrown away. It moves, draws and
// expires them once per frame and hands them over on `pickup`. The
// inventory owns the one list of the run.
//
// Coins fly to the hero's pet while one is set (`setPet`, each frame by the
// pet's owner) and are taken within 30 pixels of it; without a pet they lie
// for 1000 frames. Items lie for 1000 frames; an item the bags cannot take
// stays where it lies.

#include <array>
#include <cstdint>
#include <forward_list>
#include <optional>

#include "formats/item_slot.h"
#include "world/sprite_set.h"

class CDirect3D;
class CItemPack;

// All int32 but the list's own link. For items `frameCounter` holds the
// count of pieces, `action` the icon and `value` the kind (-1 weapon, -3
// energy item); for coins `value` is the amount of aru.
struct DropNode {
    int32_t x = 0;  // map pixels
    int32_t y = 0;
    int32_t cellX = 0;  // x / 8, y / 8
    int32_t cellY = 0;
    int32_t frameCounter = 0;
    int32_t action = 0;
    int32_t age = 0;
    int32_t itemId = 0;
    int32_t value = 0;
};

class CDropList {
public:
    static constexpr int32_t kLifetime = 1000;
    static constexpr int32_t kFallDelay = 9;  // frames lying still before falling
    static constexpr int32_t kPetReach = 30;
    static constexpr int32_t kItemBox = 16;
    static constexpr int32_t kLargeCoinAru = 100;  // a monster worth this drops action 1

    CDropList() = default;
    ~CDropList();
    CDropList(const CDropList&) = delete;
    CDropList& operator=(const CDropList&) = delete;

    // Loads sprite sets 1001 and 1002 with their textures; empties the lists.
    void init(CDirect3D* device);

    void addEffect(int32_t x, int32_t y, int32_t action);
    void addCoins(int32_t x, int32_t y, int32_t action, int32_t amount);
    void addItem(int32_t x, int32_t y, int32_t icon, int32_t count, int32_t itemId, int32_t kind);

    // Moves, draws and expires every node; coins the pet reaches add to `aru`.
    // Items are drawn with the icons of `pack`.
    void update(const CItemPack* pack, int32_t& aru);
    // The hero's box on screen. The first coin touching it is taken and its
    // amount returned (the caller adds it to the aru); else the first item
    // touching it that the bags can take goes into `slots`; -1 then.
    int32_t pickup(int32_t left, int32_t top, int32_t right, int32_t bottom,
                   std::array<ItemSlot, velk::kSlotCount>& slots);
    // Every coin and item goes; running effects finish.
    void clearDrops();

    // The pet's position on the map while the hero has one.
    void setPet(int32_t x, int32_t y) { pet = std::array<int32_t, 2>{x, y}; }
    void clearPet() { pet.reset(); }

    std::forward_list<DropNode> effects;  // newest first
    std::forward_list<DropNode> coins;
    std::forward_list<DropNode> items;
    std::optional<std::array<int32_t, 2>> pet;
    CDirect3D* device = nullptr;
    CSpriteSet effectSprites;
    CSpriteSet coinSprites;

private:
    void updateEffects();
    void updateCoins(int32_t& aru);
    void updateItems(const CItemPack* pack);
    // The node's current frame in `set` from its frame counter; -1 if none.
    int32_t frameOf(CSpriteSet& set, const DropNode& node) const;
    // Draws the node's current frame of `set`; true while it is not the last step.
    bool drawAnimated(CSpriteSet& set, DropNode& node);
    bool takeItem(const DropNode& node, std::array<ItemSlot, velk::kSlotCount>& slots) const;
};
