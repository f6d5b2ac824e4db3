#include "platform/sdl/sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/files.h"
#include "platform/mp3_length.h"
#include "platform/sound_bank.h"

namespace velk {

namespace {
constexpr int kFirstChannels = 32;
}  // namespace

SdlAudio::SdlAudio() = default;

SdlAudio::~SdlAudio() { close(); }

bool SdlAudio::open() {
    if (open_) return true;
    if (!SDL_WasInit(SDL_INIT_AUDIO)) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        initedSubsystem_ = true;
    }
    Mix_Init(MIX_INIT_MP3);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        Mix_Quit();
        if (initedSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        initedSubsystem_ = false;
        return false;
    }
    Mix_QuerySpec(&deviceRate_, &deviceFormat_, &deviceChannels_);
    channelCount_ = Mix_AllocateChannels(kFirstChannels);
    open_ = true;
    return true;
}

void SdlAudio::close() {
    if (!open_) return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [handle, sound] : sounds_) Mix_FreeChunk(sound.chunk);
    for (Sound& sound : draining_) Mix_FreeChunk(sound.chunk);
    for (auto& [handle, track] : tracks_) Mix_FreeMusic(track.music);
    sounds_.clear();
    draining_.clear();
    tracks_.clear();
    Mix_CloseAudio();
    Mix_Quit();
    if (initedSubsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initedSubsystem_ = false;
    open_ = false;
}

int SdlAudio::takeChannel() {
    reapFinished();
    if (!freeChannels_.empty()) {
        int c = freeChannels_.back();
        freeChannels_.pop_back();
        return c;
    }
    if (nextChannel_ >= channelCount_) channelCount_ = Mix_AllocateChannels(channelCount_ * 2);
    return nextChannel_ < channelCount_ ? nextChannel_++ : -1;
}

void SdlAudio::freeSound(Sound& sound) {
    Mix_HaltChannel(sound.channel);
    Mix_FreeChunk(sound.chunk);
    sound.chunk = nullptr;
    freeChannels_.push_back(sound.channel);
}

void SdlAudio::reapFinished() {
    for (size_t i = 0; i < draining_.size();) {
        if (Mix_Playing(draining_[i].channel)) {
            ++i;
            continue;
        }
        freeSound(draining_[i]);
        draining_.erase(draining_.begin() + ptrdiff_t(i));
    }
}

SoundHandle SdlAudio::createSound(const std::string& name, const WaveFormat& format,
                                  const uint8_t* samples, size_t size) {
    if (!open_ || !samples) return 0;
    if ((format.bitsPerSample != 8 && format.bitsPerSample != 16) ||
        (format.channels != 1 && format.channels != 2) || format.sampleRate == 0)
        return 0;
    std::vector<uint8_t> packed = packFrames(format, samples, size);
    if (packed.empty()) return 0;

    SDL_AudioCVT cvt;
    SDL_AudioFormat from = format.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, from, uint8_t(format.channels), int(format.sampleRate),
                          deviceFormat_, uint8_t(deviceChannels_), deviceRate_) < 0)
        return 0;
    const size_t bytes = packed.size();
    const size_t mult = size_t(std::max(cvt.len_mult, 1));
    if (bytes > size_t(INT32_MAX) / mult) return 0;
    // Converted in place: the conversion needs len_mult times the room.
    Sound sound;
    sound.name = name;
    sound.pcm = std::move(packed);
    sound.pcm.resize(bytes * mult);
    cvt.len = int(bytes);
    cvt.buf = sound.pcm.data();
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return 0;
    sound.pcm.resize(cvt.needed ? size_t(cvt.len_cvt) : bytes);
    if (sound.pcm.empty()) return 0;

    sound.chunk = Mix_QuickLoad_RAW(sound.pcm.data(), uint32_t(sound.pcm.size()));
    if (!sound.chunk) return 0;
    sound.channel = takeChannel();
    if (sound.channel < 0) {
        Mix_FreeChunk(sound.chunk);
        return 0;
    }
    SoundHandle h = next_++;
    sounds_.emplace(h, std::move(sound));
    return h;
}

void SdlAudio::releaseSound(SoundHandle handle) {
    auto it = sounds_.find(handle);
    if (it == sounds_.end()) return;
    Sound& s = it->second;
    if (!s.loop && Mix_Playing(s.channel))
        draining_.push_back(std::move(s));
    else
        freeSound(s);
    sounds_.erase(it);
}

bool SdlAudio::isSoundPlaying(SoundHandle handle) {
    auto it = sounds_.find(handle);
    return it != sounds_.end() && Mix_Playing(it->second.channel) != 0;
}

bool SdlAudio::playSound(SoundHandle handle, bool loop) {
    auto it = sounds_.find(handle);
    if (it == sounds_.end()) return false;
    it->second.loop = loop;
    if (Mix_PlayChannel(it->second.channel, it->second.chunk, loop ? -1 : 0) < 0) return false;
    started_.push_back(it->second.name);
    return true;
}

MusicHandle SdlAudio::openMusic(const std::string& path) {
    if (!open_) return 0;
    Mix_Music* music = Mix_LoadMUS(path.c_str());
    if (!music) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) reportBadFile(path, Mix_GetError());
        return 0;
    }
    Track t;
    t.music = music;
#if SDL_MIXER_VERSION_ATLEAST(2, 6, 0)
    double seconds = Mix_MusicDuration(music);
    if (seconds > 0) t.lengthMs = uint32_t(std::min(seconds * 1000.0, 4.0e9));
#endif
    if (t.lengthMs == 0) {
        std::vector<uint8_t> bytes;
        if (readFile(path, bytes)) t.lengthMs = mp3DurationMs(bytes.data(), bytes.size());
    }
    // Unknown length: the mixer's own end of play decides (see musicPosition).
    if (t.lengthMs == 0) t.lengthMs = UINT32_MAX;
    MusicHandle h = next_++;
    tracks_[h] = t;
    return h;
}

void SdlAudio::closeMusic(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return;
    if (current_ == handle) {
        Mix_HaltMusic();
        current_ = 0;
    }
    Mix_FreeMusic(it->second.music);
    tracks_.erase(it);
}

uint32_t SdlAudio::musicLength(MusicHandle handle) {
    auto it = tracks_.find(handle);
    return it == tracks_.end() ? 0 : it->second.lengthMs;
}

// While the mixer plays the track its position stays short of the length,
// even if the length was estimated; once the mixer stops, it is the length.
uint32_t SdlAudio::musicPosition(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return 0;
    Track& t = it->second;
    if (!t.playing) return t.offsetMs;
    if (current_ == handle && Mix_PlayingMusic()) {
        uint64_t pos = t.offsetMs + (SDL_GetTicks64() - t.startedTicks);
        return uint32_t(std::min<uint64_t>(pos, t.lengthMs - 1));
    }
    t.playing = false;
    t.offsetMs = t.lengthMs;
    if (current_ == handle) current_ = 0;
    return t.lengthMs;
}

void SdlAudio::playMusic(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return;
    Track& t = it->second;
    if (t.playing || t.offsetMs >= t.lengthMs) return;
    if (current_ && current_ != handle) {
        auto other = tracks_.find(current_);
        if (other != tracks_.end()) other->second.playing = false;
    }
    if (Mix_PlayMusic(t.music, 0) != 0) return;
    if (t.offsetMs > 0) Mix_SetMusicPosition(t.offsetMs / 1000.0);
    t.playing = true;
    t.startedTicks = SDL_GetTicks64();
    current_ = handle;
}

void SdlAudio::rewindMusic(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return;
    // Seeking to the start stops playback; the game plays again right after.
    if (current_ == handle) {
        Mix_HaltMusic();
        current_ = 0;
    }
    it->second.playing = false;
    it->second.offsetMs = 0;
}

}  // namespace velk
