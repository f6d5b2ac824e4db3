#pragma once
// Silent audio for headless runs: nothing is heard, but every effect keeps
// its length so "play unless already playing" behaves as with a real mixer
// (on the fake clock), and every start is recorded for the state dump.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"

namespace velk {

class HeadlessAudio {
public:
    // `nowMs` reads the fake clock in milliseconds.
    explicit HeadlessAudio(std::function<uint64_t()> nowMs);

    SoundHandle createSound(const std::string& name, const WaveFormat& format,
                            const uint8_t* samples, size_t size);
    void releaseSound(SoundHandle handle);
    bool isSoundPlaying(SoundHandle handle);
    bool playSound(SoundHandle handle, bool loop);

    MusicHandle openMusic(const std::string& path);
    void closeMusic(MusicHandle handle);
    uint32_t musicLength(MusicHandle handle);
    uint32_t musicPosition(MusicHandle handle);
    void playMusic(MusicHandle handle);
    void rewindMusic(MusicHandle handle);

    // Names of the effects started, in order.
    const std::vector<std::string>& started() const { return started_; }

private:
    struct Sound {
        std::string name;
        uint64_t durationMs = 0;
        uint64_t startedAt = 0;
        bool playing = false;
        bool loop = false;
    };
    struct Track {
        uint32_t lengthMs = 0;
        uint64_t startedAt = 0;
        uint32_t offsetMs = 0;
        bool playing = false;
    };
    std::function<uint64_t()> nowMs_;
    std::map<SoundHandle, Sound> sounds_;
    std::map<MusicHandle, Track> tracks_;
    std::vector<std::string> started_;
    int next_ = 1;
};

}  // namespace velk
