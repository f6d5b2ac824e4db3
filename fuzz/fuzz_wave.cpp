// WAV effect files: the RIFF walk and the frame packing the mixer gets must
// hold up against any bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/sound_bank.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velk::ParsedWave wave;
    if (!velk::parseWave(data, size, wave)) return 0;
    // The samples lie inside the input and hold at least one frame.
    if (wave.samples < data || wave.size > size_t(data + size - wave.samples)) std::abort();
    const velk::WaveFormat& f = wave.bufferFormat;
    if (f.channels < 1 || f.channels > 2 || f.avgBytesPerSec != uint64_t(f.blockAlign) * f.sampleRate)
        std::abort();
    std::vector<uint8_t> packed = velk::packFrames(f, wave.samples, wave.size);
    if (packed.empty() || packed.size() % (f.channels * (f.bitsPerSample / 8)) != 0) std::abort();
    return 0;
}
