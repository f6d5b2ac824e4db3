#include "demo/sprite_builder.h"

namespace demo {

SpriteBuilder::SpriteBuilder(int width, int height, int footX, int footY)
    : width_(width), height_(height), footX_(footX), footY_(footY) {}

FrameBox SpriteBuilder::box(int left, int top, int right, int bottom) const {
    return {footX_ + left, footY_ + top, footX_ + right, footY_ + bottom};
}

void SpriteBuilder::row(int index, int delay, const std::vector<DrawnFrame>& frames, bool mirror) {
    if (size_t(index) >= set_.rows.size()) {
        set_.rows.resize(size_t(index) + 1);
        set_.delays.resize(size_t(index) + 1, 0);
    }
    auto flip = [&](const FrameBox& b) { return FrameBox{width_ - b.right, b.top, width_ - b.left, b.bottom}; };
    std::vector<AnimationStep>& steps = set_.rows[size_t(index)];
    steps.clear();
    for (const DrawnFrame& f : frames) {
        velk::SpriteFrameSource out;
        out.width = uint32_t(width_);
        out.height = uint32_t(height_);
        out.pixels = mirror ? f.canvas.mirrored().pixels() : f.canvas.pixels();
        out.boxes.push_back(mirror ? flip(f.body) : f.body);
        if (f.attack) out.boxes.push_back(mirror ? flip(*f.attack) : *f.attack);
        set_.frames.push_back(std::move(out));
        // A mirrored frame keeps the foot point where the owner stands.
        const int dx = mirror ? -(width_ - footX_) - f.shiftX : -footX_ + f.shiftX;
        steps.push_back({int32_t(set_.frames.size()) - 1, dx, -footY_ + f.shiftY});
    }
    set_.delays[size_t(index)] = delay;
}

void SpriteBuilder::write(const DemoContext& ctx, int fileNumber) {
    for (size_t r = 0; r < set_.rows.size(); ++r)
        if (set_.rows[r].empty()) {
            fail("sprite set " + std::to_string(fileNumber) + ": row " + std::to_string(r) + " is missing");
            return;
        }
    writeOut(ctx, velk::spriteSetFileName(fileNumber), velk::encodeSpriteSet(set_));
    writeOut(ctx, velk::spriteDelayFileName(fileNumber), velk::spriteDelayText(set_.delays));
}

}  // namespace demo
