#include "platform/input_state.h"

#include <algorithm>
#include <cstring>

CInputState* g_input = nullptr;

bool CDirectInput::readKeyboard(uint8_t keys[256]) {
    std::memset(keys, 0, 256);
    // The backend re-acquires focus on its own; a failed read never waits.
    if (backend_ && backend_->readKeyboard(keys)) {
        lastResult = 0;
        return true;
    }
    std::memset(keys, 0, 256);
    lastResult = -1;
    return false;
}

bool CDirectInput::readMouse(velk::MouseState& state) {
    state = velk::MouseState{};
    if (backend_ && backend_->readMouse(state)) {
        lastResult = 0;
        return true;
    }
    state = velk::MouseState{};
    lastResult = -1;
    return false;
}

CInputState::CInputState(velk::IBackend* backendIn)
    : backend(backendIn), input(std::make_unique<CDirectInput>(backendIn)) {
    input->create();
}

CInputState::~CInputState() = default;

void CInputState::poll() {
    prevButton = leftButton;
    prevX = mouseX;
    prevY = mouseY;
    ctrlDown = altDown = shiftDown = spaceDown = returnDown = 0;
    upDown = downDown = leftDown = rightDown = 0;
    f1Down = f2Down = f3Down = f4Down = 0;
    leftButton = rightButton = 0;
    moveX = moveY = moveWheel = 0;
    reserved = 0;

    if (backend) backend->beginPoll();

    int x = 0, y = 0;
    if (backend) backend->cursorPosition(x, y);
    mouseX = std::clamp(x, 5, 795);
    mouseY = std::clamp(y, 5, 595);

    if (!input->readKeyboard(keys)) return;
    if (!input->readMouse(mouseState)) return;

    if (mouseState.buttons[0] & 0x80) leftButton = 1;
    if (mouseState.buttons[1] & 0x80) rightButton = 1;
    moveX += float(mouseState.dx);
    moveY += float(mouseState.dy);
    moveWheel += float(mouseState.wheel);

    struct Flag {
        int code;
        uint8_t CInputState::*flag;
    };
    static constexpr Flag kFlags[] = {
        {dik::kLCtrl, &CInputState::ctrlDown}, {dik::kLAlt, &CInputState::altDown},
        {dik::kLShift, &CInputState::shiftDown}, {dik::kSpace, &CInputState::spaceDown},
        {dik::kReturn, &CInputState::returnDown}, {dik::kUp, &CInputState::upDown},
        {dik::kDown, &CInputState::downDown}, {dik::kLeft, &CInputState::leftDown},
        {dik::kRight, &CInputState::rightDown}, {dik::kF1, &CInputState::f1Down},
        {dik::kF2, &CInputState::f2Down}, {dik::kF3, &CInputState::f3Down},
        {dik::kF4, &CInputState::f4Down},
    };
    for (const Flag& f : kFlags)
        if (keys[f.code] & 0x80) this->*(f.flag) = 1;
}
