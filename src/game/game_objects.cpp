#include "game/game_objects.h"

#include "core/effects.h"
#include "game/world.h"
#include "platform/input_state.h"
#include "platform/music.h"
#include "platform/sound_bank.h"
#include "ui/widgets/message_box.h"
#include "ui/widgets/notice_log.h"
#include "world/map_objects.h"
#include "world/mini_map.h"

CMusic* g_music = nullptr;

CGameObjects::CGameObjects(velk::IBackend* backend, CDirect3D* device)
    : backend_(backend), device_(device) {}

CGameObjects::~CGameObjects() { release(); }

bool CGameObjects::create() {
    release();
    g_soundBank.init(backend_);
    soundBankOpen_ = true;
    velk::loadStartupEffects(g_soundBank);

    input = std::make_unique<CInputState>(backend_);
    g_input = input.get();
    CMessageBox::hoverLatch = 0;
    CMessageBox::pressedMarker = 0;

    map = std::make_unique<CMapObjects>(device_);
    miniMap = std::make_unique<CMiniMap>();
    g_miniMap = miniMap.get();
    miniMap->init(device_);
    world = std::make_unique<CWorld>();
    g_world = world.get();
    if (!world->init(device_)) {
        world->player->savesOnExit = false;
        return false;
    }
    miniMap->reload();

    noticeLog = std::make_unique<CNoticeLog>(device_);
    g_noticeLog = noticeLog.get();
    noticeLog->init();
    return true;
}

void CGameObjects::openMusic(const char* fileName) {
    // The old track closes before the new one opens.
    g_music = nullptr;
    music.reset();
    music = std::make_unique<CMusic>(backend_, fileName);
    g_music = music.get();
    music->play();
}

void CGameObjects::release() {
    g_music = nullptr;
    music.reset();
    g_noticeLog = nullptr;
    noticeLog.reset();
    g_world = nullptr;
    world.reset();  // saves the hero, so before the field goes
    g_miniMap = nullptr;
    miniMap.reset();
    map.reset();
    g_input = nullptr;
    input.reset();
    if (soundBankOpen_) {
        velk::releaseEffects(g_soundBank);
        g_soundBank.shutdown();
        soundBankOpen_ = false;
    }
}
