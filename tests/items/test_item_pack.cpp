#include <gtest/gtest.h>

#include "content/item_pack_writer.h"
#include "items/item_pack.h"
#include "formats/item_pack_format.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace {

const uint8_t* bytesOf(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

void putI32(std::string& s, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = char((uint32_t(v) >> (8 * i)) & 0xFF);
}

std::vector<uint32_t> pattern(uint32_t w, uint32_t h, uint32_t seed) {
    std::vector<uint32_t> px(size_t(w) * h);
    for (size_t i = 0; i < px.size(); ++i)
        px[i] = (i % 4 == 3) ? uint32_t(i * 2654435761u + seed) : 0x80112233u + seed;
    return px;
}

velk::ItemPackSource smallPack() {
    velk::ItemPackSource pack;
    pack.weapons = {{"", 6, 0, 0, 0, 2, 1}, {"", 2, 1, 200, 80, 6, 12}};
    pack.energy = {{"", 8, 0, 30, 12, 30, 5}};
    pack.skills = {{"", 52, 0, 0, 0, 20}, {"", 54, 1, 1, 18, 15}};
    pack.pictures.push_back({3, 2, pattern(3, 2, 1), {32, true, true}});
    pack.pictures.push_back({5, 4, pattern(5, 4, 2), {32, false, false}});
    return pack;
}

TEST(ItemPack, ReadsTablesAndPicturesOfEveryLayout) {
    velk::ItemPackSource pack = smallPack();
    pack.loneTags = {7, -1, 0};  // stand alone: nothing after them is skipped
    pack.pictures.push_back({4, 3, pattern(4, 3, 3), {24, true, false}});
    pack.pictures.push_back({2, 2, pattern(2, 2, 4), {24, false, true}});
    const std::string file = velk::encodeItemPack(pack);

    velk::ItemPackData out;
    std::string error;
    ASSERT_TRUE(velk::parseItemPack(bytesOf(file), file.size(), out, &error)) << error;
    ASSERT_EQ(out.weapons.size(), 2u);
    EXPECT_EQ(out.weapons[1].index, 1);
    EXPECT_EQ(out.weapons[1].icon, 2);
    EXPECT_EQ(out.weapons[1].buyPrice, 200);
    EXPECT_EQ(out.weapons[1].sellPrice, 80);
    EXPECT_EQ(out.weapons[1].attack, 6);
    EXPECT_EQ(out.weapons[1].requiredLevel, 12);
    ASSERT_EQ(out.energy.size(), 1u);
    EXPECT_EQ(out.energy[0].hpRecovery, 30);
    EXPECT_EQ(out.energy[0].mpRecovery, 5);
    ASSERT_EQ(out.skills.size(), 2u);
    EXPECT_EQ(out.skills[1].index, 1);
    EXPECT_EQ(out.skills[1].skillKind, 1);
    EXPECT_EQ(out.skills[1].baseAttack, 18);
    EXPECT_EQ(out.skills[1].mpCost, 15);
    ASSERT_EQ(out.pictures.size(), 4u);
    for (size_t p = 0; p < 4; ++p) {
        SCOPED_TRACE(p);
        std::vector<uint32_t> want = pack.pictures[p].pixels;
        if (pack.pictures[p].options.bitsPerPixel == 24)
            for (uint32_t& px : want) px |= 0xFF000000u;  // 24-bit pictures are opaque
        EXPECT_EQ(out.pictures[p].width, pack.pictures[p].width);
        EXPECT_EQ(out.pictures[p].pixels, want);
    }
}

// A 6 x 2 picture written by hand: 24 bits, run-length, bottom row first.
// The bottom row is one run packet (0x85: 6 copies), the top row one literal
// packet (0x05: 6 pixels).
TEST(ItemPack, RunPacketsAndBottomUpRowsByHand) {
    velk::ItemPackSource pack;
    std::string file = velk::encodeItemPack(pack);
    file.resize(file.size() - 4);  // drop the empty picture count
    std::string tail;
    auto i32 = [&tail](int32_t v) {
        for (int i = 0; i < 4; ++i) tail.push_back(char((uint32_t(v) >> (8 * i)) & 0xFF));
    };
    i32(0);  // last picture number
    i32(6);
    i32(2);
    i32(24);
    tail += char(0x00);  // descriptor: bottom row first
    tail += char(10);    // run-length
    tail += char(0x85);
    tail += "\x30\x20\x10";  // blue, green, red
    tail += char(0x05);
    for (int p = 0; p < 6; ++p) tail += {char(p), char(p + 1), char(p + 2)};
    file += tail;

    velk::ItemPackData out;
    ASSERT_TRUE(velk::parseItemPack(bytesOf(file), file.size(), out, nullptr));
    ASSERT_EQ(out.pictures.size(), 1u);
    const std::vector<uint32_t>& px = out.pictures[0].pixels;
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(px[size_t(6 + x)], 0xFF102030u) << "bottom row " << x;
        EXPECT_EQ(px[size_t(x)], 0xFF000000u | uint32_t(x + 2) << 16 | uint32_t(x + 1) << 8 |
                                     uint32_t(x))
            << "top row " << x;
    }
}

TEST(ItemPack, BadFilesAreRefusedWithAReason) {
    const std::string good = velk::encodeItemPack(smallPack());
    const size_t tables = 40;  // the weapon tag
    velk::ItemPackSource noPictures = smallPack();
    noPictures.pictures.clear();
    const size_t pictureCount = velk::encodeItemPack(noPictures).size() - 4;
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
    for (size_t at : {size_t(0), size_t(17), size_t(31)}) {
        std::string s = good;
        s[at] = char(s[at] ^ 0x20);
        cases.push_back({"signature byte", s});
    }
    cases.push_back({"first magic", patched(32, 184473)});
    cases.push_back({"second magic", patched(36, 7948999)});
    cases.push_back({"nine weapons break the item codes", patched(tables + 4, 9)});
    cases.push_back({"negative weapon count", patched(tables + 4, -1)});
    cases.push_back({"more weapons than stored", patched(tables + 4, 8)});
    cases.push_back({"no end tag", good.substr(0, tables + 8 + 2 * 20)});
    cases.push_back({"truncated header", good.substr(0, 30)});
    cases.push_back({"truncated last picture", good.substr(0, good.size() - 2)});
    cases.push_back({"negative picture count", patched(pictureCount, -2)});
    cases.push_back({"more pictures than stored", patched(pictureCount, 2)});
    cases.push_back({"zero-width picture", patched(pictureCount + 4, 0)});
    cases.push_back({"huge picture", patched(pictureCount + 4, 1 << 20)});

    {
        velk::ItemPackData sound;
        ASSERT_TRUE(velk::parseItemPack(bytesOf(good), good.size(), sound, nullptr));
        ASSERT_EQ(sound.pictures.size(), 2u);  // the offsets above are right
    }
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.what);
        velk::ItemPackData out;
        out.weapons.resize(1);
        std::string error;
        EXPECT_FALSE(velk::parseItemPack(bytesOf(c.file), c.file.size(), out, &error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(out.weapons.size(), 1u);  // untouched
    }
}

TEST(ItemCodes, NameEveryTableWithOneNumber) {
    struct Case {
        int kind;
        int32_t index;
        int32_t code;
    };
    const Case cases[] = {{velk::kKindWeapon, 0, 0},  {velk::kKindWeapon, 7, 7},
                          {velk::kKindEnergy, 0, 8},  {velk::kKindEnergy, 43, 51},
                          {velk::kKindSkill, 0, 52},  {velk::kKindSkill, 1, 53}};
    for (const Case& c : cases) {
        EXPECT_EQ(velk::itemCode(c.kind, c.index), c.code);
        EXPECT_EQ(velk::itemIndexFromCode(c.kind, c.code), c.index);
    }
}

TEST(ItemNames, ShortAndLongNameFilesStayInBounds) {
    const std::string text = velk::toCp949("검 아주아주아주긴이름입니다\n");
    const std::vector<std::string> names = velk::parseItemNames(bytesOf(text), text.size(), 3);
    ASSERT_EQ(names.size(), 3u);
    EXPECT_EQ(velk::toUtf8(names[0]), "검");
    EXPECT_EQ(velk::toUtf8(names[1]), "아주아주아주긴");  // 14 bytes: a 15th would split a character
    EXPECT_EQ(names[2], "");
}

TEST(CItemPackLoad, FillsTheTablesWithNamesAndKeepsThemOnFailure) {
    velk::TempDir dir;
    dir.write(velk::kItemPackFileName, velk::encodeItemPack(smallPack()));
    dir.write(velk::itemNameFileName(1), velk::toCp949("맨주먹 단검\n"));
    dir.write(velk::itemNameFileName(3), velk::toCp949("질풍\n"));  // one name short; file 2 missing

    CItemPack pack(nullptr);
    ASSERT_EQ(pack.load(velk::kItemPackFileName), 1);
    pack.createTextures();
    EXPECT_EQ(pack.pictureCount(), 2);
    ASSERT_EQ(pack.textures.size(), 2u);
    EXPECT_EQ(pack.textures[1]->width(), 5u);
    ASSERT_EQ(g_itemTables.weapons.size(), 2u);
    EXPECT_EQ(velk::toUtf8(g_itemTables.weapons[1].name), "단검");
    EXPECT_EQ(g_itemTables.energyItem(0)->name, "");
    EXPECT_EQ(velk::toUtf8(g_itemTables.name(velk::kKindSkill, 0)), "질풍");
    EXPECT_EQ(g_itemTables.name(velk::kKindSkill, 1), "");
    EXPECT_EQ(g_itemTables.weapon(2), nullptr);
    EXPECT_EQ(g_itemTables.skill(-1), nullptr);

    dir.write(velk::kItemPackFileName, std::string("not a pack"));
    EXPECT_EQ(pack.load(velk::kItemPackFileName), 0);
    EXPECT_EQ(g_itemTables.weapons.size(), 2u);
    EXPECT_EQ(pack.pictureCount(), 2);
    g_itemTables = {};
}

}  // namespace

// What the loader fills in blank is named (with --verbose), never silent: a
// names file short of names, a pack without pictures.
TEST(CItemPackLoad, NamesWhatItLeavesBlank) {
    velk::TempDir dir;
    std::vector<std::string> reports;
    velk::setBadFileListener([&](const std::string& file, const std::string& why) { reports.push_back(file + ": " + why); });
    velk::ItemPackSource noPictures = smallPack();
    noPictures.pictures.clear();
    dir.write(velk::kItemPackFileName, velk::encodeItemPack(noPictures));
    dir.write(velk::itemNameFileName(1), std::string(""));
    dir.write(velk::itemNameFileName(2), std::string("potion"));
    dir.write(velk::itemNameFileName(3), std::string("a b"));
    CItemPack pack(nullptr);
    ASSERT_EQ(pack.load(velk::kItemPackFileName), 1);
    velk::setBadFileListener(nullptr);
    g_itemTables = {};
    const std::vector<std::string> expected = {
        "txt/item/itmname_1.txt: holds 0 names for 2 items; the rest have blank names",
        "itm/itm.ipk: holds no pictures: no item has an icon",
    };
    EXPECT_EQ(reports, expected) << ::testing::PrintToString(reports);
}
