#pragma once
// CStage: the backdrop of the current map, drawn every play frame before the
// tiles: one stretched background picture and layers of pictures that drift
// (mode 1), move with the camera's last scroll (mode 2) or stay put (mode 3).
// A fresh stage is made for every map.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/picture.h"
#include "formats/stage_file.h"

class CDirect3D;

class CStage {
public:
    CStage();
    ~CStage();
    CStage(const CStage&) = delete;
    CStage& operator=(const CStage&) = delete;

    // Reads "txt/stage/stage_<mapNumber>.txt" and makes its pictures. 1 on
    // success; 0 when the file is missing or malformed, and the stage then
    // draws nothing. A picture that does not load simply does not show.
    int init(CDirect3D* device, int mapNumber);
    // Takes parsed stage data and makes its pictures.
    void build(CDirect3D* device, StageFile&& file);

    // Draws the backdrop and moves the layers. Parallax layers read the
    // field's last scroll, which is then reset to -1 so they move only in the
    // frame after the camera scrolled.
    void step(int32_t& lastScroll);

    void destroy();

    std::vector<StageLayer> layers;
    std::vector<std::vector<StageItem>> items;
    CDirect3D* device = nullptr;
    std::unique_ptr<CPicture> background;
    std::vector<std::unique_ptr<CPicture>> layerPictures;
    int32_t layerCount = 0;
};
