// Picture files from untrusted bytes: the load must fail cleanly or give
// pixels that make a texture and draw.

#include <cstddef>
#include <cstdint>

#include "platform/direct3d.h"
#include "platform/picture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CDirect3D* device = [] {
        auto* dev = new CDirect3D;
        dev->init(nullptr, 64, 48, true);
        return dev;
    }();
    CPicture picture(device);
    if (picture.loadFromMemory(data, size, "fuzz.pic") == 1) {
        if (picture.pixels.size() != size_t(picture.width) * picture.height) __builtin_trap();
        picture.createTexture();
        device->alphaTestOn();
        picture.draw(-3.5f, 2.0f);
        picture.draw(1.0f, 1.0f, 70.0f, 9.0f);
    }
    return 0;
}
