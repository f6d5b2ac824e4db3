#include "content/sprite_set_writer.h"

#include "content/byte_writer.h"

namespace velk {

std::string encodeSpriteSet(const SpriteSetSource& set) {
    std::string out;
    const std::string& signature = spriteSetSignature();
    appendBytes(out, signature.data(), kSpriteSetSignatureSize);
    appendI32(out, kSpriteSetMagic1);
    appendI32(out, kSpriteSetMagic2);
    appendI32(out, int32_t(set.frames.size()) - 1);
    for (const SpriteFrameSource& f : set.frames) {
        appendI32(out, int32_t(f.width));
        appendI32(out, int32_t(f.height));
        appendImageBlock(out, f.width, f.height, f.pixels.data(), f.options);
    }
    std::string mark(kSpriteMark);
    mark.push_back('\0');
    mark += set.markTail;
    mark.resize(kSpriteMarkSize, '\0');
    out += mark;
    appendI32(out, int32_t(set.rows.size()));
    for (const auto& row : set.rows) {
        appendI32(out, int32_t(row.size()));
        for (const AnimationStep& s : row) {
            appendI32(out, s.offsetX);
            appendI32(out, s.offsetY);
            appendI32(out, s.frame);
        }
    }
    for (const SpriteFrameSource& f : set.frames) {
        appendI32(out, int32_t(f.boxes.size()));
        for (const FrameBox& b : f.boxes) {
            appendI32(out, b.right);
            appendI32(out, b.bottom);
            appendI32(out, b.top);
            appendI32(out, b.left);
        }
    }
    return out;
}

std::string spriteDelayText(const std::vector<int32_t>& delays) {
    std::string text;
    for (int32_t d : delays) text += std::to_string(d) + "\n";
    return text;
}

}  // namespace velk
