#pragma once
// CPet: the companion worn in slot 7 (item picture 58). It floats behind
// the hero, keeps within 150 pixels of it, follows its height and now and
// then makes a sound. It has no effect on play.

#include <cstdint>
#include <memory>

#include "world/sprite_set.h"

class CDirect3D;
class CPlayer;

class CPet {
public:
    static constexpr int32_t kSpriteSet = 123;
    static constexpr int32_t kPetPicture = 58;

    void init(CDirect3D* device);
    // Beside the hero: 50 pixels behind it, 80 above its feet, never left of x = 15.
    void place(const CPlayer& hero);
    // Sound, follow, height, animation, draw.
    void frame(const CPlayer& hero);

    int32_t x = 0;
    int32_t drawY = 0;
    int32_t lastHeroY = 0;
    int32_t animCounter = 0;
    uint8_t facingRight = 0;
    std::unique_ptr<CSpriteSet> sprites;
};
