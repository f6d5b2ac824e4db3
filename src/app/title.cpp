#include "app/title.h"

#include "core/effects.h"
#include "platform/direct3d.h"
#include "platform/sound_bank.h"
#include "platform/input_state.h"
#include "widgets/button.h"

void CTitle::init(CDirect3D* deviceIn) {
    device = deviceIn;
    background = CPicture::loaded(device, "pic/titleback.pic");
    pictures[0] = CPicture::loaded(device, "pic/title.pic");
    pictures[1] = CPicture::loaded(device, "pic/d_start.pic");
    pictures[2] = CPicture::loaded(device, "pic/b_start.pic");
    buttonState = 1;
    pressed = 0;
    hoverSounded = 0;
    startKeyHeld = true;
}

int CTitle::step() {
    const CInputState& in = *g_input;
    buttonState = 1;
    if (in.mouseX >= kButtonX && in.mouseX <= kButtonRight && in.mouseY >= kButtonY &&
        in.mouseY <= kButtonBottom) {
        buttonState = 2;
        if (overButton(1, hoverSounded, 1, pressed) == ButtonFrame::Clicked) buttonState = 3;
    } else {
        hoverSounded = 0;
    }
    const bool startKey = in.returnDown || in.spaceDown;
    if (startKey && !startKeyHeld) {
        if (!hoverSounded) g_soundBank.play(&g_effects.btn);
        g_soundBank.play(&g_effects.btn0);
        buttonState = 3;
    }
    startKeyHeld = startKey;
    if (buttonState == 3) return 1;

    background->draw(0, 0, 800, 600);
    pictures[0]->draw(130, 20);
    pictures[buttonState]->draw(600, 500);
    return 0;
}
