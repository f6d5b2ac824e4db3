#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "content/byte_writer.h"
#include "content/pic_writer.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "support/temp_dir.h"

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Rows that need every kind of packet: long runs, long literal stretches,
// pairs, and alpha that only a 32-bit block keeps.
std::vector<uint32_t> samplePixels(uint32_t w, uint32_t h) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            uint32_t& p = px[size_t(y) * w + x];
            switch (y % 4) {
            case 0: p = 0xFF204060; break;
            case 1: p = 0xFF000000u | (x * 2654435761u >> 8); break;
            case 2: p = 0x80000000u | ((x / 2) * 0x030507u); break;
            default: p = (x % 3 ? 0x00000000u : 0xFFFFFFFFu) ^ (y << 8); break;
            }
        }
    return px;
}

// A picture header for hand-made blocks.
std::string header(uint32_t w, uint32_t h) {
    std::string out(velk::kPictureSignature.begin(), velk::kPictureSignature.end());
    velk::appendI32(out, velk::kPictureMagic1);
    velk::appendI32(out, velk::kPictureMagic2);
    velk::appendU32(out, w);
    velk::appendU32(out, h);
    return out;
}

void expectEmpty(const CPicture& pic) {
    EXPECT_TRUE(pic.pixels.empty());
    EXPECT_EQ(pic.width, 0u);
    EXPECT_EQ(pic.height, 0u);
}

}  // namespace

TEST(Picture, RoundTripsEveryEncoding) {
    const uint32_t w = 300, h = 8;  // wider than two full packets
    const std::vector<uint32_t> px = samplePixels(w, h);
    for (int bits : {24, 32})
        for (bool topDown : {true, false})
            for (bool runLength : {true, false}) {
                SCOPED_TRACE(testing::Message() << bits << " bits, topDown " << topDown
                                                << ", runLength " << runLength);
                const std::string file = velk::encodePicture(w, h, px.data(), {bits, runLength, topDown});
                CPicture pic(nullptr);
                ASSERT_EQ(pic.loadFromMemory(bytesOf(file), file.size(), "t.pic"), 1);
                ASSERT_EQ(pic.width, w);
                ASSERT_EQ(pic.height, h);
                for (size_t i = 0; i < px.size(); ++i)
                    ASSERT_EQ(pic.pixels[i], bits == 32 ? px[i] : px[i] | 0xFF000000u) << i;
            }
}

TEST(Picture, LoadsFromTheDataDirectoryAndMakesItsTexture) {
    velk::TempDir dir;
    const std::vector<uint32_t> px = samplePixels(5, 4);
    ASSERT_TRUE(velk::writePicture(dir.path() + "/pic/a.pic", 5, 4, px.data()));
    CDirect3D dev;
    ASSERT_TRUE(dev.init(nullptr, 16, 16, true));
    CPicture pic(&dev);
    ASSERT_EQ(pic.load("pic/a.pic"), 1);
    pic.createTexture();
    ASSERT_NE(pic.texture, nullptr);
    EXPECT_EQ(pic.texture->width(), 5u);
    EXPECT_EQ(pic.texture->texel(4, 3), px[19]);
    pic.release();
    EXPECT_EQ(pic.texture, nullptr);
    EXPECT_TRUE(pic.pixels.empty());

    EXPECT_EQ(pic.load("pic/missing.pic"), 0);
    pic.createTexture();
    EXPECT_EQ(pic.texture, nullptr);
}

TEST(Picture, RunLengthWriterPacksRunsAndLiterals) {
    const uint32_t row[7] = {0xFF0000AA, 0xFF0000AA, 0xFF0000AA, 0xFF0000BB,
                             0xFF0000CC, 0xFF0000DD, 0xFF0000DD};
    std::string block;
    velk::appendImageBlock(block, 7, 1, row, {24, true, true});
    const std::string expected("\x18\0\0\0\x10\x0A"
                               "\x82\xAA\0\0"
                               "\x01\xBB\0\0\xCC\0\0"
                               "\x81\xDD\0\0",
                               6 + 4 + 7 + 4);
    EXPECT_EQ(block, expected);
}

TEST(Picture, HandMadePacketsRepeatAndCopy) {
    // 0xFF: one pixel 128 times; 0x00: one literal pixel.
    std::string file = header(129, 1);
    velk::appendI32(file, 24);
    file += std::string("\x10\x0A", 2);
    file += std::string("\xFF\x01\x02\x03", 4);
    file += std::string("\x00\x04\x05\x06", 4);
    CPicture pic(nullptr);
    ASSERT_EQ(pic.loadFromMemory(bytesOf(file), file.size(), "t.pic"), 1);
    for (uint32_t x = 0; x < 128; ++x) ASSERT_EQ(pic.pixels[x], 0xFF030201u);
    EXPECT_EQ(pic.pixels[128], 0xFF060504u);
}

// A file that cannot be read says why (with --verbose): a directory in its
// place is not "too large".
TEST(Picture, ADirectoryInPlaceOfTheFileIsNamedAsSuch) {
    velk::TempDir dir;
    std::filesystem::create_directories(velk::dataPath("pic/title.pic"));
    std::vector<std::string> reasons;
    velk::setBadFileListener([&](const std::string&, const std::string& why) { reasons.push_back(why); });
    CPicture picture(nullptr);
    EXPECT_EQ(picture.load("pic/title.pic"), 0);
    velk::setBadFileListener(nullptr);
    ASSERT_FALSE(reasons.empty());
    EXPECT_NE(reasons[0].find("directory"), std::string::npos) << reasons[0];
}

TEST(Picture, BadFilesLoadNothing) {
    const std::vector<uint32_t> px = samplePixels(6, 4);
    const std::string good = velk::encodePicture(6, 4, px.data(), {32, true, true});
    std::string crossing = header(4, 2);
    velk::appendI32(crossing, 32);
    crossing += std::string("\x10\x0A\x84\1\2\3\4\x83\1\2\3\4", 12);  // 5 pixels into a row of 4

    struct Case {
        const char* what;
        std::string bytes;
    };
    std::vector<Case> cases = {
        {"zero inside the signature", good},
        {"first magic", good},
        {"second magic", good},
        {"empty file", ""},
        {"cut in the header", good.substr(0, 40)},
        {"cut in the block header", good.substr(0, 50)},
        {"cut in the pixels", good.substr(0, good.size() - 1)},
        {"packet crossing its row", crossing},
        {"huge size", header(100000, 100000) + good.substr(46)},
        {"too many pixels", header(8192, 8192) + good.substr(46)},
    };
    cases[0].bytes[5] = '\0';
    cases[1].bytes[30] ^= 1;
    cases[2].bytes[37] ^= 1;

    CPicture pic(nullptr);
    ASSERT_EQ(pic.loadFromMemory(bytesOf(good), good.size(), "good.pic"), 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(pic.loadFromMemory(bytesOf(c.bytes), c.bytes.size(), "bad.pic"), 0);
        expectEmpty(pic);
    }
}

TEST(Picture, VerboseNamesTheBadFile) {
    velk::TempDir dir;
    const std::vector<uint32_t> px = samplePixels(6, 4);
    const std::string good = velk::encodePicture(6, 4, px.data());
    dir.write("pic/short.pic", good.substr(0, good.size() - 3));
    velk::setVerbose(true);
    testing::internal::CaptureStderr();
    CPicture pic(nullptr);
    EXPECT_EQ(pic.load("pic/short.pic"), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    velk::setVerbose(false);
    EXPECT_NE(err.find("pic/short.pic"), std::string::npos) << err;
    EXPECT_NE(err.find("truncated"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
}
