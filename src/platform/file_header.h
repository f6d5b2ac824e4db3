#pragma once
// The header every binary content format opens with: a signature text and
// two magic numbers. One reader checks it for every loader and for the
// tools that tell formats apart.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace velk {

class ByteReader;

struct FileHeader {
    std::string_view signature;  // the exact bytes the file starts with
    int32_t magic1 = 0;
    int32_t magic2 = 0;
    const char* kind = "";  // named in the reason: "map", "tile set", ...
};

// Reads the signature and both magic numbers. Empty when they match;
// otherwise the reason, "not a map (signature)" or "wrong magic numbers".
std::string readFileHeader(ByteReader& in, const FileHeader& header);

// Whether the bytes start with the header's signature.
bool hasSignature(const uint8_t* data, size_t size, const FileHeader& header);

}  // namespace velk
