#pragma once
// CInventory: the window in which the hero looks through the bags, wears a
// weapon, chooses the skill, fills the four quick slots and throws items
// away. It works on the hero's record and keeps no items of its own; what
// it throws away lands in the world's drop list. It is a window of the HUD,
// which runs it in its own pass. It also owns the item services every part
// reaches through `g_inventory`: the item pack and the information box.
//
// Tabs: 0 weapon bag (slots 8-17, wears into slot 0), 1 skill book (48-52,
// chosen into slot 1), 2-5 energy bag (18-47, swapped with quick slot 2-5).
// Five rows show at once; the window's top edge is at y 250.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "items/drop_list.h"
#include "items/item_info_box.h"
#include "items/item_pack.h"
#include "items/player_record.h"
#include "platform/picture.h"
#include "widgets/fit_font.h"
#include "widgets/message_box.h"
#include "widgets/window.h"

class CDirect3D;

class CInventory : public CWindow {
public:
    static constexpr int kRows = 5;
    static constexpr int32_t kTop = 250;

    CInventory() = default;
    ~CInventory() override;

    // Makes the information box, loads the item pack ("itm/itm.ipk") with
    // its icons and the window's pictures. False when the pack cannot be
    // loaded (`itemPack->error` says why): the game cannot run.
    bool init(CDirect3D* device, PlayerRecord* player);
    // Opens tab `tab` at its first row with nothing selected.
    void open(int32_t tabIn);
    // Draws the open window and, when it has the input, handles it; throws
    // away at (dropX, dropY) into `drops`.
    void update(const CInputState* input) override;

    // The window's left edge for a tab, the first slot and length of its
    // list, its highest scroll, and the item kind it shows.
    static int32_t windowX(int32_t tab);
    static int listFirst(int32_t tab);
    static int listLength(int32_t tab);
    static int32_t maxScroll(int32_t tab);
    static int kindOf(int32_t tab);
    // The slot visible row `row` shows on the open tab.
    int slotOfRow(int row) const { return listFirst(tab) + scroll + row; }

    int32_t tab = -1;
    int32_t scroll = 0;
    int32_t discardRow = -1;
    int32_t selectedRow = -1;
    int32_t noScroll = 0;
    int32_t infoVisible = 0;
    CDirect3D* device = nullptr;
    // The rows' names and counts, fitted to the row beside the icon.
    CFitFont fitFont;
    std::unique_ptr<CItemPack> itemPack;
    PlayerRecord* player = nullptr;
    // The map's drop list (the world's), where thrown items land.
    CDropList* drops = nullptr;
    // Where thrown items land this frame (the HUD sets it from the hero).
    int32_t dropX = 0, dropY = 0;
    // Told when a weapon is worn: the old weapon's shots in flight end.
    std::function<void()> weaponWorn;
    std::unique_ptr<CItemInfoBox> infoBox;
    std::unique_ptr<CPicture> frames[3];
    std::unique_ptr<CPicture> choice;
    std::unique_ptr<CPicture> buttons[9];
    // The number entry of a discard, while one is open.
    std::unique_ptr<CMessageBox> discardBox;

    // The window's buttons: this frame's pictures, the button a press went
    // down on (1 close, 2 up, 3 down) and the one whose hover sound played
    // last.
    int32_t closePicture = 0;
    int32_t upPicture = 3;
    int32_t downPicture = 6;
    uint8_t pressLatch = 0;
    uint8_t hoverLatch = 0;

private:
    void draw();
    // An item's name in its row beside the icon, row top `top`.
    void drawName(const std::string& name, int32_t x, int32_t top, uint32_t colour);
    void runDiscard();
    void input(const CInputState& in);
    bool runButton(const CInputState& in, int x0, int x1, int y0, int y1, uint8_t id, int32_t& picture,
                   int32_t base);
    void scrollBy(int32_t step);
    void useRow(int row);
    void throwAway();

    // The slot and item a discard entry was opened for.
    int discardSlot_ = -1;
    int32_t discardIcon_ = -1;
};

// The one inventory (made by the HUD, installed by CGameObjects).
extern CInventory* g_inventory;
