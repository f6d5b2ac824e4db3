#pragma once
// CSaveAlertBox: the window that tells the player a save failed. The owner
// hands it each waiting failure (items/save_alert.h) with `take` and opens
// it above every other window; it shows the lines in a message box until
// OK is clicked, then closes. A later failure replaces the lines. While it
// is open, the windows below get no input.

#include <memory>

#include "widgets/message_box.h"
#include "widgets/window.h"

class CDirect3D;

class CSaveAlertBox : public CWindow {
public:
    explicit CSaveAlertBox(CDirect3D* device) : device_(device) {}

    // Takes a waiting failure into the box. True when it has one to show.
    bool take();
    void update(const CInputState* input) override;
    bool takesInput() const override { return true; }
    bool isOpen() const override { return box != nullptr; }

    std::unique_ptr<CMessageBox> box;

private:
    CDirect3D* device_;
};
