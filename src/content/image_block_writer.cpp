#include "content/image_block_writer.h"

#include "content/byte_writer.h"

namespace velk {

namespace {

void appendPixel(std::string& out, uint32_t pixel, bool withAlpha) {
    appendU8(out, uint8_t(pixel));
    appendU8(out, uint8_t(pixel >> 8));
    appendU8(out, uint8_t(pixel >> 16));
    if (withAlpha) appendU8(out, uint8_t(pixel >> 24));
}

void appendRunLengthRow(std::string& out, const uint32_t* row, uint32_t width, bool withAlpha) {
    // Equality as stored: a 24-bit block drops the alpha.
    const uint32_t mask = withAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    auto same = [&](uint32_t a, uint32_t b) { return ((row[a] ^ row[b]) & mask) == 0; };
    uint32_t x = 0;
    while (x < width) {
        uint32_t run = 1;
        while (x + run < width && run < 128 && same(x, x + run)) ++run;
        if (run >= 2) {
            appendU8(out, uint8_t(0x80 | (run - 1)));
            appendPixel(out, row[x], withAlpha);
            x += run;
            continue;
        }
        // Literals up to the next pair of equal pixels.
        uint32_t count = 1;
        while (x + count < width && count < 128 &&
               !(x + count + 1 < width && same(x + count, x + count + 1)))
            ++count;
        appendU8(out, uint8_t(count - 1));
        for (uint32_t k = 0; k < count; ++k) appendPixel(out, row[x + k], withAlpha);
        x += count;
    }
}

}  // namespace

void appendImageBlock(std::string& out, uint32_t width, uint32_t height, const uint32_t* pixels,
                      const ImageBlockOptions& options) {
    const bool withAlpha = options.bitsPerPixel == 32;
    appendI32(out, withAlpha ? 32 : 24);
    appendU8(out, options.topDown ? 0x10 : 0x00);
    appendU8(out, options.runLength ? 10 : 2);
    for (uint32_t i = 0; i < height; ++i) {
        const uint32_t* row = pixels + size_t(options.topDown ? i : height - 1 - i) * width;
        if (options.runLength) {
            appendRunLengthRow(out, row, width, withAlpha);
        } else {
            for (uint32_t x = 0; x < width; ++x) appendPixel(out, row[x], withAlpha);
        }
    }
}

}  // namespace velk
