#pragma once
// PCM WAV files in memory: the demo world's sounds and music, and the
// fixtures of the sound tests (which also need the odd shapes: more
// channels, a 16-byte format chunk, chunks before the samples).

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace velk {

struct WavLayout {
    uint16_t formatTag = 1;
    uint16_t channels = 1;
    uint32_t sampleRate = 22050;
    uint16_t bitsPerSample = 16;
    uint16_t blockAlign = 0;  // 0: channels x bytes per sample
    uint16_t fmtSize = 18;    // 16 or 18 (the latter with a zero extra size)
    // Chunks (id, body) written between "fmt " and "data"; odd bodies padded.
    std::vector<std::pair<std::string, std::string>> extraChunks;
};

// A whole file around raw sample bytes (interleaved, little-endian).
std::string writeWav(const WavLayout& layout, const std::string& samples);
// 16-bit samples, interleaved when channels > 1.
std::string writeWav16(const std::vector<int16_t>& samples, uint32_t sampleRate,
                       uint16_t channels = 1);

}  // namespace velk
