#include "content/stage_writer.h"

namespace velk {

std::string stageText(const StageFile& stage) {
    std::string text = stage.background + "\n" + std::to_string(stage.layers.size()) + "\n";
    for (size_t l = 0; l < stage.layers.size(); ++l) {
        const StageLayer& layer = stage.layers[l];
        const auto& items = stage.items[l];
        text += std::to_string(items.size()) + " " + std::to_string(layer.mode) + " " +
                std::to_string(layer.lowBound) + " " + std::to_string(layer.highBound) + "\n";
        for (const StageItem& item : items)
            text += std::to_string(item.x) + " " + std::to_string(item.y) + " " +
                    std::to_string(item.speed) + "\n";
        text += stage.layerPictures[l] + "\n";
    }
    return text;
}

std::string mapPositionText(const MapPosition& p) {
    return std::to_string(p.camX) + " " + std::to_string(p.camY) + " " + std::to_string(p.column) +
           " " + std::to_string(p.row) + " " + std::to_string(p.lockedScreenY) + " " +
           std::to_string(p.unused) + "\n";
}

}  // namespace velk
