#pragma once
// The game-state number. The application's state machine runs it; any part
// may request a map change (600, 700, 800) by writing it during a paced
// frame, and the change runs at the next state step.

#include <cstdint>

enum : int32_t {
    kStateBoot = 500,
    kStateEnterTitle = 200,
    kStateTitle = 300,
    kStatePlay = 400,
    kStateNextMap = 600,
    kStatePreviousMap = 700,
    kStateReturn = 800,
};

extern int32_t GameState;
