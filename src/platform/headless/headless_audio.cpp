#include "platform/headless/headless_audio.h"

#include <utility>

#include "platform/files.h"
#include "platform/mp3_length.h"

namespace velk {

HeadlessAudio::HeadlessAudio(std::function<uint64_t()> nowMs) : nowMs_(std::move(nowMs)) {}

SoundHandle HeadlessAudio::createSound(const std::string& name, const WaveFormat& format,
                                       const uint8_t* samples, size_t size) {
    if (!samples || size == 0 || format.avgBytesPerSec == 0) return 0;
    Sound s;
    s.name = name;
    // Rounded up, so a sound of a few samples still sounds for a moment.
    s.durationMs = (uint64_t(size) * 1000 + format.avgBytesPerSec - 1) / format.avgBytesPerSec;
    SoundHandle h = next_++;
    sounds_[h] = std::move(s);
    return h;
}

void HeadlessAudio::releaseSound(SoundHandle handle) { sounds_.erase(handle); }

bool HeadlessAudio::isSoundPlaying(SoundHandle handle) {
    auto it = sounds_.find(handle);
    if (it == sounds_.end()) return false;
    Sound& s = it->second;
    if (s.playing && !s.loop && nowMs_() >= s.startedAt + s.durationMs) s.playing = false;
    return s.playing;
}

bool HeadlessAudio::playSound(SoundHandle handle, bool loop) {
    auto it = sounds_.find(handle);
    if (it == sounds_.end()) return false;
    Sound& s = it->second;
    s.playing = true;
    s.loop = loop;
    s.startedAt = nowMs_();
    started_.push_back(s.name);
    return true;
}

MusicHandle HeadlessAudio::openMusic(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes)) return 0;
    uint32_t length = mp3DurationMs(bytes.data(), bytes.size());
    if (length == 0) {
        reportBadFile(path, "no MPEG audio frames");
        return 0;
    }
    MusicHandle h = next_++;
    tracks_[h].lengthMs = length;
    return h;
}

void HeadlessAudio::closeMusic(MusicHandle handle) { tracks_.erase(handle); }

uint32_t HeadlessAudio::musicLength(MusicHandle handle) {
    auto it = tracks_.find(handle);
    return it == tracks_.end() ? 0 : it->second.lengthMs;
}

uint32_t HeadlessAudio::musicPosition(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return 0;
    Track& t = it->second;
    if (!t.playing) return t.offsetMs;
    uint64_t pos = t.offsetMs + (nowMs_() - t.startedAt);
    if (pos >= t.lengthMs) {
        // Played to the end: it stops there, as a media device does.
        t.playing = false;
        t.offsetMs = t.lengthMs;
        return t.lengthMs;
    }
    return uint32_t(pos);
}

void HeadlessAudio::playMusic(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return;
    Track& t = it->second;
    if (t.playing || t.offsetMs >= t.lengthMs) return;
    t.playing = true;
    t.startedAt = nowMs_();
}

void HeadlessAudio::rewindMusic(MusicHandle handle) {
    auto it = tracks_.find(handle);
    if (it == tracks_.end()) return;
    // Seeking stops playback; the game plays again right after.
    it->second.playing = false;
    it->second.offsetMs = 0;
}

}  // namespace velk
