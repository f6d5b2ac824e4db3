#include "items/inventory.h"

#include <cstdio>
#include <string>

#include "core/effects.h"
#include "items/item_rules.h"
#include "items/item_tables.h"
#include "platform/cp949.h"
#include "platform/direct3d.h"
#include "platform/input_state.h"
#include "widgets/button.h"
#include "widgets/notice_log.h"

CInventory* g_inventory = nullptr;

namespace {

constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kRed = 0xFFFF0000;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kInk = 0xFF0B1220;
// A row of the list: the icon at the left of its click area (x + 15 .. 47),
// a little further left so the name beside it gets the room up to the
// parchment's edge; a name line is at most 14 pixels high.
constexpr int kIconLeft = 11;
constexpr int kNameLeft = 45, kNameRight = 95;
constexpr int kLineHeight = 14;
constexpr int kReadableHeight = 12;
constexpr int kChoiceTranslucency = 70;
// Row bands of the list, both ends included.
constexpr int kRowBands[CInventory::kRows][2] = {
    {302, 336}, {337, 368}, {369, 400}, {401, 432}, {433, 465}};

bool inside(const CInputState& in, int x0, int x1, int y0, int y1) {
    return in.mouseX >= x0 && in.mouseX <= x1 && in.mouseY >= y0 && in.mouseY <= y1;
}

bool energyTab(int32_t tab) { return tab >= 2 && tab <= 5; }

// A throw is a click and a move out of the window, easily made by mistake:
// the player is told that the item now lies on the ground.
void noticeThrown() {
    velk::addNotice("아이템을 버렸습니다.");
}

}  // namespace

CInventory::~CInventory() = default;

int32_t CInventory::windowX(int32_t t) {
    static constexpr int32_t kX[6] = {255, 330, 440, 503, 563, 623};
    return t >= 0 && t < 6 ? kX[t] : 0;
}

int CInventory::listFirst(int32_t t) {
    return t == 0 ? velk::kSlotWeaponBagFirst
           : t == 1 ? velk::kSlotSkillBookFirst
                    : velk::kSlotEnergyBagFirst;
}

int CInventory::listLength(int32_t t) {
    return t == 0 ? velk::kSlotEnergyBagFirst - velk::kSlotWeaponBagFirst
           : t == 1 ? velk::kSlotCount - velk::kSlotSkillBookFirst
                    : velk::kSlotSkillBookFirst - velk::kSlotEnergyBagFirst;
}

int32_t CInventory::maxScroll(int32_t t) { return listLength(t) - kRows; }

int CInventory::kindOf(int32_t t) {
    return t == 0 ? velk::kKindWeapon : t == 1 ? velk::kKindSkill : velk::kKindEnergy;
}

bool CInventory::init(CDirect3D* deviceIn, PlayerRecord* playerIn) {
    device = deviceIn;
    player = playerIn;
    infoBox = std::make_unique<CItemInfoBox>();
    infoBox->init(device);
    itemPack = std::make_unique<CItemPack>(device);
    if (!itemPack->load(velk::kItemPackFileName)) return false;
    itemPack->createTextures();
    choice = CPicture::loaded(device, "pic/choice.pic");
    char name[32];
    for (int i = 0; i < 3; ++i) {
        std::snprintf(name, sizeof name, "pic/att%d.pic", i);
        frames[i] = CPicture::loaded(device, name);
    }
    for (int i = 0; i < 9; ++i) {
        std::snprintf(name, sizeof name, "pic/ms_btn_%d.pic", i);
        buttons[i] = CPicture::loaded(device, name);
    }
    fitFont.create(device, {14, 12, 11, 10});
    return true;
}

void CInventory::open(int32_t tabIn) {
    tab = tabIn;
    scroll = 0;
    selectedRow = -1;
}

void CInventory::update(const CInputState* in) {
    if (tab >= 0) draw();
    if (infoVisible == 1) infoBox->draw(itemPack.get(), player ? player->level : 0);
    if (discardBox) runDiscard();
    if (tab >= 0 && in && player) {
        input(*in);
        if (leftButtonUp()) pressLatch = 0;
    }
}

void CInventory::draw() {
    const int32_t x = windowX(tab);
    frames[tab == 0 ? 0 : tab == 1 ? 1 : 2]->draw(float(x), float(kTop));
    noScroll = tab == 1 ? 1 : 0;
    if (player) {
        for (int r = 0; r < kRows; ++r) {
            const ItemSlot& slot = player->slots[size_t(slotOfRow(r))];
            if (slot.icon < 0) continue;
            const int top = 305 + 32 * r;
            itemPack->drawIcon(float(x + kIconLeft), float(top), slot.icon);
            if (energyTab(tab)) {
                const FontRect countBox{x + kIconLeft + 2, top + 19, x + kIconLeft + 32, top + 32};
                fitFont.draw(countBox, kWhite, std::to_string(slot.count), CFitFont::Align::Right, kInk);
            }
            drawName(g_itemTables.name(kindOf(tab), slot.itemId), x, top, r == selectedRow ? kRed : kBlack);
            if (r != selectedRow) continue;
            if (device) device->blendOn(kChoiceTranslucency);
            choice->draw(float(x), float(top));
            if (device) device->blendOff();
        }
    }
    buttons[closePicture]->draw(float(x + 83), 274);
    if (tab != 1) {
        buttons[upPicture]->draw(float(x + 10), 470);
        buttons[downPicture]->draw(float(x + 26), 470);
    }
}

void CInventory::drawName(const std::string& name, int32_t x, int32_t top, uint32_t colour) {
    // One line when it fits at a readable size, else two lines split between
    // syllables (Korean breaks there), both at the size the longer fits.
    const FontRect row{x + kNameLeft, top + 1, x + kNameRight, top + 31};
    const int width = row.right - row.left;
    FontRect ink{};
    CD3dxFont* single = fitFont.fitting(name, width, kLineHeight, &ink);
    if (!single) return;
    if (ink.right - ink.left <= width && single->lineHeight() >= kReadableHeight) {
        fitFont.draw(row, colour, name);
        return;
    }
    const std::string first = velk::cutCp949(name, (name.size() + 1) / 2);
    const std::string second = name.substr(first.size());
    const bool firstLonger = single->measure(first.c_str()) >= single->measure(second.c_str());
    // Each line from the name box's left edge, like the one-line names.
    CD3dxFont* face = fitFont.fitting(firstLonger ? first : second, width, kLineHeight);
    face->draw(row.left, top + 2, row.right, top + 16, colour, first.c_str());
    face->draw(row.left, top + 16, row.right, top + 30, colour, second.c_str());
}

void CInventory::runDiscard() {
    const int32_t amount = discardBox->update();
    if (amount == CMessageBox::kOpen) return;
    discardBox.reset();
    // The slot may have changed while the entry was open (a quick slot put
    // back into the bag): only the item the entry was opened for is thrown.
    if (amount > 0 && player && drops && discardSlot_ >= 0 &&
        player->slots[size_t(discardSlot_)].icon == discardIcon_) {
        ItemSlot& slot = player->slots[size_t(discardSlot_)];
        const int32_t n = amount < slot.count ? amount : slot.count;
        drops->addItem(dropX, dropY, slot.icon, n, slot.itemId, velk::kKindEnergy);
        slot.count -= n;
        if (slot.count < 1) slot.icon = -1;
        noticeThrown();
    }
    discardRow = -1;
    discardSlot_ = -1;
}

bool CInventory::runButton(const CInputState& in, int x0, int x1, int y0, int y1, uint8_t id,
                           int32_t& picture, int32_t base) {
    if (!inside(in, x0, x1, y0, y1)) return false;
    picture = base + 1;
    if (hoverLatch != id) {
        g_soundBank.play(&g_effects.btn);
        hoverLatch = id;
    }
    if (in.leftButton == 1) {
        picture = base + 2;
        pressLatch = id;
    } else if (pressLatch == id) {
        pressLatch = 0;
        if (id == 1) {
            g_soundBank.play(&g_effects.btn0);
            tab = -1;
        } else {
            scrollBy(id == 2 ? -1 : 1);
        }
    }
    return true;
}

void CInventory::scrollBy(int32_t step) {
    selectedRow = -1;
    scroll += step;
    if (scroll < 0 || scroll > maxScroll(tab)) {
        scroll = scroll < 0 ? 0 : maxScroll(tab);
        g_soundBank.play(&g_effects.no);
    } else {
        g_soundBank.play(&g_effects.btn0);
    }
}

void CInventory::input(const CInputState& in) {
    const int32_t x = windowX(tab);
    closePicture = 0;
    upPicture = 3;
    downPicture = 6;
    infoVisible = 0;
    const bool onButton =
        runButton(in, x + 83, x + 99, 274, 290, 1, closePicture, 0) ||
        (noScroll == 0 && (runButton(in, x + 10, x + 25, 470, 486, 2, upPicture, 3) ||
                           runButton(in, x + 26, x + 41, 470, 486, 3, downPicture, 6)));
    if (!onButton) {
        if (in.leftButton == 1) pressLatch = 0;
        hoverLatch = 0;
    }
    if (tab < 0) return;

    if (in.mouseX >= x + 15 && in.mouseX <= x + 47) {
        for (int r = 0; r < kRows; ++r) {
            if (in.mouseY < kRowBands[r][0] || in.mouseY > kRowBands[r][1]) continue;
            const ItemSlot& slot = player->slots[size_t(slotOfRow(r))];
            if (slot.icon >= 0) {
                infoVisible = 1;
                infoBox->show(x + 100, 432, slot.icon, velk::itemCode(kindOf(tab), slot.itemId),
                              kindOf(tab));
            }
            if (in.leftButton == 1) {
                if (selectedRow != r) g_soundBank.play(&g_effects.btn1);
                selectedRow = r;
            }
            if (in.rightButton == 1 && selectedRow == r) useRow(r);
            break;
        }
    }
    if (selectedRow != -1 && in.leftButton == 0 &&
        (in.mouseX < x || in.mouseX > x + 100 || in.mouseY < kTop))
        throwAway();
}

void CInventory::useRow(int row) {
    ItemSlot& slot = player->slots[size_t(slotOfRow(row))];
    if (tab == 0) {
        if (slot.icon < 0) return;
        const WeaponItem* weapon = g_itemTables.weapon(slot.itemId);
        if (weapon && player->level < weapon->requiredLevel) {
            velk::addNotice("착용할 레벨이 아닙니다.");
            selectedRow = -1;
            return;
        }
        g_soundBank.play(&g_effects.btn2);
        std::swap(slot, player->slots[velk::kSlotWornWeapon]);
        if (weaponWorn) weaponWorn();
        selectedRow = -1;
        velk::loadWeaponSound(player->slots[velk::kSlotWornWeapon], &g_effects.weapon);
    } else if (tab == 1) {
        if (slot.icon < 0) return;
        g_soundBank.play(&g_effects.btn2);
        player->slots[velk::kSlotWornSkill] = slot;
    } else {
        g_soundBank.play(&g_effects.btn2);
        std::swap(slot, player->slots[size_t(tab)]);
        selectedRow = -1;
    }
}

void CInventory::throwAway() {
    ItemSlot& slot = player->slots[size_t(slotOfRow(selectedRow))];
    if (energyTab(tab) && slot.icon >= 0 && !discardBox) {
        g_soundBank.play(&g_effects.out);
        discardBox = std::make_unique<CMessageBox>();
        discardBox->init(device, 300, 230, 0, 1);
        discardBox->setLine(0, velk::toCp949("얼마큼 버릴까요?").c_str());
        const std::string holding =
            velk::toCp949("(현재 ") + std::to_string(slot.count) + velk::toCp949("개보유)");
        discardBox->setLine(1, holding.c_str());
        discardBox->maxValue = slot.count;
        discardSlot_ = slotOfRow(selectedRow);
        discardIcon_ = slot.icon;
    } else if (tab == 0 && slot.icon >= 0 && drops) {
        g_soundBank.play(&g_effects.out);
        drops->addItem(dropX, dropY, slot.icon, slot.count, slot.itemId, velk::kKindWeapon);
        slot.icon = -1;
        noticeThrown();
    }
    discardRow = selectedRow;
    selectedRow = -1;
}
