#include "platform/game_random.h"

namespace velk {

namespace {
uint32_t g_state = 1;
bool g_fixed = false;
uint32_t g_fixedSeed = 0;
}  // namespace

int gameRand() {
    g_state = g_state * 214013u + 2531011u;
    return int((g_state >> 16) & 0x7FFF);
}

void gameSrand(uint32_t seed) { g_state = seed; }
uint32_t gameRandState() { return g_state; }

void setFixedSeed(bool fixed, uint32_t seed) {
    g_fixed = fixed;
    g_fixedSeed = seed;
}

void seedFromClock(int64_t calendarSeconds) {
    gameSrand(g_fixed ? g_fixedSeed : uint32_t(calendarSeconds));
}

}  // namespace velk
