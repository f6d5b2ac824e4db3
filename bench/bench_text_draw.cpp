// Text drawing cost: a play frame's five notices and the frame-rate line,
// once the glyphs are cached. Also counts heap allocations in that steady
// state, which must stay at zero.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/bitmap_font.h"
#include "platform/cp949.h"
#include "platform/d3dx_font.h"
#include "platform/direct3d.h"
#include "platform/font_finder.h"

namespace {
size_t allocations = 0;
}

void* operator new(size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

int main() {
    if (const std::string problem = velk::fontProblem(); !problem.empty()) {
        std::fprintf(stderr, "%s\n", problem.c_str());
        return 1;
    }
    CDirect3D device;
    if (!device.init(nullptr, 800, 600, true)) return 1;
    CD3dxFont notices;
    CBitmapFont fps("Arial", 10, 0);
    if (!notices.create(&device, nullptr, 15) || fps.createDeviceObjects(&device) < 0) return 1;
    const std::string lines[5] = {
        velk::toCp949("경험치를 얻었습니다(+1234567)"), velk::toCp949("아루를 획득하였습니다(+250)"),
        velk::toCp949("레벨업하였습니다(7->8)."), velk::toCp949("mp가 모자랍니다."),
        velk::toCp949("착용할 레벨이 아닙니다."),
    };
    auto frame = [&] {
        for (int i = 0; i < 5; ++i)
            notices.draw(600, 400 + 17 * i, 800, 415 + 17 * i, 0xE0FFFFFF, lines[i].c_str());
        fps.drawText(700, 0, 0xFFFF0000, "  60.0 fps");
    };
    frame();  // fills the glyph caches

    constexpr int kFrames = 5000;
    const size_t before = allocations;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kFrames; ++i) frame();
    const auto elapsed = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start);
    const size_t made = allocations - before;
    std::printf("text_draw: %.1f us per frame (5 notices + fps line), %zu allocations in %d frames\n",
                elapsed.count() / kFrames, made, kFrames);
    return made == 0 ? 0 : 1;
}
