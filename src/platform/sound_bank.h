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
    // Releases every named effect buffer (application shutdown).
    void releaseAll();
    void shutdown();

private:
    velk::IBackend* backend_ = nullptr;
};

// The sound bank and the named effect buffers, shared by every part.
extern CSoundBank g_soundBank;

struct EffectBuffers {
    SoundBuffer jump{0, "jump"}, holkick{0, "holkick"}, sliding{0, "sliding"};
    SoundBuffer monsterShot{0, "monsterShot"}, weapon{0, "weapon"};
    SoundBuffer monsterHit{0, "monsterHit"}, userhit{0, "userhit"};
    SoundBuffer monsterDie{0, "monsterDie"}, userdie{0, "userdie"};
    SoundBuffer eat{0, "eat"}, eat_e{0, "eat_e"}, levelup{0, "levelup"};
    SoundBuffer out{0, "out"}, no{0, "no"}, open{0, "open"}, gay{0, "gay"};
    SoundBuffer btn{0, "btn"}, btn0{0, "btn0"}, btn1{0, "btn1"}, btn2{0, "btn2"};
    SoundBuffer wait{0, "wait"};
};
extern EffectBuffers g_effects;
