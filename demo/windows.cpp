// The windows of play: the HUD bar and its bars, the help and information
// box backgrounds, the three bag frames, the game menu and the status window.
// Places follow the windows' fixed layouts (hit areas, text points).

#include <string>

#include "demo/art.h"
#include "demo/demo.h"
#include "demo/ui_kit.h"

namespace demo {

namespace {

using namespace palette;

constexpr int kBarW = 114;

// A slot well on the HUD: a sunken square the icon sits in.
void slotWell(Canvas& c, int x, int y, int w, int h) {
    c.fillRoundRect(x, y, w, h, 4, kGold);
    c.fillRoundRect(x + 1, y + 1, w - 2, h - 2, 3, kInk);
    c.fillRoundRect(x + 2, y + 2, w - 4, h - 4, 3, rgb(0x22304F));
}

void label(Canvas& c, int x, int y, const std::string& text, int size, uint32_t colour = kCream) {
    c.text(x, y, text, size, colour, kInk, 1);
}

// A sunken plate a value of the HUD is written on.
void plate(Canvas& c, int x, int y, int w, int h) {
    c.fillRoundRect(x, y, w, h, 4, withAlpha(kGold, 200));
    c.fillRoundRect(x + 1, y + 1, w - 2, h - 2, 3, kInk);
    c.verticalGradient(x + 2, y + 2, w - 4, h - 4, rgb(0x0E1526), rgb(0x1A2540));
}

// A gold coin for the purse.
void coin(Canvas& c, int cx, int cy) {
    c.fillCircle(cx, cy, 7, rgb(0xA07A22));
    c.fillCircle(cx, cy, 6, kGold);
    c.fillCircle(cx, cy, 3, rgb(0xFFE08A));
    c.fillRect(cx - 1, cy - 3, 2, 6, rgb(0xA07A22));
}

// 800 x 100 at y 500, drawn over the bars: the bar places are clear windows.
// The values' plates match the boxes the HUD fits its texts into: level
// (78, 509)-(118, 528), name (57, 535)-(117, 555), purse (34, 570)-(118,
// 590), the bars' insides, and the quick slots' counts in their wells'
// lower right corners.
Canvas hudBar() {
    Canvas c(800, 100);
    c.ditherGradient(0, 0, 800, 100, {kDusk, rgb(0x1A3358), kNight});
    c.fillRect(0, 0, 800, 2, kGold);
    c.fillRect(0, 2, 800, 1, kInk);
    // Menu button: a round emblem at 5..47 x 7..49.
    c.fillCircle(26, 28, 22, kGold);
    c.fillCircle(26, 28, 19, kNight);
    c.fillCircle(26, 28, 15, kDusk);
    label(c, 14, 20, "메뉴", 12, kGold);
    // Level and the hero's name beside the emblem.
    plate(c, 54, 6, 66, 25);
    label(c, 58, 12, "LV", 11, kGold);
    plate(c, 54, 33, 66, 24);
    // Bars: frames at x 162..275, rows 4, 24, 43, with clear insides: the
    // bars are drawn before this picture, which only alpha-tests.
    const char* names[] = {"HP", "MP", "EXP"};
    const int tops[] = {4, 24, 43};
    const int heights[] = {14, 14, 12};
    for (int i = 0; i < 3; ++i) {
        label(c, 126, tops[i], names[i], 11, kGold);
        c.fillRoundRect(159, tops[i] - 2, kBarW + 6, heights[i] + 4, 3, kGold);
        c.fillRect(161, tops[i] - 1, kBarW + 2, heights[i] + 2, kInk);
        for (int y = tops[i]; y < tops[i] + heights[i]; ++y)
            for (int x = 162; x < 162 + kBarW; ++x) c.set(x, y, 0);
    }
    // The lower band: a darker strip under a gold rule, holding the purse
    // and the slots' names.
    c.fillRect(0, 64, 800, 1, withAlpha(kGold, 150));
    c.fillRect(0, 65, 800, 35, withAlpha(kInk, 150));
    plate(c, 8, 67, 150, 26);
    coin(c, 22, 80);
    label(c, 122, 74, "아루", 11, kGold);
    // Worn weapon and skill.
    slotWell(c, 315, 10, 54, 49);
    slotWell(c, 385, 10, 56, 49);
    label(c, 330, 74, "무기", 11);
    label(c, 401, 74, "스킬", 11);
    // Quick slots with their keys.
    const int quickX[] = {496, 560, 617, 679};
    for (int i = 0; i < 4; ++i) {
        slotWell(c, quickX[i], 10, 54, 49);
        label(c, quickX[i] + 18, 74, "F" + std::to_string(i + 1), 11, kGold);
    }
    // The two small worn slots, the charm above the pet, named at their right.
    slotWell(c, 742, 16, 28, 22);
    slotWell(c, 742, 38, 28, 22);
    label(c, 773, 20, "부적", 10);
    label(c, 776, 42, "펫", 10);
    return c;
}

Canvas bar(uint32_t light, uint32_t dark, int h) {
    Canvas c(kBarW, h);
    c.ditherGradient(0, 0, kBarW, h, {mix(light, kWhite, 0.35f), light, dark});
    c.fillRect(0, 1, kBarW, 1, withAlpha(kWhite, 120));
    return c;
}

// The menu button's highlight: a gold ring, 64 x 44.
Canvas head() {
    Canvas c(64, 44);
    c.fillCircle(25, 21, 22, argb(200, 0xF2, 0xC1, 0x4E));
    c.fillCircle(25, 21, 18, 0);
    for (int y = 0; y < 44; ++y)
        for (int x = 0; x < 64; ++x)
            if ((c.at(x, y) >> 24) == 0 && (x - 25) * (x - 25) + (y - 21) * (y - 21) < 18 * 18)
                c.set(x, y, argb(60, 0xFF, 0xF4, 0xD6));
    return c;
}

// The help and information boxes' background, stretched to each box: a
// plain shade with no rim (the boxes draw their rim unstretched).
Canvas infoBack() {
    Canvas c(64, 64);
    c.verticalGradient(0, 0, 64, 64, rgb(0x1C2E52), rgb(0x0F1830));
    return c;
}

// A bag frame: a parchment list on a framed panel, 104 x 245 from y 250.
Canvas bagFrame(const std::string& heading) {
    Canvas c = panel(104, 245, heading);
    c.fillRoundRect(8, 52, 88, 166, 4, kGold);
    c.fillRoundRect(9, 53, 86, 164, 3, kCream);
    for (int r = 1; r < 5; ++r) c.fillRect(10, 54 + 32 * r, 84, 1, withAlpha(kStone, 120));
    return c;
}

Canvas choice() {
    Canvas c(100, 32);
    c.fillRoundRect(0, 0, 100, 32, 4, kGold);
    c.fillRoundRect(2, 2, 96, 28, 3, rgb(0xFFE08A));
    return c;
}

// A row's plate on the status panels: a faint well the value sits in.
void valuePlate(Canvas& c, int x, int y, int w, int h) {
    c.fillRoundRect(x, y, w, h, 3, withAlpha(kInk, 170));
    c.fillRect(x + 2, y + h - 1, w - 4, 1, withAlpha(kGold, 70));
}

// Status window: 128 x 256 at (130, 225). The plates hold the boxes the
// window writes its values into (right-aligned), labels to their left.
Canvas statusPanel() {
    Canvas c = panel(128, 256);
    label(c, 8, 2, "상태", 13, kGold);
    struct Row {
        const char* text;
        int x, y, w, h;
    };
    const Row rows[] = {{"이름", 46, 18, 80, 18}, {"레벨", 46, 36, 80, 18}, {"HP", 46, 63, 80, 18},
                        {"MP", 46, 82, 80, 18},   {"경험", 38, 102, 88, 28}};
    for (const Row& r : rows) {
        valuePlate(c, r.x, r.y, r.w, r.h);
        label(c, 8, r.y + 3, r.text, 12);
    }
    c.fillRect(8, 59, 112, 1, withAlpha(kGold, 90));
    const char* stats[] = {"공격", "방어", "기술", "체력", "마력"};
    for (int i = 0; i < 5; ++i) {
        valuePlate(c, 46, 132 + 17 * i, 64, 16);
        label(c, 8, 134 + 17 * i, stats[i], 12);
    }
    c.fillRect(8, 224, 112, 1, withAlpha(kGold, 140));
    valuePlate(c, 5, 229, 26, 18);
    label(c, 34, 232, "포인트", 11, kGold);
    return c;
}

Canvas sidePanel() {
    Canvas c = panel(128, 64);
    label(c, 12, 6, "공격력", 12, kGold);
    label(c, 12, 26, "방어", 12, kGold);
    valuePlate(c, 66, 3, 60, 18);
    valuePlate(c, 66, 23, 60, 18);
    return c;
}

}  // namespace

void writeWindows(const DemoContext& ctx) {
    savePicture(ctx, "pic/interface.pic", hudBar());
    savePicture(ctx, "pic/hp.pic", bar(kEmber, rgb(0x8E2A18), 14));
    savePicture(ctx, "pic/mp.pic", bar(rgb(0x3D6FB0), rgb(0x1F3A66), 14));
    savePicture(ctx, "pic/point.pic", bar(kGold, rgb(0xA07A22), 12));
    savePicture(ctx, "pic/Head.pic", head());
    savePicture(ctx, "pic/info.pic", infoBack());
    savePicture(ctx, "pic/att0.pic", bagFrame("무기"));
    savePicture(ctx, "pic/att1.pic", bagFrame("스킬"));
    savePicture(ctx, "pic/att2.pic", bagFrame("물약"));
    savePicture(ctx, "pic/choice.pic", choice());
    // Small buttons: close, up, down, each normal, cursor over it, pressed.
    const char small[] = {'x', '^', 'v'};
    for (int b = 0; b < 3; ++b)
        for (int l = 0; l < 3; ++l)
            savePicture(ctx, "pic/ms_btn_" + std::to_string(b * 3 + l) + ".pic",
                        symbolButton(small[b], kLooks[l]));
    savePicture(ctx, "pic/menu.pic", panel(130, 100, "메뉴"));
    // The menu's labels are a size larger and sit a pixel higher than other buttons'.
    const char* menuLabels[] = {"상태", "포기"};
    for (int b = 0; b < 2; ++b)
        for (int l = 0; l < 3; ++l)
            savePicture(ctx, "pic/menu_btn_" + std::to_string(b * 3 + l) + ".pic",
                        labelButton(125, 33, menuLabels[b], kLooks[l], 14, 1));
    savePicture(ctx, "pic/state_0.pic", statusPanel());
    savePicture(ctx, "pic/state_1.pic", sidePanel());
    // Status buttons: slide out, slide in, close, plus.
    const char status[] = {'>', '<', 'x', '+'};
    for (int b = 0; b < 4; ++b)
        for (int l = 0; l < 3; ++l)
            savePicture(ctx, "pic/state_btn_" + std::to_string(b * 3 + l) + ".pic",
                        symbolButton(status[b], kLooks[l]));
}

}  // namespace demo
