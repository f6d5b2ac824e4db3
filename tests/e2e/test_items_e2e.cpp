// End to end: the HUD, the inventory, drops, the game menu and the status
// window on the demo world, read from the state dump (and a screenshot) of
// the real `velk` played headless. Mouse events of frame N act in frame N;
// a run of N frames plays frames 0 to N - 1.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "content/save_writer.h"
#include "platform/png_io.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"

namespace velk {
namespace {

using Slot = std::array<long, 3>;  // count, icon, itemId

struct Dump {
    std::string json;
    long hero(const char* key) const { return jsonNumberIn(json, "hero", key); }
    long ui(const char* key) const { return jsonNumberIn(json, "ui", key); }
    Slot slot(int n) const { return jsonSlot(json, n); }
    // The number after `"key": ` inside the first object that follows `anchor`.
    long after(const std::string& anchor, const std::string& key) const {
        const size_t a = json.find(anchor);
        if (a == std::string::npos) return -99999;
        const size_t k = json.find("\"" + key + "\": ", a);
        return k == std::string::npos ? -99999 : std::atol(json.c_str() + k + key.size() + 4);
    }
    bool has(const std::string& text) const { return json.find(text) != std::string::npos; }
};

struct Save {
    long hp = 100;
    long statPoints = 0;
    bool potionsInBag = true;  // 5 red potions in the energy bag's first slot
};

class E2eItems : public ::testing::Test {
protected:
    // Plays `frames` of `script`; from a save when `save` is given, else a new game.
    Dump play(int frames, const std::string& script, const Save* save = nullptr,
              std::vector<std::string> extra = {}) {
        if (!std::filesystem::exists(data()))
            std::filesystem::copy(demoDataDir(), data(), std::filesystem::copy_options::recursive);
        std::filesystem::remove(savePath());
        if (save) writeSave(*save);
        std::vector<std::string> args = {"--skip-title", "--frames", std::to_string(frames)};
        args.insert(args.end(), extra.begin(), extra.end());
        run = runVelk(work.path(), args, script);
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return {run.state};
    }
    void writeSave(const Save& s) {
        SaveRecord r = startingHero();
        r.hp = int32_t(s.hp);
        r.aru = 500;
        r.statPoints = int32_t(s.statPoints);
        r.slots[2] = {5, 8, 0};   // five red potions on F1
        r.slots[8] = {1, 2, 1};   // blade
        r.slots[9] = {1, 0, 7};   // level-12 cannon
        if (s.potionsInBag) r.slots[18] = {5, 8, 0};
        r.slots[48] = {1, 52, 0};
        std::ofstream(savePath(), std::ios::binary) << saveFileText(r);
    }
    std::string data() const { return work.path() + "/data"; }
    std::string savePath() const { return data() + "/txt/user/user.txt"; }

    TempDir work;
    VelkRun run;
};

TEST_F(E2eItems, NewGameHudShowsTheHeroAndTheQuickSlot) {
    const std::string shot = work.path() + "/hud.png";
    const Dump d = play(6, "", nullptr, {"--screenshot", "5:" + shot});
    EXPECT_EQ(d.hero("hp"), 100);
    EXPECT_EQ(d.hero("maxHp"), 100);
    EXPECT_EQ(d.slot(0), (Slot{1, 6, 0}));
    EXPECT_EQ(d.slot(2), (Slot{5, 8, 0}));
    EXPECT_EQ(d.ui("inventoryTab"), -1);
    std::vector<uint32_t> px;
    uint32_t w = 0, h = 0;
    ASSERT_TRUE(readPng(shot, px, w, h));
    // A full hit-point bar is red from x 162 to 275; the menu button's gold
    // ring stands at the left.
    for (int x : {164, 270}) {
        const uint32_t c = px[size_t(510) * w + size_t(x)];
        EXPECT_GT((c >> 16) & 0xFF, 2 * (c & 0xFF)) << "x " << x << std::hex << " " << c;
    }
}

TEST_F(E2eItems, QuickSlotKeyDrinksOnRelease) {
    const Save save{90};
    const std::string script = "2 key F1 down\n6 key F1 up\n";
    const struct {
        int frames;
        long count;
        long hp;
    } cases[] = {{5, 5, 90}, {8, 4, 100}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frames);
        const Dump d = play(c.frames, script, &save);
        EXPECT_EQ(d.slot(2)[0], c.count);
        EXPECT_EQ(d.hero("hp"), c.hp);  // +30, capped at 100
        EXPECT_EQ(d.has("\"eat_e\""), c.count == 4);
    }
}

TEST_F(E2eItems, WeaponSlotOpensTheBagAndWearsOrRefuses) {
    const Save save;
    Dump d = play(11, wearFromBagScript(320), &save);
    EXPECT_EQ(d.ui("inventoryTab"), 0);
    EXPECT_EQ(d.slot(0), (Slot{1, 2, 1}));  // the blade is worn
    EXPECT_EQ(d.slot(8), (Slot{1, 6, 0}));  // the fist went to the bag
    EXPECT_TRUE(d.has("\"btn2\""));

    d = play(11, wearFromBagScript(350), &save);
    EXPECT_EQ(d.slot(0), (Slot{1, 6, 0}));
    EXPECT_EQ(d.slot(9), (Slot{1, 0, 7}));
    EXPECT_EQ(d.ui("selectedRow"), -1);
    EXPECT_TRUE(d.has("착용할 레벨이 아닙니다.")) << d.json;
}

TEST_F(E2eItems, InfoBoxNeverCoversTheHud) {
    const Save save;
    // The HUD's weapon slot, then a bag row whose box would reach below 500.
    for (const char* script :
         {"0 mouse 340 530\n",
          "0 mouse 340 530\n2 button left down\n3 button left up\n5 mouse 290 320\n"}) {
        const Dump d = play(12, script, &save);
        ASSERT_TRUE(d.has("\"infoBox\"")) << d.json;
        EXPECT_LE(d.after("\"infoBox\"", "y") + d.after("\"infoBox\"", "height"), 500);
        EXPECT_GT(d.after("\"infoBox\"", "height"), 0);
    }
}

TEST_F(E2eItems, ThrownPotionsLieAtTheHeroUntilPickedUp) {
    const Save save;
    const std::string script =
        "0 mouse 520 530\n2 button left down\n3 button left up\n"  // energy bag for F1
        "5 mouse 460 320\n6 button left down\n7 button left up\n"  // select the potions
        "9 mouse 600 320\n"                                         // out of the window
        "11 text 3\n13 mouse 410 335\n14 button left down\n15 button left up\n"
        "18 key LShift down\n19 key LShift up\n";
    Dump d = play(12, script, &save);
    EXPECT_TRUE(d.has("\"messageBox\": \"discard\"")) << d.json;

    d = play(17, script, &save);
    EXPECT_EQ(d.slot(18), (Slot{2, 8, 0}));
    EXPECT_EQ(d.after("\"items\"", "count"), 3);
    EXPECT_EQ(d.after("\"items\"", "icon"), 8);
    EXPECT_EQ(d.after("\"items\"", "kind"), -3);

    d = play(21, script, &save);
    EXPECT_EQ(d.slot(18), (Slot{5, 8, 0}));
    EXPECT_TRUE(d.has("\"items\": []")) << d.json;
    EXPECT_TRUE(d.has("아이템 획득(빨간물약)")) << d.json;
}

TEST_F(E2eItems, StatusWindowSlidesAndSpendsPoints) {
    const Save save{90, 3, false};
    const std::string script =
        "0 mouse 20 530\n2 button left down\n3 button left up\n"  // the menu
        "5 mouse 60 428\n6 button left down\n7 button left up\n"  // status
        "9 mouse 248 470\n10 button left down\n11 button left up\n"  // slide out
        "13 mouse 248 416\n14 button left down\n15 button left up\n";  // a point in hp
    const struct {
        int frames;
        long slideSteps;
    } slides[] = {{12, 1}, {26, 15}, {27, 16}, {40, 16}};
    for (const auto& c : slides) {
        SCOPED_TRACE(c.frames);
        const Dump d = play(c.frames, script, &save);
        EXPECT_TRUE(d.has("\"menuOpen\": true"));
        EXPECT_EQ(d.after("\"statusWindow\"", "slideSteps"), c.slideSteps);
        EXPECT_EQ(d.after("\"statusWindow\"", "slideOffset"), 8 * c.slideSteps);
    }
    const Dump d = play(20, script, &save);
    EXPECT_EQ(d.hero("hpStat"), 11);
    EXPECT_EQ(d.hero("maxHp"), 110);
    EXPECT_EQ(d.hero("hp"), 90);
    EXPECT_EQ(d.hero("statPoints"), 2);
}

TEST_F(E2eItems, GivingUpEndsTheRunAndSaves) {
    const std::string script =
        "0 mouse 20 530\n2 button left down\n3 button left up\n"
        "5 mouse 60 460\n6 button left down\n7 button left up\n"  // give up?
        "9 mouse 460 205\n10 button left down\n11 button left up\n";  // OK
    const Dump d = play(100, script);
    EXPECT_LT(jsonNumber(d.json, "frame"), 20);
    EXPECT_TRUE(std::filesystem::exists(savePath()));
}

TEST_F(E2eItems, AMissingItemPackEndsTheProgramWithItsReason) {
    play(1, "");
    std::filesystem::remove(data() + "/itm/itm.ipk");
    run = runVelk(work.path(), {"--skip-title", "--frames", "3"}, "", false);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find("itm/itm.ipk"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace velk
