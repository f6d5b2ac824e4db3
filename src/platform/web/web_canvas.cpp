#include "platform/web/web_canvas.h"

#include <emscripten.h>

#include <cstddef>
#include <vector>

namespace {

// clang-format off
EM_JS(void, velk_canvas_open, (int width, int height), {
    const canvas = Module['canvas'];
    if (!canvas) return;
    canvas.width = width;
    canvas.height = height;
    Module['velkContext'] = canvas.getContext('2d', { alpha: false });
    if (Module['onCanvasOpen']) Module['onCanvasOpen'](width, height);
});

EM_JS(void, velk_canvas_put, (const uint8_t* rgba, int width, int height), {
    const context = Module['velkContext'];
    if (!context) return;
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    context.putImageData(new ImageData(bytes, width, height), 0, 0);
});
// clang-format on

}  // namespace

namespace velk {

void openCanvas(int width, int height) { velk_canvas_open(width, height); }

void presentToCanvas(const uint32_t* argb, int width, int height) {
    // Reused between frames: no allocation per frame once the size is known.
    static std::vector<uint32_t> rgba;
    const size_t count = size_t(width) * size_t(height);
    rgba.resize(count);
    // 0xAARRGGBB is B, G, R, A in memory; the canvas wants R, G, B, A.
    for (size_t i = 0; i < count; ++i) {
        const uint32_t p = argb[i];
        rgba[i] = 0xFF000000u | (p & 0x0000FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16);
    }
    velk_canvas_put(reinterpret_cast<const uint8_t*>(rgba.data()), width, height);
}

}  // namespace velk
