#include <gtest/gtest.h>

#include "content/tile_set_writer.h"
#include "support/temp_dir.h"
#include "world/tile_set.h"
#include "world_fixtures.h"

namespace {

using namespace worldtest;

struct LayoutCase {
    const char* what;
    velk::ImageBlockOptions options;
    int tiles;
};

TEST(TileSet, RoundTripsEveryBlockLayout) {
    const LayoutCase cases[] = {
        {"32-bit run-length top-down", {32, true, true}, 3},
        {"32-bit raw bottom-up", {32, false, false}, 2},
        {"24-bit run-length bottom-up", {24, true, false}, 2},
        {"24-bit raw top-down, one tile", {24, false, true}, 1},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.what);
        // Not square, so a swapped width and height shows.
        velk::TileSetSource src;
        src.tileWidth = 7;
        src.tileHeight = 5;
        src.options = c.options;
        for (int t = 0; t < c.tiles; ++t) src.tiles.push_back(pattern(7, 5, uint32_t(t)));
        const std::string file = velk::encodeTileSet(src);

        CTileSet set;
        ASSERT_EQ(set.loadFromMemory(bytesOf(file), file.size(), "t"), 1);
        EXPECT_EQ(set.lastTileIndex, c.tiles - 1);
        EXPECT_EQ(set.tileWidth, 7);
        EXPECT_EQ(set.tileHeight, 5);
        ASSERT_EQ(set.pixels.size(), size_t(c.tiles));
        for (int t = 0; t < c.tiles; ++t) {
            std::vector<uint32_t> want = src.tiles[size_t(t)];
            if (c.options.bitsPerPixel == 24)
                for (uint32_t& p : want) p |= 0xFF000000u;
            EXPECT_EQ(set.pixels[size_t(t)], want) << "tile " << t;
        }
    }
}

TEST(TileSet, BadFilesAreRefusedAndTheLoadedSetStays) {
    velk::TileSetSource src;
    src.tileWidth = src.tileHeight = 4;
    src.tiles = {solid(4, 4, 0xFF102030u), pattern(4, 4, 9)};
    const std::string good = velk::encodeTileSet(src);

    struct BadCase {
        const char* what;
        std::string file;
    };
    std::vector<BadCase> cases;
    auto patched = [&](size_t at, int32_t v) {
        std::string s = good;
        putI32(s, at, v);
        return s;
    };
    std::string sig = good;
    sig[29] = '!';
    cases.push_back({"last signature byte", sig});
    cases.push_back({"first magic", patched(30, 5555)});
    cases.push_back({"second magic", patched(34, 9998)});
    cases.push_back({"last index beyond 12-bit cells", patched(38, 4096)});
    cases.push_back({"negative last index", patched(38, -2)});
    cases.push_back({"zero width", patched(42, 0)});
    cases.push_back({"negative height", patched(46, -4)});
    cases.push_back({"huge tiles", patched(42, 1 << 20)});
    cases.push_back({"more tiles than stored", patched(38, 2)});
    cases.push_back({"truncated in the last tile", good.substr(0, good.size() - 3)});
    cases.push_back({"truncated header", good.substr(0, 45)});

    CTileSet set;
    ASSERT_EQ(set.loadFromMemory(bytesOf(good), good.size(), "good"), 1);
    const auto before = set.pixels;
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(set.loadFromMemory(bytesOf(c.file), c.file.size(), "bad"), 0);
        EXPECT_EQ(set.lastTileIndex, 1);
        EXPECT_EQ(set.tileWidth, 4);
        EXPECT_EQ(set.pixels, before);
    }
}

TEST(TileSet, LoadsByNumberFromTheDataDirectory) {
    velk::TempDir dir;
    velk::TileSetSource src;
    src.tiles = {solid(32, 32, 0xFF00FF00u)};
    const std::string file = velk::encodeTileSet(src);
    dir.write("tiles/tile_7.ttl", file);

    CTileSet set;
    EXPECT_EQ(set.load(8), 0);
    ASSERT_EQ(set.load(7), 1);
    EXPECT_EQ(set.tileCount(), 1);
    EXPECT_EQ(set.pixels[0][1023], 0xFF00FF00u);
}

}  // namespace
