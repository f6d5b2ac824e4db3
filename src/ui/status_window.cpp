#include "ui/status_window.h"

#include <cstdio>
#include <string>

#include "actors/player.h"
#include "platform/input_state.h"
#include "core/effects.h"
#include "widgets/button.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

bool inside(const CInputState& in, int x0, int x1, int y0, int y1) {
    return in.mouseX >= x0 && in.mouseX <= x1 && in.mouseY >= y0 && in.mouseY <= y1;
}

// The plus buttons' rows by stat (attack, defence, skill, hp, mp).
constexpr int kStatRows[5][2] = {{358, 374}, {375, 391}, {392, 408}, {409, 424}, {425, 441}};

// Where the values are written (right and bottom exclusive), beside their
// labels on the panel art: name, level, hit and magic points, experience
// and its goal on two lines, the five stats left of their plus buttons,
// the unspent points, and the slide-out panel's two (from its left edge).
constexpr FontRect kNameBox = {178, 244, 254, 260};
constexpr FontRect kLevelBox = {178, 262, 254, 278};
constexpr FontRect kHpBox = {178, 289, 254, 305};
constexpr FontRect kMpBox = {178, 308, 254, 324};
constexpr FontRect kExpBox = {170, 328, 254, 341};
constexpr FontRect kExpGoalBox = {170, 341, 254, 354};
constexpr FontRect statBox(int stat) { return {178, 357 + 17 * stat, 238, 373 + 17 * stat}; }
constexpr FontRect kPointsBox = {136, 455, 160, 471};
constexpr FontRect kSideBoxes[2] = {{68, 421, 124, 437}, {68, 441, 124, 457}};
}  // namespace

CStatusWindow::~CStatusWindow() = default;

bool CStatusWindow::init(CDirect3D* deviceIn, CPlayer* playerIn) {
    device = deviceIn;
    player = playerIn;
    char name[32];
    for (int i = 0; i < 2; ++i) {
        std::snprintf(name, sizeof name, "pic/state_%d.pic", i);
        panels[i] = CPicture::loaded(device, name);
    }
    for (int i = 0; i < 12; ++i) {
        std::snprintf(name, sizeof name, "pic/state_btn_%d.pic", i);
        buttonPictures[i] = CPicture::loaded(device, name);
    }
    return fitFont.create(device, {16, 14, 12, 11, 10});
}

void CStatusWindow::update(const CInputState* in) {
    if (in) {
        input(*in);
        if (leftButtonUp()) pressLatch = 0;
    }
    draw();
}

void CStatusWindow::input(const CInputState& in) {
    openButton = 0;
    inButton = 3;
    closeButton = 6;
    // A window button: hover picture and sound, press arms it, and the
    // release over the armed button acts with the click sound.
    auto button = [&](int32_t& picture, int32_t base, uint8_t id, int32_t latch) {
        picture = base + 1;
        if (hoverLatch != id) {
            g_soundBank.play(&g_effects.btn);
            hoverLatch = id;
        }
        if (in.leftButton == 1) {
            picture = base + 2;
            pressLatch = latch;
            return false;
        }
        if (pressLatch != latch) return false;
        g_soundBank.play(&g_effects.btn0);
        pressLatch = 0;
        return true;
    };
    if (inside(in, 240, 256, 227, 243)) {
        if (button(closeButton, 6, 1, 1)) result = kClosed;
    } else if (panelState == 0 && inside(in, 240, 256, 462, 478)) {
        if (button(openButton, 0, 2, 2)) panelState = 1;
    } else if (panelState == 1 && slideSteps == kSlideSteps && inside(in, 260, 276, 462, 478)) {
        if (button(inButton, 3, 3, 3)) panelState = 2;
    } else {
        hoverLatch = 0;
    }

    if (!player || player->statPoints <= 0) return;
    for (int32_t& b : statButtons) b = 9;
    if (in.mouseX < 240 || in.mouseX > 256) return;
    for (int stat = 0; stat < 5; ++stat) {
        if (in.mouseY < kStatRows[stat][0] || in.mouseY > kStatRows[stat][1]) continue;
        statButtons[stat] = 10;
        if (in.leftButton == 1) {
            statButtons[stat] = 11;
            pressLatch = 4 + stat;
        } else if (pressLatch == 4 + stat) {
            pressLatch = 0;
            statButtons[stat] = 9;
            spendPoint(stat);
        }
        return;
    }
}

void CStatusWindow::spendPoint(int stat) {
    CPlayer& p = *player;
    switch (stat) {
        case 0: ++p.attackStat; break;
        case 1: ++p.defenceStat; break;
        case 2: ++p.skillStat; break;
        case 3:
            ++p.hpStat;
            p.maxHp += 10;
            break;
        default:
            ++p.mpStat;
            p.maxMp += 10;
            break;
    }
    --p.statPoints;
}

void CStatusWindow::draw() {
    using Align = CFitFont::Align;
    auto write = [&](const FontRect& box, const std::string& text) {
        fitFont.draw(box, kWhite, text, Align::Right);
    };
    auto number = [](int32_t value) { return std::to_string(value); };
    auto fraction = [](int32_t a, int32_t b) { return std::to_string(a) + "/" + std::to_string(b); };
    if (panelState == 1 && slideSteps < kSlideSteps) {
        ++slideSteps;
        slideOffset += kSlideStepPixels;
    } else if (panelState == 2) {
        if (slideSteps > 0) {
            --slideSteps;
            slideOffset -= kSlideStepPixels;
        }
        if (slideSteps == 0) panelState = 0;
    }
    if (panelState > 0) {
        panels[1]->draw(float(slideOffset + 130), 417);
        buttonPictures[inButton]->draw(float(slideOffset + 132), 462);
        if (player) {
            const int32_t values[2] = {player->attackPower(), player->defenceStat};
            for (int i = 0; i < 2; ++i) {
                FontRect box = kSideBoxes[i];
                box.left += slideOffset + 130;
                box.right += slideOffset + 130;
                write(box, number(values[i]));
            }
        }
    }
    panels[0]->draw(130, 225);
    if (panelState == 0) buttonPictures[openButton]->draw(240, 462);
    buttonPictures[closeButton]->draw(240, 227);
    if (!player) return;
    const CPlayer& p = *player;
    if (p.statPoints > 0)
        for (int i = 0; i < 5; ++i) buttonPictures[statButtons[i]]->draw(240, float(358 + 17 * i));
    write(kNameBox, p.name);
    write(kLevelBox, number(p.level));
    write(kHpBox, fraction(p.hp, p.maxHp));
    write(kMpBox, fraction(p.mp, p.maxMp));
    write(kExpBox, number(p.exp));
    write(kExpGoalBox, "/" + number(p.expNext));
    const int32_t stats[5] = {p.attackStat, p.defenceStat, p.skillStat, p.hpStat, p.mpStat};
    for (int i = 0; i < 5; ++i) write(statBox(i), number(stats[i]));
    fitFont.draw(kPointsBox, p.statPoints > 0 ? 0xFFFFE08A : kWhite, number(p.statPoints), Align::Centre);
}
