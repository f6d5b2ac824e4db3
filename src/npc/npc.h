#pragma once
// CNpc: the people of the current map. Their places and talk numbers come
// from the map's position file, their mission states from the map's
// mission-state file (kept in the field); they are drawn from sprite set
// 1000 and a click on one opens the talk box.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "npc/talk_box.h"
#include "formats/talk_format.h"
#include "world/sprite_set.h"

class CDirect3D;
class CPlayer;

class CNpc {
public:
    // Screen bounds inside which an NPC is still drawn (inclusive).
    static constexpr int32_t kDrawLeft = -50, kDrawRight = 800, kDrawTop = -80, kDrawBottom = 600;
    static constexpr int kSpriteSet = 1000;

    CNpc(CDirect3D* device, CPlayer* player);
    // Writes the mission states of the current map.
    ~CNpc();
    CNpc(const CNpc&) = delete;
    CNpc& operator=(const CNpc&) = delete;

    // Replaces everything with the current map's NPCs. A map without a
    // position or mission-state file has none.
    void load();
    // Draws every NPC; while the talk box is closed, a click on one opens it.
    void step();
    // Writes the current map's mission states when it has NPCs.
    void saveStates() const;

    // Whether an NPC placed at this screen position is drawn.
    static bool drawnAt(int32_t sx, int32_t sy) {
        return sx >= kDrawLeft && sx <= kDrawRight && sy >= kDrawTop && sy <= kDrawBottom;
    }
    // Screen position of NPC i, placed with the offsets of row 0's step.
    void screenPosition(size_t i, int32_t& sx, int32_t& sy) const;

    int32_t count = 0;
    std::vector<NpcRecord> records;
    // Their names (CP949) in the same order; fewer or none when unnamed.
    std::vector<std::string> names;
    std::unique_ptr<CSpriteSet> sprites;
    std::unique_ptr<CTalkBox> talkBox;
    // Where a clicked NPC's talk box opens.
    CWindowHost* windows = nullptr;

private:
    void draw() const;
    void clickTest();

    CDirect3D* device_;
    CPlayer* player_;
};
