#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "content/item_pack_writer.h"
#include "content_tree.h"
#include "lib/content_check.h"
#include "formats/item_pack_format.h"
#include "items/item_text.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/png_io.h"

namespace {

using packtest::pack;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}


// A table and two icons build a pack and name files that unpack to the same
// table and icons, which build the same bytes again.
TEST(PackItems, BuildUnpackBuildIsStable) {
    velk::TempDir dir;
    const std::string src = dir.path() + "/src", tree = dir.path() + "/tree";
    dir.write("src/items.txt",
              std::string("weapon 맨주먹 0 0 0 2 1\nenergy 빨간물약 0 30 12 30 0  # comment\n"
              "skill 질풍걸음 1 0 0 20\n"));
    std::filesystem::create_directories(src + "/icons");
    const std::vector<uint32_t> a = packtest::solid(3, 2, 0xFF112233u);
    const std::vector<uint32_t> b = packtest::solid(2, 4, 0x80445566u);
    ASSERT_TRUE(velk::writePng(src + "/icons/0.png", a.data(), 3, 2, true));
    ASSERT_TRUE(velk::writePng(src + "/icons/1.png", b.data(), 2, 4, true));

    packtest::PackResult r = pack({"items-build", src, tree});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("1 weapons, 1 energy items, 1 skills, 2 pictures"), std::string::npos);
    EXPECT_EQ(readAll(tree + "/" + velk::itemNameFileName(2)), velk::toCp949("빨간물약\n"));

    r = pack({"info", tree + "/itm/itm.ipk"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("weapon 맨주먹 0 0 0 2 1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("picture 1: 2 x 4"), std::string::npos) << r.out;

    ASSERT_EQ(pack({"items-unpack", tree, dir.path() + "/out"}).code, 0);
    ASSERT_EQ(pack({"items-build", dir.path() + "/out", dir.path() + "/tree2"}).code, 0);
    EXPECT_EQ(readAll(tree + "/itm/itm.ipk"), readAll(dir.path() + "/tree2/itm/itm.ipk"));
}

TEST(PackItems, BadTablesAndPacksAreNamed) {
    velk::TempDir dir;
    dir.write("src/items.txt", std::string("weapon 이름이너무너무너무길다 0 0 0 2 1\n"));
    packtest::PackResult r = pack({"items-build", dir.path() + "/src", dir.path() + "/tree"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("line 1"), std::string::npos) << r.err;
    r = pack({"items-unpack", dir.path() + "/src", dir.path() + "/out"});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("itm/itm.ipk"), std::string::npos) << r.err;
}

// validate names what a tree with items lacks: names, descriptions, help
// texts and the windows' pictures.
TEST(PackItems, ValidateChecksTheItemsOfATree) {
    velk::TempDir dir;
    velk::ItemPackSource items;
    items.weapons = {{"", 0, 0, 0, 0, 2, 1}, {"", 0, 1, 0, 0, 3, 1}};
    items.pictures.push_back({1, 1, {0xFF000000u}, {}});
    items.pictures.push_back({1, 1, {0xFF000000u}, {}});
    dir.write(velk::kItemPackFileName, velk::encodeItemPack(items));
    dir.write(velk::itemNameFileName(1), std::string("fist\n"));
    dir.write(velk::itemDescriptionFileName(velk::kKindWeapon, 0),
              velk::itemDescriptionText(200, 100, {"ok"}));
    dir.write(velk::itemDescriptionFileName(velk::kKindWeapon, 1), std::string("200 100 2\n4 a\n"));

    const velk::pack::ContentReport report = velk::pack::checkContent(dir.path());
    auto reasonFor = [&](const std::string& file) -> std::string {
        for (const auto& p : report.problems)
            if (p.file == file) return p.reason;
        return "(no problem)";
    };
    EXPECT_NE(reasonFor(velk::itemNameFileName(1)).find("1 names for 2 items"), std::string::npos);
    EXPECT_EQ(reasonFor(velk::itemNameFileName(2)).find("missing"), 0u);
    EXPECT_EQ(reasonFor(velk::itemDescriptionFileName(velk::kKindWeapon, 0)), "(no problem)");
    EXPECT_NE(reasonFor(velk::itemDescriptionFileName(velk::kKindWeapon, 1)).find("missing"),
              std::string::npos);
    EXPECT_EQ(reasonFor(velk::helpTextFileName(5)).find("missing"), 0u);
    EXPECT_EQ(reasonFor("pic/interface.pic").find("missing"), 0u);
    EXPECT_EQ(reasonFor(velk::spriteSetFileName(1002)).find("missing"), 0u);
}

}  // namespace
