#include "platform/sound_bank.h"

#include <cstring>

#include "platform/files.h"

CSoundBank g_soundBank;

namespace velk {

namespace {

uint16_t le16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool fail(std::string* error, const char* why) {
    if (error) *error = why;
    return false;
}

// The mixer's frequency range; the device refuses buffers outside it.
constexpr uint32_t kMinRate = 100;
constexpr uint32_t kMaxRate = 200000;
constexpr size_t kWaveFormatBytes = 18;

}  // namespace

bool parseWave(const uint8_t* data, size_t size, ParsedWave& out, std::string* error) {
    if (!data || size < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
        std::memcmp(data + 8, "WAVE", 4) != 0)
        return fail(error, "not a RIFF WAVE file");
    // Chunks are searched inside the RIFF form, and never past the file.
    uint64_t riffEnd = 8 + uint64_t(le32(data + 4));
    if (riffEnd > size) riffEnd = size;

    uint64_t pos = 12;
    if (pos + 8 > riffEnd || std::memcmp(data + pos, "fmt ", 4) != 0)
        return fail(error, "the first chunk is not \"fmt \"");
    uint32_t fmtSize = le32(data + pos + 4);
    if (fmtSize < kWaveFormatBytes || pos + 8 + kWaveFormatBytes > size)
        return fail(error, "format chunk shorter than 18 bytes");
    const uint8_t* fmt = data + pos + 8;
    WaveFormat file;
    file.formatTag = le16(fmt);
    file.channels = le16(fmt + 2);
    file.sampleRate = le32(fmt + 4);
    file.avgBytesPerSec = le32(fmt + 8);
    file.blockAlign = le16(fmt + 12);
    file.bitsPerSample = le16(fmt + 14);
    if (file.formatTag != 1) return fail(error, "not PCM (format tag is not 1)");
    pos += 8 + uint64_t(fmtSize) + (fmtSize & 1u);

    const uint8_t* samples = nullptr;
    uint32_t dataSize = 0;
    while (pos + 8 <= riffEnd) {
        uint32_t chunkSize = le32(data + pos + 4);
        if (std::memcmp(data + pos, "data", 4) == 0) {
            uint64_t start = pos + 8;
            if (chunkSize > size - start) return fail(error, "data chunk runs past the end of the file");
            samples = data + start;
            dataSize = chunkSize;
            break;
        }
        pos += 8 + uint64_t(chunkSize) + (chunkSize & 1u);
    }
    if (!samples) return fail(error, "no \"data\" chunk");

    WaveFormat buffer;
    buffer.formatTag = 1;
    buffer.channels = file.channels > 1 ? 2 : 1;
    buffer.sampleRate = file.sampleRate;
    buffer.blockAlign = file.blockAlign;
    buffer.bitsPerSample = file.bitsPerSample;
    uint64_t avg = uint64_t(buffer.blockAlign) * buffer.sampleRate;

    // What no mixer can play is refused here, so both backends agree and no
    // backend reads past a frame: a frame must hold the channels it claims.
    if (file.channels == 0) return fail(error, "no channels");
    if (buffer.bitsPerSample != 8 && buffer.bitsPerSample != 16)
        return fail(error, "only 8- and 16-bit samples play");
    if (buffer.sampleRate < kMinRate || buffer.sampleRate > kMaxRate)
        return fail(error, "sample rate out of range");
    if (buffer.blockAlign < buffer.channels * (buffer.bitsPerSample / 8))
        return fail(error, "block alignment smaller than one frame");
    if (avg > UINT32_MAX) return fail(error, "byte rate out of range");
    if (dataSize < buffer.blockAlign) return fail(error, "no samples");
    buffer.avgBytesPerSec = uint32_t(avg);

    out.fileFormat = file;
    out.bufferFormat = buffer;
    out.samples = samples;
    out.size = dataSize;
    return true;
}

std::vector<uint8_t> packFrames(const WaveFormat& format, const uint8_t* samples, size_t size) {
    const size_t frameBytes = size_t(format.channels) * (format.bitsPerSample / 8);
    if (!samples || frameBytes == 0 || format.blockAlign < frameBytes) return {};
    const size_t frames = size / format.blockAlign;
    std::vector<uint8_t> packed(frames * frameBytes);
    if (format.blockAlign == frameBytes) {
        if (!packed.empty()) std::memcpy(packed.data(), samples, packed.size());
        return packed;
    }
    for (size_t i = 0; i < frames; ++i)
        std::memcpy(packed.data() + i * frameBytes, samples + i * format.blockAlign, frameBytes);
    return packed;
}

}  // namespace velk

// The backend may already be gone when globals are destroyed; the
// application releases the effects and shuts the bank down before that.
CSoundBank::~CSoundBank() = default;

bool CSoundBank::init(velk::IBackend* backend) {
    backend_ = backend;
    return backend_ != nullptr;
}

bool CSoundBank::loadEffect(const char* fileName, SoundBuffer* buffer) {
    if (!backend_ || !fileName || !buffer) return false;
    std::vector<uint8_t> bytes;
    if (!velk::readDataFile(fileName, bytes)) {
        velk::reportBadFile(velk::dataPath(fileName), "missing or unreadable");
        return false;
    }
    velk::ParsedWave wave;
    std::string why;
    if (!velk::parseWave(bytes.data(), bytes.size(), wave, &why)) {
        velk::reportBadFile(velk::dataPath(fileName), why);
        return false;
    }
    velk::SoundHandle handle =
        backend_->createSound(buffer->name, wave.bufferFormat, wave.samples, wave.size);
    if (!handle) return false;
    // The old sound is released rather than leaked; the backend lets it
    // finish if it is still sounding.
    releaseEffect(buffer);
    buffer->handle = handle;
    buffer->format = wave.bufferFormat;
    buffer->dataSize = wave.size;
    return true;
}

bool CSoundBank::play(SoundBuffer* buffer, bool loop) {
    if (!backend_ || !buffer || !buffer->handle) return false;
    if (backend_->isSoundPlaying(buffer->handle)) return true;
    return backend_->playSound(buffer->handle, loop);
}

void CSoundBank::releaseEffect(SoundBuffer* buffer) {
    if (!buffer || !buffer->handle) return;
    if (backend_) backend_->releaseSound(buffer->handle);
    buffer->handle = 0;
    buffer->dataSize = 0;
}

void CSoundBank::shutdown() { backend_ = nullptr; }
