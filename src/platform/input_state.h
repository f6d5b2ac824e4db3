// Not DirectInput: CDirectInput and CInputState read the SDL or headless backend.
#pragma once
// CInputState: the keyboard and mouse read once per paced frame into flags.
// Consumers read the fields directly and keep their own once-per-press
// latches.

#include <cstdint>
#include <memory>

#include "platform/backend.h"

// DirectInput key codes the game polls; the backend maps its keys onto them.
namespace dik {
constexpr int kLCtrl = 0x1D;
constexpr int kLAlt = 0x38;
constexpr int kLShift = 0x2A;
constexpr int kSpace = 0x39;
constexpr int kReturn = 0x1C;
constexpr int kEscape = 0x01;
constexpr int kUp = 0xC8;
constexpr int kDown = 0xD0;
constexpr int kLeft = 0xCB;
constexpr int kRight = 0xCD;
constexpr int kF1 = 0x3B;
constexpr int kF2 = 0x3C;
constexpr int kF3 = 0x3D;
constexpr int kF4 = 0x3E;
}  // namespace dik

// The thin device wrapper: reads go through the backend, which reports
// failure while the window has no focus.
class CDirectInput {
public:
    explicit CDirectInput(velk::IBackend* backend) : backend_(backend) {}
    virtual ~CDirectInput() = default;
    bool create() { return backend_ != nullptr; }
    bool readKeyboard(uint8_t keys[256]);
    bool readMouse(velk::MouseState& state);

    int32_t lastResult = 0;

private:
    velk::IBackend* backend_;
};

class CInputState {
public:
    explicit CInputState(velk::IBackend* backend);
    ~CInputState();
    CInputState(const CInputState&) = delete;
    CInputState& operator=(const CInputState&) = delete;

    void poll();

    velk::IBackend* backend = nullptr;
    std::unique_ptr<CDirectInput> input;
    uint8_t keys[256] = {};
    velk::MouseState mouseState;

    uint8_t ctrlDown = 0, altDown = 0, shiftDown = 0, spaceDown = 0;
    uint8_t returnDown = 0;
    uint8_t upDown = 0, downDown = 0, leftDown = 0, rightDown = 0;
    uint8_t f1Down = 0, f2Down = 0, f3Down = 0, f4Down = 0;
    uint8_t leftButton = 0;
    uint8_t rightButton = 0;
    int32_t mouseX = 0;
    int32_t mouseY = 0;
    uint8_t prevButton = 0;
    int32_t prevX = 0, prevY = 0;
    float moveX = 0, moveY = 0, moveWheel = 0;
    uint8_t reserved = 0;
};

// The input state every part reads (made by CGameObjects).
extern CInputState* g_input;
