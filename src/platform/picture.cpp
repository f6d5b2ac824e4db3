#include "platform/picture.h"

#include <cstring>
#include <string>

#include "platform/byte_reader.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/image_block.h"

CPicture::CPicture(CDirect3D* dev) : device(dev) {}

CPicture::~CPicture() { release(); }

int CPicture::load(const char* fileName) {
    std::vector<uint8_t> bytes;
    if (!fileName || !velk::readDataFile(fileName, bytes)) {
        pixels.clear();
        pixels.shrink_to_fit();
        width = height = 0;
        if (fileName) velk::reportBadFile(fileName, "cannot be read");
        return 0;
    }
    return loadFromMemory(bytes.data(), bytes.size(), fileName);
}

int CPicture::loadFromMemory(const uint8_t* data, size_t size, const char* nameForMessages) {
    pixels.clear();
    pixels.shrink_to_fit();
    width = height = 0;
    auto bad = [nameForMessages](const std::string& reason) {
        velk::reportBadFile(nameForMessages ? nameForMessages : "picture", reason);
        return 0;
    };

    velk::ByteReader in(data, size);
    if (std::string why = velk::readFileHeader(in, velk::pictureHeader()); !why.empty())
        return bad(why);
    const uint32_t w = in.u32();
    const uint32_t h = in.u32();
    if (in.failed()) return bad("header truncated");
    if (!velk::imageSizeAcceptable(w, h))
        return bad("size " + std::to_string(w) + "x" + std::to_string(h) + " too large");
    // The densest packets give 32 pixels a byte: a size the rest of the file
    // cannot hold is refused before its pixels are allocated.
    const uint64_t count = uint64_t(w) * h;
    if (count > 32u * uint64_t(in.remaining())) return bad("pixel data truncated");

    std::vector<uint32_t> decoded(static_cast<size_t>(count));
    std::string error;
    if (!velk::decodeImageBlock(in, w, h, decoded.data(), &error)) return bad(error);
    pixels = std::move(decoded);
    width = w;
    height = h;
    return 1;
}

void CPicture::createTexture() {
    if (!device || pixels.empty()) return;
    texture = device->createTexture(width, height, pixels.data());
}

void CPicture::release() {
    texture.reset();
    pixels.clear();
    pixels.shrink_to_fit();
}

void CPicture::draw(float x, float y) const { draw(x, y, float(width), float(height)); }

void CPicture::draw(float x, float y, float w, float h) const {
    if (device) device->drawQuad(texture.get(), x, y, w, h);
}

std::unique_ptr<CPicture> CPicture::loaded(CDirect3D* device, const char* fileName) {
    auto picture = std::make_unique<CPicture>(device);
    picture->load(fileName);
    picture->createTexture();
    return picture;
}
