#pragma once
// CTextInput: the game's one typing field (the message box's number entry).
// Characters typed in the game window reach it through the backend's text
// input, as they reached a hidden edit control; it keeps that control's
// text, draws it with a blinking caret and hands it over on commit.

#include <cstdint>
#include <memory>

#include "platform/d3dx_font.h"

class CDirect3D;

namespace velk {
class IBackend;
}

class CTextInput {
public:
    static constexpr int kTextBytes = 256;
    static constexpr uint32_t kCaretMs = 500;

    CTextInput() = default;
    ~CTextInput();
    CTextInput(const CTextInput&) = delete;
    CTextInput& operator=(const CTextInput&) = delete;

    // Clears the input and makes its font; false if the font could not be made.
    bool prepare(CDirect3D* device, int fontHeight);
    // Attaches the input to the game window (the backend) and limits the text:
    // `maxLength` counts a terminator, so at most maxLength - 1 bytes of CP949
    // are held, never splitting a two-byte character.
    void createWindow(velk::IBackend* parent, int maxLength);
    void setColour(uint32_t argb) { colour = argb; }
    // Each rectangle becomes (x, y, x + 800, y + 20).
    void setPlainRect(int x, int y);
    void setMaskedRect(int x, int y);
    // Starts editing an empty text; characters typed earlier are dropped.
    void activate();
    // Takes what was typed since the last frame and draws the text (or one
    // asterisk a character when masked) with the caret. Nothing unless active.
    void draw(bool masked);
    // Ends editing: the text moves to `committed` and typing stops.
    void commit();

    int32_t caretPos = 0;
    std::unique_ptr<CD3dxFont> font;
    CDirect3D* device = nullptr;
    velk::IBackend* parentWindow = nullptr;
    int32_t active = 0;
    int32_t caretOn = 0;
    FontRect maskedRect;
    FontRect plainRect;
    uint32_t colour = 0;
    char committed[kTextBytes] = {};

    char liveText[kTextBytes] = {};  // the text being typed, CP949, terminated
    int32_t liveLength = 0;
    int32_t maxLength = 0;

private:
    // Applies the backspaces and characters typed since the last call.
    void takeTyped();
    void append(const char* cp949, int bytes);
    void clearText();
    uint32_t nowMs() const;

    // Time of the last caret toggle; taken at the entry's first draw.
    uint32_t caretTime_ = 0;
    bool caretTimed_ = false;
};

// The number entry shared by every message box.
extern CTextInput g_textInput;
