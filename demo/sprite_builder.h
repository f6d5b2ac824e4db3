#pragma once
// Builds the sprite sets of the demo's creatures, shots and pet: frames
// drawn facing right around a foot point, rows made of them, left rows
// mirrored, boxes kept relative to the frame.

#include <optional>
#include <string>
#include <vector>

#include "formats/sprite_format.h"
#include "content/sprite_set_writer.h"
#include "demo/art.h"
#include "demo/demo.h"

namespace demo {

struct DrawnFrame {
    Canvas canvas;
    FrameBox body;
    std::optional<FrameBox> attack;  // makes the frame an attack frame
    int shiftX = 0;  // moves the drawn frame forward (in the facing direction)
    int shiftY = 0;  // and down, without moving the owner
};

class SpriteBuilder {
public:
    // Frames are width x height; the owner's position is the point (footX, footY).
    SpriteBuilder(int width, int height, int footX, int footY);

    int width() const { return width_; }
    int height() const { return height_; }
    // A blank canvas of the frame's size.
    Canvas canvas() const { return Canvas(width_, height_); }
    // A box given relative to the foot point.
    FrameBox box(int left, int top, int right, int bottom) const;

    // Row `index` shows `frames` in turn, `delay` game frames each; mirrored
    // (canvases and boxes) when `mirror` is set.
    void row(int index, int delay, const std::vector<DrawnFrame>& frames, bool mirror = false);
    // Writes the sprite file and its delay file; every row up to the highest must exist.
    void write(const DemoContext& ctx, int fileNumber);

private:
    int width_, height_, footX_, footY_;
    velk::SpriteSetSource set_;
};

}  // namespace demo
