#include "core/game_state.h"

int32_t GameState = kStateBoot;
