#pragma once
// Sound through Web Audio. The effects' samples come from the game's own
// WAVE reader and become audio buffers; the mp3 music is decoded by the
// browser. Whether an effect still plays and where the music is are kept on
// the backend's clock (as the headless audio keeps them), so the game's
// "play unless already playing" rule never depends on the page having been
// allowed to start its audio yet.

#include <functional>
#include <set>
#include <string>

#include "platform/backend.h"
#include "platform/headless/headless_audio.h"

namespace velk {

class WebAudio {
public:
    explicit WebAudio(std::function<uint64_t()> nowMs) : clock_(std::move(nowMs)) {}

    SoundHandle createSound(const std::string& name, const WaveFormat& format, const uint8_t* samples,
                            size_t size);
    void releaseSound(SoundHandle handle);
    bool isSoundPlaying(SoundHandle handle) { return clock_.isSoundPlaying(handle); }
    bool playSound(SoundHandle handle, bool loop);

    MusicHandle openMusic(const std::string& path);
    void closeMusic(MusicHandle handle);
    uint32_t musicLength(MusicHandle handle) { return clock_.musicLength(handle); }
    uint32_t musicPosition(MusicHandle handle) { return clock_.musicPosition(handle); }
    void playMusic(MusicHandle handle);
    void rewindMusic(MusicHandle handle);

private:
    HeadlessAudio clock_;
    std::set<MusicHandle> playing_;  // started and not rewound since
};

}  // namespace velk
