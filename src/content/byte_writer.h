#pragma once
// Little-endian appends for the writers of the game's binary formats.

#include <cstdint>
#include <string>

namespace velk {

inline void appendU8(std::string& out, uint8_t v) { out.push_back(char(v)); }

inline void appendU32(std::string& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(char((v >> shift) & 0xFF));
}

inline void appendI32(std::string& out, int32_t v) { appendU32(out, uint32_t(v)); }

inline void appendBytes(std::string& out, const void* data, size_t size) {
    out.append(static_cast<const char*>(data), size);
}

}  // namespace velk
