#pragma once
// CMiniMap: the small window in the top-left corner. At its normal and large
// sizes it shows the map around the camera at one eighth scale (tiles,
// placed objects, the hero's marker); during a quest run it shows the
// quest's text instead; at the large size it adds the map's name. Two small
// buttons shrink and enlarge it. It is the bottom window of play, always
// open, and reloads its texts at every map change.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/d3dx_font.h"
#include "platform/picture.h"
#include "widgets/window.h"

class CDirect3D;

class CMiniMap : public CWindow {
public:
    static constexpr int kSmall = 0, kNormal = 1, kLarge = 2;

    CMiniMap();
    ~CMiniMap() override;

    void init(CDirect3D* device);
    // The map name and, during a quest run, the quest text of the field's map.
    void reload();
    // Draws; its two buttons answer while it has the input.
    void update(const CInputState* input) override;

    // The first tile column and row the view shows, and whether each was held
    // at the map's right or bottom edge (the fine scroll is then not applied).
    struct View {
        int32_t column, row;
        bool columnClamped, rowClamped;
    };
    static View viewFor(int32_t camCol, int32_t camRow, int32_t columns, int32_t rows);

    float x = 0, y = 0;
    int32_t size = kNormal;
    std::string mapName;                  // CP949, at most 14 bytes
    std::vector<std::string> questLines;  // CP949

    // Button pictures in use: shrink 0 / 2 / 4 / 6, enlarge 1 / 3 / 5 / 7.
    int32_t shrinkPicture = 0;
    int32_t enlargePicture = 1;

private:
    void drawMap();
    void drawTileWalk(bool upper, const View& v);
    void buttons(const CInputState& input);

    CDirect3D* device_ = nullptr;
    std::array<std::unique_ptr<CPicture>, 3> frames_;
    std::unique_ptr<CPicture> back_;
    std::array<std::unique_ptr<CPicture>, 8> buttons_;
    std::unique_ptr<CD3dxFont> nameFont_;
    std::unique_ptr<CD3dxFont> textFont_;
    uint8_t hovered_ = 0;
    uint8_t armed_ = 0;
};

extern CMiniMap* g_miniMap;
