#include "formats/stage_file.h"

#include "platform/files.h"
#include "platform/text_reader.h"

namespace velk {

std::string stageFileName(int mapNumber) {
    return "txt/stage/stage_" + std::to_string(mapNumber) + ".txt";
}

bool parseStageFile(const uint8_t* data, size_t size, StageFile& out, const char* name) {
    TextReader in(data, size);
    StageFile f;
    int32_t layerCount = 0;
    in.word(f.background, "background picture");
    in.number(layerCount, 0, kMaxStageLayers, "layer count");
    for (int32_t l = 0; l < layerCount && !in.failed(); ++l) {
        StageLayer layer;
        in.number(layer.itemCount, 0, kMaxStageLayerItems, "item count");
        in.number(layer.mode, "layer mode");
        in.number(layer.lowBound, -kMaxStageCoord, kMaxStageCoord, "low bound");
        in.number(layer.highBound, -kMaxStageCoord, kMaxStageCoord, "high bound");
        const bool moving = layer.mode == kStageModeDrifting || layer.mode == kStageModeParallax;
        std::vector<StageItem> items(in.failed() ? 0 : size_t(layer.itemCount));
        for (StageItem& item : items) {
            in.number(item.x, -kMaxStageCoord, kMaxStageCoord, "item x");
            in.number(item.y, -kMaxStageCoord, kMaxStageCoord, "item y");
            in.number(item.speed, moving ? 0 : -kMaxStageCoord, kMaxStageCoord, "item speed");
        }
        std::string picture;
        in.word(picture, "layer picture");
        f.layers.push_back(layer);
        f.items.push_back(std::move(items));
        f.layerPictures.push_back(std::move(picture));
    }
    if (in.failed()) {
        reportBadFile(name, in.error());
        return false;
    }
    out = std::move(f);
    return true;
}

}  // namespace velk
