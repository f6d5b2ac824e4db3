#pragma once
// The stage file "txt/stage/stage_<map>.txt": a full-screen background
// picture and layers of pictures that drift, follow the camera or stay put.
// Parsed whole before any picture is made, so a bad file changes nothing.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct StageLayer {
    int32_t itemCount = 0;
    int32_t mode = 0;       // 1 drifting, 2 parallax, 3 fixed; others neither drawn nor moved
    int32_t lowBound = 0;   // screen x
    int32_t highBound = 0;  // screen x
};

struct StageItem {
    int32_t x = 0;  // screen pixels, changes as the layer moves
    int32_t y = 0;
    int32_t speed = 0;  // pixels per frame
};

struct StageFile {
    std::string background;
    std::vector<StageLayer> layers;
    std::vector<std::vector<StageItem>> items;  // per layer
    std::vector<std::string> layerPictures;     // per layer
};

namespace velk {

constexpr int32_t kStageModeDrifting = 1;
constexpr int32_t kStageModeParallax = 2;
constexpr int32_t kStageModeFixed = 3;

constexpr int32_t kMaxStageLayers = 64;
constexpr int32_t kMaxStageLayerItems = 1024;
// Positions and bounds stay within this many pixels of the screen and moving
// speeds are not negative, so an item's x can never run away and overflow.
constexpr int32_t kMaxStageCoord = 100000;

std::string stageFileName(int mapNumber);
bool parseStageFile(const uint8_t* data, size_t size, StageFile& out, const char* name);

}  // namespace velk
