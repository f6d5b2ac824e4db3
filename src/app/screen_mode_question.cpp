#include "app/screen_mode_question.h"

#include "core/effects.h"
#include "platform/cp949.h"
#include "platform/input_state.h"
#include "platform/sound_bank.h"

namespace {

constexpr int kKeyY = 0x15, kKeyN = 0x31;

}  // namespace

CScreenModeQuestion::CScreenModeQuestion(CDirect3D* device) : box(std::make_unique<CMessageBox>()) {
    box->init(device, kBoxX, kBoxY, 1, 0);
    box->setLine(0, velk::toCp949("창모드로 할까요?").c_str());
    box->setLine(1, velk::toCp949("확인: 창모드, 취소: 전체화면").c_str());
}

void CScreenModeQuestion::update(const CInputState* input) {
    if (answer_) return;
    const int32_t result = box->update();
    if (result == CMessageBox::kOk || result == CMessageBox::kCancel) {
        answer_ = result == CMessageBox::kOk;
        return;
    }
    if (!input) return;
    auto down = [&](int key) { return (input->keys[key] & 0x80) != 0; };
    const bool yes = down(dik::kReturn) || down(kKeyY);
    const bool no = down(dik::kEscape) || down(kKeyN);
    if (!keyHeld_ && yes != no) {
        g_soundBank.play(&g_effects.btn0);
        answer_ = yes;
    }
    keyHeld_ = yes || no;
}
