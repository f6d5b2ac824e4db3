#include "platform/png_io.h"

#include <png.h>

#include <cstdio>

namespace velk {

bool writePng(const std::string& path, const uint32_t* argb, uint32_t width, uint32_t height,
              bool keepAlpha) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB is B, G, R, A in memory
    std::vector<uint32_t> copy;
    const uint32_t* src = argb;
    if (!keepAlpha) {
        copy.assign(argb, argb + size_t(width) * height);
        for (uint32_t& p : copy) p |= 0xFF000000u;
        src = copy.data();
    }
    return png_image_write_to_file(&image, path.c_str(), 0, src, int(width * 4), nullptr) != 0;
}

bool readPng(const std::string& path, std::vector<uint32_t>& argb, uint32_t& width,
             uint32_t& height, std::string* error) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        if (error) *error = image.message;
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    if (image.width == 0 || image.height == 0 || image.width > 16384 || image.height > 16384) {
        png_image_free(&image);
        if (error) *error = "unsupported picture size";
        return false;
    }
    argb.assign(size_t(image.width) * image.height, 0);
    if (!png_image_finish_read(&image, nullptr, argb.data(), int(image.width * 4), nullptr)) {
        if (error) *error = image.message;
        argb.clear();
        return false;
    }
    width = image.width;
    height = image.height;
    return true;
}

}  // namespace velk
