#pragma once
// CStatusWindow: the hero's name, level, points, experience and five stats,
// with a plus button per stat while points are unspent, and a side panel
// (attack power and defence) that slides out to the right over 16 frames.
// A window of the game menu, which runs it in its own pass and deletes it
// once it closed.

#include <cstdint>
#include <memory>

#include "widgets/fit_font.h"
#include "platform/picture.h"
#include "widgets/window.h"

class CDirect3D;
class CPlayer;

class CStatusWindow : public CWindow {
public:
    static constexpr int32_t kOpen = -50;
    static constexpr int32_t kClosed = -10;
    static constexpr int32_t kSlideSteps = 16;
    static constexpr int32_t kSlideStepPixels = 8;

    CStatusWindow() = default;
    ~CStatusWindow() override;

    // Loads the panels and the twelve buttons; whether the font was made.
    bool init(CDirect3D* device, CPlayer* player);
    // Input (when it has the input), then drawing.
    void update(const CInputState* input) override;
    bool isOpen() const override { return result != kClosed; }

    int32_t slideSteps = 0;
    int32_t slideOffset = 0;
    int32_t result = -1;
    int32_t panelState = 0;  // 0 in, 1 sliding out or out, 2 sliding in
    int32_t openButton = 0;
    int32_t inButton = 3;
    int32_t closeButton = 6;
    // Pressed and not yet released: 0 none, 1 close, 2 out, 3 in, 4..8 the stats.
    int32_t pressLatch = 0;
    int32_t statButtons[5] = {9, 9, 9, 9, 9};
    CDirect3D* device = nullptr;
    CPlayer* player = nullptr;
    // The values, each fitted to its place on the panel.
    CFitFont fitFont;
    std::unique_ptr<CPicture> panels[2];
    std::unique_ptr<CPicture> buttonPictures[12];
    // The button whose hover sound played last (1 close, 2 out, 3 in).
    uint8_t hoverLatch = 0;

private:
    void input(const CInputState& in);
    void draw();
    void spendPoint(int stat);
};
