#include "widgets/button.h"

#include "platform/input_state.h"
#include "core/effects.h"

bool leftButtonUp() { return g_input && g_input->leftButton != 1; }

ButtonFrame overButton(uint8_t hoverId, uint8_t& hoverLatch, uint8_t armId, uint8_t& armed) {
    if (hoverLatch != hoverId) {
        g_soundBank.play(&g_effects.btn);
        hoverLatch = hoverId;
    }
    if (g_input->leftButton == 1) {
        armed = armId;
        return ButtonFrame::Held;
    }
    if (armed == armId) {
        g_soundBank.play(&g_effects.btn0);
        armed = 0;
        return ButtonFrame::Clicked;
    }
    return ButtonFrame::Hover;
}
