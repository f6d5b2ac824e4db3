#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "content/byte_writer.h"
#include "content/object_set_writer.h"
#include "platform/byte_reader.h"
#include "world/object_set.h"
#include "world_fixtures.h"

namespace {

using namespace worldtest;

constexpr size_t kMarkAt = 42;

velk::ObjectSetSource sampleSet() {
    velk::ObjectSetSource src;
    src.kinds = {
        {{{0, 11, 12}}, 21, 22},
        {{{1, 0, 0}, {2, -3, 4}, {0, 5, 6}, {1, 7, 8}}, -1, 99},
        {{}, 0, 0},
    };
    src.images = {{3, 2, pattern(3, 2, 1)}, {5, 4, pattern(5, 4, 2)}, {1, 1, {0x80FFFFFFu}}};
    src.options = {32, true, false};
    return src;
}

TEST(ObjectSet, RoundTripKeepsEveryField) {
    const velk::ObjectSetSource src = sampleSet();
    const std::string file = velk::encodeObjectSet(src);
    CObjectSet set;
    ASSERT_EQ(set.loadFromMemory(bytesOf(file), file.size(), "o"), 1);

    ASSERT_EQ(set.kindCount(), 3);
    for (size_t k = 0; k < src.kinds.size(); ++k) {
        SCOPED_TRACE(k);
        const ObjectKind& got = set.kinds[k];
        EXPECT_EQ(got.extra1, src.kinds[k].extra1);
        EXPECT_EQ(got.extra2, src.kinds[k].extra2);
        EXPECT_EQ(got.currentFrame, 0);
        ASSERT_EQ(got.frameCount(), int(src.kinds[k].frames.size()));
        for (size_t f = 0; f < got.frames.size(); ++f) {
            EXPECT_EQ(got.frames[f].image, src.kinds[k].frames[f].image);
            EXPECT_EQ(got.frames[f].extra1, src.kinds[k].frames[f].extra1);
            EXPECT_EQ(got.frames[f].extra2, src.kinds[k].frames[f].extra2);
        }
    }
    ASSERT_EQ(set.lastImageIndex(), 2);
    for (size_t i = 0; i < src.images.size(); ++i) {
        EXPECT_EQ(set.images[i].width, src.images[i].width);
        EXPECT_EQ(set.images[i].height, src.images[i].height);
        EXPECT_EQ(set.images[i].pixels, src.images[i].pixels);
    }
}

TEST(ObjectSet, MarkIsTextUpToItsFirstZero) {
    const std::string good = velk::encodeObjectSet(sampleSet());
    struct MarkCase {
        const char* what;
        std::string mark;  // all 15 bytes
        bool accepted;
    };
    const MarkCase cases[] = {
        {"zero-filled", std::string("Qalvix") + std::string(9, '\0'), true},
        {"bytes after the zero", std::string("Qalvix\0garbage", 14) + '\0', true},
        {"non-zero bytes before the zero", std::string("Qalvixx") + std::string(8, '\0'), false},
        {"no zero at all", "QalvixQalvixQal", false},
        {"shorter text", std::string("Qalvi") + std::string(10, '\0'), false},
    };
    for (const MarkCase& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(c.mark.size(), 15u);
        std::string file = good;
        file.replace(kMarkAt, 15, c.mark);
        CObjectSet set;
        EXPECT_EQ(set.loadFromMemory(bytesOf(file), file.size(), "o"), c.accepted ? 1 : 0);
    }
}

TEST(ObjectSet, BadFilesAreRefusedAndTheLoadedSetStays) {
    velk::ObjectSetSource one;
    one.kinds = {{{{0, 0, 0}}, 0, 0}};
    one.images = {{2, 2, solid(2, 2, 0xFF0000FFu)}};
    const std::string good = velk::encodeObjectSet(one);
    // Layout of `one`: kinds at 57, frame count 61, kind end 85, last image
    // index 85, first image size 89.
    auto patched = [&](size_t at, int32_t v) {
        std::string s = good;
        putI32(s, at, v);
        return s;
    };
    std::string sig = good;
    sig[0] = 'b';
    const std::pair<const char*, std::string> cases[] = {
        {"signature", sig},
        {"first magic", patched(34, 98798)},
        {"second magic", patched(38, 0)},
        {"negative kind count", patched(57, -1)},
        {"kind count past the file", patched(57, 1000)},
        {"frame count past the file", patched(61, 0x10000)},
        {"negative frame count", patched(61, -5)},
        {"last image index too low", patched(85, -2)},
        {"more images than stored", patched(85, 1)},
        {"zero-width image", patched(89, 0)},
        {"huge image", patched(89, 1 << 30)},
        {"truncated pixels", good.substr(0, good.size() - 1)},
    };
    CObjectSet set;
    const std::string first = velk::encodeObjectSet(sampleSet());
    ASSERT_EQ(set.loadFromMemory(bytesOf(first), first.size(), "o"), 1);
    for (const auto& [what, file] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(set.loadFromMemory(bytesOf(file), file.size(), "bad"), 0);
        EXPECT_EQ(set.kindCount(), 3);
        EXPECT_EQ(set.lastImageIndex(), 2);
    }
    EXPECT_EQ(set.loadFromMemory(bytesOf(good), good.size(), "one"), 1);
}

TEST(ObjectSet, PlacementsAreReadAsYKindX) {
    std::string bytes;
    velk::appendI32(bytes, 2);
    for (int32_t v : {100, 1, 300, -5, 0, 7}) velk::appendI32(bytes, v);
    CObjectSet set;
    set.placements.resize(5);
    velk::ByteReader in(bytesOf(bytes), bytes.size());
    ASSERT_EQ(set.readPlacements(in), 1);
    ASSERT_EQ(set.placementCount(), 2);
    EXPECT_EQ(set.placements[0].y, 100);
    EXPECT_EQ(set.placements[0].kind, 1);
    EXPECT_EQ(set.placements[0].x, 300);
    EXPECT_EQ(set.placements[1].y, -5);
    EXPECT_EQ(set.placements[1].x, 7);
    EXPECT_EQ(set.placements[1].animCounter, 0);

    // A count the records cannot back leaves the placements alone.
    velk::ByteReader shortIn(bytesOf(bytes), bytes.size() - 1);
    EXPECT_EQ(set.readPlacements(shortIn), 0);
    EXPECT_EQ(set.placementCount(), 2);
}

TEST(ObjectSet, EachFrameShowsForFiveDrawsAtEachPlacementsOwnPace) {
    const std::string file = velk::encodeObjectSet(sampleSet());
    CObjectSet set;
    ASSERT_EQ(set.loadFromMemory(bytesOf(file), file.size(), "o"), 1);
    set.placements = {{0, 0, 1, 0}, {0, 0, 1, 0}, {0, 0, 0, 0}};

    // Kind 1 shows images 1, 2, 0, 1; over 20 draws each frame gets 5.
    std::map<int, int> shownFrames;
    std::vector<int> images;
    for (int i = 0; i < 20; ++i) {
        images.push_back(set.animationImage(1, 0));
        ++shownFrames[set.kinds[1].currentFrame];
    }
    EXPECT_EQ(shownFrames, (std::map<int, int>{{0, 5}, {1, 5}, {2, 5}, {3, 5}}));
    EXPECT_EQ(images[3], 1);
    EXPECT_EQ(images[4], 2);
    EXPECT_EQ(images[9], 0);
    EXPECT_EQ(images[19], 1);
    EXPECT_EQ(set.placements[0].animCounter, 20);

    // Placement 1 starts from its own counter.
    EXPECT_EQ(set.animationImage(1, 1), 1);
    EXPECT_EQ(set.kinds[1].currentFrame, 0);
    // A one-frame kind always shows that frame.
    for (int i = 0; i < 12; ++i) EXPECT_EQ(set.animationImage(0, 2), 0);
}

TEST(ObjectSet, AnimationNeverLeavesItsTables) {
    velk::ObjectSetSource src = sampleSet();
    src.kinds.push_back({{{3, 0, 0}}, 0, 0});   // image past the last
    src.kinds.push_back({{{-1, 0, 0}}, 0, 0});  // negative image
    const std::string file = velk::encodeObjectSet(src);
    CObjectSet set;
    ASSERT_EQ(set.loadFromMemory(bytesOf(file), file.size(), "o"), 1);
    set.placements = {{0, 0, 0, 0}};
    EXPECT_EQ(set.animationImage(2, 0), -1);  // no frames
    EXPECT_EQ(set.animationImage(3, 0), -1);
    EXPECT_EQ(set.animationImage(4, 0), -1);
    EXPECT_EQ(set.animationImage(5, 0), -1);
    EXPECT_EQ(set.animationImage(-1, 0), -1);
    EXPECT_EQ(set.animationImage(0, 1), -1);
    EXPECT_EQ(set.animationImage(0, -1), -1);
}

}  // namespace
