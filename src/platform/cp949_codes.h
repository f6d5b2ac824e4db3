#pragma once
// The converter behind cp949.h: the system's (iconv) in the native build,
// the browser's in the web build, which has no CP949 converter of its own.
// Each defines fillCp949Codes below and toCp949 of cp949.h.

#include <cstddef>
#include <string>

namespace velk {

// Two-byte codes: a lead byte 0x81..0xFE, a trail byte 0x41..0xFE.
constexpr size_t kCp949CodeCount = 126 * 190;
constexpr size_t cp949CodeIndex(int lead, int trail) { return size_t(lead - 0x81) * 190 + size_t(trail - 0x41); }

// Fills codes[cp949CodeIndex(lead, trail)] with the code point of every
// two-byte code that is one character (0 where CP949 has none).
void fillCp949Codes(char16_t* codes);

}  // namespace velk
