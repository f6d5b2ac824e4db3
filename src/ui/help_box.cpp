#include "ui/help_box.h"

#include <vector>

#include "platform/direct3d.h"
#include "platform/files.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
// Nearly opaque: the box is read over bright backdrops.
constexpr int kTranslucency = 225;

}  // namespace

CHelpBox::~CHelpBox() = default;

void CHelpBox::init(CDirect3D* deviceIn) {
    device = deviceIn;
    background = CPicture::loaded(device, "pic/info.pic");
    frame.init(device);
    font = std::make_unique<CD3dxFont>();
    font->create(device, "System", 16);
}

void CHelpBox::select(int32_t number) {
    loaded = number == textNumber ? 1 : 0;
    textNumber = number;
}

void CHelpBox::draw() {
    if (textNumber < 0) return;
    if (!loaded) {
        const std::string name = velk::helpTextFileName(textNumber);
        std::vector<uint8_t> bytes;
        std::string error = "missing";
        if (!velk::readDataFile(name, bytes) ||
            !velk::parseHelpText(bytes.data(), bytes.size(), text, &error))
            velk::reportBadFile(name, error);
        if (bytes.empty()) text = {};
    }
    if (device) device->blendOn(kTranslucency);
    background->draw(float(text.x), float(text.y), float(text.width), float(text.height));
    if (device) device->blendOff();
    frame.draw(text.x, text.y, text.width, text.height);
    for (size_t i = 0; i < text.lines.size() && font; ++i) {
        const int top = text.y + 10 + 20 * int(i);
        font->draw(text.x + 10, top, text.x + text.width, top + 20, kWhite, text.lines[i].c_str());
    }
    loaded = 1;
}
