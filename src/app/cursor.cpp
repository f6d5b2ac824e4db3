#include "app/cursor.h"

#include "platform/input_state.h"

void CCursor::init(CDirect3D* deviceIn) {
    device = deviceIn;
    picture = std::make_unique<CPicture>(device);
    picture->load("cursor/akman.cur");
    picture->createTexture();
}

void CCursor::draw() {
    if (picture && g_input) picture->draw(float(g_input->mouseX), float(g_input->mouseY), 32, 32);
}
