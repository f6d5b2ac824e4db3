#include "widgets/message_box.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/cp949.h"
#include "platform/input_state.h"
#include "widgets/button.h"
#include "widgets/text_input.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

}  // namespace

CMessageBox::~CMessageBox() {
    // A box its owner closes while the entry is open stops the typing too.
    if (withNumber == 1 && g_textInput.active == 1) g_textInput.commit();
}

void CMessageBox::init(CDirect3D* deviceIn, int xIn, int yIn, int kindIn, int withNumberIn) {
    device = deviceIn;
    boxPicture = CPicture::loaded(device, "pic/mss_box.pic");
    char name[32];
    for (int i = 0; i < 6; ++i) {
        std::snprintf(name, sizeof name, "pic/mss_box_btn_%d.pic", i);
        buttonPictures[i] = CPicture::loaded(device, name);
    }
    // Without a font the box still works; it only shows no text.
    font = std::make_unique<CD3dxFont>();
    font->create(device, "System", 16);

    x = xIn;
    y = yIn;
    kind = uint8_t(kindIn);
    withNumber = uint8_t(withNumberIn);
    result = kOpen;
    maxValue = -1;
    if (withNumber == 1) {
        g_textInput.prepare(device, 18);
        g_textInput.createWindow(g_input ? g_input->backend : nullptr, kNumberBytes);
        g_textInput.setColour(kWhite);
        g_textInput.setPlainRect(x + 140, y + 60);
        g_textInput.setMaskedRect(x + 140, y + 60);
        g_textInput.activate();
    }
    lines[0][0] = '\0';
    lines[1][0] = '\0';
}

void CMessageBox::setLine(int index, const char* cp949) {
    if (index < 0 || index > 1) return;
    std::string cut = velk::cutCp949(cp949 ? cp949 : "", kLineBytes - 1);
    std::memcpy(lines[index], cut.c_str(), cut.size() + 1);
}

int32_t CMessageBox::update() {
    runButtons();
    if (leftButtonUp()) pressedMarker = 0;
    draw();
    return result;
}

bool CMessageBox::cursorOver(int left) const {
    const CInputState& in = *g_input;
    return in.mouseX >= left && in.mouseX <= left + 45 && in.mouseY >= y + 95 &&
           in.mouseY <= y + 119;
}

void CMessageBox::runButtons() {
    okPicture = 0;
    cancelPicture = 3;
    if (!g_input) return;
    if (cursorOver(okLeft())) {
        okPicture = 1;
        ButtonFrame frame = overButton(kind == 1 ? 2 : 1, hoverLatch, 1, pressedMarker);
        if (frame == ButtonFrame::Held) {
            okPicture = 2;
        } else if (frame == ButtonFrame::Clicked) {
            if (withNumber == 1)
                acceptNumber();
            else
                result = kOk;
        }
    } else if (kind == 1 && cursorOver(cancelLeft())) {
        cancelPicture = 4;
        ButtonFrame frame = overButton(3, hoverLatch, 2, pressedMarker);
        if (frame == ButtonFrame::Held) {
            cancelPicture = 5;
        } else if (frame == ButtonFrame::Clicked) {
            result = kCancel;
            if (withNumber == 1) g_textInput.commit();
        }
    } else {
        hoverLatch = 0;
    }
}

void CMessageBox::acceptNumber() {
    result = kCancel;
    g_textInput.commit();
    std::string cut = velk::cutCp949(g_textInput.committed, kNumberBytes - 1);
    std::memcpy(numberText, cut.c_str(), cut.size() + 1);
    if (numberText[0] == '\0') return;
    int32_t value = 0;
    for (const char* c = numberText; *c; ++c) {
        if (*c < '0' || *c > '9') return;
        value = value * 10 + (*c - '0');
    }
    if (maxValue != -1 && value > maxValue) return;
    result = value;
}

void CMessageBox::draw() {
    boxPicture->draw(float(x), float(y));
    buttonPictures[okPicture]->draw(float(okLeft()), float(y + 95));
    if (kind == 1) buttonPictures[cancelPicture]->draw(float(cancelLeft()), float(y + 95));
    if (font) {
        for (int i = 0; i < 2; ++i) {
            int top = y + 50 + 16 * i;
            if (lines[i][0]) font->draw(x + 10, top, x + 250, top + 16, kWhite, lines[i]);
        }
    }
    if (withNumber == 1) g_textInput.draw(false);
}
