// Stage files: any text either parses within the limits or is refused, and a
// parsed stage runs frames of every scroll with its items staying in reach.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/direct3d.h"
#include "platform/picture.h"
#include "world/stage.h"
#include "formats/stage_file.h"

namespace {

CDirect3D& device() {
    static CDirect3D d3d;
    static const bool ready = d3d.init(nullptr, 800, 600, true);
    (void)ready;
    return d3d;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    StageFile file;
    if (!velk::parseStageFile(data, size, file, "fuzz.txt")) return 0;
    if (file.layers.size() > size_t(velk::kMaxStageLayers) ||
        file.items.size() != file.layers.size() || file.layerPictures.size() != file.layers.size())
        std::abort();

    // The pictures are left unloaded: their paths come from the input.
    CStage stage;
    stage.device = &device();
    stage.layerCount = int32_t(file.layers.size());
    stage.layers = file.layers;
    stage.items = file.items;
    for (size_t l = 0; l < file.layers.size(); ++l)
        stage.layerPictures.push_back(std::make_unique<CPicture>(&device()));
    // Items move towards a bound and wrap, so they stay within reach of it.
    const int32_t reach = 2 * velk::kMaxStageCoord + 800;
    for (int frame = 0; frame < 64; ++frame) {
        int32_t lastScroll = data[size_t(frame) % size] % 3 - 1;
        stage.step(lastScroll);
        if (lastScroll != -1) std::abort();
        for (const auto& items : stage.items)
            for (const StageItem& item : items)
                if (item.x < -reach || item.x > reach) std::abort();
    }
    return 0;
}
