#pragma once
// CInterface: the HUD along the bottom of the screen (y 500 to 599): the
// hero's bars and numbers, level, money, worn weapon and skill, the four
// quick slots and the two extra worn slots. Its areas open the inventory
// on their tab, its menu button the game menu; hovering shows the item
// information box or a help text; F1-F4 use the quick slots on release.
// It is the window of play above the talk box and under a shop; it runs the
// inventory (made by CGameObjects) and the game menu, its own windows, in
// its pass.

#include <cstdint>
#include <memory>
#include <string>

#include "items/inventory.h"
#include "platform/d3dx_font.h"
#include "platform/picture.h"
#include "ui/game_menu.h"
#include "ui/help_box.h"
#include "widgets/fit_font.h"
#include "widgets/window.h"

class CDirect3D;
class CPlayer;

namespace velk {

constexpr int32_t kHudBarWidth = 114;
// A bar's width for `current` of `maximum`: 114 / (maximum / current) in
// floating point, truncated. No bar for a maximum of 0 or a current value
// of 0 or less; never wider than 114.
int32_t hudBarWidth(int32_t current, int32_t maximum);

// The HUD's areas by the pointer: 1 weapon, 2 skill, 3-6 quick slots, 7 the
// menu button; 0 none.
int hudAreaAt(int32_t x, int32_t y);

}  // namespace velk

class CInterface : public CWindow {
public:
    CInterface() = default;
    ~CInterface() override;

    // Takes the inventory (its item pack loaded) and makes the help box, the
    // pictures and the font; loads the worn weapon's sound and empties any
    // slot whose item the tables do not hold.
    void init(CDirect3D* device, CPlayer* player, CInventory* inventory);
    // Draws the HUD with its windows; without the input (a shop above) it
    // takes none and hides the inventory.
    void update(const CInputState* input) override;

    uint8_t hoverMode = 0;  // 0 nothing, 1 help text, 2 item information box
    CDirect3D* device = nullptr;
    CPlayer* player = nullptr;
    std::unique_ptr<CHelpBox> helpBox;
    std::unique_ptr<CPicture> head;
    std::unique_ptr<CPicture> bar;
    std::unique_ptr<CPicture> hpBar, mpBar, expBar;
    // The HUD's texts, each fitted to its box of the HUD art.
    CFitFont fitFont;
    CInventory* inventory = nullptr;
    std::unique_ptr<CGameMenu> gameMenu;

    uint8_t menuHover = 0;
    int32_t blinkCounter = 0;
    uint8_t hoverLatch = 0;  // the area whose hover sound played last
    uint8_t pressLatch = 0;  // the area pressed and not yet released
    uint8_t quickKeyLatch[4] = {};
    // Set when the player confirmed giving up; the application then quits
    // through its normal shutdown, which saves.
    bool quitRequested = false;

private:
    void drawBars();
    void drawSlots();
    void input(const CInputState& in);
    void slotArea(const CInputState& in, int area);
    void rightClick(int area);
    void quickKeys(const CInputState& in);
    void drawTexts();
};

// The HUD (made by CGameObjects).
extern CInterface* g_interface;
