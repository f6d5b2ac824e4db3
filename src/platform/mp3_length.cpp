#include "platform/mp3_length.h"

#include <cstring>

namespace velk {

namespace {

struct FrameHeader {
    uint32_t sampleRate = 0;
    uint32_t samples = 0;  // per frame
    uint32_t bytes = 0;    // whole frame, header included
    size_t xingOffset = 0; // where a Xing/Info tag would stand
};

// kbps by [MPEG-1?][layer 1..3][index]
constexpr uint16_t kBitrates[2][3][15] = {
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}},
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
};
constexpr uint32_t kRates[3] = {44100, 48000, 32000};

bool readHeader(const uint8_t* p, FrameHeader& h) {
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
    int version = (p[1] >> 3) & 3;  // 0: 2.5, 2: 2, 3: 1
    int layer = 4 - ((p[1] >> 1) & 3);  // 1..3, 4 = reserved
    int bitrateIndex = p[2] >> 4;
    int rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer == 4 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    bool mpeg1 = version == 3;
    uint32_t bitrate = kBitrates[mpeg1][layer - 1][bitrateIndex] * 1000u;
    h.sampleRate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    uint32_t padding = (p[2] >> 1) & 1;
    if (layer == 1) {
        h.samples = 384;
        h.bytes = (12 * bitrate / h.sampleRate + padding) * 4;
    } else {
        h.samples = (layer == 3 && !mpeg1) ? 576 : 1152;
        h.bytes = h.samples / 8 * bitrate / h.sampleRate + padding;
    }
    bool mono = (p[3] >> 6) == 3;
    size_t sideInfo = mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17);
    h.xingOffset = 4 + ((p[1] & 1) ? 0 : 2) + sideInfo;
    return h.bytes >= 4;
}

uint32_t be32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

uint32_t mp3DurationMs(const uint8_t* data, size_t size) {
    if (!data) return 0;
    size_t pos = 0;
    if (size >= 10 && std::memcmp(data, "ID3", 3) == 0) {
        size_t tag = (size_t(data[6] & 0x7F) << 21) | (size_t(data[7] & 0x7F) << 14) |
                     (size_t(data[8] & 0x7F) << 7) | size_t(data[9] & 0x7F);
        pos = 10 + tag + ((data[5] & 0x10) ? 10 : 0);
    }
    uint64_t micros = 0;
    bool first = true;
    while (pos < size && size - pos >= 4) {
        FrameHeader h;
        if (!readHeader(data + pos, h) || h.bytes > size - pos) {
            ++pos;
            continue;
        }
        // An encoder's Info frame carries the count of the frames after it.
        if (first && h.xingOffset + 12 <= h.bytes) {
            const uint8_t* tag = data + pos + h.xingOffset;
            if ((std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0) &&
                (be32(tag + 4) & 1u)) {
                micros = uint64_t(be32(tag + 8)) * h.samples * 1000000u / h.sampleRate;
                break;
            }
        }
        first = false;
        micros += uint64_t(h.samples) * 1000000u / h.sampleRate;
        pos += h.bytes;
    }
    uint64_t ms = micros / 1000;
    return ms > UINT32_MAX ? UINT32_MAX : uint32_t(ms);
}

}  // namespace velk
