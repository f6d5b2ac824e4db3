#include "platform/web/web_audio.h"

#include <emscripten.h>

namespace {

// clang-format off
EM_JS(void, velk_sound_create, (int id, int channels, int rate, int bits, const uint8_t* data, int size), {
    const audio = Module['velkAudio'] || (Module['velkAudio'] = { sounds: {}, music: {}, playing: {} });
    const frameBytes = channels * (bits / 8);
    const frames = Math.floor(size / frameBytes);
    const planes = [];
    for (let c = 0; c < channels; ++c) planes.push(new Float32Array(frames));
    for (let f = 0; f < frames; ++f) {
        for (let c = 0; c < channels; ++c) {
            const at = data + f * frameBytes + c * (bits / 8);
            planes[c][f] = bits === 8 ? (HEAPU8[at] - 128) / 128 : HEAP16[at >> 1] / 32768;
        }
    }
    audio.sounds[id] = { planes: planes, rate: rate, buffer: null };
});

EM_JS(void, velk_sound_release, (int id), {
    const audio = Module['velkAudio'];
    if (!audio) return;
    if (audio.playing[id]) { try { audio.playing[id].stop(); } catch (e) {} }
    delete audio.playing[id];
    delete audio.sounds[id];
});

EM_JS(void, velk_sound_play, (int id, int loop), {
    const audio = Module['velkAudio'];
    const context = Module['velkAudioContext'] && Module['velkAudioContext']();
    if (!audio || !context || !audio.sounds[id]) return;
    const sound = audio.sounds[id];
    if (!sound.buffer) {
        const frames = sound.planes[0].length;
        if (frames === 0) return;
        sound.buffer = context.createBuffer(sound.planes.length, frames, sound.rate);
        sound.planes.forEach((plane, c) => sound.buffer.copyToChannel(plane, c));
    }
    // One voice per effect, as each effect buffer has its own channel.
    if (audio.playing[id]) { try { audio.playing[id].stop(); } catch (e) {} }
    const source = context.createBufferSource();
    source.buffer = sound.buffer;
    source.loop = !!loop;
    source.connect(context.destination);
    source.start();
    audio.playing[id] = source;
});

EM_JS(void, velk_music_open, (int id, const char* path), {
    const audio = Module['velkAudio'] || (Module['velkAudio'] = { sounds: {}, music: {}, playing: {} });
    const track = { buffer: null, source: null, pending: -1 };
    audio.music[id] = track;
    let bytes;
    try { bytes = FS.readFile(UTF8ToString(path)); } catch (e) { return; }
    const context = Module['velkAudioContext'] && Module['velkAudioContext']();
    if (!context) return;
    context.decodeAudioData(bytes.slice().buffer).then((buffer) => {
        track.buffer = buffer;
        if (track.pending >= 0 && audio.music[id] === track) Module['velkMusicStart'](track, track.pending);
    }, () => {});
    Module['velkMusicStart'] = Module['velkMusicStart'] || function(t, offset) {
        const ctx = Module['velkAudioContext']();
        if (t.source) { try { t.source.stop(); } catch (e) {} }
        t.source = ctx.createBufferSource();
        t.source.buffer = t.buffer;
        t.source.connect(ctx.destination);
        t.source.start(0, Math.min(offset, t.buffer.duration));
        t.pending = -1;
    };
});

EM_JS(void, velk_music_play, (int id, double offsetSeconds), {
    const audio = Module['velkAudio'];
    const track = audio && audio.music[id];
    if (!track) return;
    // Decoding runs in the background; the track starts where the game's
    // clock says once it is ready.
    if (!track.buffer) { track.pending = offsetSeconds; return; }
    Module['velkMusicStart'](track, offsetSeconds);
});

EM_JS(void, velk_music_stop, (int id, int forget), {
    const audio = Module['velkAudio'];
    const track = audio && audio.music[id];
    if (!track) return;
    track.pending = -1;
    if (track.source) { try { track.source.stop(); } catch (e) {} track.source = null; }
    if (forget) delete audio.music[id];
});
// clang-format on

}  // namespace

namespace velk {

SoundHandle WebAudio::createSound(const std::string& name, const WaveFormat& format, const uint8_t* samples,
                                  size_t size) {
    const SoundHandle h = clock_.createSound(name, format, samples, size);
    const int bits = format.bitsPerSample;
    if (h == 0 || (bits != 8 && bits != 16) || format.channels < 1 || format.channels > 2 ||
        format.sampleRate < 3000 || format.sampleRate > 384000)
        return h;  // kept on the clock, heard as silence
    velk_sound_create(h, format.channels, int(format.sampleRate), bits, samples, int(size));
    return h;
}

void WebAudio::releaseSound(SoundHandle handle) {
    clock_.releaseSound(handle);
    velk_sound_release(handle);
}

bool WebAudio::playSound(SoundHandle handle, bool loop) {
    if (!clock_.playSound(handle, loop)) return false;
    velk_sound_play(handle, loop ? 1 : 0);
    return true;
}

MusicHandle WebAudio::openMusic(const std::string& path) {
    const MusicHandle h = clock_.openMusic(path);
    if (h) velk_music_open(h, path.c_str());
    return h;
}

void WebAudio::closeMusic(MusicHandle handle) {
    clock_.closeMusic(handle);
    playing_.erase(handle);
    velk_music_stop(handle, 1);
}

void WebAudio::playMusic(MusicHandle handle) {
    const uint32_t at = clock_.musicPosition(handle);
    const uint32_t length = clock_.musicLength(handle);
    // Asked again while it plays, or after it played to its end: nothing changes.
    if (at >= length || (playing_.count(handle) && at > 0)) return;
    clock_.playMusic(handle);
    playing_.insert(handle);
    velk_music_play(handle, at / 1000.0);
}

void WebAudio::rewindMusic(MusicHandle handle) {
    clock_.rewindMusic(handle);
    playing_.erase(handle);
    velk_music_stop(handle, 0);
}

}  // namespace velk
