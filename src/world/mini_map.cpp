#include "world/mini_map.h"

#include <algorithm>

#include "core/effects.h"
#include "platform/direct3d.h"
#include "platform/sound_bank.h"
#include "platform/input_state.h"
#include "widgets/button.h"
#include "world/field.h"
#include "formats/minimap_files.h"
#include "world/object_set.h"
#include "world/tile_set.h"

CMiniMap* g_miniMap = nullptr;

namespace {

// The view: 42 columns and 36 rows of 4-pixel cells from (13, 35).
constexpr int32_t kViewColumns = 41, kViewRows = 35;
constexpr int32_t kCell = 4;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint8_t kShrinkId = 1, kEnlargeId = 2;

bool inside(int32_t mx, int32_t my, float left, float top, float right, float bottom) {
    return mx >= left && mx <= right && my >= top && my <= bottom;
}

}  // namespace

CMiniMap::CMiniMap() = default;
CMiniMap::~CMiniMap() = default;

void CMiniMap::init(CDirect3D* device) {
    device_ = device;
    const char* frameNames[] = {"pic/minimap_small.pic", "pic/minimap_middle.pic", "pic/minimap_large.pic"};
    for (size_t i = 0; i < frames_.size(); ++i) frames_[i] = CPicture::loaded(device, frameNames[i]);
    back_ = CPicture::loaded(device, "pic/minimap_back.pic");
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i] = CPicture::loaded(device, ("pic/mini_btn_" + std::to_string(i) + ".pic").c_str());
    nameFont_ = std::make_unique<CD3dxFont>();
    if (nameFont_->create(device, "", 28)) {
        textFont_ = std::make_unique<CD3dxFont>();
        textFont_->create(device, "", 16);
    }
}

void CMiniMap::reload() {
    velk::loadMinimapName(g_field->mapNumber, mapName);
    // A quest map without its text shows an empty back rather than the last run's lines.
    questLines.clear();
    if (g_field->quest.step != 0) velk::loadQuestText(g_field->mapNumber, questLines);
}

CMiniMap::View CMiniMap::viewFor(int32_t camCol, int32_t camRow, int32_t columns, int32_t rows) {
    View v{camCol, camRow, false, false};
    if (camCol >= columns - kViewColumns) v = {columns - kViewColumns, v.row, true, false};
    if (camRow >= rows - kViewRows) {
        v.row = rows - kViewRows;
        v.rowClamped = true;
    }
    return v;
}

void CMiniMap::update(const CInputState* input) {
    if (size != kSmall) {
        if (back_ && device_) {
            device_->blendOn(170);
            back_->draw(x + 13, y + 33, 161, 141);
            device_->blendOff();
        }
        if (g_field->quest.step != 0) {
            if (textFont_ && textFont_->valid())
                for (size_t j = 0; j < questLines.size(); ++j) {
                    const int top = int(y) + 38 + 20 * int(j);
                    textFont_->draw(int(x) + 15, top, int(x) + 800, top + 20, kWhite, questLines[j].c_str(),
                                    int(questLines[j].size()));
                }
        } else {
            drawMap();
        }
    }
    if (frames_[size_t(size)]) frames_[size_t(size)]->draw(x, y);
    if (size == kLarge && nameFont_ && nameFont_->valid())
        nameFont_->draw(int(x) + 15, int(y) + 190, int(x) + 800, int(y) + 230, kWhite, mapName.c_str(),
                        int(mapName.size()));
    if (input) {
        buttons(*input);
    } else {
        shrinkPicture = size == kSmall ? 6 : 0;
        enlargePicture = size == kLarge ? 7 : 1;
    }
    if (buttons_[size_t(shrinkPicture)]) buttons_[size_t(shrinkPicture)]->draw(x + 120, y + 10);
    if (buttons_[size_t(enlargePicture)]) buttons_[size_t(enlargePicture)]->draw(x + 138, y + 10);
}

void CMiniMap::drawTileWalk(bool upper, const View& v) {
    const CField& f = *g_field;
    const float w = float(g_tileSet->tileWidth / 8), h = float(g_tileSet->tileHeight / 8);
    const float shiftX = v.columnClamped ? 0.0f : float(f.camera.fineX / 8);
    const float shiftY = v.rowClamped ? 0.0f : float(f.camera.fineY / 8);
    const int32_t heroColumn = f.camera.playerCellX * 8 / 32, heroRow = f.camera.playerCellY * 8 / 32;
    for (int32_t i = v.row - 1; i <= v.row + kViewRows - 1; ++i) {
        if (i < 0) continue;
        for (int32_t j = v.column - 1; j <= v.column + kViewColumns - 1; ++j) {
            if (j < 0) continue;
            const float sx = x + 13 + float(kCell * (j - v.column)), sy = y + 35 + float(kCell * (i - v.row));
            const int32_t t = upper ? f.upperTile(j, i) : f.lowerTile(j, i);
            const bool drawn = upper ? t != 0 : t >= 0 && t <= g_tileSet->lastTileIndex;
            if (drawn && t >= 0 && size_t(t) < f.tileTextures.size() && f.tileTextures[size_t(t)])
                device_->drawQuad(f.tileTextures[size_t(t)].get(), sx - shiftX, sy - shiftY, w, h);
            if (upper && j == heroColumn && i == heroRow && f.playerMarker) f.playerMarker->draw(sx, sy - 8);
        }
    }
}

void CMiniMap::drawMap() {
    const CField& f = *g_field;
    if (!device_ || !g_tileSet || !f.mapData.hasGrid()) return;
    const View v = viewFor(f.camera.col, f.camera.row, f.mapData.columns, f.mapData.rows);
    drawTileWalk(false, v);
    if (g_objectSet) {
        const int32_t cx = std::min(f.camera.x, 32 * f.mapData.columns - 1312);
        const int32_t cy = std::min(f.camera.y, 32 * f.mapData.rows - 1120);
        std::vector<const ObjectPlacement*> order;
        for (const ObjectPlacement& p : g_objectSet->placements) order.push_back(&p);
        std::stable_sort(order.begin(), order.end(),
                         [](const ObjectPlacement* a, const ObjectPlacement* b) { return a->y < b->y; });
        for (const ObjectPlacement* p : order) {
            const int32_t dx = p->x - cx, dy = p->y - cy;
            if (dy <= -200 || dy >= 1100 || dx <= -100 || dx >= 1200) continue;
            if (p->kind < 0 || p->kind >= g_objectSet->kindCount()) continue;
            const ObjectKind& kind = g_objectSet->kinds[size_t(p->kind)];
            if (kind.currentFrame < 0 || kind.currentFrame >= kind.frameCount()) continue;
            const int32_t image = kind.frames[size_t(kind.currentFrame)].image;
            if (image < 0 || size_t(image) >= f.objectTextures.size() || !f.objectTextures[size_t(image)]) continue;
            const ObjectImage& picture = g_objectSet->images[size_t(image)];
            device_->drawQuad(f.objectTextures[size_t(image)].get(), x + 15 + float(dx / 8), y + 36 + float(dy / 8),
                              float(picture.width / 8), float(picture.height / 8));
        }
    }
    drawTileWalk(true, v);
}

void CMiniMap::buttons(const CInputState& input) {
    shrinkPicture = size == kSmall ? 6 : 0;
    enlargePicture = size == kLarge ? 7 : 1;
    const int32_t mx = input.mouseX, my = input.mouseY;
    const bool overShrink = inside(mx, my, x + 120, y + 10, x + 136, y + 26);
    const bool overEnlarge = inside(mx, my, x + 138, y + 10, x + 154, y + 26);
    if (!overShrink && !overEnlarge) hovered_ = 0;
    // Entering a button sounds even when it cannot act.
    const uint8_t over = overShrink ? kShrinkId : overEnlarge ? kEnlargeId : 0;
    if (over != 0 && hovered_ != over) {
        g_soundBank.play(&g_effects.btn);
        hovered_ = over;
    }
    if (overShrink && size >= kNormal && armed_ != kEnlargeId) {
        const ButtonFrame b = overButton(kShrinkId, hovered_, kShrinkId, armed_);
        shrinkPicture = b == ButtonFrame::Held ? 4 : 2;
        if (b == ButtonFrame::Clicked) size -= 1;
    }
    if (overEnlarge && size <= kNormal && armed_ != kShrinkId) {
        const ButtonFrame b = overButton(kEnlargeId, hovered_, kEnlargeId, armed_);
        enlargePicture = b == ButtonFrame::Held ? 5 : 3;
        if (b == ButtonFrame::Clicked) size += 1;
    }
    // A release away from the pressed button lets it go: otherwise merely
    // passing over it later would click it, and the other button would stay dead.
    if (leftButtonUp()) armed_ = 0;
}
