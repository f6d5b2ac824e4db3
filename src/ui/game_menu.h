#pragma once
// CGameMenu: the small panel at the lower left opened from the HUD's menu
// button: status (opens the status window), give up (asks whether to quit)
// and close. Its update gives kOpen while it stays, kClose to close it and
// kQuit when the player confirmed giving up; the HUD deletes it on either.

#include <cstdint>
#include <memory>

#include "platform/picture.h"
#include "ui/widgets/message_box.h"
#include "ui/status_window.h"

class CDirect3D;
class CPlayer;

class CGameMenu {
public:
    static constexpr int32_t kOpen = -50;
    static constexpr int32_t kClose = -10;
    static constexpr int32_t kQuit = -20;

    CGameMenu() = default;
    ~CGameMenu();
    CGameMenu(const CGameMenu&) = delete;
    CGameMenu& operator=(const CGameMenu&) = delete;

    void init(CDirect3D* device, CPlayer* player);
    int32_t update();

    int8_t result = 0;  // -10 once the close button was clicked
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
    static inline uint8_t hoverLatch = 0;

private:
    void runButtons();
};
