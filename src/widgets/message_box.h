#pragma once
// CMessageBox: the modal box with two text lines and an OK button, or OK and
// Cancel, optionally with a number entry (the shared CTextInput). Its owner
// calls update once per paced frame and deletes the box on any result other
// than kOpen.

#include <cstdint>
#include <memory>

#include "platform/d3dx_font.h"
#include "platform/picture.h"

class CDirect3D;

class CMessageBox {
public:
    static constexpr int32_t kOpen = -50;
    static constexpr int32_t kOk = -20;
    static constexpr int32_t kCancel = -10;  // also an empty, invalid or too large number
    static constexpr int kLineBytes = 30;    // 29 bytes of CP949 and the terminator
    static constexpr int kNumberBytes = 4;

    CMessageBox() = default;
    ~CMessageBox();
    CMessageBox(const CMessageBox&) = delete;
    CMessageBox& operator=(const CMessageBox&) = delete;

    // kind 0: OK only; kind 1: OK and Cancel. withNumber 1 opens the number
    // entry. Lines start empty and maxValue at -1 (no limit).
    void init(CDirect3D* device, int x, int y, int kind, int withNumber);
    // Copies a CP949 line, cut to 29 bytes without splitting a character.
    void setLine(int index, const char* cp949);
    // Runs the buttons, draws, and returns `result`.
    int32_t update();

    int32_t x = 0;
    int32_t y = 0;
    int32_t result = kOpen;
    int32_t maxValue = -1;
    uint8_t kind = 0;
    uint8_t withNumber = 0;
    char lines[2][kLineBytes] = {};
    char numberText[kNumberBytes] = {};
    CDirect3D* device = nullptr;
    std::unique_ptr<CPicture> boxPicture;
    // 0-2 OK normal, cursor over it, pressed; 3-5 the same for Cancel.
    std::unique_ptr<CPicture> buttonPictures[6];
    std::unique_ptr<CD3dxFont> font;

    // The button pictures of this frame, the hover-sound latch (1 OK of a
    // one-button box, 2 OK of a two-button box, 3 Cancel) and the button the
    // left button went down on (1 OK, 2 Cancel).
    int32_t okPicture = 0;
    int32_t cancelPicture = 3;
    uint8_t hoverLatch = 0;
    uint8_t pressedMarker = 0;

private:
    void runButtons();
    void acceptNumber();
    void draw();
    int okLeft() const { return kind == 1 ? x + 150 : x + 100; }
    int cancelLeft() const { return x + 200; }
    // Button hit areas are 46 x 25 pixels, both ends included.
    bool cursorOver(int left) const;
};
