#pragma once
// CSpriteSet: every picture of one animated thing (the hero, a monster, a
// boss, the NPCs, the pet, shots, effects, coins), read from
// "sprite/spr_<n>.asp" with its delays from "txt/sprdelay/delay_<n>.txt".
// Frames become textures; rows of steps animate them; per-frame boxes give
// the body (box 0) and, on a frame with exactly two boxes, the attack (box 1).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "formats/sprite_format.h"
#include "platform/texture.h"

class CDirect3D;

struct SpriteAnimation {
    int32_t stepCount = 0;
    int32_t currentStep = 0;  // written by the owning actor every frame
    int32_t delay = 1;        // game frames per step, 1 or more
    std::vector<AnimationStep> steps;
};

class CSpriteSet {
public:
    CSpriteSet();
    ~CSpriteSet();
    CSpriteSet(const CSpriteSet&) = delete;
    CSpriteSet& operator=(const CSpriteSet&) = delete;

    void bind(CDirect3D* device);

    // Reads the sprite file and its delay file. 1 on success; 0 when either
    // is missing or malformed (reported with --verbose), and the set is then
    // empty: it draws nothing and has no rows or boxes.
    int load(int fileNumber);
    // Same, from bytes in memory; `name` is used for --verbose messages.
    // `delayName`, when given, names the delay file in reports of its damage.
    int loadFromMemory(const uint8_t* sprite, size_t spriteSize, const uint8_t* delays,
                       size_t delaySize, const char* name, const char* delayName = nullptr);
    // One texture per frame; empty frames get none.
    void createTextures();
    void destroy();

    int frameCount() const { return lastFrame + 1; }

    // Draws frame `frame` at its own size with its top-left corner at the
    // screen position; nothing for a frame that does not exist.
    void drawFrame(int frame, int x, int y) const;

    // Sets row `row`'s current step from the owner's frame counter:
    // (counter / delay) mod step count. Returns it; 0 for a missing or empty row.
    int32_t selectStep(int row, int32_t counter);
    // That step without setting it.
    int32_t stepAt(int row, int32_t counter) const;
    // Step `index` of row `row`, or null when either does not exist.
    const AnimationStep* step(int row, int32_t index) const;
    // The row's current step, or null for a missing or empty row.
    const AnimationStep* currentStep(int row) const;
    const SpriteAnimation* animation(int row) const;

    // Box 0 of a frame, or null when the frame has none.
    const FrameBox* bodyBox(int frame) const;
    // Box 1 of a frame with exactly two boxes, or null: other frames do not strike.
    const FrameBox* attackBox(int frame) const;

    int32_t lastFrame = -1;  // the set holds frames 0 .. lastFrame
    int32_t animationCount = 0;
    std::vector<int32_t> boxCounts;               // per frame
    std::vector<std::vector<FrameBox>> boxes;     // per frame
    std::vector<uint32_t> frameHeights;           // per frame, pixels
    std::vector<uint32_t> frameWidths;
    std::vector<std::vector<uint32_t>> framePixels;  // per frame, 0xAARRGGBB, top row first
    CDirect3D* direct3d = nullptr;
    std::vector<SpriteAnimation> animations;
    std::vector<std::unique_ptr<CTexture>> textures;  // per frame

private:
    bool validFrame(int frame) const { return frame >= 0 && frame <= lastFrame; }
};

// One owner's current step in each row of a sprite set that many owners
// share (monsters of one set): the set is loaded once, and each owner still
// animates on its own. Rows keep their step while the owner plays another,
// as a set's own rows do.
class CSpriteSteps {
public:
    // Every row of `set` at step 0.
    void reset(const CSpriteSet& set) { steps_.assign(size_t(set.animationCount), 0); }
    // CSpriteSet::selectStep for this owner.
    int32_t select(const CSpriteSet& set, int row, int32_t counter);
    // The row's current step; 0 for a missing row.
    int32_t of(int row) const { return row >= 0 && size_t(row) < steps_.size() ? steps_[size_t(row)] : 0; }
    // CSpriteSet::currentStep for this owner.
    const AnimationStep* current(const CSpriteSet& set, int row) const { return set.step(row, of(row)); }

private:
    std::vector<int32_t> steps_;
};
