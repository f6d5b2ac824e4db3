#include "app/title.h"

#include "platform/direct3d.h"
#include "platform/input_state.h"
#include "platform/sound_bank.h"

namespace {
std::unique_ptr<CPicture> loadPicture(CDirect3D* device, const char* name) {
    auto picture = std::make_unique<CPicture>(device);
    picture->load(name);
    picture->createTexture();
    return picture;
}
}  // namespace

void CTitle::init(CDirect3D* deviceIn) {
    device = deviceIn;
    background = loadPicture(device, "pic/titleback.pic");
    pictures[0] = loadPicture(device, "pic/title.pic");
    pictures[1] = loadPicture(device, "pic/d_start.pic");
    pictures[2] = loadPicture(device, "pic/b_start.pic");
    buttonState = 1;
    pressed = 0;
    hoverSounded = 0;
}

int CTitle::step() {
    const CInputState& in = *g_input;
    buttonState = 1;
    if (in.mouseX >= kButtonX && in.mouseX <= kButtonRight && in.mouseY >= kButtonY &&
        in.mouseY <= kButtonBottom) {
        buttonState = 2;
        if (hoverSounded != 1) {
            g_soundBank.play(&g_effects.btn);
            hoverSounded = 1;
        }
        if (in.leftButton == 1) {
            pressed = 1;
        } else if (pressed == 1) {
            g_soundBank.play(&g_effects.btn0);
            pressed = 0;
            buttonState = 3;
        }
    } else {
        hoverSounded = 0;
    }
    if (buttonState == 3) return 1;

    background->draw(0, 0, 800, 600);
    pictures[0]->draw(130, 20);
    pictures[buttonState]->draw(600, 500);
    return 0;
}
