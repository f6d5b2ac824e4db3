#include "npc/npc.h"

#include "actors/boss.h"
#include "formats/npc_files.h"
#include "platform/files.h"
#include "platform/input_state.h"
#include "world/field.h"

CNpc::CNpc(CDirect3D* device, CPlayer* player) : device_(device), player_(player) {}

CNpc::~CNpc() { saveStates(); }

void CNpc::load() {
    sprites = std::make_unique<CSpriteSet>();
    sprites->bind(device_);
    sprites->load(kSpriteSet);
    sprites->createTextures();
    talkBox = std::make_unique<CTalkBox>();
    talkBox->init(device_, player_);
    talkBox->windows = windows;

    count = 0;
    records.clear();
    names.clear();
    const int32_t map = g_field->mapNumber;
    std::vector<NpcRecord> placed;
    const bool positions = velk::loadNpcPositions(map, placed);
    std::vector<int8_t> states;
    // Without its mission-state file a map has no people, whatever its
    // position file says. (A boss map then reads its town's states: see
    // CWorld::loadNpcs.)
    if (!velk::loadMissionStates(map, placed.size(), states)) {
        if (!placed.empty())
            velk::reportBadFile(velk::missionStateName(map), "missing: the " + std::to_string(placed.size()) +
                                                               " people of the position file stay away");
        g_field->quest.missionStates.clear();
        return;
    }
    if (!positions)
        velk::reportBadFile(velk::npcPositionFileName(map), "missing: the map's mission states have nobody to go with");
    records = std::move(placed);
    count = int32_t(records.size());
    names = velk::loadNpcNames(map);
    g_field->quest.npcMissionInfo = (g_field->quest.npcMissionInfo & 0xFFF000) | (count & 0xFFF);
    g_field->quest.missionStates = std::move(states);
}

void CNpc::saveStates() const {
    if (count > 0) velk::writeMissionStates(g_field->mapNumber, g_field->quest.missionStates);
}

void CNpc::screenPosition(size_t i, int32_t& sx, int32_t& sy) const {
    const AnimationStep* step = sprites ? sprites->currentStep(0) : nullptr;
    sx = records[i].x + (step ? step->offsetX : 0) - g_field->camera.x;
    sy = records[i].y + (step ? step->offsetY : 0) - g_field->camera.y;
}

void CNpc::step() {
    draw();
    if (!talkBox->open) clickTest();
}

void CNpc::draw() const {
    for (size_t i = 0; i < records.size(); ++i) {
        int32_t sx = 0, sy = 0;
        screenPosition(i, sx, sy);
        if (!drawnAt(sx, sy)) continue;
        if (const AnimationStep* step = sprites->currentStep(records[i].animRow))
            sprites->drawFrame(step->frame, sx, sy);
    }
}

void CNpc::clickTest() {
    if (!g_input || !g_input->leftButton) return;
    for (size_t i = 0; i < records.size(); ++i) {
        // The NPC's place in the list picks the frame whose box is tested.
        const FrameBox* box = sprites->bodyBox(int(i));
        if (!box) continue;
        int32_t sx = 0, sy = 0;
        screenPosition(i, sx, sy);
        const int32_t mx = g_input->mouseX, my = g_input->mouseY;
        if (mx < sx + box->left || mx > sx + box->right || my < sy + box->top || my > sy + box->bottom) continue;
        const int32_t talk = records[i].talkNumber;
        talkBox->speaker = i < names.size() ? names[i] : std::string();
        if (talkBox->lastTalkNumber != talk) {
            talkBox->talkNumber = talk;
            // Nothing to show (a missing or broken file): the box stays shut.
            if (!talkBox->openFor(int32_t(i))) continue;
        }
        talkBox->lastTalkNumber = talk;
        talkBox->open = 1;
        if (windows) windows->open(talkBox.get(), WindowLayer::Talk);
    }
}
