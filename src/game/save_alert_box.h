#pragma once
// CSaveAlertBox: the message box that tells the player a save failed. Each
// paced play frame it takes a waiting failure (items/save_alert.h) and shows
// it until OK is clicked; a later failure replaces the lines.

#include <memory>

#include "ui/widgets/message_box.h"

class CDirect3D;

class CSaveAlertBox {
public:
    void step(CDirect3D* device);
    bool open() const { return box != nullptr; }

    std::unique_ptr<CMessageBox> box;
};
