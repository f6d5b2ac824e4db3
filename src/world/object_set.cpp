#include "world/object_set.h"

#include <climits>
#include <cstring>
#include <string>

#include "platform/byte_reader.h"
#include "platform/files.h"
#include "platform/image_block.h"
#include "formats/formats.h"

CObjectSet* g_objectSet = nullptr;

namespace velk {

bool readObjectPlacements(ByteReader& in, std::vector<ObjectPlacement>& out) {
    const int32_t count = in.i32();
    if (in.failed() || count < 0 || count > kMaxPlacements || uint64_t(count) * 12u > in.remaining())
        return false;
    std::vector<ObjectPlacement> read(static_cast<size_t>(count));
    for (ObjectPlacement& p : read) {
        p.y = in.i32();
        p.kind = in.i32();
        p.x = in.i32();
    }
    out = std::move(read);
    return true;
}

}  // namespace velk

int CObjectSet::readPlacements(velk::ByteReader& in) {
    return velk::readObjectPlacements(in, placements) ? 1 : 0;
}

int CObjectSet::load() {
    const std::string name = velk::objectSetFileName(setNumber);
    std::vector<uint8_t> bytes;
    if (!velk::readDataFile(name, bytes)) return 0;
    return loadFromMemory(bytes.data(), bytes.size(), name.c_str());
}

int CObjectSet::loadFromMemory(const uint8_t* data, size_t size, const char* name) {
    auto bad = [name](const std::string& reason) {
        velk::reportBadFile(name, reason);
        return 0;
    };
    velk::ByteReader in(data, size);
    if (std::string why = velk::readFileHeader(in, velk::objectSetHeader()); !why.empty())
        return bad(why);
    // The mark is text: "Qalvix" up to the first zero; what follows the zero
    // does not count, and a field with no zero at all is no text.
    const uint8_t* mark = in.view(velk::kObjectMarkSize);
    if (!mark || std::memchr(mark, 0, velk::kObjectMarkSize) == nullptr ||
        std::strcmp(reinterpret_cast<const char*>(mark), velk::kObjectMark) != 0)
        return bad("wrong mark");

    const int32_t kindCount = in.i32();
    if (in.failed() || kindCount < 0 || kindCount > velk::kMaxObjectKinds ||
        uint64_t(kindCount) * 12u > in.remaining())
        return bad("kind count " + std::to_string(kindCount) + " out of range");
    std::vector<ObjectKind> readKinds(static_cast<size_t>(kindCount));
    for (int32_t k = 0; k < kindCount; ++k) {
        ObjectKind& kind = readKinds[size_t(k)];
        const int32_t frames = in.i32();
        if (in.failed() || frames < 0 || frames > velk::kMaxKindFrames ||
            uint64_t(frames) * 12u + 8u > in.remaining())
            return bad("kind " + std::to_string(k) + ": frame count " + std::to_string(frames) +
                       " out of range");
        kind.frames.resize(size_t(frames));
        for (ObjectFrame& f : kind.frames) {
            f.image = in.i32();
            f.extra1 = in.i32();
            f.extra2 = in.i32();
        }
        kind.extra1 = in.i32();
        kind.extra2 = in.i32();
    }

    const int32_t last = in.i32();
    if (in.failed() || last < -1 || last >= velk::kMaxObjectImages)
        return bad("last image index " + std::to_string(last) + " out of range");
    std::vector<ObjectImage> readImages(static_cast<size_t>(last + 1));
    uint64_t total = 0;
    for (int32_t i = 0; i <= last; ++i) {
        ObjectImage& image = readImages[size_t(i)];
        image.width = in.i32();
        image.height = in.i32();
        const std::string which = "image " + std::to_string(i);
        if (in.failed()) return bad(which + " truncated");
        if (image.width <= 0 || image.height <= 0 ||
            !velk::imageSizeAcceptable(uint32_t(image.width), uint32_t(image.height)))
            return bad(which + ": size " + std::to_string(image.width) + "x" +
                       std::to_string(image.height));
        const uint64_t count = uint64_t(image.width) * uint64_t(image.height);
        total += count;
        if (total > velk::kMaxSetPixels || !velk::imageBlockCouldFit(in, count))
            return bad(which + " truncated");
        image.pixels.resize(size_t(count));
        std::string error;
        if (!velk::decodeImageBlock(in, uint32_t(image.width), uint32_t(image.height),
                                    image.pixels.data(), &error))
            return bad(which + ": " + error);
    }

    kinds = std::move(readKinds);
    images = std::move(readImages);
    return 1;
}

void CObjectSet::release() {
    images.clear();
    images.shrink_to_fit();
    kinds.clear();
    kinds.shrink_to_fit();
}

int CObjectSet::animationImage(int kind, int placement) {
    if (placement < 0 || placement >= placementCount()) return -1;
    ObjectPlacement& p = placements[size_t(placement)];
    // Wraps to 0 instead of overflowing after years of drawing.
    p.animCounter = p.animCounter == INT32_MAX ? 0 : p.animCounter + 1;
    if (kind < 0 || kind >= kindCount()) return -1;
    ObjectKind& k = kinds[size_t(kind)];
    if (k.frames.empty()) return -1;  // a kind without frames shows nothing
    k.currentFrame = (p.animCounter / 5) % k.frameCount();
    const int image = k.frames[size_t(k.currentFrame)].image;
    return image >= 0 && image <= lastImageIndex() ? image : -1;
}
