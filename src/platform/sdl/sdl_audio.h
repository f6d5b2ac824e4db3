#pragma once
// Audio for the SDL backend: each effect is a Mix_Chunk on its own mixer
// channel (so "play unless already playing" holds per effect); music is one
// Mix_Music track whose length and position are tracked for the game's polls.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/backend.h"

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

namespace velk {

class SdlAudio {
public:
    SdlAudio();
    ~SdlAudio();
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;
    // Opens the audio device; false (and silent from then on) if there is none.
    bool open();
    bool isOpen() const { return open_; }

    SoundHandle createSound(const std::string& name, const WaveFormat& format,
                            const uint8_t* samples, size_t size);
    // A sound released while it still sounds (a buffer reloaded right after
    // it was started) plays to its end before its channel is reused.
    void releaseSound(SoundHandle handle);
    bool isSoundPlaying(SoundHandle handle);
    bool playSound(SoundHandle handle, bool loop);

    MusicHandle openMusic(const std::string& path);
    void closeMusic(MusicHandle handle);
    uint32_t musicLength(MusicHandle handle);
    uint32_t musicPosition(MusicHandle handle);
    void playMusic(MusicHandle handle);
    void rewindMusic(MusicHandle handle);

    // Names of the effects started, in order, as the headless audio keeps
    // them: the state dump of a windowed run lists them too.
    const std::vector<std::string>& started() const { return started_; }

private:
    struct Sound {
        std::string name;
        Mix_Chunk* chunk = nullptr;
        int channel = -1;
        bool loop = false;
        std::vector<uint8_t> pcm;  // device-format samples the chunk points into
    };
    struct Track {
        Mix_Music* music = nullptr;
        uint32_t lengthMs = 0;
        uint64_t startedTicks = 0;
        uint32_t offsetMs = 0;
        bool playing = false;
    };
    int takeChannel();
    void freeSound(Sound& sound);
    void reapFinished();
    void close();

    bool open_ = false;
    bool initedSubsystem_ = false;
    int deviceRate_ = 0;
    uint16_t deviceFormat_ = 0;
    int deviceChannels_ = 0;
    std::map<SoundHandle, Sound> sounds_;
    std::vector<std::string> started_;
    std::vector<Sound> draining_;
    std::vector<int> freeChannels_;
    std::map<MusicHandle, Track> tracks_;
    MusicHandle current_ = 0;
    int next_ = 1;
    int nextChannel_ = 0;
    int channelCount_ = 0;
};

}  // namespace velk
