#include <gtest/gtest.h>

#include "content_tree.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/png_io.h"

namespace {

using namespace packtest;

std::vector<uint32_t> translucentPattern(uint32_t w, uint32_t h) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            // Runs for the run-length packets, literals and every alpha class.
            const uint32_t alpha = x < 4 ? 0xFFu : (x < 8 ? 0x80u : (x % 2 ? 0xFFu : 0x20u));
            px[y * w + x] = (alpha << 24) | ((x / 3) * 0x112233u + y * 0x0A0B0Cu) % 0xFFFFFFu;
        }
    return px;
}

TEST(PackPictures, Png2PicAndBackKeepEveryPixel) {
    struct Case {
        std::vector<std::string> options;
        bool translucent;
        int bits;  // what the picture file must say
        bool runLength;
        bool topDown;
    };
    const Case cases[] = {
        {{}, true, 32, true, true},   // transparency picks 32 bits
        {{}, false, 24, true, true},  // opaque pictures need no alpha
        {{"--bits", "32", "--no-rle"}, false, 32, false, true},
        {{"--bits", "24", "--bottom-up"}, false, 24, true, false},
        {{"--rle", "--bottom-up", "--bits", "32"}, true, 32, true, false},
    };
    velk::TempDir dir;
    const uint32_t w = 37, h = 9;  // an odd width: packets end at every row's end
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.options));
        std::vector<uint32_t> source = translucentPattern(w, h);
        if (!c.translucent)
            for (uint32_t& p : source) p |= 0xFF000000u;
        const std::string png = dir.path() + "/in.png", pic = dir.path() + "/out.pic",
                          back = dir.path() + "/back.png";
        ASSERT_TRUE(velk::writePng(png, source.data(), w, h, true));
        std::vector<std::string> args = {"png2pic", png, pic};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const PackResult made = pack(args);
        ASSERT_EQ(made.code, 0) << made.err;

        std::vector<uint8_t> bytes;
        ASSERT_TRUE(velk::readFile(pic, bytes));
        ASSERT_GT(bytes.size(), 52u);
        EXPECT_EQ(bytes[46], c.bits);
        EXPECT_EQ((bytes[50] & 0x10) != 0, c.topDown);
        EXPECT_EQ(bytes[51] == 10, c.runLength);

        ASSERT_EQ(pack({"pic2png", pic, back}).code, 0);
        std::vector<uint32_t> result;
        uint32_t rw = 0, rh = 0;
        ASSERT_TRUE(velk::readPng(back, result, rw, rh));
        ASSERT_EQ(rw, w);
        ASSERT_EQ(rh, h);
        for (size_t i = 0; i < source.size(); ++i) {
            // Fully transparent pixels keep their alpha; PNG need not keep their colour.
            if ((source[i] >> 24) == 0) {
                EXPECT_EQ(result[i] >> 24, 0u) << "pixel " << i;
                continue;
            }
            ASSERT_EQ(result[i], source[i]) << "pixel " << i;
        }
    }
}

TEST(PackPictures, TwentyFourBitsMakesEveryPixelOpaque) {
    velk::TempDir dir;
    const std::vector<uint32_t> source = translucentPattern(12, 3);
    const std::string png = dir.path() + "/in.png", pic = dir.path() + "/out.pic";
    ASSERT_TRUE(velk::writePng(png, source.data(), 12, 3, true));
    const PackResult r = pack({"png2pic", png, pic, "--bits", "24"});
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.err.find("transparent"), std::string::npos);
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(velk::readFile(pic, bytes));
    CPicture picture(nullptr);
    ASSERT_EQ(picture.loadFromMemory(bytes.data(), bytes.size(), "out.pic"), 1);
    for (size_t i = 0; i < source.size(); ++i)
        EXPECT_EQ(picture.pixels[i], source[i] | 0xFF000000u);
}

TEST(PackCommandLine, HelpUsageErrorsAndFailures) {
    velk::TempDir dir;
    const std::string missing = dir.path() + "/none.png";
    dir.write("bad.pic", std::string("not a picture at all, clearly; long enough to read"));
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* says;  // in stdout for 0, in stderr otherwise
    };
    const Case cases[] = {
        {{"--help"}, 0, "render-map"},
        {{"png2pic", "--help"}, 0, "--bottom-up"},
        {{"pic2png", "--help"}, 0, "usage: velk-pack pic2png"},
        {{"info", "--help"}, 0, "usage: velk-pack info"},
        {{"render-map", "--help"}, 0, "--terrain"},
        {{"validate", "--help"}, 0, "usage: velk-pack validate"},
        {{}, 2, "usage: velk-pack COMMAND"},
        {{"squash"}, 2, "unknown command 'squash'"},
        {{"png2pic", "a.png"}, 2, "needs IN.png and OUT.pic"},
        {{"png2pic", "a.png", "b.pic", "--bits", "16"}, 2, "--bits takes 24 or 32"},
        {{"png2pic", "a.png", "b.pic", "--fast"}, 2, "unknown option --fast"},
        {{"render-map", "x", "out.png"}, 2, "map number"},
        {{"validate"}, 2, "needs one DIR"},
        {{"png2pic", missing, dir.path() + "/b.pic"}, 1, "none.png"},
        {{"pic2png", dir.path() + "/bad.pic", dir.path() + "/b.png"},
         1,
         "not a picture (signature)"},
        {{"validate", missing}, 1, "not a directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const PackResult r = pack(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE((c.code == 0 ? r.out : r.err).find(c.says), std::string::npos) << r.out << r.err;
    }
}

TEST(PackInfo, NamesEveryFormatAndWhatItHolds) {
    velk::TempDir dir;
    writeContentTree(dir);
    velk::ImageBlockOptions raw24;
    raw24.bitsPerPixel = 24;
    raw24.runLength = false;
    raw24.topDown = false;
    dir.write("pic/raw.pic", velk::encodePicture(5, 3, solid(5, 3, 0xFF123456u).data(), raw24));
    dir.write(velk::kSaveFileName, velk::saveFileText([] {
                  SaveRecord r;
                  r.name = "Tester";
                  r.mapNumber = 1;
                  r.level = 4;
                  r.slots[0] = {1, 6, 0};
                  return r;
              }()));
    struct Case {
        std::string file;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        {velk::mapFileName(0),
         {": map,", "30 x 22 tiles (960 x 704 pixels)", "tiles/tile_0.ttl (4 tiles of 32 x 32)",
          "objects/obj_0.msp (2 kinds, 2 images)", "placements   3", "exit forward (7) 1"}},
        {velk::tileSetFileName(0), {": tile set,", "tiles        4", "32 x 32 pixels"}},
        {velk::objectSetFileName(0),
         {": object set,", "kinds        2 (3 frames)", "kind 1: 2 frames, images 1 0",
          "image 0: 8 x 6"}},
        {velk::spriteSetFileName(0),
         {": sprite set,", "frames       2", "1 box\n", "2 boxes (attack)",
          "row 1: 2 steps, delay 3, frames 0 1", "(1 attack frames)"}},
        {"pic/raw.pic", {": picture,", "5 x 3 pixels", "24 bits", "bottom row first", "raw"}},
        {"pic/stage/cloud.pic", {"32 bits (with alpha)", "top row first", "run-length coded"}},
        {"cursor/akman.cur", {": picture,", "4 x 4 pixels"}},
        {velk::stageFileName(0),
         {": stage,", "background   pic/stage/sky.pic", "layer 0: drifting (mode 1), 1 item"}},
        {velk::mapPositionFileName(0, 1), {": map position,", "column 20, row 17"}},
        {velk::spriteDelayFileName(0), {": sprite delays,", "2: 1 3"}},
        {"txt/minimap/1.txt", {": minimap name,", "field1 (6 bytes)"}},
        {velk::kNewGameFileName, {": new-game file,", "level        1", "0 of 53"}},
        {velk::kSaveFileName, {": save file,", "Tester", "map          1", "1 of 53"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const PackResult r = pack({"info", dir.path() + "/" + c.file});
        EXPECT_EQ(r.code, 0) << r.err;
        for (const std::string& s : c.says)
            EXPECT_NE(r.out.find(s), std::string::npos) << s << "\n" << r.out;
    }
}

TEST(PackInfo, MalformedAndUnknownFilesFail) {
    velk::TempDir dir;
    std::string tiles = tileSetFile();
    tiles[31] ^= 0x01;  // first magic number
    dir.write("tiles/tile_5.ttl", tiles);
    std::string map = velk::encodeMap(mapSource(0));
    map.resize(map.size() - 20);  // placements cut short
    dir.write("maps/map_4.mmf", map);
    dir.write("txt/mappos/2-0.txt", "1 2 three 4 5 6");
    dir.write("notes.txt", "hello");
    struct Case {
        std::string file;
        const char* says;
    };
    const Case cases[] = {
        {"tiles/tile_5.ttl", "tile set, malformed: wrong magic numbers"},
        {"maps/map_4.mmf", "map, malformed: placement count 3 out of range"},
        {"txt/mappos/2-0.txt", "map position, malformed: bad start column 'three'"},
        {"notes.txt", "not a format of the game"},
        {"absent.pic", "cannot be read"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const PackResult r = pack({"info", dir.path() + "/" + c.file});
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
}

}  // namespace
