#pragma once
// CPicture: one still image of the game (".pic" files and the cursor file),
// held as ARGB pixels and copied into a compositor texture.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/file_header.h"
#include "platform/texture.h"

class CDirect3D;

namespace velk {

// "Brandelmoorsky 2D그림 데이터.." in CP949: the first 30 bytes of every picture file.
constexpr std::array<uint8_t, 30> kPictureSignature = {
    'B', 'r', 'a', 'n', 'd', 'e', 'l', 'm', 'o', 'o', 'r', 's', 'k', 'y', ' ', '2', 'D',
    0xB1, 0xD7, 0xB8, 0xB2, ' ', 0xB5, 0xA5, 0xC0, 0xCC, 0xC5, 0xCD, '.', '.'};
constexpr int32_t kPictureMagic1 = -78987;
constexpr int32_t kPictureMagic2 = 365887;

inline const FileHeader& pictureHeader() {
    static const FileHeader h{
        std::string_view(reinterpret_cast<const char*>(kPictureSignature.data()),
                         kPictureSignature.size()),
        kPictureMagic1, kPictureMagic2, "picture"};
    return h;
}

}  // namespace velk

class CPicture {
public:
    explicit CPicture(CDirect3D* device);
    ~CPicture();
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    // Reads a picture file (a game file name, relative to the data
    // directory). 1 on success, 0 on failure; a failed load keeps no pixels.
    int load(const char* fileName);
    // Same as load, from bytes already in memory.
    int loadFromMemory(const uint8_t* data, size_t size, const char* nameForMessages);
    // Makes the texture from the pixels; nothing when there are none.
    void createTexture();
    // A picture loaded from a game file with its texture, as every owner
    // makes them; one that fails to load is empty and draws nothing.
    static std::unique_ptr<CPicture> loaded(CDirect3D* device, const char* fileName);
    void release();

    // Convenience for drawing code: the texture on a quad at its own size or stretched.
    void draw(float x, float y) const;
    void draw(float x, float y, float w, float h) const;

    CDirect3D* device = nullptr;
    std::vector<uint32_t> pixels;   // width x height, top row first
    std::unique_ptr<CTexture> texture;
    uint32_t width = 0;
    uint32_t height = 0;
};
