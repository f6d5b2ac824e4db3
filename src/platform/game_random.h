#pragma once
// The game's own random generator: state = state * 214013 + 2531011,
// returning bits 16..30. State 1 until the first seeding.

#include <cstdint>

namespace velk {

int gameRand();
void gameSrand(uint32_t seed);
uint32_t gameRandState();

// Seeding from the clock (monster sets and bosses seed here). With a fixed
// seed (--seed N) every seeding uses N instead of the calendar time.
void setFixedSeed(bool fixed, uint32_t seed);
void seedFromClock(int64_t calendarSeconds);

}  // namespace velk
