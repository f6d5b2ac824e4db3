#pragma once
// CTitle: the title screen (backdrop, title picture, one start button) and
// its button logic: a press over the button arms it, a release over the
// armed button starts the game. Return or Space starts it too, with the
// button's sounds.

#include <cstdint>
#include <memory>

#include "platform/picture.h"

class CDirect3D;

class CTitle {
public:
    CTitle() = default;
    ~CTitle() = default;

    void init(CDirect3D* device);
    // Runs the button logic and draws; 1 when start was clicked (nothing drawn then).
    int step();

    // Hit area of the start button, both ends included.
    static constexpr int kButtonX = 600, kButtonY = 500, kButtonRight = 728, kButtonBottom = 532;

    CDirect3D* device = nullptr;
    std::unique_ptr<CPicture> background;
    std::unique_ptr<CPicture> pictures[3];
    uint8_t buttonState = 1;
    uint8_t pressed = 0;
    uint8_t hoverSounded = 0;
    // Return or Space was down at the last step: a key held into the title
    // must be let go before it starts the game.
    bool startKeyHeld = true;
};
