#pragma once
// Pixel and byte helpers shared by the world tests.

#include <cstdint>
#include <string>
#include <vector>

namespace worldtest {

inline const uint8_t* bytesOf(const std::string& s) {
    return reinterpret_cast<const uint8_t*>(s.data());
}

// Pixels with runs, single pixels and varied alpha, so every packet kind of
// the image block is exercised.
inline std::vector<uint32_t> pattern(int w, int h, uint32_t seed) {
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t run = uint32_t(x / 3 + y * 7) * 2654435761u + seed * 97u;
            px[size_t(y) * w + x] = (x % 5 == 4) ? (run ^ uint32_t(x * 131 + y)) : run;
        }
    return px;
}

inline std::vector<uint32_t> solid(int w, int h, uint32_t argb) {
    return std::vector<uint32_t>(size_t(w) * size_t(h), argb);
}

inline void putI32(std::string& s, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
}

}  // namespace worldtest
