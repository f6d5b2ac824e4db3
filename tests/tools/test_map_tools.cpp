#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "content_tree.h"
#include "lib/content_check.h"
#include "lib/map_render.h"
#include "platform/png_io.h"
#include "support/run_velk.h"

namespace {

using namespace packtest;

struct Image {
    std::vector<uint32_t> px;
    uint32_t w = 0, h = 0;
    uint32_t at(uint32_t x, uint32_t y) const { return px[size_t(y) * w + x]; }
};

Image render(const velk::TempDir& dir, std::vector<std::string> extra = {}, int map = 0) {
    Image image;
    const std::string out = dir.path() + "/map.png";
    std::vector<std::string> args = {"render-map", std::to_string(map), out, "--data", dir.path()};
    args.insert(args.end(), extra.begin(), extra.end());
    const PackResult r = pack(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(velk::readPng(out, image.px, image.w, image.h));
    return image;
}

TEST(PackRenderMap, DrawsTheWholeMapAcrossScreens) {
    velk::TempDir dir;
    writeContentTree(dir);
    const Image map = render(dir);
    ASSERT_EQ(map.w, 32u * kColumns);
    ASSERT_EQ(map.h, 32u * kRows);

    // Tile 2 lies past the first screen in both directions, upright.
    const uint32_t mx = 32 * kMarkCol, my = 32 * kMarkRow;
    EXPECT_EQ(map.at(mx, my), kMarkTop);
    EXPECT_EQ(map.at(mx + 31, my + 15), kMarkTop);
    EXPECT_EQ(map.at(mx, my + 16), kMarkBottom);
    EXPECT_EQ(map.at(mx + 31, my + 31), kMarkBottom);
    EXPECT_EQ(map.at(mx - 1, my), kGround);
    // Ground below, the stage's sky where no lower tile is.
    EXPECT_EQ(map.at(5, 32 * kGroundRow), kGround);
    EXPECT_EQ(map.at(900, 100), kSky);
    // The upper layer over the lower one, its clear half showing the ground.
    const uint32_t ux = 32 * kUpperCol, uy = 32 * kUpperRow;
    EXPECT_EQ(map.at(ux + 15, uy + 3), kGround);
    EXPECT_EQ(map.at(ux + 16, uy + 3), kUpper);
    // An object straddling the seam between the first two screens, whole.
    for (uint32_t x = kObjectX; x < kObjectX + 8; ++x)
        EXPECT_EQ(map.at(x, kObjectY + 5), kObject) << x;
    EXPECT_EQ(map.at(kObjectX - 1, kObjectY), kSky);
    EXPECT_EQ(map.at(kObjectX + 8, kObjectY), kSky);
}

TEST(PackRenderMap, TerrainOverlayTintsCodedCellsAndAddsALegend) {
    velk::TempDir dir;
    writeContentTree(dir);
    const Image plain = render(dir);
    const Image tinted = render(dir, {"--terrain"});
    ASSERT_EQ(tinted.w, plain.w);
    ASSERT_GT(tinted.h, plain.h);  // the legend strip
    // Free cells stay as they are; ground and the exit are tinted, differently.
    EXPECT_EQ(tinted.at(100, 100), plain.at(100, 100));
    const uint32_t groundY = 32 * kGroundRow + 4, exitY = 32 * kGroundRow - 4;
    EXPECT_NE(tinted.at(5, groundY), plain.at(5, groundY));
    const uint32_t exitX = 32 * kColumns - 4;
    EXPECT_NE(tinted.at(exitX, exitY), plain.at(exitX, exitY));
    EXPECT_NE(tinted.at(exitX, exitY), tinted.at(exitX - 8, exitY));
    // The legend has swatches of both codes present.
    const auto legendHas = [&](uint32_t colour) {
        return std::find(tinted.px.begin() + ptrdiff_t(plain.px.size()), tinted.px.end(), colour) !=
               tinted.px.end();
    };
    EXPECT_TRUE(legendHas(0xFF2E7DFFu));  // ground
    EXPECT_TRUE(legendHas(0xFF00FF5Au));  // exit forward
}

// Each marker stands on its foot point: its kind's colour inside, the dark
// frame at its edge; over the terrain tint too, and none with --no-markers.
TEST(PackRenderMap, MarksPeopleCreaturesAndEntryPoints) {
    using velk::pack::MarkerKind;
    velk::TempDir dir;
    std::string error;
    ASSERT_TRUE(writeWorld(dir, error)) << error;
    const struct {
        int map;
        int x, y;
        MarkerKind kind;
    } marks[] = {
        {0, kNpcX[0], kFeetY, MarkerKind::Npc},
        {0, kNpcX[1], kFeetY, MarkerKind::Npc},
        {0, 32 * 3, kFeetY - 32, MarkerKind::Start},  // side 0 of map 0, where a new game begins
        {0, 32 * 20, kFeetY - 32, MarkerKind::EntryBack},
        {1, kWalkerX, kFeetY, MarkerKind::Monster},
        {1, kFloaterX, kFeetY - 8, MarkerKind::Monster},
        {1, 32 * 3, kFeetY - 32, MarkerKind::EntryForward},
        {2, kBossX, kFeetY, MarkerKind::Boss},
    };
    for (const std::vector<std::string>& options : {std::vector<std::string>{}, {"--terrain"}})
        for (int map = 0; map <= 2; ++map) {
            const Image image = render(dir, options, map);
            for (const auto& m : marks) {
                if (m.map != map) continue;
                const uint32_t x = uint32_t(m.x), y = uint32_t(m.y);
                const std::string where = "map " + std::to_string(map) + " (" + std::to_string(m.x) + ", " +
                                          std::to_string(m.y) + ") " + ::testing::PrintToString(options);
                EXPECT_EQ(image.at(x, y - 8), velk::pack::markerColour(m.kind)) << where;
                EXPECT_EQ(image.at(x - 3, y - 13), velk::pack::markerColour(m.kind)) << where;
                EXPECT_EQ(image.at(x - 8, y - 8), velk::pack::kMarkerOutline) << where;
                EXPECT_EQ(image.at(x + 7, y - 1), velk::pack::kMarkerOutline) << where;
                EXPECT_NE(image.at(x, y), velk::pack::kMarkerOutline) << where;  // the ground below is left
            }
        }
    const Image bare = render(dir, {"--no-markers"}, 1);
    EXPECT_NE(bare.at(uint32_t(kWalkerX), uint32_t(kFeetY - 8)), velk::pack::markerColour(MarkerKind::Monster));
    EXPECT_EQ(bare.at(uint32_t(kWalkerX), uint32_t(kFeetY - 8)), kSky);
}

TEST(PackRenderMap, NamesWhatStopsTheRender) {
    velk::TempDir dir;
    writeContentTree(dir);
    std::filesystem::remove(dir.path() + "/" + velk::tileSetFileName(0));
    PackResult r = pack({"render-map", "0", dir.path() + "/m.png", "--data", dir.path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("tiles/tile_0.ttl (named by maps/map_0.mmf): missing"), std::string::npos)
        << r.err;
    r = pack({"render-map", "7", dir.path() + "/m.png", "--data", dir.path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("maps/map_7.mmf: missing"), std::string::npos) << r.err;
}

std::vector<std::string> problemLines(const PackResult& r) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < r.out.size()) {
        const size_t end = r.out.find('\n', start);
        const std::string line = r.out.substr(start, end - start);
        if (line.rfind("validate ", 0) != 0) lines.push_back(line);
        start = end == std::string::npos ? r.out.size() : end + 1;
    }
    return lines;
}

TEST(PackValidate, GoodTreePasses) {
    velk::TempDir dir;
    writeContentTree(dir);
    const PackResult r = pack({"validate", dir.path()});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_TRUE(problemLines(r).empty()) << r.out;
    EXPECT_NE(r.out.find("(2 maps, 1 sprite sets, 4 pictures), no problems"), std::string::npos)
        << r.out;
}

TEST(PackValidate, NamesEachDamagedFileOnce) {
    velk::TempDir dir;
    writeContentTree(dir);
    std::string map = velk::encodeMap(mapSource(1));
    map.resize(map.size() / 2);
    dir.write(velk::mapFileName(1), map);
    std::string tiles = tileSetFile();
    tiles[3] = 'X';
    dir.write(velk::tileSetFileName(0), tiles);
    std::filesystem::remove(dir.path() + "/" + velk::stageFileName(0));
    std::filesystem::remove(dir.path() + "/" + velk::spriteDelayFileName(0));
    dir.write("txt/mappos/0-1.txt", "0 0 99 3 400 0");

    const PackResult r = pack({"validate", dir.path()});
    EXPECT_EQ(r.code, 1);
    const std::vector<std::string> expected = {
        "tiles/tile_0.ttl: not a tile set (signature)",
        "txt/stage/stage_0.txt: missing",
        "txt/mappos/0-1.txt: the hero starts at column 99, row 3, outside the map's 30 x 22 tiles",
        "maps/map_1.mmf: grids truncated",
        "txt/sprdelay/delay_0.txt: missing",
    };
    std::vector<std::string> lines = problemLines(r);
    std::vector<std::string> sortedExpected = expected;
    std::sort(lines.begin(), lines.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(lines, sortedExpected) << r.out;
    EXPECT_NE(r.out.find("5 files with problems"), std::string::npos) << r.out;
}

TEST(PackValidate, ContentTheLoadersAcceptButTheGameCannotUse) {
    velk::TempDir dir;
    writeContentTree(dir);
    velk::MapSource map = mapSource(0);
    map.placements.push_back({10, 10, 9});  // no such object kind
    map.tiles[3] = velk::tileCell(1, 40);   // no such upper tile
    map.terrain[5] = 12;                    // no such terrain code
    dir.write(velk::mapFileName(0), velk::encodeMap(map));
    std::filesystem::remove(dir.path() + "/" + velk::mapFileName(1));  // map 0's exit leads nowhere
    dir.write("txt/minimap/0.txt", "a-name-far-too-long");
    SaveRecord save;
    save.name = "hero";
    save.mapNumber = 6;
    dir.write(velk::kSaveFileName, velk::saveFileText(save));

    const velk::pack::ContentReport report = velk::pack::checkContent(dir.path());
    std::vector<std::string> files;
    for (const auto& p : report.problems) files.push_back(p.file + ": " + p.reason);
    ASSERT_EQ(files.size(), 3u) << ::testing::PrintToString(files);
    EXPECT_EQ(files[0], "maps/map_0.mmf: terrain cell (5, 0) holds code 12, which means nothing");
    EXPECT_EQ(report.problems[0].more, 3);  // the tile, the kind, the exit
    EXPECT_EQ(files[1], "txt/minimap/0.txt: the name is 19 bytes; the minimap holds at most 14");
    EXPECT_EQ(files[2], "txt/user/user.txt: the hero is on map 6, but maps/map_6.mmf is missing");
}

// The sets the game loads for the people, the shots and the pet are named by
// the files that bring those in; each one missing is a problem.
TEST(PackValidate, NamesEverySpriteSetTheWorldNeeds) {
    velk::TempDir dir;
    std::filesystem::copy(velk::demoDataDir(), dir.path(), std::filesystem::copy_options::recursive);
    for (int set : {1000, 1003, 123}) std::filesystem::remove(dir.path() + "/" + velk::spriteSetFileName(set));
    const velk::pack::ContentReport report = velk::pack::checkContent(dir.path());
    std::vector<std::string> missing;
    for (const auto& p : report.problems)
        if (p.file.rfind("sprite/", 0) == 0) missing.push_back(p.file + ": " + p.reason.substr(0, 17));
    std::sort(missing.begin(), missing.end());
    const std::vector<std::string> expected = {
        "sprite/spr_1000.asp: missing (named by",
        "sprite/spr_1003.asp: missing (named by",
        "sprite/spr_123.asp: missing (named by",
    };
    EXPECT_EQ(missing, expected) << ::testing::PrintToString(missing);
}

}  // namespace
