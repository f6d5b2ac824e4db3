#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/sprite_set.h"
#include "content/sprite_set_writer.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

velk::SpriteFrameSource frame(uint32_t w, uint32_t h, uint32_t seed, std::vector<FrameBox> boxes,
                              velk::ImageBlockOptions options = {}) {
    velk::SpriteFrameSource f;
    f.width = w;
    f.height = h;
    f.boxes = std::move(boxes);
    f.options = options;
    for (uint32_t i = 0; i < w * h; ++i)
        f.pixels.push_back(((i * 0x3Bu + seed) << 24) | (i * 2654435761u + seed) >> 8);
    return f;
}

// Three frames in every pixel coding, rows of different lengths, and box
// counts 1, 2 (an attack frame) and 3.
velk::SpriteSetSource sampleSet() {
    velk::SpriteSetSource s;
    s.frames.push_back(frame(5, 7, 1, {{1, 2, 4, 6}}, {32, true, true}));
    s.frames.push_back(frame(130, 3, 2, {{0, 0, 9, 9}, {10, -4, 30, 2}}, {24, true, false}));
    s.frames.push_back(frame(4, 4, 3, {{0, 1, 2, 3}, {4, 5, 6, 7}, {8, 9, 10, 11}},
                             {32, false, false}));
    s.rows = {{{0, -2, -7}, {1, 3, -9}}, {}, {{2, 0, 0}, {0, 1, 1}, {2, 2, 2}, {1, -3, 4}}};
    s.delays = {2, 1, 3};
    return s;
}

int loadSet(CSpriteSet& set, const velk::SpriteSetSource& src) {
    const std::string file = velk::encodeSpriteSet(src);
    const std::string delays = velk::spriteDelayText(src.delays);
    return set.loadFromMemory(bytesOf(file), file.size(), bytesOf(delays), delays.size(), "t.asp");
}

void expectEmpty(const CSpriteSet& set) {
    EXPECT_EQ(set.frameCount(), 0);
    EXPECT_EQ(set.animationCount, 0);
    EXPECT_TRUE(set.framePixels.empty());
    EXPECT_EQ(set.animation(0), nullptr);
    EXPECT_EQ(set.bodyBox(0), nullptr);
}

}  // namespace

TEST(SpriteSet, RoundTripsFramesRowsDelaysAndBoxes) {
    const velk::SpriteSetSource src = sampleSet();
    CSpriteSet set;
    ASSERT_EQ(loadSet(set, src), 1);
    ASSERT_EQ(set.lastFrame, 2);
    for (size_t f = 0; f < 3; ++f) {
        SCOPED_TRACE(f);
        const velk::SpriteFrameSource& in = src.frames[f];
        EXPECT_EQ(set.frameWidths[f], in.width);
        EXPECT_EQ(set.frameHeights[f], in.height);
        // A 24-bit frame gets alpha 255 on every pixel; a 32-bit one keeps its alpha.
        const uint32_t forced = in.options.bitsPerPixel == 24 ? 0xFF000000u : 0u;
        for (size_t i = 0; i < in.pixels.size(); ++i)
            ASSERT_EQ(set.framePixels[f][i], in.pixels[i] | forced) << i;
        ASSERT_EQ(set.boxCounts[f], int32_t(in.boxes.size()));
        for (size_t b = 0; b < in.boxes.size(); ++b) {
            EXPECT_EQ(set.boxes[f][b].left, in.boxes[b].left);
            EXPECT_EQ(set.boxes[f][b].top, in.boxes[b].top);
            EXPECT_EQ(set.boxes[f][b].right, in.boxes[b].right);
            EXPECT_EQ(set.boxes[f][b].bottom, in.boxes[b].bottom);
        }
    }
    ASSERT_EQ(set.animationCount, 3);
    for (size_t r = 0; r < 3; ++r) {
        SCOPED_TRACE(r);
        const SpriteAnimation& a = set.animations[r];
        EXPECT_EQ(a.delay, src.delays[r]);
        EXPECT_EQ(a.currentStep, 0);
        ASSERT_EQ(a.stepCount, int32_t(src.rows[r].size()));
        for (size_t s = 0; s < src.rows[r].size(); ++s) {
            EXPECT_EQ(a.steps[s].frame, src.rows[r][s].frame);
            EXPECT_EQ(a.steps[s].offsetX, src.rows[r][s].offsetX);
            EXPECT_EQ(a.steps[s].offsetY, src.rows[r][s].offsetY);
        }
    }
    // Box 0 is the body; only a frame with exactly two boxes strikes.
    EXPECT_EQ(set.bodyBox(0)->right, 4);
    EXPECT_EQ(set.attackBox(0), nullptr);
    ASSERT_NE(set.attackBox(1), nullptr);
    EXPECT_EQ(set.attackBox(1)->left, 10);
    EXPECT_EQ(set.attackBox(2), nullptr);
    EXPECT_EQ(set.bodyBox(3), nullptr);
}

TEST(SpriteSet, StepSelectionFollowsTheOwnersCounter) {
    velk::SpriteSetSource src = sampleSet();
    CSpriteSet set;
    ASSERT_EQ(loadSet(set, src), 1);
    std::vector<int32_t> steps;
    for (int32_t counter = 0; counter <= 12; ++counter) steps.push_back(set.selectStep(2, counter));
    EXPECT_EQ(steps, (std::vector<int32_t>{0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 0}));
    EXPECT_EQ(set.animations[2].currentStep, 0);
    set.selectStep(2, 10);
    ASSERT_NE(set.currentStep(2), nullptr);
    EXPECT_EQ(set.currentStep(2)->offsetY, 4);
    // An empty row and a row the set does not have select nothing.
    EXPECT_EQ(set.selectStep(1, 5), 0);
    EXPECT_EQ(set.currentStep(1), nullptr);
    EXPECT_EQ(set.selectStep(3, 5), 0);
    EXPECT_EQ(set.currentStep(-1), nullptr);
}

TEST(SpriteSet, SingleFrameSetAndMarkWithTrailingBytes) {
    velk::SpriteSetSource src;
    src.frames.push_back(frame(2, 2, 9, {}));
    src.rows = {{{0, 0, 0}}};
    src.delays = {1};
    src.markTail = "junk\x01\x02\x03\x04";
    CSpriteSet set;
    ASSERT_EQ(loadSet(set, src), 1);
    EXPECT_EQ(set.lastFrame, 0);
    EXPECT_EQ(set.frameCount(), 1);
}

TEST(SpriteSet, LoadsFromFilesAndDrawsFramesAtTheirSize) {
    velk::TempDir dir;
    velk::SpriteSetSource src;
    src.frames.push_back(frame(3, 2, 0, {{0, 0, 3, 2}}));
    src.frames[0].pixels.assign(6, 0xFF00FF00u);
    src.rows = {{{0, 0, 0}}};
    src.delays = {4};
    dir.write(velk::spriteSetFileName(7), velk::encodeSpriteSet(src));
    dir.write(velk::spriteDelayFileName(7), velk::spriteDelayText(src.delays));
    dir.write(velk::spriteSetFileName(8), velk::encodeSpriteSet(src));

    CDirect3D device;
    ASSERT_TRUE(device.init(nullptr, 800, 600, true));
    device.alphaTestOn();
    const uint32_t blank = device.backBuffer()[0];
    CSpriteSet set;
    set.bind(&device);
    ASSERT_EQ(set.load(7), 1);
    EXPECT_EQ(set.animations[0].delay, 4);
    set.createTextures();
    set.drawFrame(0, 10, 20);
    set.drawFrame(1, 0, 0);  // no such frame: nothing
    const uint32_t* px = device.backBuffer();
    EXPECT_EQ(px[20 * 800 + 10], 0xFF00FF00u);
    EXPECT_EQ(px[21 * 800 + 12], 0xFF00FF00u);
    EXPECT_EQ(px[21 * 800 + 13], blank);
    EXPECT_EQ(px[0], blank);

    // The delay file is part of the set: without it the load fails.
    EXPECT_EQ(set.load(8), 0);
    expectEmpty(set);
    EXPECT_EQ(set.load(9), 0);

    // Damage in a delay file is reported under the delay file's name.
    dir.write(velk::spriteSetFileName(10), velk::encodeSpriteSet(src));
    dir.write(velk::spriteDelayFileName(10), "four");
    std::vector<std::string> named;
    velk::setBadFileListener([&](const std::string& name, const std::string&) { named.push_back(name); });
    EXPECT_EQ(set.load(10), 0);
    velk::setBadFileListener(nullptr);
    EXPECT_EQ(named, std::vector<std::string>{velk::spriteDelayFileName(10)});
}

TEST(SpriteSet, BadFilesLeaveAnEmptySet) {
    const velk::SpriteSetSource src = sampleSet();
    const std::string good = velk::encodeSpriteSet(src);
    const std::string delays = velk::spriteDelayText(src.delays);
    struct Case {
        const char* what;
        std::string file;
        std::string delays;
    };
    std::vector<Case> cases;
    for (size_t at : {size_t(0), size_t(20), size_t(35), size_t(36), size_t(40)}) {
        std::string bad = good;
        bad[at] ^= 0x20;
        cases.push_back({"signature or magic byte changed", bad, delays});
    }
    const size_t markAt = good.find("Qalvix");
    std::string badMark = good;
    badMark[markAt + 6] = 'X';  // no zero ends the mark
    cases.push_back({"mark without its zero", badMark, delays});
    cases.push_back({"delay of zero", good, "2 0 3"});
    cases.push_back({"fewer delays than rows", good, "2 1"});
    cases.push_back({"delay not a number", good, "2 x 3"});
    velk::SpriteSetSource wrongFrame = sampleSet();
    wrongFrame.rows[0][1].frame = 3;
    cases.push_back({"step naming a missing frame", velk::encodeSpriteSet(wrongFrame), delays});
    std::string hugeCount = good;
    hugeCount[44] = '\xFF';
    hugeCount[45] = '\xFF';
    hugeCount[46] = '\xFF';
    hugeCount[47] = '\x7F';
    cases.push_back({"frame count beyond any set", hugeCount, delays});

    CSpriteSet set;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(set.loadFromMemory(bytesOf(good), good.size(), bytesOf(delays), delays.size(), "g"), 1);
        EXPECT_EQ(set.loadFromMemory(bytesOf(c.file), c.file.size(), bytesOf(c.delays),
                                     c.delays.size(), "bad.asp"),
                  0);
        expectEmpty(set);
    }
    // Every truncation is refused without reading past the end.
    for (size_t n = 0; n < good.size(); ++n) {
        const std::string cut = good.substr(0, n);
        ASSERT_EQ(set.loadFromMemory(bytesOf(cut), cut.size(), bytesOf(delays), delays.size(), "cut"), 0)
            << n;
    }
}
