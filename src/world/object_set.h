#pragma once
// CObjectSet: the images and animated kinds that decorate a map
// ("objects/obj_%d.msp"), and the current map's placements, which the map
// load reads from the map file before it loads the set.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velk {
class ByteReader;
}

struct ObjectFrame {
    int32_t image = 0;
    int32_t extra1 = 0;  // stored by the file, read by nothing
    int32_t extra2 = 0;
};

struct ObjectKind {
    int32_t frameCount() const { return int32_t(frames.size()); }
    int32_t currentFrame = 0;
    int32_t extra1 = 0;  // stored by the file, read by nothing
    int32_t extra2 = 0;
    std::vector<ObjectFrame> frames;
};

struct ObjectPlacement {
    int32_t x = 0;  // left edge, world pixels
    int32_t y = 0;  // top edge, world pixels
    int32_t kind = 0;
    int32_t animCounter = 0;  // frames in which this object was drawn
};

struct ObjectImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
};

namespace velk {
// Reads a placement count and the placements (y, kind, x each) from a map
// file positioned after its set number. False (`out` unchanged) when the
// count is out of range or the records are not all there.
bool readObjectPlacements(ByteReader& in, std::vector<ObjectPlacement>& out);
}  // namespace velk

class CObjectSet {
public:
    // readObjectPlacements into `placements`: 1 on success, 0 (unchanged)
    // on failure.
    int readPlacements(velk::ByteReader& in);

    // Reads "objects/obj_<setNumber>.msp". 1 on success, 0 on failure; a
    // failed load leaves the previous kinds and images as they were.
    int load();
    int loadFromMemory(const uint8_t* data, size_t size, const char* name);
    // Frees the kinds and images (placements stay with the map).
    void release();

    int lastImageIndex() const { return int(images.size()) - 1; }
    int kindCount() const { return int(kinds.size()); }
    int placementCount() const { return int(placements.size()); }

    // Advances placement p's animation and makes `kind`'s current frame
    // counter / 5 modulo its frame count. Returns the image to draw, or -1
    // when the kind, the placement or the frame's image does not exist.
    int animationImage(int kind, int placement);

    int32_t setNumber = 0;
    std::vector<ObjectImage> images;
    std::vector<ObjectKind> kinds;
    std::vector<ObjectPlacement> placements;
};

extern CObjectSet* g_objectSet;
