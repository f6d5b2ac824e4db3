#pragma once
// CScreenModeQuestion: the first start's question "창모드로 할까요?" (play
// in a window?), asked in the game's own window with the game's message box
// and font. OK or Return or Y answers yes (a window), Cancel or Escape or N
// answers no (full screen); a key held when the question opens must be let
// go first. It holds the input while open and closes once answered.

#include <memory>
#include <optional>

#include "widgets/message_box.h"
#include "widgets/window.h"

class CDirect3D;

class CScreenModeQuestion : public CWindow {
public:
    // The box (260 x 130) sits centred a little above the middle, so the
    // pointer, which starts in the middle, covers none of its text.
    static constexpr int kBoxX = (800 - 260) / 2, kBoxY = 170;

    explicit CScreenModeQuestion(CDirect3D* device);

    void update(const CInputState* input) override;
    bool takesInput() const override { return true; }
    bool isOpen() const override { return !answer_; }

    // The answer once given: true for a window.
    std::optional<bool> answer() const { return answer_; }

    std::unique_ptr<CMessageBox> box;

private:
    std::optional<bool> answer_;
    bool keyHeld_ = true;
};
