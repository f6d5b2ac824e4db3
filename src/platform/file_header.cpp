#include "platform/file_header.h"

#include <cstring>

#include "platform/byte_reader.h"

namespace velk {

std::string readFileHeader(ByteReader& in, const FileHeader& header) {
    const uint8_t* sig = in.view(header.signature.size());
    if (!sig || std::memcmp(sig, header.signature.data(), header.signature.size()) != 0)
        return std::string("not a ") + header.kind + " (signature)";
    if (in.i32() != header.magic1 || in.i32() != header.magic2) return "wrong magic numbers";
    return {};
}

bool hasSignature(const uint8_t* data, size_t size, const FileHeader& header) {
    return size >= header.signature.size() &&
           std::memcmp(data, header.signature.data(), header.signature.size()) == 0;
}

}  // namespace velk
