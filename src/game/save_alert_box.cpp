#include "game/save_alert_box.h"

#include <string>

#include "items/save_alert.h"

void CSaveAlertBox::step(CDirect3D* device) {
    std::string line0, line1;
    if (velk::takeSaveAlert(line0, line1)) {
        if (!box) {
            box = std::make_unique<CMessageBox>();
            box->init(device, 250, 200, 0, 0);
        }
        box->setLine(0, line0.c_str());
        box->setLine(1, line1.c_str());
    }
    if (box && box->update() != CMessageBox::kOpen) box.reset();
}
