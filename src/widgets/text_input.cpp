#include "widgets/text_input.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/cp949.h"

CTextInput g_textInput;

CTextInput::~CTextInput() = default;

bool CTextInput::prepare(CDirect3D* deviceIn, int fontHeight) {
    caretPos = 0;
    parentWindow = nullptr;
    active = 0;
    caretOn = 0;
    maskedRect = FontRect{};
    plainRect = FontRect{};
    colour = 0;
    committed[0] = '\0';
    clearText();
    device = deviceIn;
    // Every box prepares the input again: the new font replaces the old one.
    font = std::make_unique<CD3dxFont>();
    return font->create(device, "System", fontHeight);
}

void CTextInput::createWindow(velk::IBackend* parent, int maxLengthIn) {
    parentWindow = parent;
    maxLength = maxLengthIn;
    clearText();
}

void CTextInput::setPlainRect(int x, int y) { plainRect = FontRect{x, y, x + 800, y + 20}; }

void CTextInput::setMaskedRect(int x, int y) { maskedRect = FontRect{x, y, x + 800, y + 20}; }

void CTextInput::activate() {
    active = 1;
    caretOn = 0;
    caretTimed_ = false;
    clearText();
    if (!parentWindow) return;
    parentWindow->enableTextInput(true);
    // Whatever was typed before the entry opened does not belong to it.
    parentWindow->takeTypedText();
    parentWindow->takeBackspaces();
}

void CTextInput::draw(bool masked) {
    if (active != 1) return;
    takeTyped();
    caretPos = liveLength;
    uint32_t now = nowMs();
    if (!caretTimed_) {
        caretTime_ = now;
        caretTimed_ = true;
    } else if (now - caretTime_ > kCaretMs) {
        caretOn = caretOn ? 0 : 1;
        caretTime_ = now;
    }

    // The live text and the caret bar, or an asterisk a character.
    char shown[kTextBytes + 1];
    int n = 0;
    if (masked) {
        for (size_t i = 0; i < size_t(liveLength); ++n) {
            char32_t code;
            i += velk::decodeCp949(liveText, size_t(liveLength), i, code);
            shown[n] = '*';
        }
    } else {
        std::memcpy(shown, liveText, size_t(liveLength));
        n = liveLength;
    }
    if (caretOn == 1) shown[n++] = '|';
    shown[n] = '\0';
    const FontRect& r = masked ? maskedRect : plainRect;
    if (font) font->draw(r.left, r.top, r.right, r.bottom, colour, shown);

    if (parentWindow) parentWindow->enableTextInput(true);
}

void CTextInput::commit() {
    // Characters typed in the frame of the click still count.
    takeTyped();
    std::memcpy(committed, liveText, size_t(liveLength) + 1);
    active = 0;
    caretPos = 0;
    clearText();
    if (parentWindow) parentWindow->enableTextInput(false);
}

void CTextInput::takeTyped() {
    if (!parentWindow) return;
    for (int n = parentWindow->takeBackspaces(); n > 0 && liveLength > 0; --n) {
        // CP949 cannot be walked backwards: find the last character's start.
        size_t last = 0;
        for (size_t i = 0; i < size_t(liveLength);) {
            char32_t code;
            last = i;
            i += velk::decodeCp949(liveText, size_t(liveLength), i, code);
        }
        liveLength = int32_t(last);
        liveText[liveLength] = '\0';
    }
    std::string typed = parentWindow->takeTypedText();
    if (typed.empty()) return;
    std::string text = velk::toCp949(typed);
    for (size_t i = 0; i < text.size();) {
        char32_t code;
        size_t bytes = velk::decodeCp949(text.data(), text.size(), i, code);
        append(text.data() + i, int(bytes));
        i += bytes;
    }
}

void CTextInput::append(const char* cp949, int bytes) {
    // Tab, Enter, Escape and the other control characters never enter the text.
    if (bytes == 1 && (uint8_t(cp949[0]) < 0x20 || cp949[0] == 0x7F)) return;
    // The limit counts the terminator, and the game reads back no more than
    // that: a character past it would sit in the text unseen.
    int limit = std::clamp(maxLength, 1, kTextBytes) - 1;
    if (liveLength + bytes > limit) return;
    std::memcpy(liveText + liveLength, cp949, size_t(bytes));
    liveLength += bytes;
    liveText[liveLength] = '\0';
}

void CTextInput::clearText() {
    liveText[0] = '\0';
    liveLength = 0;
}

uint32_t CTextInput::nowMs() const {
    if (!parentWindow) return 0;
    uint64_t ticks = parentWindow->counter();
    uint64_t perSecond = parentWindow->frequency();
    if (perSecond == 0) return 0;
    return uint32_t(ticks / perSecond * 1000 + ticks % perSecond * 1000 / perSecond);
}
