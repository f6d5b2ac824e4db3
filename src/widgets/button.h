#pragma once
// The game's one button rule, shared by every window: while the cursor is
// over a button, the hover sound plays once per entry, a press arms the
// button, and a release over the armed button clicks it with the click
// sound. Windows keep the latches themselves (several buttons of a window
// share them, each with its own ids).

#include <cstdint>

enum class ButtonFrame {
    Hover,    // over the button, mouse up, not armed
    Held,     // over the button with the left button down
    Clicked,  // released over the armed button
};

// One frame with the cursor over a button. `hoverLatch` holds the id of the
// button whose hover sound played last (the caller clears it when the cursor
// is over none); `armed` holds the id of the button the press went down on.
ButtonFrame overButton(uint8_t hoverId, uint8_t& hoverLatch, uint8_t armId, uint8_t& armed);

// True when the left button is up. A window lets go of its armed button
// after its buttons ran in such a frame: a release over the armed button has
// clicked it by then, and one anywhere else must not leave it armed to click
// later on a mere hover.
bool leftButtonUp();
