#include "ui/interface.h"


#include "actors/player.h"
#include "core/effects.h"
#include "items/item_rules.h"
#include "items/item_tables.h"
#include "formats/save_file.h"
#include "platform/direct3d.h"
#include "platform/input_state.h"
#include "widgets/button.h"
#include "world/field.h"

CInterface* g_interface = nullptr;

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kYellow = 0xFFFFFF00;

struct HudArea {
    int x0, x1, y0, y1;
    int slot;
    int kind;        // of the slot's item
    int infoX, infoY;
    int helpText;    // -1 none
};
// Areas 1-7; the quick slots 5 and 6 show their box where slot 4 does.
constexpr HudArea kAreas[7] = {
    {315, 368, 510, 558, 0, velk::kKindWeapon, 320, 400, -1},
    {385, 440, 510, 558, 1, velk::kKindSkill, 390, 400, 5},
    {496, 550, 510, 558, 2, velk::kKindEnergy, 501, 400, 6},
    {560, 614, 510, 558, 3, velk::kKindEnergy, 565, 400, 7},
    {617, 674, 510, 558, 4, velk::kKindEnergy, 565, 400, 8},
    {679, 730, 510, 558, 5, velk::kKindEnergy, 565, 400, 9},
    {5, 47, 507, 549, -1, 0, 0, 0, 0},
};
constexpr int kMenuArea = 7;
constexpr int kQuickX[4] = {510, 570, 630, 690};
constexpr uint32_t kCream = 0xFFFFF4D6;
// The boxes of the HUD art the texts live in (right and bottom exclusive):
// the insides of the three bars, the level and name plates, the purse, and
// the quick slots' wells (their counts sit in the lower right corner).
constexpr FontRect kBarBoxes[3] = {{162, 504, 276, 518}, {162, 524, 276, 538}, {162, 543, 276, 555}};
constexpr FontRect kLevelBox = {74, 508, 117, 529};
constexpr FontRect kNameBox = {57, 535, 117, 555};
constexpr FontRect kPurseBox = {32, 570, 118, 590};
constexpr int kQuickWellX[4] = {496, 560, 617, 679};
constexpr int kQuickWellWidth = 54;
constexpr FontRect quickCountBox(int q) {
    return {kQuickWellX[q] + 3, 545, kQuickWellX[q] + kQuickWellWidth - 3, 557};
}
constexpr uint32_t kInk = 0xFF0B1220;
constexpr int kBlinkOn = 5, kBlinkOff = 10;
// From the hero's foot point to where its thrown items land (16 x 16 boxes).
constexpr int32_t kDropAtBodyX = 8, kDropAtBodyY = 16;

}  // namespace

namespace velk {

int32_t hudBarWidth(int32_t current, int32_t maximum) {
    if (maximum <= 0 || current <= 0) return 0;
    if (current >= maximum) return kHudBarWidth;
    return int32_t(float(kHudBarWidth) / (float(maximum) / float(current)));
}

int hudAreaAt(int32_t x, int32_t y) {
    for (int a = 0; a < 7; ++a)
        if (x >= kAreas[a].x0 && x <= kAreas[a].x1 && y >= kAreas[a].y0 && y <= kAreas[a].y1)
            return a + 1;
    return 0;
}

}  // namespace velk

CInterface::~CInterface() = default;

void CInterface::init(CDirect3D* deviceIn, CPlayer* playerIn, CInventory* inventoryIn) {
    device = deviceIn;
    player = playerIn;
    inventory = inventoryIn;
    inventory->weaponWorn = [p = playerIn] { p->shotsInFlight = 0; };
    velk::emptyUnknownSlots(player->slots, player->origin() == velk::SaveOrigin::Save
                                               ? velk::kSaveFileName
                                               : velk::kNewGameFileName);
    helpBox = std::make_unique<CHelpBox>();
    helpBox->init(device);
    bar = CPicture::loaded(device, "pic/interface.pic");
    hpBar = CPicture::loaded(device, "pic/hp.pic");
    mpBar = CPicture::loaded(device, "pic/mp.pic");
    expBar = CPicture::loaded(device, "pic/point.pic");
    head = CPicture::loaded(device, "pic/Head.pic");
    velk::loadWeaponSound(player->slots[velk::kSlotWornWeapon], &g_effects.weapon);
    fitFont.create(device, {16, 14, 12, 11, 10});
}

void CInterface::update(const CInputState* in) {
    drawBars();
    bar->draw(0, 500, 800, float(bar->height));
    if (menuHover == 1) {
        head->draw(1, 507, 64, float(head->height));
    } else if (player->statPoints > 0) {
        ++blinkCounter;
        if (blinkCounter >= kBlinkOn && blinkCounter <= kBlinkOff)
            head->draw(1, 507, 64, float(head->height));
        if (blinkCounter >= kBlinkOff) blinkCounter = 0;
    }
    drawSlots();
    const bool paused = g_field && g_field->pauseFlag;
    if (!paused && in) {
        input(*in);
        if (leftButtonUp()) pressLatch = 0;
    }
    if (in) {
        // Thrown items land where the hero's body is: the hero's position is
        // its foot point, and a drop there would lie below the pick-up box.
        inventory->dropX = player->x - kDropAtBodyX;
        inventory->dropY = player->y - kDropAtBodyY;
        inventory->update(in);
    }
    if (hoverMode == 1) helpBox->draw();
    if (hoverMode == 2) inventory->infoBox->draw(inventory->itemPack.get(), player->level);
    if (gameMenu) {
        gameMenu->update(in);
        if (gameMenu->outcome == CGameMenu::kQuit) quitRequested = true;
        if (!gameMenu->isOpen()) gameMenu.reset();
    }
    drawTexts();
}

void CInterface::drawBars() {
    const CPlayer& p = *player;
    const struct {
        const CPicture* picture;
        int32_t current, maximum;
        float y;
    } bars[3] = {{hpBar.get(), p.hp, p.maxHp, 504},
                 {mpBar.get(), p.mp, p.maxMp, 524},
                 {expBar.get(), p.exp, p.expNext, 543}};
    for (const auto& b : bars) {
        const int32_t w = velk::hudBarWidth(b.current, b.maximum);
        if (w > 0) b.picture->draw(162, b.y, float(w), float(b.picture->height));
    }
}

void CInterface::drawSlots() {
    const CItemPack& pack = *inventory->itemPack;
    const auto& s = player->slots;
    if (s[0].icon >= 0) pack.drawIcon(324, 518, s[0].icon + 1);
    if (s[1].icon >= 0) pack.drawIcon(399, 518, s[1].icon);
    for (int q = 0; q < 4; ++q) {
        const ItemSlot& slot = s[size_t(velk::kSlotQuickFirst + q)];
        if (slot.icon < 0) continue;
        pack.drawIcon(float(kQuickX[q]), 518, slot.icon + 1);
        // Over the icon's corner, ringed so it reads on any icon.
        fitFont.draw(quickCountBox(q), kWhite, std::to_string(slot.count), CFitFont::Align::Right, kInk);
    }
    if (s[6].icon >= 0) pack.drawIcon(747, 518, s[6].icon);
    if (s[7].icon >= 0) pack.drawIcon(747, 540, s[7].icon);
}

void CInterface::input(const CInputState& in) {
    hoverMode = 0;
    menuHover = 0;
    const int area = velk::hudAreaAt(in.mouseX, in.mouseY);
    const bool menuAnswers = area == kMenuArea && !gameMenu;
    if (area == 0 || in.mouseX < 5 || (area == kMenuArea && !menuAnswers)) {
        hoverLatch = 0;
    } else if (hoverLatch != area) {
        g_soundBank.play(&g_effects.btn);
        hoverLatch = uint8_t(area);
    }
    if (area >= 1 && area <= 6) {
        slotArea(in, area);
    } else if (menuAnswers) {
        menuHover = 1;
        hoverMode = 1;
        helpBox->select(0);
        if (in.leftButton == 1) {
            pressLatch = kMenuArea;
        } else if (pressLatch == kMenuArea) {
            g_soundBank.play(&g_effects.btn0);
            gameMenu = std::make_unique<CGameMenu>();
            gameMenu->init(device, player);
            pressLatch = 0;
            blinkCounter = 0;
        }
    }
    quickKeys(in);
}

void CInterface::slotArea(const CInputState& in, int area) {
    const HudArea& a = kAreas[area - 1];
    const ItemSlot& slot = player->slots[size_t(a.slot)];
    if (a.helpText >= 0) helpBox->select(a.helpText);
    if (slot.icon >= 0) {
        hoverMode = 2;
        const int32_t code = velk::itemCode(a.kind, slot.itemId);
        inventory->infoBox->show(a.infoX, a.infoY, slot.icon, code, a.kind);
    } else if (a.helpText >= 0) {
        hoverMode = 1;
    }
    if (in.leftButton == 1) {
        pressLatch = uint8_t(area);
    } else if (pressLatch == area) {
        g_soundBank.play(&g_effects.btn0);
        inventory->open(a.slot);
        pressLatch = 0;
    }
    if (in.rightButton == 1 && slot.icon >= 0) rightClick(area);
}

void CInterface::rightClick(int area) {
    ItemSlot& slot = player->slots[size_t(kAreas[area - 1].slot)];
    if (area == 2) {
        slot.icon = -1;
    } else if (area >= 3) {
        for (int s = velk::kSlotEnergyBagFirst; s < velk::kSlotSkillBookFirst; ++s) {
            ItemSlot& bag = player->slots[size_t(s)];
            if (bag.icon != -1) continue;
            bag = slot;
            slot.icon = -1;
            break;
        }
    }
    if (area >= 2) g_soundBank.play(&g_effects.out);
}

void CInterface::quickKeys(const CInputState& in) {
    const uint8_t down[4] = {in.f1Down, in.f2Down, in.f3Down, in.f4Down};
    for (int k = 0; k < 4; ++k) {
        if (down[k]) {
            quickKeyLatch[k] = 1;
        } else if (quickKeyLatch[k]) {
            quickKeyLatch[k] = 0;
            const auto gain = velk::useEnergyItem(player->slots[size_t(velk::kSlotQuickFirst + k)]);
            if (!gain) continue;
            g_soundBank.play(&g_effects.eat_e);
            player->heal(gain->hp, gain->mp);
        }
    }
}

void CInterface::drawTexts() {
    const CPlayer& p = *player;
    using Align = CFitFont::Align;
    fitFont.draw(kLevelBox, kYellow, std::to_string(p.level), Align::Centre);
    const std::string bars[3] = {std::to_string(p.hp) + "/" + std::to_string(p.maxHp),
                                 std::to_string(p.mp) + "/" + std::to_string(p.maxMp),
                                 std::to_string(p.exp) + "/" + std::to_string(p.expNext)};
    for (int i = 0; i < 3; ++i) fitFont.draw(kBarBoxes[i], kWhite, bars[i], Align::Centre, kInk);
    fitFont.draw(kPurseBox, kWhite, std::to_string(p.aru), Align::Right);
    fitFont.draw(kNameBox, kCream, p.name, Align::Centre);
}
