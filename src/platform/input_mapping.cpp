#include "platform/input_mapping.h"

#include <algorithm>

namespace velk {

bool InputMapping::key(uint8_t keyboard[256], int code, bool down) {
    code &= 0xFF;
    if (down && chord_.press(code, keyboard)) return false;
    keyboard[code] = down ? 0x80 : 0;
    return true;
}

void InputMapping::gameKeys(const uint8_t keyboard[256], uint8_t game[256]) {
    uint8_t held[256];
    std::copy(keyboard, keyboard + 256, held);
    chord_.hide(held);
    bindings_.apply(held, game);
    addPadKeys(pad, game);
}

}  // namespace velk
