#include "world/stage.h"

#include "platform/direct3d.h"
#include "platform/files.h"

namespace {

void drawPicture(CDirect3D* device, const CPicture& picture, float x, float y) {
    device->drawQuad(picture.texture.get(), x, y, float(picture.width), float(picture.height));
}

}  // namespace

CStage::CStage() = default;

CStage::~CStage() { destroy(); }

int CStage::init(CDirect3D* d3d, int mapNumber) {
    destroy();
    device = d3d;
    const std::string name = velk::stageFileName(mapNumber);
    std::vector<uint8_t> bytes;
    if (!velk::readDataFile(name, bytes)) {
        velk::reportBadFile(name, "missing");
        return 0;
    }
    StageFile file;
    if (!velk::parseStageFile(bytes.data(), bytes.size(), file, name.c_str())) return 0;
    build(d3d, std::move(file));
    return 1;
}

void CStage::build(CDirect3D* d3d, StageFile&& file) {
    destroy();
    device = d3d;
    background = CPicture::loaded(device, file.background.c_str());
    layerCount = int32_t(file.layers.size());
    layers = std::move(file.layers);
    items = std::move(file.items);
    for (const std::string& path : file.layerPictures)
        layerPictures.push_back(CPicture::loaded(device, path.c_str()));
}

void CStage::step(int32_t& lastScroll) {
    if (!device) return;
    if (background) device->drawQuad(background->texture.get(), 0.0f, 0.0f, 800.0f, 600.0f);
    for (int32_t l = 0; l < layerCount; ++l) {
        const StageLayer& layer = layers[size_t(l)];
        const CPicture& picture = *layerPictures[size_t(l)];
        for (StageItem& item : items[size_t(l)]) {
            switch (layer.mode) {
            case velk::kStageModeDrifting:
                drawPicture(device, picture, float(item.x), float(item.y));
                if (item.x < layer.lowBound) item.x = 800;
                item.x -= item.speed;
                break;
            case velk::kStageModeParallax:
                drawPicture(device, picture, float(item.x), float(item.y));
                if (lastScroll == 1) {
                    if (item.x <= layer.lowBound) item.x = 800;
                    item.x -= item.speed;
                } else if (lastScroll == 0) {
                    if (item.x >= layer.highBound) item.x = layer.lowBound;
                    item.x += item.speed;
                }
                break;
            case velk::kStageModeFixed:
                drawPicture(device, picture, float(item.x), float(item.y));
                break;
            default:
                break;
            }
        }
    }
    lastScroll = -1;
}

void CStage::destroy() {
    background.reset();
    layerPictures.clear();
    items.clear();
    layers.clear();
    layerCount = 0;
}
