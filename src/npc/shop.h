#pragma once
// CShop: the window a merchant's talk opens. The goods of the shop file on
// the left, the hero's bag of the matching kind on the right, five rows
// each with scroll buttons; a selected good is bought and a selected bag
// row sold through yes/no boxes (with a number entry for energy items).
// The talk box opens it on top of the windows, where it holds the input
// from the HUD and the minimap, and deletes it once it closed.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx_font.h"
#include "platform/picture.h"
#include "widgets/message_box.h"
#include "widgets/window.h"

class CDirect3D;
class CPlayer;

class CShop : public CWindow {
public:
    static constexpr int32_t kOpen = -1;
    static constexpr int32_t kClosed = -30;
    static constexpr int32_t kNone = -1;
    enum Button : int { kGoodsUp, kGoodsDown, kBagUp, kBagDown, kSell, kBuy, kClose, kButtonCount };

    CShop() = default;

    // Loads the pictures, reads the goods of "txt/npc/shop/shop_<talk>.txt"
    // (none when it cannot be read) and makes the font.
    void init(CDirect3D* device, CPlayer* player, int32_t kind, int32_t talkNumber);
    // One paced frame: input unless a box is open, drawing, the boxes'
    // answers.
    void update(const CInputState* input) override;
    bool takesInput() const override { return true; }
    bool isOpen() const override { return result != kClosed; }
    bool weaponShop() const;

    int32_t x = 300;
    int32_t y = 200;
    int32_t kind = 0;
    std::vector<int32_t> goods;
    // The picture each button shows this frame.
    std::array<int32_t, kButtonCount> buttonPictures{};
    // The pressed button (a Button), goods row (kGoodsRow + r) or bag row
    // (kBagRow + r) waiting for its release; kNone.
    int32_t armed = kNone;
    int32_t goodsScroll = 0;
    int32_t bagScroll = 0;
    int32_t goodsSelection = kNone;  // index into goods
    int32_t bagSelection = kNone;    // row within the bag
    int32_t result = kOpen;
    int32_t infoShown = 0;
    std::unique_ptr<CMessageBox> buyBox, sellBox, noticeBox;

    static constexpr int32_t kGoodsRow = 10;
    static constexpr int32_t kBagRow = 20;

private:
    void input(const CInputState& in);
    int buttonAt(int32_t mx, int32_t my) const;
    bool active(int button) const;
    void click(int button);
    void rows(int32_t mx, int32_t my, bool down);
    void openBuyBox();
    void openSellBox();
    void draw();
    void drawGoods();
    void drawBag();
    void drawPrice(int32_t left, int32_t top, int32_t price, uint32_t colour);
    void answerSellBox();
    void answerBuyBox();
    int32_t goodsCount() const { return int32_t(goods.size()); }
    int bagSlot(int32_t row) const;

    CDirect3D* device_ = nullptr;
    CPlayer* player_ = nullptr;
    CD3dxFont font_;
    std::unique_ptr<CPicture> window_;
    std::unique_ptr<CPicture> choice_;
    std::array<std::unique_ptr<CPicture>, 15> buttons_;
    int hovered_ = kNone;
    std::string aruUnit_;  // "아루" in CP949
};
