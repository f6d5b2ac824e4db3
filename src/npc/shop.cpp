#include "npc/shop.h"

#include <cstdio>

#include "actors/player.h"
#include "core/effects.h"
#include "items/inventory.h"
#include "items/item_tables.h"
#include "formats/npc_files.h"
#include "npc/shop_rules.h"
#include "formats/talk_format.h"
#include "platform/cp949.h"
#include "platform/direct3d.h"
#include "platform/input_state.h"
#include "platform/sound_bank.h"
#include "widgets/notice_log.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kWhite = 0xFFFFFFFF;
constexpr int kChoiceTranslucency = 80;
constexpr int32_t kRowHeight = 40;
constexpr int32_t kRowTop = 22, kRowBottom = 52;
constexpr int32_t kGoodsLeft = 8, kGoodsRight = 119, kBagLeft = 135, kBagRight = 246;
constexpr int32_t kButtonRowTop = 222, kButtonRowBottom = 255;
constexpr int32_t kBoxX = 300, kBoxY = 230;
constexpr int32_t kTextWidth = 120, kTextHeight = 18;

// Each button: its first picture (normal; +1 hovered, +2 pressed), where it
// is drawn and the area it answers in, relative to the window. The areas
// are tested in this order, so x + 66 belongs to buy.
struct ButtonPlace {
    int picture;
    int32_t drawX, drawY;
    int32_t left, top, right, bottom;
};
constexpr ButtonPlace kButtons[CShop::kButtonCount] = {
    {0, 111, 222, 111, 222, 127, 237},   // goods up
    {3, 111, 239, 111, 239, 127, 255},   // goods down
    {0, 237, 222, 237, 222, 253, 237},   // bag up
    {3, 237, 239, 237, 239, 253, 255},   // bag down
    {6, 128, 222, 128, 222, 192, 255},   // sell
    {9, 2, 222, 2, 222, 66, 255},        // buy
    {12, 66, 222, 66, 222, 110, 255},    // close
};

void play(SoundBuffer EffectBuffers::*effect) { g_soundBank.play(&(g_effects.*effect)); }

void notice(const std::string& cp949) {
    if (g_noticeLog) g_noticeLog->add(cp949.c_str());
}

std::string withName(const char* utf8, const std::string* name) {
    return velk::toCp949(utf8) + "(" + (name ? *name : std::string()) + ")";
}

// Scrolls `scroll` by `step` within 0..limit; past a limit it stops there
// with the "no" sound.
void scrollWithin(int32_t& scroll, int32_t step, int32_t limit) {
    scroll += step;
    if (scroll < 0 || scroll > limit) {
        play(&EffectBuffers::no);
        scroll = scroll < 0 ? 0 : limit;
    } else {
        play(&EffectBuffers::btn0);
    }
}

}  // namespace

void CShop::init(CDirect3D* device, CPlayer* player, int32_t kindIn, int32_t talkNumber) {
    device_ = device;
    player_ = player;
    kind = kindIn;
    window_ = CPicture::loaded(device, "pic/shop.pic");
    choice_ = CPicture::loaded(device, "pic/shop_choice.pic");
    for (size_t i = 0; i < buttons_.size(); ++i) {
        char name[48];
        std::snprintf(name, sizeof name, "pic/shop_btn_%zu.pic", i);
        buttons_[i] = CPicture::loaded(device, name);
    }
    if (!velk::loadShopFile(talkNumber, goods)) goods.clear();
    for (int b = 0; b < kButtonCount; ++b) buttonPictures[size_t(b)] = kButtons[b].picture;
    aruUnit_ = velk::toCp949("아루");
    font_.create(device, "System", 16);
}

bool CShop::weaponShop() const { return kind == velk::kShopKindWeapon; }

int CShop::bagSlot(int32_t row) const { return velk::shopBag(kind).first + row; }

void CShop::update(const CInputState* in) {
    if (!buyBox && !sellBox && !noticeBox && in) input(*in);
    draw();
    if (sellBox) answerSellBox();
    if (noticeBox && noticeBox->update() == CMessageBox::kOk) noticeBox.reset();
    if (buyBox) answerBuyBox();
}

void CShop::input(const CInputState& in) {
    const int32_t mx = in.mouseX, my = in.mouseY;
    const bool down = in.leftButton == 1;
    for (int b = 0; b < kButtonCount; ++b) buttonPictures[size_t(b)] = kButtons[b].picture;
    infoShown = 0;

    const int button = buttonAt(mx, my);
    if (my < y + kButtonRowTop || my > y + kButtonRowBottom) hovered_ = kNone;
    if (button != kNone) {
        if (button != hovered_) play(&EffectBuffers::btn);
        hovered_ = button;
        buttonPictures[size_t(button)] = kButtons[button].picture + (down ? 2 : 1);
        if (down) {
            armed = button;
            if (button == kGoodsUp || button == kGoodsDown) goodsSelection = kNone;
        } else if (armed == button) {
            armed = kNone;
            click(button);
        }
    }
    rows(mx, my, down);
    if (!down) armed = kNone;

    if (in.rightButton == 1) {
        play(&EffectBuffers::btn2);
        if (goodsSelection == kNone && bagSelection != kNone) openSellBox();
        if (goodsSelection != kNone) openBuyBox();
    }
}

int CShop::buttonAt(int32_t mx, int32_t my) const {
    for (int b = 0; b < kButtonCount; ++b) {
        const ButtonPlace& p = kButtons[b];
        if (mx >= x + p.left && mx <= x + p.right && my >= y + p.top && my <= y + p.bottom)
            return active(b) ? b : kNone;
    }
    return kNone;
}

bool CShop::active(int button) const {
    switch (button) {
    case kGoodsUp:
    case kGoodsDown: return goodsCount() > velk::kShopRows;
    case kSell: return bagSelection != kNone;
    case kBuy: return goodsSelection != kNone;
    default: return true;
    }
}

void CShop::click(int button) {
    switch (button) {
    case kGoodsUp:
    case kGoodsDown:
        scrollWithin(goodsScroll, button == kGoodsUp ? -1 : 1, goodsCount() - velk::kShopRows);
        break;
    case kBagUp:
    case kBagDown: scrollWithin(bagScroll, button == kBagUp ? -1 : 1, velk::shopBag(kind).maxScroll()); break;
    case kSell:
        play(&EffectBuffers::btn0);
        openSellBox();
        break;
    case kBuy:
        play(&EffectBuffers::btn0);
        openBuyBox();
        break;
    case kClose:
        play(&EffectBuffers::btn0);
        result = kClosed;
        break;
    default: break;
    }
}

void CShop::rows(int32_t mx, int32_t my, bool down) {
    for (int32_t r = 0; r < velk::kShopRows; ++r) {
        const int32_t top = y + kRowTop + kRowHeight * r;
        if (my < top || my > y + kRowBottom + kRowHeight * r) continue;
        if (mx >= x + kGoodsLeft && mx <= x + kGoodsRight) {
            const int32_t index = goodsScroll + r;
            const velk::ShopItem item =
                index < goodsCount() ? velk::shopItem(kind, goods[size_t(index)]) : velk::ShopItem{};
            if (!item) return;
            const int infoKind = weaponShop() ? velk::kKindWeapon : velk::kKindEnergy;
            if (g_inventory && g_inventory->infoBox) {
                g_inventory->infoBox->show(x + 120, top, item.icon, velk::itemCode(infoKind, item.index), infoKind);
                infoShown = 1;
            }
            if (down) {
                if (armed != kGoodsRow + r) play(&EffectBuffers::btn1);
                armed = kGoodsRow + r;
            } else if (armed == kGoodsRow + r) {
                goodsSelection = index;
                bagSelection = kNone;
            }
        } else if (mx >= x + kBagLeft && mx <= x + kBagRight) {
            if (down) {
                if (armed != kBagRow + r) play(&EffectBuffers::btn1);
                armed = kBagRow + r;
            } else if (armed == kBagRow + r) {
                const int32_t row = bagScroll + r;
                bagSelection = player_->slots[size_t(bagSlot(row))].icon >= 0 ? row : kNone;
                goodsSelection = kNone;
            }
        }
        return;
    }
}

void CShop::openBuyBox() {
    if (buyBox) return;
    buyBox = std::make_unique<CMessageBox>();
    buyBox->init(device_, kBoxX, kBoxY, 1, weaponShop() ? 0 : 1);
    if (weaponShop()) {
        buyBox->setLine(0, velk::toCp949("이것을 구입합니까?").c_str());
        return;
    }
    buyBox->setLine(0, velk::toCp949("얼마큼 구입합니까?").c_str());
    buyBox->setLine(1, velk::toCp949("(1 ~ 100개까지만)").c_str());
    buyBox->maxValue = velk::kShopMaxQuantity;
}

void CShop::openSellBox() {
    if (sellBox) return;
    const ItemSlot& slot = player_->slots[size_t(bagSlot(bagSelection))];
    sellBox = std::make_unique<CMessageBox>();
    sellBox->init(device_, kBoxX, kBoxY, 1, weaponShop() ? 0 : 1);
    if (weaponShop()) {
        sellBox->setLine(0, velk::toCp949("이것을 판매합니까?").c_str());
        return;
    }
    sellBox->setLine(0, velk::toCp949("얼마큼 판매합니까?").c_str());
    const std::string holding = velk::toCp949("(현재 ") + std::to_string(slot.count) + velk::toCp949("개보유)");
    sellBox->setLine(1, holding.c_str());
    sellBox->maxValue = slot.count;
}

void CShop::answerSellBox() {
    const int32_t answer = sellBox->update();
    if (answer == CMessageBox::kCancel) {
        sellBox.reset();
        return;
    }
    const bool sold = weaponShop() ? answer == CMessageBox::kOk : answer > 0;
    if (!sold) return;
    const int slot = bagSlot(bagSelection);
    const velk::ShopItem item = velk::shopItem(kind, player_->slots[size_t(slot)].itemId);
    sellBox.reset();
    if (velk::sellSlot(*player_, kind, slot, weaponShop() ? 1 : answer)) {
        play(&EffectBuffers::out);
        notice(withName("판매했습니다.", item.name));
    }
    bagSelection = kNone;
}

void CShop::answerBuyBox() {
    const int32_t answer = buyBox->update();
    if (answer == CMessageBox::kCancel) {
        buyBox.reset();
        return;
    }
    const bool asked = weaponShop() ? answer == CMessageBox::kOk : answer > 0;
    if (!asked) return;
    buyBox.reset();
    const velk::ShopItem item =
        goodsSelection >= 0 && goodsSelection < goodsCount() ? velk::shopItem(kind, goods[size_t(goodsSelection)])
                                                             : velk::ShopItem{};
    const velk::Purchase bought = velk::buyItem(*player_, kind, item, weaponShop() ? 1 : answer);
    if (bought.outcome == velk::BuyOutcome::Bought) {
        play(&EffectBuffers::eat);
        notice(withName("구매했습니다.", item.name));
    } else if (bought.outcome == velk::BuyOutcome::ShortOfAru) {
        play(&EffectBuffers::no);
        noticeBox = std::make_unique<CMessageBox>();
        noticeBox->init(device_, kBoxX, kBoxY, 0, 0);
        noticeBox->setLine(0, velk::toCp949("아루가 부족합니다.").c_str());
        // What is missing for the whole quantity asked for.
        notice(velk::toCp949("아루가 부족합니다.(") + std::to_string(bought.missing) + ")");
    }
}

void CShop::draw() {
    if (window_) window_->draw(float(x), float(y));
    for (int b = 0; b < kButtonCount; ++b)
        if (const auto& picture = buttons_[size_t(buttonPictures[size_t(b)])])
            picture->draw(float(x + kButtons[b].drawX), float(y + kButtons[b].drawY));
    drawGoods();
    drawBag();
    if (font_.valid()) {
        char aru[16];
        std::snprintf(aru, sizeof aru, "%d", player_->aru);
        font_.draw(x + 185, y + 2, x + 185 + kTextWidth, y + 2 + kTextHeight, kWhite, aru);
    }
    if (infoShown == 1 && g_inventory && g_inventory->infoBox)
        g_inventory->infoBox->draw(g_inventory->itemPack.get(), player_->level);
}

void CShop::drawPrice(int32_t left, int32_t top, int32_t price, uint32_t colour) {
    char text[32];
    std::snprintf(text, sizeof text, "%d%s", price, aruUnit_.c_str());
    font_.draw(left, top, left + kTextWidth, top + kTextHeight, colour, text);
}

void CShop::drawGoods() {
    const CItemPack* pack = g_inventory ? g_inventory->itemPack.get() : nullptr;
    for (int32_t r = 0; r < velk::kShopRows && goodsScroll + r < goodsCount(); ++r) {
        const velk::ShopItem item = velk::shopItem(kind, goods[size_t(goodsScroll + r)]);
        if (!item) continue;
        const int32_t t = y + kRowHeight * r;
        const bool selected = goodsScroll + r == goodsSelection;
        if (pack) pack->drawIcon(float(x + 8), float(t + 23), item.icon + 1);
        for (uint32_t colour : {kBlack, kRed}) {
            if (colour == kRed && !selected) break;
            font_.draw(x + 46, t + 22, x + 46 + kTextWidth, t + 22 + kTextHeight, colour, item.name->c_str());
            drawPrice(x + 46, t + 40, item.buyPrice, colour);
        }
        if (!selected || !choice_) continue;
        if (device_) device_->blendOn(kChoiceTranslucency);
        choice_->draw(float(x + 8), float(t + 22));
        if (device_) device_->blendOff();
    }
}

void CShop::drawBag() {
    const CItemPack* pack = g_inventory ? g_inventory->itemPack.get() : nullptr;
    for (int32_t r = 0; r < velk::kShopRows; ++r) {
        const int32_t row = bagScroll + r;
        const ItemSlot& slot = player_->slots[size_t(bagSlot(row))];
        if (slot.icon < 0) continue;
        const int32_t t = y + kRowHeight * r;
        const bool selected = row == bagSelection;
        if (pack) pack->drawIcon(float(x + 136), float(t + 23), slot.icon + 1);
        const velk::ShopItem item = velk::shopItem(kind, slot.itemId);
        if (item) {
            for (uint32_t colour : {kBlack, kGreen}) {
                if (colour == kGreen && !selected) break;
                font_.draw(x + 173, t + 22, x + 173 + kTextWidth, t + 22 + kTextHeight, colour, item.name->c_str());
                drawPrice(x + 173, t + 40, item.sellPrice, colour);
            }
        }
        if (!weaponShop()) {
            char count[16];
            std::snprintf(count, sizeof count, "%d", slot.count);
            font_.draw(x + 140, t + 40, x + 140 + kTextWidth, t + 40 + kTextHeight, kBlack, count);
        }
        if (!selected || !choice_) continue;
        if (device_) device_->blendOn(kChoiceTranslucency);
        choice_->draw(float(x + 135), float(t + 22));
        if (device_) device_->blendOff();
    }
}
