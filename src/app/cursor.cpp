#include "app/cursor.h"

#include "platform/input_state.h"

void CCursor::init(CDirect3D* deviceIn) {
    device = deviceIn;
    picture = CPicture::loaded(device, "cursor/akman.cur");
}

void CCursor::draw() {
    if (picture && g_input) picture->draw(float(g_input->mouseX), float(g_input->mouseY), 32, 32);
}
