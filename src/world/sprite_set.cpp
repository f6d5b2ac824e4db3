#include "world/sprite_set.h"

#include <cstring>
#include <string>
#include <utility>

#include "formats/sprite_format.h"
#include "platform/byte_reader.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/image_block.h"
#include "platform/text_reader.h"
#include "formats/formats.h"

namespace {

// Offsets and box edges are added to screen and world positions; this keeps
// that arithmetic far from overflow whatever the file says.
constexpr int32_t kMaxSpriteCoord = 100000;

bool coordOk(int32_t v) { return v >= -kMaxSpriteCoord && v <= kMaxSpriteCoord; }

}  // namespace

CSpriteSet::CSpriteSet() = default;

CSpriteSet::~CSpriteSet() { destroy(); }

void CSpriteSet::bind(CDirect3D* device) { direct3d = device; }

int CSpriteSet::load(int fileNumber) {
    const std::string name = velk::spriteSetFileName(fileNumber);
    std::vector<uint8_t> sprite;
    if (!velk::readDataFile(name, sprite)) {
        destroy();
        velk::reportBadFile(name, "missing");
        return 0;
    }
    const std::string delayName = velk::spriteDelayFileName(fileNumber);
    std::vector<uint8_t> delays;
    if (!velk::readDataFile(delayName, delays)) {
        destroy();
        velk::reportBadFile(delayName, "missing");
        return 0;
    }
    return loadFromMemory(sprite.data(), sprite.size(), delays.data(), delays.size(),
                          name.c_str(), delayName.c_str());
}

int CSpriteSet::loadFromMemory(const uint8_t* sprite, size_t spriteSize, const uint8_t* delays,
                               size_t delaySize, const char* name, const char* delayName) {
    destroy();
    auto bad = [name](const std::string& reason) {
        velk::reportBadFile(name, reason);
        return 0;
    };
    velk::ByteReader in(sprite, spriteSize);

    if (std::string why = velk::readFileHeader(in, velk::spriteSetHeader()); !why.empty())
        return bad(why);
    const int32_t last = in.i32();
    if (in.failed()) return bad("truncated header");
    if (last < 0 || last >= velk::kMaxSpriteFrames)
        return bad("last frame index " + std::to_string(last) + " out of range");
    const size_t frames = size_t(last) + 1;

    // Everything is read aside and moved in whole, so a bad file leaves an
    // empty set rather than a half-built one.
    std::vector<uint32_t> widths(frames), heights(frames);
    std::vector<std::vector<uint32_t>> pixels(frames);
    uint64_t totalPixels = 0;
    for (size_t f = 0; f < frames; ++f) {
        const std::string frame = "frame " + std::to_string(f);
        const int32_t w = in.i32();
        const int32_t h = in.i32();
        if (in.failed()) return bad(frame + " truncated");
        if (w <= 0 || h <= 0 || !velk::imageSizeAcceptable(uint32_t(w), uint32_t(h)))
            return bad(frame + " size " + std::to_string(w) + "x" + std::to_string(h));
        const uint64_t count = uint64_t(w) * uint64_t(h);
        totalPixels += count;
        if (totalPixels > velk::kMaxSpriteSetPixels) return bad("too many pixels");
        if (!velk::imageBlockCouldFit(in, count)) return bad(frame + " truncated");
        pixels[f].resize(size_t(count));
        std::string error;
        if (!velk::decodeImageBlock(in, uint32_t(w), uint32_t(h), pixels[f].data(), &error))
            return bad(frame + ": " + error);
        widths[f] = uint32_t(w);
        heights[f] = uint32_t(h);
    }

    // The mark is text: it ends at its first zero and the rest is free.
    const uint8_t* mark = in.view(velk::kSpriteMarkSize);
    if (!mark || std::memchr(mark, 0, velk::kSpriteMarkSize) == nullptr ||
        std::strcmp(reinterpret_cast<const char*>(mark), velk::kSpriteMark) != 0)
        return bad("wrong mark after the frames");

    const int32_t rowCount = in.i32();
    if (in.failed()) return bad("truncated before the animations");
    if (rowCount < 0 || rowCount > velk::kMaxSpriteAnimations)
        return bad("animation count " + std::to_string(rowCount) + " out of range");
    std::vector<SpriteAnimation> rows(static_cast<size_t>(rowCount));
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string row = "animation " + std::to_string(r);
        const int32_t steps = in.i32();
        if (in.failed()) return bad(row + " truncated");
        if (steps < 0 || steps > velk::kMaxAnimationSteps || size_t(steps) * 12 > in.remaining())
            return bad(row + " step count " + std::to_string(steps));
        rows[r].stepCount = steps;
        rows[r].steps.resize(size_t(steps));
        for (AnimationStep& step : rows[r].steps) {
            step.offsetX = in.i32();
            step.offsetY = in.i32();
            step.frame = in.i32();
            if (step.frame < 0 || step.frame > last)
                return bad(row + " names frame " + std::to_string(step.frame));
            if (!coordOk(step.offsetX) || !coordOk(step.offsetY))
                return bad(row + " offset out of range");
        }
    }

    std::vector<int32_t> boxCount(frames);
    std::vector<std::vector<FrameBox>> frameBoxes(frames);
    for (size_t f = 0; f < frames; ++f) {
        const std::string frame = "boxes of frame " + std::to_string(f);
        const int32_t n = in.i32();
        if (in.failed()) return bad(frame + " truncated");
        if (n < 0 || n > velk::kMaxFrameBoxes || size_t(n) * 16 > in.remaining())
            return bad(frame + ": count " + std::to_string(n));
        boxCount[f] = n;
        frameBoxes[f].resize(size_t(n));
        for (FrameBox& box : frameBoxes[f]) {
            box.right = in.i32();
            box.bottom = in.i32();
            box.top = in.i32();
            box.left = in.i32();
            if (!coordOk(box.left) || !coordOk(box.top) || !coordOk(box.right) ||
                !coordOk(box.bottom))
                return bad(frame + ": edge out of range");
        }
    }

    // Every row needs a delay of at least 1: it divides the owner's counter.
    velk::TextReader delayText(delays, delaySize);
    for (SpriteAnimation& row : rows) row.delay = 0;
    for (SpriteAnimation& row : rows)
        if (!delayText.number(row.delay, 1, INT32_MAX, "delay")) break;
    if (delayText.failed()) {
        // Damage in the delay file is reported under its own name.
        if (delayName) velk::reportBadFile(delayName, delayText.error());
        return delayName ? 0 : bad("delay file: " + delayText.error());
    }

    lastFrame = last;
    animationCount = rowCount;
    frameWidths = std::move(widths);
    frameHeights = std::move(heights);
    framePixels = std::move(pixels);
    animations = std::move(rows);
    boxCounts = std::move(boxCount);
    boxes = std::move(frameBoxes);
    return 1;
}

void CSpriteSet::createTextures() {
    textures.clear();
    if (!direct3d) return;
    textures.resize(framePixels.size());
    for (size_t f = 0; f < framePixels.size(); ++f)
        textures[f] = direct3d->createTexture(frameWidths[f], frameHeights[f], framePixels[f].data());
}

void CSpriteSet::destroy() {
    textures.clear();
    framePixels.clear();
    frameWidths.clear();
    frameHeights.clear();
    boxes.clear();
    boxCounts.clear();
    animations.clear();
    lastFrame = -1;
    animationCount = 0;
}

void CSpriteSet::drawFrame(int frame, int x, int y) const {
    if (!direct3d || !validFrame(frame) || size_t(frame) >= textures.size()) return;
    direct3d->drawQuad(textures[size_t(frame)].get(), float(x), float(y),
                       float(frameWidths[size_t(frame)]), float(frameHeights[size_t(frame)]));
}

int32_t CSpriteSet::stepAt(int row, int32_t counter) const {
    if (row < 0 || row >= animationCount) return 0;
    const SpriteAnimation& a = animations[size_t(row)];
    if (a.stepCount <= 0) return 0;
    const int32_t n = (counter / a.delay) % a.stepCount;
    return n < 0 ? n + a.stepCount : n;
}

int32_t CSpriteSet::selectStep(int row, int32_t counter) {
    if (row < 0 || row >= animationCount) return 0;
    return animations[size_t(row)].currentStep = stepAt(row, counter);
}

const SpriteAnimation* CSpriteSet::animation(int row) const {
    if (row < 0 || row >= animationCount) return nullptr;
    return &animations[size_t(row)];
}

const AnimationStep* CSpriteSet::step(int row, int32_t index) const {
    const SpriteAnimation* a = animation(row);
    if (!a || index < 0 || index >= a->stepCount) return nullptr;
    return &a->steps[size_t(index)];
}

const AnimationStep* CSpriteSet::currentStep(int row) const {
    const SpriteAnimation* a = animation(row);
    return a ? step(row, a->currentStep) : nullptr;
}

int32_t CSpriteSteps::select(const CSpriteSet& set, int row, int32_t counter) {
    if (row < 0 || size_t(row) >= steps_.size()) return 0;
    return steps_[size_t(row)] = set.stepAt(row, counter);
}

const FrameBox* CSpriteSet::bodyBox(int frame) const {
    if (!validFrame(frame) || boxes[size_t(frame)].empty()) return nullptr;
    return &boxes[size_t(frame)][0];
}

const FrameBox* CSpriteSet::attackBox(int frame) const {
    if (!validFrame(frame) || boxes[size_t(frame)].size() != 2) return nullptr;
    return &boxes[size_t(frame)][1];
}
