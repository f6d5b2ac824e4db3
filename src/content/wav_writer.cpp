#include "content/wav_writer.h"

#include <algorithm>

namespace velk {

namespace {

void put16(std::string& s, uint32_t v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char((v >> 8) & 0xFF));
}
void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}
void putChunk(std::string& s, const std::string& id, const std::string& body) {
    s += id.substr(0, 4);
    s.append(4 - std::min<size_t>(4, id.size()), ' ');
    put32(s, uint32_t(body.size()));
    s += body;
    if (body.size() & 1) s.push_back('\0');
}

}  // namespace

std::string writeWav(const WavLayout& layout, const std::string& samples) {
    uint16_t blockAlign = layout.blockAlign
                              ? layout.blockAlign
                              : uint16_t(layout.channels * (layout.bitsPerSample / 8));
    std::string fmt;
    put16(fmt, layout.formatTag);
    put16(fmt, layout.channels);
    put32(fmt, layout.sampleRate);
    put32(fmt, blockAlign * layout.sampleRate);
    put16(fmt, blockAlign);
    put16(fmt, layout.bitsPerSample);
    if (layout.fmtSize >= 18) put16(fmt, 0);
    fmt.resize(layout.fmtSize, '\0');

    std::string body = "WAVE";
    putChunk(body, "fmt ", fmt);
    for (const auto& [id, chunk] : layout.extraChunks) putChunk(body, id, chunk);
    putChunk(body, "data", samples);

    std::string file = "RIFF";
    put32(file, uint32_t(body.size()));
    return file + body;
}

std::string writeWav16(const std::vector<int16_t>& samples, uint32_t sampleRate,
                       uint16_t channels) {
    std::string bytes;
    bytes.reserve(samples.size() * 2);
    for (int16_t v : samples) put16(bytes, uint16_t(v));
    WavLayout layout;
    layout.channels = channels;
    layout.sampleRate = sampleRate;
    return writeWav(layout, bytes);
}

}  // namespace velk
