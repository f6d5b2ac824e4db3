#pragma once
// CHelpBox: the HUD's help text window ("txt/interface/%d.txt"), read again
// only when a different text is chosen. A missing or short file shows the
// lines it has (none when it is missing) and never reads past them.

#include <cstdint>
#include <memory>

#include "items/item_text.h"
#include "platform/d3dx_font.h"
#include "platform/picture.h"
#include "widgets/box_frame.h"

class CDirect3D;

class CHelpBox {
public:
    CHelpBox() = default;
    ~CHelpBox();
    CHelpBox(const CHelpBox&) = delete;
    CHelpBox& operator=(const CHelpBox&) = delete;

    // Loads "pic/info.pic" and its rim and makes the font (height 16).
    void init(CDirect3D* device);
    // Chooses help text `number`; the file is read at the next draw if it changed.
    void select(int32_t number);
    void draw();

    int32_t textNumber = -1;
    uint8_t loaded = 0;
    CDirect3D* device = nullptr;
    std::unique_ptr<CD3dxFont> font;
    std::unique_ptr<CPicture> background;
    CBoxFrame frame;
    velk::TextBoxFile text;  // x, y, size and lines of the loaded text
};
