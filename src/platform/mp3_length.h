#pragma once
// Length of an MPEG audio stream from its frame headers, without decoding:
// the headless backend's track length, and the SDL backend's fallback when
// the mixer cannot tell.

#include <cstddef>
#include <cstdint>

namespace velk {

// Milliseconds of audio in an mp3 file held in memory (an ID3v2 tag is
// skipped, a Xing/Info frame count is used when present). 0 if no frame.
uint32_t mp3DurationMs(const uint8_t* data, size_t size);

}  // namespace velk
