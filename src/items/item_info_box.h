#pragma once
// CItemInfoBox: an item's picture, name, values and description, shown while
// the pointer rests on an item (bags, HUD slots, shop). The description file
// is read only when a different item is shown; the box never covers the HUD
// (its bottom stays at or above y 500) nor leaves the screen on the right.

#include <cstdint>
#include <memory>

#include "items/item_text.h"
#include "platform/d3dx_font.h"
#include "platform/picture.h"
#include "widgets/box_frame.h"

class CDirect3D;
class CItemPack;

class CItemInfoBox {
public:
    // Used when an item has no readable description file.
    static constexpr int32_t kFallbackWidth = 230;
    static constexpr int32_t kFallbackHeight = 100;

    CItemInfoBox() = default;
    ~CItemInfoBox();
    CItemInfoBox(const CItemInfoBox&) = delete;
    CItemInfoBox& operator=(const CItemInfoBox&) = delete;

    // Loads "pic/info.pic" (the box's background), its rim and the two
    // fonts (17, 25).
    void init(CDirect3D* device);
    // kind -1 weapon, -2 skill, -3 energy item; `code` is the item code.
    void show(int32_t x, int32_t y, int32_t icon, int32_t code, int kind);
    // Draws with the icons of `pack`; the required level shows red above
    // `heroLevel`.
    void draw(const CItemPack* pack, int32_t heroLevel);

    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t icon = -1;
    int32_t code = -1;
    int32_t lineCount = 0;
    uint8_t kind = 0;  // 255 weapon, 254 skill, 253 energy item
    std::vector<std::string> lines;
    // Description files read so far (a file is read only when the item changes).
    int32_t loads = 0;
    CDirect3D* device = nullptr;
    std::unique_ptr<CD3dxFont> detailFont;
    std::unique_ptr<CD3dxFont> nameFont;
    std::unique_ptr<CPicture> background;
    CBoxFrame frame;

private:
    bool loadedOnce_ = false;
    void loadDescription(int kindIn);
};
