#include "content/object_set_writer.h"

#include "content/byte_writer.h"
#include "formats/formats.h"

namespace velk {

std::string encodeObjectSet(const ObjectSetSource& set) {
    std::string out;
    appendBytes(out, objectSetSignature().data(), kObjectSetSignatureSize);
    appendI32(out, kObjectSetMagic1);
    appendI32(out, kObjectSetMagic2);
    std::string mark(kObjectMark);
    mark.push_back('\0');
    mark += set.markTail;
    mark.resize(kObjectMarkSize, '\0');
    out += mark;
    appendI32(out, int32_t(set.kinds.size()));
    for (const ObjectKindSource& kind : set.kinds) {
        appendI32(out, int32_t(kind.frames.size()));
        for (const ObjectFrameSource& f : kind.frames) {
            appendI32(out, f.image);
            appendI32(out, f.extra1);
            appendI32(out, f.extra2);
        }
        appendI32(out, kind.extra1);
        appendI32(out, kind.extra2);
    }
    appendI32(out, int32_t(set.images.size()) - 1);  // the file stores the last index
    for (const ObjectImageSource& image : set.images) {
        appendI32(out, image.width);
        appendI32(out, image.height);
        appendImageBlock(out, uint32_t(image.width), uint32_t(image.height),
                         image.pixels.data(), set.options);
    }
    return out;
}

}  // namespace velk
