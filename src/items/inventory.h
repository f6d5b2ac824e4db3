#pragma once
// CInventory: the window in which the hero looks through the bags, wears a
// weapon, chooses the skill, fills the four quick slots and throws items
// away. It works on the hero's record and keeps no items of its own. It
// also owns the item services every part reaches through `g_inventory`:
// the item pack, the information box and the drop list.
//
// Tabs: 0 weapon bag (slots 8-17, wears into slot 0), 1 skill book (48-52,
// chosen into slot 1), 2-5 energy bag (18-47, swapped with quick slot 2-5).
// Five rows show at once; the window's top edge is at y 250.

#include <cstdint>
#include <memory>
#include <string>

#include "items/drop_list.h"
#include "items/item_info_box.h"
#include "items/item_pack.h"
#include "items/player_record.h"
#include "platform/d3dx_font.h"
#include "platform/picture.h"
#include "ui/widgets/message_box.h"

class CDirect3D;

class CInventory {
public:
    static constexpr int kRows = 5;
    static constexpr int32_t kTop = 250;

    CInventory() = default;
    ~CInventory();
    CInventory(const CInventory&) = delete;
    CInventory& operator=(const CInventory&) = delete;

    // Makes the information box, loads the item pack ("itm/itm.ipk") with
    // its icons, the window's pictures and the drop list. False when the
    // pack cannot be loaded (`itemPack->error` says why): the game cannot run.
    bool init(CDirect3D* device, PlayerRecord* player);
    // Opens tab `tab` at its first row with nothing selected.
    void open(int32_t tabIn);
    // Draws the open window and handles its input; throws away at the
    // hero's map position; wearing a weapon clears `shotsInFlight`.
    void update(int32_t heroX, int32_t heroY, int32_t& shotsInFlight);

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
    std::unique_ptr<CD3dxFont> font;
    std::unique_ptr<CItemPack> itemPack;
    PlayerRecord* player = nullptr;
    std::unique_ptr<CDropList> drops;
    std::unique_ptr<CItemInfoBox> infoBox;
    std::unique_ptr<CPicture> frames[3];
    std::unique_ptr<CPicture> choice;
    std::unique_ptr<CPicture> buttons[9];
    // The number entry of a discard, while one is open.
    std::unique_ptr<CMessageBox> discardBox;

    // Shared by the window's buttons: this frame's pictures, the button a
    // press went down on (1 close, 2 up, 3 down) and the one whose hover
    // sound played last.
    static inline int32_t closePicture = 0;
    static inline int32_t upPicture = 3;
    static inline int32_t downPicture = 6;
    static inline uint8_t pressLatch = 0;
    static inline uint8_t hoverLatch = 0;

private:
    void draw();
    void runDiscard(int32_t heroX, int32_t heroY);
    void input(int32_t heroX, int32_t heroY, int32_t& shotsInFlight);
    bool runButton(int x0, int x1, int y0, int y1, uint8_t id, int32_t& picture, int32_t base);
    void scrollBy(int32_t step);
    void useRow(int row, int32_t& shotsInFlight);
    void throwAway(int32_t heroX, int32_t heroY);

    // The slot and item a discard entry was opened for.
    int discardSlot_ = -1;
    int32_t discardIcon_ = -1;
};

// The one inventory (made by the HUD).
extern CInventory* g_inventory;
