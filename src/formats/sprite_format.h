#pragma once
// Signature, magic numbers, mark and limits of the sprite set file
// ("sprite/spr_%d.asp"), shared by the loader and the writer in content/.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/cp949.h"
#include "formats/formats.h"

// Relative to the drawn top-left corner of the frame. Stored in the file as
// right, bottom, top, left.
struct FrameBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// Stored in the file as offsetX, offsetY, frame.
struct AnimationStep {
    int32_t frame = 0;    // index into the frame arrays
    int32_t offsetX = 0;  // added to the owner's position to place the frame
    int32_t offsetY = 0;
};

namespace velk {

inline const std::string& spriteSetSignature() {
    static const std::string s = toCp949("Brandelmoorsky 2D스프라이트 데이터..");
    return s;
}
constexpr size_t kSpriteSetSignatureSize = 36;
constexpr int32_t kSpriteSetMagic1 = -999878;
constexpr int32_t kSpriteSetMagic2 = 997865;
inline const FileHeader& spriteSetHeader() {
    static const FileHeader h{spriteSetSignature(), kSpriteSetMagic1, kSpriteSetMagic2,
                              "sprite set"};
    return h;
}
// The mark between the frames and the animations is the object sets' mark.
constexpr size_t kSpriteMarkSize = kObjectMarkSize;
constexpr const char* kSpriteMark = kObjectMark;

constexpr int32_t kMaxSpriteFrames = 4096;
constexpr int32_t kMaxSpriteAnimations = 1024;
constexpr int32_t kMaxAnimationSteps = 4096;
constexpr int32_t kMaxFrameBoxes = 64;
// All frames of one set together (256 MiB of ARGB).
constexpr uint64_t kMaxSpriteSetPixels = 64u * 1024u * 1024u;

inline std::string spriteSetFileName(int fileNumber) {
    return "sprite/spr_" + std::to_string(fileNumber) + ".asp";
}
inline std::string spriteDelayFileName(int fileNumber) {
    return "txt/sprdelay/delay_" + std::to_string(fileNumber) + ".txt";
}

}  // namespace velk
