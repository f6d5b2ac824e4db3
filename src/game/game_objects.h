#pragma once
// CGameObjects: the play objects every part reads through the game's global
// pointers. It makes them in the order the game needs (the sound bank and
// its effects, the input state, the window stack, the map objects, the
// minimap, the world, the inventory with the item pack, the HUD, the notice
// log, an empty music slot), installs every global pointer, opens the
// minimap and the HUD on the window stack, and tears everything down in
// reverse order; the world saves the hero as it goes, while the field still
// stands. The application, the test fixtures and the benchmarks all build
// through it.

#include <memory>
#include <string>

#include "game/save_alert_box.h"

class CDirect3D;
class CInputState;
class CInterface;
class CInventory;
class CMapObjects;
class CMiniMap;
class CMusic;
class CNoticeLog;
class CWindowStack;
class CWorld;

namespace velk {
class IBackend;
}

// The one open music track (none until the game opens one).
extern CMusic* g_music;

class CGameObjects {
public:
    CGameObjects(velk::IBackend* backend, CDirect3D* device);
    ~CGameObjects();
    CGameObjects(const CGameObjects&) = delete;
    CGameObjects& operator=(const CGameObjects&) = delete;

    // Makes every play object. False when the first map or the item pack
    // cannot be loaded (`error` says which): the game cannot start, and the
    // world is gone again without saving.
    bool create();

    // Replaces the music track with `fileName` and starts it.
    void openMusic(const char* fileName);

    std::unique_ptr<CInputState> input;
    // The open windows of play; the paced frame runs them after the world.
    std::unique_ptr<CWindowStack> windows;
    // Opens the save alert above every window when a save failed since the
    // last call; the paced frame calls it before running the windows.
    void showSaveFailures();
    std::unique_ptr<CMapObjects> map;
    std::unique_ptr<CMiniMap> miniMap;
    std::unique_ptr<CWorld> world;
    std::unique_ptr<CInventory> inventory;
    std::unique_ptr<CInterface> hud;
    std::unique_ptr<CNoticeLog> noticeLog;
    std::unique_ptr<CMusic> music;
    // Tells the player of a failed save, above every other window.
    std::unique_ptr<CSaveAlertBox> saveAlert;
    std::string error;

private:
    void release();
    // Gives combat the item tables, the drop list and the item pictures.
    void connectCombatItems();

    velk::IBackend* backend_;
    CDirect3D* device_;
    bool soundBankOpen_ = false;
};
