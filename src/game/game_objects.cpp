#include "game/game_objects.h"

#include <filesystem>

#include "actors/combat.h"
#include "core/effects.h"
#include "platform/cp949.h"
#include "game/window_stack.h"
#include "game/world.h"
#include "items/inventory.h"
#include "items/item_pack.h"
#include "items/item_tables.h"
#include "platform/input_state.h"
#include "platform/music.h"
#include "platform/sound_bank.h"
#include "ui/interface.h"
#include "widgets/notice_log.h"
#include "world/field.h"
#include "world/map_objects.h"
#include "world/mini_map.h"

CMusic* g_music = nullptr;

CGameObjects::CGameObjects(velk::IBackend* backend, CDirect3D* device)
    : backend_(backend), device_(device) {}

CGameObjects::~CGameObjects() { release(); }

void CGameObjects::connectCombatItems() {
    velk::CombatItems& items = velk::g_combatItems;
    items.weaponAttack = [](int32_t weaponIndex) {
        const WeaponItem* weapon = g_itemTables.weapon(weaponIndex);
        return weapon ? weapon->attack : 0;
    };
    items.skill = [](int32_t itemId, velk::SkillUse& out) {
        const SkillItem* skill = g_itemTables.skill(itemId);  // slots hold table indices
        if (!skill) return false;
        out.type = skill->skillKind;
        out.value = skill->baseAttack;
        out.mpCost = skill->mpCost;
        return true;
    };
    items.addCoins = [](int32_t x, int32_t y, int32_t money, int32_t action) {
        g_world->drops.addCoins(x, y, action, money);
    };
    items.addEffect = [](int32_t x, int32_t y, int32_t action) { g_world->drops.addEffect(x, y, action); };
    items.drawItemPicture = [](int32_t icon, int32_t x, int32_t y) {
        g_inventory->itemPack->drawIcon(float(x), float(y), icon);
    };
}

bool CGameObjects::create() {
    release();
    g_soundBank.init(backend_);
    soundBankOpen_ = true;
    velk::loadStartupEffects(g_soundBank);

    input = std::make_unique<CInputState>(backend_);
    g_input = input.get();
    windows = std::make_unique<CWindowStack>();

    map = std::make_unique<CMapObjects>(device_);
    miniMap = std::make_unique<CMiniMap>();
    g_miniMap = miniMap.get();
    miniMap->init(device_);
    world = std::make_unique<CWorld>();
    g_world = world.get();
    world->windows = windows.get();
    if (!world->init(device_)) {
        error = "cannot load the first map, maps/map_" + std::to_string(g_field->mapNumber) +
                ".mmf (run with --verbose for the reason)";
        world->player->savesOnExit = false;
        return false;
    }
    inventory = std::make_unique<CInventory>();
    if (!inventory->init(device_, world->player.get())) {
        error = "cannot load the item pack, " + inventory->itemPack->error;
        world->player->savesOnExit = false;
        return false;
    }
    g_inventory = inventory.get();
    world->drops.init(device_);
    inventory->drops = &world->drops;
    hud = std::make_unique<CInterface>();
    g_interface = hud.get();
    hud->init(device_, world->player.get(), inventory.get());
    world->player->seams.pickUp = [](const FrameBox& box) {
        return g_world->drops.pickup(box.left, box.top, box.right, box.bottom, g_world->player->slots);
    };
    windows->open(miniMap.get(), WindowLayer::Map);
    windows->open(hud.get(), WindowLayer::Hud);
    saveAlert = std::make_unique<CSaveAlertBox>(device_);

    connectCombatItems();

    // The worn weapon's attack sound, so every attack sounds from the start.
    if (const char* sound = velk::weaponSoundFile(world->player->slots[0].icon))
        g_soundBank.loadEffect(sound, &g_effects.weapon);
    miniMap->reload();

    noticeLog = std::make_unique<CNoticeLog>(device_);
    g_noticeLog = noticeLog.get();
    noticeLog->init();
    const std::string& copy = world->player->damagedSaveCopy;
    if (!copy.empty()) {
        // The player hears of a damaged save at once, and where it was kept.
        noticeLog->add(velk::toCp949("저장 파일이 손상되었습니다").c_str());
        std::string where = velk::toCp949("사본: ") + copy;
        if (where.size() >= size_t(CNoticeLog::kLineBytes))
            where = velk::toCp949("사본: ") + std::filesystem::path(copy).filename().string();
        noticeLog->add(where.c_str());
    }
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

void CGameObjects::showSaveFailures() {
    const bool shown = saveAlert->isOpen();
    if (saveAlert->take() && !shown) windows->open(saveAlert.get(), WindowLayer::Top);
}

void CGameObjects::release() {
    saveAlert.reset();
    g_music = nullptr;
    music.reset();
    g_noticeLog = nullptr;
    noticeLog.reset();
    velk::g_combatItems = {};
    g_interface = nullptr;
    hud.reset();
    g_inventory = nullptr;
    inventory.reset();
    g_world = nullptr;
    world.reset();  // saves the hero, so before the field goes
    g_miniMap = nullptr;
    miniMap.reset();
    map.reset();
    windows.reset();
    g_input = nullptr;
    input.reset();
    if (soundBankOpen_) {
        velk::releaseEffects(g_soundBank);
        g_soundBank.shutdown();
        soundBankOpen_ = false;
    }
}
