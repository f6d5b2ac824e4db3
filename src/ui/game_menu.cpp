#include "ui/game_menu.h"

#include <cstdio>

#include "platform/cp949.h"
#include "platform/input_state.h"
#include "core/effects.h"
#include "widgets/button.h"

namespace {

struct MenuButton {
    int x0, x1, y0, y1;
    int32_t picture;  // normal picture; + 1 cursor over it, + 2 pressed
};
constexpr MenuButton kButtons[3] = {
    {2, 126, 412, 444, 0}, {2, 126, 445, 477, 3}, {110, 126, 382, 398, 6}};

}  // namespace

CGameMenu::~CGameMenu() = default;

void CGameMenu::init(CDirect3D* deviceIn, CPlayer* playerIn) {
    device = deviceIn;
    player = playerIn;
    background = CPicture::loaded(device, "pic/menu.pic");
    char name[32];
    for (int i = 0; i < 6; ++i) {
        std::snprintf(name, sizeof name, "pic/menu_btn_%d.pic", i);
        pictures[i] = CPicture::loaded(device, name);
    }
    for (int i = 0; i < 3; ++i) {
        std::snprintf(name, sizeof name, "pic/ms_btn_%d.pic", i);
        pictures[6 + i] = CPicture::loaded(device, name);
    }
}

void CGameMenu::update(const CInputState* in) {
    if (quitQuestion) {
        statusWindow.reset();
        const int32_t answer = quitQuestion->update();
        if (answer == CMessageBox::kOpen) return;
        quitQuestion.reset();
        outcome = answer == CMessageBox::kOk ? kQuit : kClose;
        return;
    }
    if (in) {
        runButtons(*in);
        if (leftButtonUp()) pressedButton = 0;
    }
    background->draw(0, 380);
    pictures[statusPicture]->draw(2, 412);
    pictures[quitPicture]->draw(2, 445);
    pictures[closePicture]->draw(110, 382);
    if (statusWindow) {
        statusWindow->update(in);
        // The menu stays open for the frame its status window closes.
        if (!statusWindow->isOpen()) {
            statusWindow.reset();
            return;
        }
    }
    if (result != 0) outcome = result;
}

void CGameMenu::runButtons(const CInputState& in) {
    statusPicture = 0;
    quitPicture = 3;
    closePicture = 6;
    int32_t* pictureOf[3] = {&statusPicture, &quitPicture, &closePicture};
    for (int b = 0; b < 3; ++b) {
        const MenuButton& m = kButtons[b];
        if (in.mouseX < m.x0 || in.mouseX > m.x1 || in.mouseY < m.y0 || in.mouseY > m.y1) continue;
        const int id = b + 1;
        *pictureOf[b] = m.picture + 1;
        if (hoverLatch != id) {
            g_soundBank.play(&g_effects.btn);
            hoverLatch = uint8_t(id);
        }
        if (in.leftButton == 1) {
            *pictureOf[b] = m.picture + 2;
            pressedButton = id;
        } else if (pressedButton == id) {
            pressedButton = 0;
            if (b == 0 && !statusWindow) {
                g_soundBank.play(&g_effects.btn0);
                statusWindow = std::make_unique<CStatusWindow>();
                statusWindow->init(device, player);
            } else if (b == 1 && !quitQuestion) {
                g_soundBank.play(&g_effects.btn0);
                quitQuestion = std::make_unique<CMessageBox>();
                quitQuestion->init(device, 300, 100, 1, 0);
                quitQuestion->setLine(0, velk::toCp949("정말로 모험을 포기합니까?").c_str());
            } else if (b == 2) {
                g_soundBank.play(&g_effects.btn0);
                result = int8_t(kClose);
            }
        }
        return;
    }
    hoverLatch = 0;
}
