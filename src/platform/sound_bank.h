#pragma once
// CSoundBank: loads PCM WAV effects (its own RIFF parser, with the game's
// rules) into named effect buffers and plays them by name, each on its own
// mixer channel so "play unless already playing" holds per effect.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/backend.h"

// One effect buffer: the backend's sound and the effect's name.
struct SoundBuffer {
    velk::SoundHandle handle = 0;
    std::string name;
    velk::WaveFormat format{};
    uint32_t dataSize = 0;
};

namespace velk {
// Result of parsing a WAV file in memory.
struct ParsedWave {
    WaveFormat fileFormat;   // as stored in the file
    WaveFormat bufferFormat; // as the game describes it to the mixer
    const uint8_t* samples = nullptr;
    uint32_t size = 0;
};
// The game's RIFF rules: a RIFF "WAVE" form, "fmt " as the first chunk with
// at least 18 bytes and format tag 1 (PCM), then a "data" chunk. More than
// two channels are described as two, keeping the file's block alignment.
bool parseWave(const uint8_t* data, size_t size, ParsedWave& out, std::string* error = nullptr);
// The whole frames of the samples with only the described channels: a frame
// wider than that (a surround file described as two channels) keeps its
// first two. Empty if the format cannot describe a frame.
std::vector<uint8_t> packFrames(const WaveFormat& format, const uint8_t* samples, size_t size);
}  // namespace velk

class CSoundBank {
public:
    CSoundBank() = default;
    ~CSoundBank();

    bool init(velk::IBackend* backend);
    // Loads a game file ("sound\\jump.wav") into the buffer, releasing what
    // it held before. False (buffer unchanged) on a missing or bad file.
    bool loadEffect(const char* fileName, SoundBuffer* buffer);
    // Starts the buffer unless it is playing. An empty buffer plays nothing.
    bool play(SoundBuffer* buffer, bool loop = false);
    void releaseEffect(SoundBuffer* buffer);
    void shutdown();

private:
    velk::IBackend* backend_ = nullptr;
};

// The sound bank every part plays its effects through.
extern CSoundBank g_soundBank;
