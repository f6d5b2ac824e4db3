#pragma once
// CGameMenu: the small panel at the lower left opened from the HUD's menu
// button: status (opens the status window), give up (asks whether to quit)
// and close. A window of the HUD, which runs it in its own pass: `outcome`
// stays kOpen while it is open, becomes kClose when it closes and kQuit
// when the player confirmed giving up; the HUD deletes it on either.

#include <cstdint>
#include <memory>

#include "platform/picture.h"
#include "widgets/message_box.h"
#include "ui/status_window.h"
#include "widgets/window.h"

class CDirect3D;
class CPlayer;

class CGameMenu : public CWindow {
public:
    static constexpr int32_t kOpen = -50;
    static constexpr int32_t kClose = -10;
    static constexpr int32_t kQuit = -20;

    CGameMenu() = default;
    ~CGameMenu() override;

    void init(CDirect3D* device, CPlayer* player);
    // The quit question while it is open; else the buttons (when the menu
    // has the input), the panel and the status window.
    void update(const CInputState* input) override;
    bool isOpen() const override { return outcome == kOpen; }

    int8_t result = 0;  // -10 once the close button was clicked
    int32_t outcome = kOpen;
    int32_t statusPicture = 0;
    int32_t quitPicture = 3;
    int32_t closePicture = 6;
    int32_t pressedButton = 0;  // 1 status, 2 quit, 3 close
    CDirect3D* device = nullptr;
    CPlayer* player = nullptr;
    std::unique_ptr<CPicture> background;
    // 0-5 "pic/menu_btn_%d.pic", 6-8 "pic/ms_btn_%d.pic" 0..2.
    std::unique_ptr<CPicture> pictures[9];
    std::unique_ptr<CStatusWindow> statusWindow;
    std::unique_ptr<CMessageBox> quitQuestion;
    // The button whose hover sound played last (1 status, 2 quit, 3 close).
    uint8_t hoverLatch = 0;

private:
    void runButtons(const CInputState& in);
};
