#pragma once
// CTalkBox: the movable window an NPC talks through. It types its text out
// a byte a frame with coloured lines over it, offers page buttons to leaf
// through a dialogue and bottom buttons to decline or accept, and on
// acceptance carries out the talk's action (travel, a quest run, the pet,
// a mission's rewards). It is a window between the minimap and the HUD;
// while it is open the hero takes no input. A merchant's talk opens a shop
// window on top instead of showing text.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "npc/shop.h"
#include "formats/talk_format.h"
#include "platform/d3dx_font.h"
#include "widgets/fit_font.h"
#include "platform/picture.h"
#include "widgets/window.h"

class CDirect3D;
class CPlayer;

class CTalkBox : public CWindow {
public:
    // Condition files a talk may lead through before it must reach a text.
    static constexpr int kMaxConditionSteps = 16;
    static constexpr uint32_t kTextColour = 0xFF000000;
    // The text length while a shop runs in the box's place.
    static constexpr int32_t kShopRunning = -2;
    // First picture (normal; +1 hovered, +2 pressed) of each button.
    enum Picture : int { kOk = 0, kPrevious = 3, kNext = 6, kDecline = 9, kAccept = 12 };
    enum Button : int32_t { kNoButton, kOkButton, kDeclineButton, kAcceptButton, kPreviousButton, kNextButton };

    CTalkBox() = default;

    void init(CDirect3D* device, CPlayer* player);
    // Reads the talk of NPC `npc` (its mission state and `talkNumber`),
    // following conditions to a talk0 file or a shop. False, with the box
    // closed, when neither can be reached.
    bool openFor(int32_t npc);
    // One frame while open: draws, types out, handles the buttons and drags;
    // nothing while a shop runs (text length below 1).
    void update(const CInputState* input) override;
    bool isOpen() const override { return open != 0; }

    int32_t textLength = 0;
    int32_t x = 280;
    int32_t y = 150;
    int32_t open = 0;
    int32_t talkNumber = 0;
    int32_t lastTalkNumber = -2;
    int32_t shownBytes = 0;
    int32_t npcIndex = 0;
    TalkFile talk;
    std::vector<int32_t> lineShown;
    // The button pressed and not yet released (a Button), or 0.
    int32_t armed = 0;
    // The shop a merchant's talk opened, until its close button.
    std::unique_ptr<CShop> shop;
    // Where the box and its shop open (none in tests that run them alone).
    CWindowHost* windows = nullptr;
    // Who speaks (CP949), shown on a tab over the box; empty: no tab.
    std::string speaker;

private:
    bool readTalk(const std::string& firstName);
    void draw(const CInputState* input);
    void input(const CInputState& input);
    void shopClosed();
    struct Place {
        Button button;
        int picture;
        int32_t left, top;
    };
    // The buttons the current modes show, where they stand.
    std::vector<Place> places() const;
    void click(Button button);
    void close();
    void act();
    void travel(int32_t map, int8_t questStep);
    bool charge(int32_t price);
    void giveRewards();

    CDirect3D* device_ = nullptr;
    CPlayer* player_ = nullptr;
    CD3dxFont font_;
    std::unique_ptr<CPicture> boxPicture_;
    std::unique_ptr<CPicture> nameTab_;
    CFitFont nameFont_;
    std::array<std::unique_ptr<CPicture>, 15> buttons_;
    Button hovered_ = kNoButton;
    bool wasDown_ = false;
};
