// The windows' texts on the demo world's window art: at the extremes of play
// (levels 1, 10 and 100, an empty and a full purse, the longest names) every
// text the HUD, the status window and the bag draw stays inside its box, and
// a notice reads on the brightest backdrop of the demo world.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "actors/player.h"
#include "core/game_state.h"
#include "game/game_objects.h"
#include "game/window_stack.h"
#include "game/world.h"
#include "items/inventory.h"
#include "items/item_tables.h"
#include "platform/cp949.h"
#include "platform/d3dx_font.h"
#include "platform/files.h"
#include "support/game_fixture.h"
#include "ui/interface.h"
#include "ui/status_window.h"
#include "widgets/notice_log.h"
#include "world/stage.h"

namespace velk {
namespace {

// The boxes of the demo art's plates, wells and bars (right and bottom
// exclusive).
constexpr FontRect kHudBoxes[] = {
    {162, 504, 276, 518}, {162, 524, 276, 538}, {162, 543, 276, 555},  // bars' insides
    {74, 508, 117, 529},                                               // level plate
    {57, 535, 117, 555},                                               // name plate
    {32, 570, 118, 590},                                               // purse plate
    {499, 545, 547, 557}, {563, 545, 611, 557}, {620, 545, 668, 557}, {682, 545, 730, 557},  // quick counts
};
constexpr FontRect kStatusBoxes[] = {
    {178, 244, 254, 260}, {178, 262, 254, 278}, {178, 289, 254, 305}, {178, 308, 254, 324},  // name .. MP
    {170, 328, 254, 354},                                                                    // experience
    {178, 357, 238, 373}, {178, 374, 238, 390}, {178, 391, 238, 407}, {178, 408, 238, 424},
    {178, 425, 238, 441},                         // stats, left of their plus buttons
    {136, 455, 160, 471},                         // points
    {326, 421, 382, 437}, {326, 441, 382, 457},   // the slid-out panel
};

bool inside(const FontRect& ink, const FontRect& box) {
    return ink.left >= box.left && ink.top >= box.top && ink.right <= box.right && ink.bottom <= box.bottom;
}

bool overlap(const FontRect& a, const FontRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string describe(const DrawnText& t) {
    return "'" + toUtf8(t.text) + "' ink (" + std::to_string(t.ink.left) + "," + std::to_string(t.ink.top) +
           ")-(" + std::to_string(t.ink.right) + "," + std::to_string(t.ink.bottom) + ")";
}

// Each drawn text lies inside one of the boxes, and no two overlap.
void expectInBoxes(const std::vector<DrawnText>& texts, const FontRect* boxes, size_t boxCount) {
    for (size_t i = 0; i < texts.size(); ++i) {
        const bool placed = std::any_of(boxes, boxes + boxCount, [&](const FontRect& b) { return inside(texts[i].ink, b); });
        EXPECT_TRUE(placed) << describe(texts[i]) << " is in no box";
        for (size_t j = i + 1; j < texts.size(); ++j)
            EXPECT_FALSE(overlap(texts[i].ink, texts[j].ink)) << describe(texts[i]) << " overlaps " << describe(texts[j]);
    }
}

double luminance(uint32_t argb) {
    auto channel = [](uint32_t v) {
        const double c = double(v & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(argb >> 16) + 0.7152 * channel(argb >> 8) + 0.0722 * channel(argb);
}

class DemoWindows : public HeadlessFixture {
protected:
    void SetUp() override {
        HeadlessFixture::SetUp();
        previousSave_ = saveDirectory();
        setDataDirectory(std::string(VELK_BINARY_DIR) + "/data");
        setSaveDirectory(dir.path());
        GameState = kStatePlay;
        objects = std::make_unique<CGameObjects>(&backend, &device);
        ASSERT_TRUE(objects->create());
        CD3dxFont::setWatcher([this](const DrawnText& t) {
            if (t.ink.right > t.ink.left) drawn.push_back(t);
        });
    }
    void TearDown() override {
        CD3dxFont::setWatcher(nullptr);
        objects.reset();
        setSaveDirectory(previousSave_);
    }

    CPlayer& hero() { return *objects->world->player; }

    // The hero at the edge of what a level shows: one point short of the
    // next level, four-digit points, the longest name, full quick slots.
    void extremeHero(int32_t level, int32_t aru) {
        CPlayer& p = hero();
        p.level = level;
        p.expNext = expForLevel(level);
        p.exp = p.expNext - 1;
        p.aru = aru;
        p.maxHp = p.maxMp = 9999;
        p.heal(9999, 9999);
        p.statPoints = 9999;
        p.attackStat = p.defenceStat = p.skillStat = p.hpStat = p.mpStat = 9999;
        const std::string name = toCp949("가나다라마바");
        std::copy(name.begin(), name.end(), p.name);
        p.name[name.size()] = '\0';
        for (int q = 0; q < 4; ++q) p.slots[size_t(kSlotQuickFirst + q)] = ItemSlot{99999, 8, 0};
    }

    // One played frame; `drawn` holds the texts of the windows' pass.
    void frame() {
        backend.advance(HeadlessBackend::kPassTicks);
        g_input->poll();
        device.clear(0xFF000000);
        objects->world->update();
        drawn.clear();
        objects->windows->update(g_input);
    }

    std::unique_ptr<CGameObjects> objects;
    std::vector<DrawnText> drawn;

private:
    std::string previousSave_;
};

const struct {
    int32_t level, aru;
} kExtremes[] = {{1, 0}, {1, 9999999}, {10, 0}, {10, 9999999}, {100, 0}, {100, 9999999}};

TEST_F(DemoWindows, HudTextsStayInTheirBoxes) {
    backend.setMouse(400, 100);
    for (const auto& c : kExtremes) {
        SCOPED_TRACE("level " + std::to_string(c.level) + ", aru " + std::to_string(c.aru));
        extremeHero(c.level, c.aru);
        frame();
        std::vector<DrawnText> hud;
        for (const DrawnText& t : drawn)
            if (t.ink.top >= 500) hud.push_back(t);
        // Three bars, the level, the name, the purse and four counts.
        EXPECT_EQ(hud.size(), 10u);
        expectInBoxes(hud, kHudBoxes, std::size(kHudBoxes));
    }
}

TEST_F(DemoWindows, StatusTextsStayInTheirBoxes) {
    for (const auto& c : kExtremes) {
        SCOPED_TRACE("level " + std::to_string(c.level) + ", aru " + std::to_string(c.aru));
        extremeHero(c.level, c.aru);
        CStatusWindow status;
        ASSERT_TRUE(status.init(&device, &hero()));
        status.panelState = 1;  // slid out, so its two values show too
        for (int i = 0; i < CStatusWindow::kSlideSteps; ++i) status.update(nullptr);
        drawn.clear();
        status.update(nullptr);
        // Name, level, points, experience and its goal, five stats, the
        // unspent points and the side panel's two values.
        EXPECT_EQ(drawn.size(), 14u);
        expectInBoxes(drawn, kStatusBoxes, std::size(kStatusBoxes));
    }
}

TEST_F(DemoWindows, BagRowsKeepTheLongestNamesBesideTheirIcons) {
    // The longest name of each table in the first row of its list.
    auto longest = [](const auto& table) {
        int32_t best = 0;
        for (size_t i = 0; i < table.size(); ++i)
            if (table[i].name.size() > table[size_t(best)].name.size()) best = int32_t(i);
        return best;
    };
    CPlayer& p = hero();
    const int32_t weapon = longest(g_itemTables.weapons), energy = longest(g_itemTables.energy),
                  skill = longest(g_itemTables.skills);
    p.slots[kSlotWeaponBagFirst] = ItemSlot{1, g_itemTables.weapons[size_t(weapon)].icon, weapon};
    p.slots[kSlotEnergyBagFirst] = ItemSlot{99999, g_itemTables.energy[size_t(energy)].icon, energy};
    p.slots[kSlotSkillBookFirst] = ItemSlot{1, g_itemTables.skills[size_t(skill)].icon, skill};
    backend.setMouse(400, 100);
    for (int tab = 0; tab < 6; ++tab) {
        SCOPED_TRACE("tab " + std::to_string(tab));
        g_inventory->open(tab);
        frame();
        const int32_t x = CInventory::windowX(tab);
        const FontRect nameBox{x + 44, 305, x + 96, 337}, countBox{x + 11, 305, x + 43, 337};
        std::vector<DrawnText> row;
        for (const DrawnText& t : drawn)
            if (overlap(t.ink, FontRect{x, 305, x + 104, 337})) row.push_back(t);
        ASSERT_FALSE(row.empty());
        for (const DrawnText& t : row) {
            const bool count = t.text == "99999";
            EXPECT_TRUE(inside(t.ink, count ? countBox : nameBox)) << describe(t);
            // Names big enough to read (the old eight-pixel ones were not).
            if (!count) {
                EXPECT_GE(t.ink.bottom - t.ink.top, 9) << describe(t);
            }
        }
        EXPECT_EQ(std::count_if(row.begin(), row.end(), [](const DrawnText& t) { return t.text == "99999"; }),
                  tab >= 2 ? 1 : 0);
    }
}

TEST_F(DemoWindows, ANoticeReadsOnTheBrightestBackdrop) {
    // The brightest backdrop behind the notices among the demo world's maps.
    std::vector<uint32_t> brightest;
    double best = -1;
    for (int map : {0, 1, 2, 9, 10, 11, 12}) {
        CStage stage;
        if (!stage.init(&device, map)) continue;
        device.clear(0xFF000000);
        int32_t lastScroll = -1;
        stage.step(lastScroll);
        double sum = 0;
        for (int y = 395; y < 490; ++y)
            for (int x = 560; x < 800; ++x) sum += luminance(device.backBuffer()[y * 800 + x]);
        if (sum > best) {
            best = sum;
            brightest.assign(device.backBuffer(), device.backBuffer() + 800 * 600);
        }
    }
    ASSERT_FALSE(brightest.empty());
    // The notice drawn over a backdrop; the screen it leaves.
    auto noticeOver = [&](const std::vector<uint32_t>& backdrop) {
        std::copy(backdrop.begin(), backdrop.end(), device.backBuffer());
        CNoticeLog log(&device);
        log.init();
        log.add(toCp949("레벨업하였습니다(99->100).").c_str());
        drawn.clear();
        log.draw();
        EXPECT_EQ(drawn.size(), 1u);
        if (!drawn.empty()) {
            EXPECT_LE(drawn[0].ink.right, 800) << describe(drawn[0]);
        }
        return std::vector<uint32_t>(device.backBuffer(), device.backBuffer() + 800 * 600);
    };
    // Over mid grey the glyphs' own pixels are the ones turned light.
    const std::vector<uint32_t> grey = noticeOver(std::vector<uint32_t>(800 * 600, 0xFF808080));
    auto glyph = [&](int x, int y) { return luminance(grey[size_t(y * 800 + x)]) > 0.6; };
    std::vector<uint32_t> white(800 * 600, 0xFFFFFFFF);
    for (const auto* backdrop : {&brightest, &white}) {
        SCOPED_TRACE(backdrop == &white ? "white" : "brightest backdrop");
        const std::vector<uint32_t> f = noticeOver(*backdrop);
        // The glyphs' pixels against the pixels right around them.
        double glyphSum = 0, aroundSum = 0;
        int glyphCount = 0, aroundCount = 0;
        for (int y = 1; y < 599; ++y) {
            for (int x = 1; x < 799; ++x) {
                const double l = luminance(f[size_t(y * 800 + x)]);
                if (glyph(x, y)) {
                    glyphSum += l;
                    ++glyphCount;
                } else if (glyph(x - 1, y) || glyph(x + 1, y) || glyph(x, y - 1) || glyph(x, y + 1)) {
                    aroundSum += l;
                    ++aroundCount;
                }
            }
        }
        ASSERT_GT(glyphCount, 50);
        const double contrast = (glyphSum / glyphCount + 0.05) / (aroundSum / aroundCount + 0.05);
        EXPECT_GE(contrast, 4.5);
    }
}

}  // namespace
}  // namespace velk
