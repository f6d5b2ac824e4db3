#pragma once
// Bounded little-endian reader over bytes in memory. Every loader reads
// through it: a read past the end sets `failed` and yields zeros, so a
// truncated file never reads past its buffer.

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace velk {

class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool failed() const { return failed_; }
    size_t position() const { return pos_; }
    size_t remaining() const { return size_ - pos_; }
    bool atEnd() const { return pos_ >= size_; }

    bool bytes(void* out, size_t n) {
        if (n > remaining()) {
            std::memset(out, 0, n);
            failed_ = true;
            pos_ = size_;
            return false;
        }
        std::memcpy(out, data_ + pos_, n);
        pos_ += n;
        return true;
    }
    bool skip(size_t n) {
        if (n > remaining()) {
            failed_ = true;
            pos_ = size_;
            return false;
        }
        pos_ += n;
        return true;
    }
    uint8_t u8() {
        if (pos_ >= size_) {
            failed_ = true;
            return 0;
        }
        return data_[pos_++];
    }
    uint16_t u16() {
        uint8_t b[2];
        bytes(b, 2);
        return uint16_t(b[0] | (b[1] << 8));
    }
    uint32_t u32() {
        uint8_t b[4];
        bytes(b, 4);
        return uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
               (uint32_t(b[3]) << 24);
    }
    int32_t i32() { return static_cast<int32_t>(u32()); }
    // Direct view of the next n bytes (null and failed if fewer remain).
    const uint8_t* view(size_t n) {
        if (n > remaining()) {
            failed_ = true;
            pos_ = size_;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace velk
