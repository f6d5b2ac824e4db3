#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content/pic_writer.h"
#include "content/stage_writer.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "formats/map_position.h"
#include "world/stage.h"
#include "formats/stage_file.h"

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

StageFile oneLayer(int32_t mode, int32_t low, int32_t high, StageItem item,
                   const std::string& picture = "pic/none.pic") {
    StageFile f;
    f.background = "pic/none_bg.pic";
    f.layers.push_back({1, mode, low, high});
    f.items.push_back({item});
    f.layerPictures.push_back(picture);
    return f;
}

void writeSolidPicture(const std::string& name, uint32_t w, uint32_t h, uint32_t colour) {
    const std::vector<uint32_t> px(size_t(w) * h, colour);
    ASSERT_TRUE(velk::writePicture(velk::dataPath(name), w, h, px.data()));
}

}  // namespace

TEST(StageFile, RoundTripsEveryField) {
    StageFile f;
    f.background = "pic/sky.pic";
    f.layers = {{2, 1, -120, 900}, {0, 3, 0, 0}, {1, 2, -300, 800}};
    f.items = {{{10, 20, 1}, {-50, 70, 3}}, {}, {{400, 500, 2}}};
    f.layerPictures = {"pic/cloud.pic", "pic/sun.pic", "pic/hill.pic"};
    const std::string text = velk::stageText(f);
    StageFile back;
    ASSERT_TRUE(velk::parseStageFile(bytesOf(text), text.size(), back, "s.txt"));
    EXPECT_EQ(back.background, f.background);
    EXPECT_EQ(back.layerPictures, f.layerPictures);
    ASSERT_EQ(back.layers.size(), 3u);
    for (size_t l = 0; l < 3; ++l) {
        EXPECT_EQ(back.layers[l].itemCount, f.layers[l].itemCount);
        EXPECT_EQ(back.layers[l].mode, f.layers[l].mode);
        EXPECT_EQ(back.layers[l].lowBound, f.layers[l].lowBound);
        EXPECT_EQ(back.layers[l].highBound, f.layers[l].highBound);
        ASSERT_EQ(back.items[l].size(), f.items[l].size());
        for (size_t i = 0; i < f.items[l].size(); ++i) {
            EXPECT_EQ(back.items[l][i].x, f.items[l][i].x);
            EXPECT_EQ(back.items[l][i].y, f.items[l][i].y);
            EXPECT_EQ(back.items[l][i].speed, f.items[l][i].speed);
        }
    }
}

TEST(StageFile, MalformedFilesAreRefused) {
    const char* cases[] = {
        "",                                   // no background
        "bg.pic",                             // no layer count
        "bg.pic 1 1 1 0 800 10 20 1",         // no layer picture
        "bg.pic 1 2 1 0 800 10 20 1 l.pic",   // an item short
        "bg.pic 1x",                          // not a number
        "bg.pic 2000000000",                  // layer count beyond any stage
        "bg.pic 1 -1 1 0 800 l.pic",          // negative item count
        "bg.pic 1 99999 1 0 800 l.pic",       // item count beyond any layer
        "bg.pic 1 1 1 0 800 10 20 -3 l.pic",  // a drifting item moving backwards
        "bg.pic 1 1 3 0 800 10 99999999 0 l.pic",  // far off any screen
        "bg.pic 1 1 1 0 800 10 20 99999999999 l.pic",  // beyond int32
    };
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        StageFile out;
        out.background = "kept";
        EXPECT_FALSE(velk::parseStageFile(bytesOf(text), std::strlen(text), out, "s.txt"));
        EXPECT_EQ(out.background, "kept");
    }
    const std::string fixedBackwards = "bg.pic 1 1 3 0 800 10 20 -3 l.pic";
    StageFile out;
    EXPECT_TRUE(velk::parseStageFile(bytesOf(fixedBackwards), fixedBackwards.size(), out, "s.txt"));
}

// x of the item at each step, given the field's last scroll before the step.
TEST(Stage, LayerModesMoveAndWrapByTheirRules) {
    struct Case {
        const char* what;
        int32_t mode, low, high, x, speed;
        std::vector<int32_t> scrolls;
        std::vector<int32_t> xs;  // after each step
    };
    const std::vector<Case> cases = {
        {"drifting moves whatever the camera", 1, 0, 800, 12, 5, {-1, 0, 1}, {7, 2, -3}},
        {"drifting wraps only below the low bound", 1, 0, 800, 0, 5, {-1, -1}, {-5, 795}},
        {"parallax stands still without a scroll", 2, 0, 700, 300, 4, {-1, -1}, {300, 300}},
        {"parallax moves left after a right scroll", 2, 0, 700, 300, 4, {1, -1, 1}, {296, 296, 292}},
        {"parallax wraps to 800 at the low bound", 2, 0, 700, 0, 4, {1}, {796}},
        {"parallax moves right after a left scroll", 2, 0, 700, 300, 4, {0, 0}, {304, 308}},
        {"parallax moving right wraps to the low bound", 2, -20, 700, 700, 4, {0}, {-16}},
        {"fixed never moves", 3, 0, 10, 300, 4, {1, 0, -1}, {300, 300, 300}},
        {"other modes never move", 7, 0, 10, 300, 4, {1, 0, -1}, {300, 300, 300}},
    };
    CDirect3D device;
    ASSERT_TRUE(device.init(nullptr, 800, 600, true));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CStage stage;
        stage.build(&device, oneLayer(c.mode, c.low, c.high, {c.x, 40, c.speed}));
        for (size_t i = 0; i < c.scrolls.size(); ++i) {
            int32_t lastScroll = c.scrolls[i];
            stage.step(lastScroll);
            EXPECT_EQ(lastScroll, -1);
            EXPECT_EQ(stage.items[0][0].x, c.xs[i]) << "step " << i;
        }
    }
}

TEST(Stage, DrawsTheStretchedBackgroundThenItemsBeforeMoving) {
    velk::TempDir dir;
    writeSolidPicture("pic/bg.pic", 4, 3, 0xFF102030);
    writeSolidPicture("pic/cloud.pic", 10, 6, 0xFFFFFFFF);
    writeSolidPicture("pic/sun.pic", 5, 5, 0xFFFFCC00);
    StageFile f;
    f.background = "pic/bg.pic";
    f.layers = {{1, 1, 0, 800}, {1, 4, 0, 800}, {1, 3, 0, 800}};
    f.items = {{{100, 50, 7}}, {{300, 300, 0}}, {{600, 10, 0}}};
    f.layerPictures = {"pic/cloud.pic", "pic/sun.pic", "pic/sun.pic"};
    dir.write(velk::stageFileName(4), velk::stageText(f));

    CDirect3D device;
    ASSERT_TRUE(device.init(nullptr, 800, 600, true));
    device.alphaTestOn();
    CStage stage;
    ASSERT_EQ(stage.init(&device, 4), 1);
    int32_t lastScroll = -1;
    stage.step(lastScroll);
    const uint32_t* px = device.backBuffer();
    auto at = [px](int x, int y) { return px[size_t(y) * 800 + size_t(x)]; };
    EXPECT_EQ(at(0, 0), 0xFF102030u);
    EXPECT_EQ(at(799, 599), 0xFF102030u);
    EXPECT_EQ(at(100, 50), 0xFFFFFFFFu);  // drawn where it stood, then moved
    EXPECT_EQ(at(109, 55), 0xFFFFFFFFu);
    EXPECT_EQ(at(110, 50), 0xFF102030u);
    EXPECT_EQ(at(302, 302), 0xFF102030u);  // mode 4 is not drawn
    EXPECT_EQ(at(602, 12), 0xFFFFCC00u);
    EXPECT_EQ(stage.items[0][0].x, 93);
}

TEST(Stage, MissingOrBadFileGivesAnEmptyStage) {
    velk::TempDir dir;
    dir.write(velk::stageFileName(2), std::string("pic/bg.pic 1 1 1 0"));
    CDirect3D device;
    ASSERT_TRUE(device.init(nullptr, 800, 600, true));
    velk::setVerbose(true);
    for (int map : {1, 2}) {
        SCOPED_TRACE(map);
        testing::internal::CaptureStderr();
        CStage stage;
        EXPECT_EQ(stage.init(&device, map), 0);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_NE(err.find(velk::stageFileName(map)), std::string::npos) << err;
        EXPECT_EQ(stage.layerCount, 0);
        int32_t lastScroll = 1;
        stage.step(lastScroll);
        EXPECT_EQ(lastScroll, -1);
    }
    velk::setVerbose(false);
}

TEST(MapPosition, ReadsTheFileOfTheEntrySide) {
    velk::TempDir dir;
    dir.write("txt/mappos/3-0.txt", velk::mapPositionText({0, 64, 5, 14, 400, 9}));
    dir.write("txt/mappos/3-1.txt", velk::mapPositionText({1600, 320, 70, 20, 380, 0}));
    MapPosition p;
    ASSERT_TRUE(velk::loadMapPosition(3, 1, p));
    EXPECT_EQ(p.camX, 1600);
    EXPECT_EQ(p.camY, 320);
    EXPECT_EQ(p.column, 70);
    EXPECT_EQ(p.row, 20);
    EXPECT_EQ(p.lockedScreenY, 380);
    EXPECT_EQ(p.unused, 0);
    ASSERT_TRUE(velk::loadMapPosition(3, 0, p));
    EXPECT_EQ(p.camX, 0);
    EXPECT_EQ(p.column, 5);
    EXPECT_EQ(p.unused, 9);
}

TEST(MapPosition, MissingOrMalformedLeavesThePositionAlone) {
    velk::TempDir dir;
    const char* cases[] = {"0 64 5 14 400", "0 64 five 14 400 0", "0 64 999999 14 400 0",
                           "0 99999999 5 14 400 0"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        dir.write("txt/mappos/6-0.txt", std::string(text));
        MapPosition p;
        p.camX = 77;
        EXPECT_FALSE(velk::loadMapPosition(6, 0, p));
        EXPECT_EQ(p.camX, 77);
    }
    MapPosition p;
    EXPECT_FALSE(velk::loadMapPosition(6, 1, p));
}
