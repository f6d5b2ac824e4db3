#include "game/save_alert_box.h"

#include <string>

#include "items/save_alert.h"

bool CSaveAlertBox::take() {
    std::string line0, line1;
    if (!velk::takeSaveAlert(line0, line1)) return false;
    if (!box) {
        box = std::make_unique<CMessageBox>();
        box->init(device_, 250, 200, 0, 0);
    }
    box->setLine(0, line0.c_str());
    box->setLine(1, line1.c_str());
    return true;
}

void CSaveAlertBox::update(const CInputState*) {
    if (box && box->update() != CMessageBox::kOpen) box.reset();
}
