#include "platform/image_block.h"

namespace velk {

bool imageSizeAcceptable(uint32_t width, uint32_t height) {
    return width <= kMaxImageSide && height <= kMaxImageSide &&
           uint64_t(width) * uint64_t(height) <= kMaxImagePixels;
}

namespace {

template <size_t kBytes>
inline uint32_t storedPixel(const uint8_t* p) {
    const uint32_t alpha = kBytes == 4 ? p[3] : 255u;
    return (alpha << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

template <size_t kBytes>
bool decodeRows(ByteReader& in, uint32_t width, uint32_t height, bool topDown, bool runLength,
                uint32_t* out, std::string* error) {
    auto fail = [error](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    for (uint32_t i = 0; i < height; ++i) {
        uint32_t* row = out + size_t(topDown ? i : height - 1 - i) * width;
        if (!runLength) {
            const uint8_t* p = in.view(size_t(width) * kBytes);
            if (!p) return fail("pixel data truncated");
            for (uint32_t x = 0; x < width; ++x) row[x] = storedPixel<kBytes>(p + x * kBytes);
            continue;
        }
        uint32_t x = 0;
        while (x < width) {
            const uint8_t header = in.u8();
            if (in.failed()) return fail("pixel data truncated");
            const uint32_t count = (header & 0x7Fu) + 1;
            if (count > width - x)
                return fail("run-length packet crosses the end of stored row " + std::to_string(i));
            if (header & 0x80) {
                const uint8_t* p = in.view(kBytes);
                if (!p) return fail("pixel data truncated");
                const uint32_t pixel = storedPixel<kBytes>(p);
                for (uint32_t k = 0; k < count; ++k) row[x + k] = pixel;
            } else {
                const uint8_t* p = in.view(size_t(count) * kBytes);
                if (!p) return fail("pixel data truncated");
                for (uint32_t k = 0; k < count; ++k) row[x + k] = storedPixel<kBytes>(p + k * kBytes);
            }
            x += count;
        }
    }
    return true;
}

}  // namespace

bool decodeImageBlock(ByteReader& in, uint32_t width, uint32_t height, uint32_t* out,
                      std::string* error) {
    const int32_t bitsPerPixel = in.i32();
    const uint8_t descriptor = in.u8();
    const uint8_t encoding = in.u8();
    if (in.failed()) {
        if (error) *error = "image header truncated";
        return false;
    }
    const bool topDown = (descriptor & 0x10) != 0;
    const bool runLength = encoding == 10;
    return bitsPerPixel == 32
               ? decodeRows<4>(in, width, height, topDown, runLength, out, error)
               : decodeRows<3>(in, width, height, topDown, runLength, out, error);
}

}  // namespace velk
