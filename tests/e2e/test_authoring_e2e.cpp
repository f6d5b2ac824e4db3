// End to end, an author's world: `velk-pack new-world` writes the template's
// sources, `velk-pack build-world` builds them (with an icon of the
// author's own) and `velk-pack validate` passes the tree. The hero plays it
// from a new game: the elder's two pages, the quest run through the field to
// the boss, the boss's fall and the reward item. A rebuild then keeps the
// save, the mission states, the custom icon and every file the sources do
// not make.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>

#include "actors/boss.h"
#include "formats/item_pack_format.h"
#include "game/world.h"
#include "items/item_tables.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/png_io.h"
#include "story.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace velk {
namespace {

constexpr unsigned kSeed = 11;
constexpr int kElder = 10;
constexpr int kWeaponBagFirst = 8;
constexpr int32_t kBladePicture = 2;  // the reward's kind picture, in bags
constexpr uint32_t kMagenta = 0xFFFF00FF;

int pack(const std::string& args, std::string& output) {
    const std::string tool = velkBinary().substr(0, velkBinary().size() - 4) + "velk-pack";
    FILE* pipe = popen((tool + " " + args + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buf[4096];
    for (size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;) output.append(buf, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

PackPicture packPicture(const std::string& tree, size_t n) {
    std::vector<uint8_t> bytes;
    ItemPackData items;
    if (!readFile(tree + "/" + kItemPackFileName, bytes) || !parseItemPack(bytes.data(), bytes.size(), items, nullptr) ||
        n >= items.pictures.size())
        return {};
    return items.pictures[n];
}

TEST(E2eAuthoring, TheTemplateWorldBuildsValidatesPlaysAndRebuildsKeepingSaveAndIcon) {
    TempDir work;
    const std::string src = work.path() + "/src", data = work.path() + "/world";
    std::string log;
    ASSERT_EQ(pack("new-world " + src, log), 0) << log;
    EXPECT_NE(pack("new-world " + src, log), 0) << "a second template over the first is refused";

    // The author's own blade icon, in the sources.
    const std::vector<uint32_t> icon(32 * 32, kMagenta);
    std::filesystem::create_directories(src + "/items/icons");
    ASSERT_TRUE(writePng(src + "/items/icons/" + std::to_string(kBladePicture) + ".png", icon.data(), 32, 32));
    log.clear();
    ASSERT_EQ(pack("build-world " + src + " " + data, log), 0) << log;
    log.clear();
    ASSERT_EQ(pack("validate " + data, log), 0) << log;
    EXPECT_NE(log.find("no problems"), std::string::npos) << log;

    int bladeSlot = kWeaponBagFirst;
    {
        Story s(data, kSeed);
        ASSERT_TRUE(s.play.ok());
        ASSERT_EQ(s.map(), 0);
        ASSERT_TRUE(s.clickNpc(kElder));
        EXPECT_EQ(s.box().talkNumber, kElder);
        s.clickBox(kPageLeftX, kPageY);
        EXPECT_EQ(s.box().talkNumber, kElder + 1);
        ASSERT_TRUE(s.acceptAndTravel(1));
        EXPECT_EQ(g_field->quest.step, 2);

        ASSERT_TRUE(s.walkOut({})) << "hero at " << s.play.hero().x << ", " << s.play.hero().y;
        ASSERT_EQ(s.map(), 2);
        ASSERT_TRUE(g_world->boss);
        ASSERT_TRUE(s.fightBoss(4000)) << "boss hp " << (g_world->boss ? g_world->boss->hp : 0) << ", hero hp "
                                       << s.play.hero().hp;
        ASSERT_EQ(s.map(), 0);
        ASSERT_EQ(g_field->quest.missionStates.size(), 1u);
        EXPECT_EQ(g_field->quest.missionStates[0], 1);

        const int aruBack = s.play.hero().aru;
        while (bladeSlot < kWeaponBagFirst + 10 && s.play.hero().slots[size_t(bladeSlot)].icon != -1) ++bladeSlot;
        ASSERT_TRUE(s.clickNpc(kElder));
        s.clickBox(kAcceptX, kBottomY);
        EXPECT_EQ(s.play.hero().aru, aruBack + 300);
        const ItemSlot& blade = s.play.hero().slots[size_t(bladeSlot)];
        EXPECT_EQ(blade.icon, kBladePicture);
        const WeaponItem* item = g_itemTables.weapon(blade.itemId);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->name, toCp949("나무검"));
        EXPECT_EQ(g_field->quest.missionStates[0], 2);
    }
    const std::string save = readText(data + "/txt/user/user.txt");
    const std::string states = readText(data + "/txt/npc/mssck/mss_0.txt");
    ASSERT_FALSE(save.empty());
    EXPECT_EQ(states, "2\n");

    // The author replaced a stock sound and keeps notes in the tree.
    const std::string sound = data + "/sound/jump.wav", notes = data + "/notes.txt";
    ASSERT_TRUE(std::filesystem::exists(sound));
    ASSERT_TRUE(writeFileAtomic(sound, "RIFF mine", 9));
    ASSERT_TRUE(writeFileAtomic(notes, "todo", 4));
    log.clear();
    ASSERT_EQ(pack("build-world " + src + " " + data, log), 0) << log;
    EXPECT_EQ(readText(data + "/txt/user/user.txt"), save);
    EXPECT_EQ(readText(data + "/txt/npc/mssck/mss_0.txt"), states);
    EXPECT_EQ(readText(sound), "RIFF mine");
    EXPECT_EQ(readText(notes), "todo");
    const PackPicture picture = packPicture(data, size_t(kBladePicture));
    ASSERT_EQ(picture.pixels.size(), icon.size());
    for (uint32_t px : picture.pixels) ASSERT_EQ(px & 0xFFFFFF, kMagenta & 0xFFFFFF);
}

}  // namespace
}  // namespace velk
