// The windows of town life: the talk box (parchment, so its black text and
// coloured lines read well) with its 15 buttons, the shop window with its 15
// buttons and row highlight, and the minimap's three frames, back and 8
// buttons. Sizes follow the places where the game draws and hit-tests them.

#include <string>

#include "demo/art.h"
#include "demo/demo.h"
#include "demo/ui_kit.h"

namespace demo {

namespace {

using namespace palette;

constexpr uint32_t kParchment = rgb(0xF6E7C1);
constexpr uint32_t kParchmentDark = rgb(0xE2CC98);
constexpr uint32_t kWood = rgb(0x6E4424);

// A dark window frame in the message box's style with a title strip.
void windowFrame(Canvas& c, const std::string& title) {
    const int w = c.width(), h = c.height();
    c.fillRoundRect(0, 0, w, h, 8, kGold);
    c.fillRoundRect(2, 2, w - 4, h - 4, 6, kNight);
    c.verticalGradient(4, 4, w - 8, 14, kDusk, kNight);
    c.text(8, 3, title, 13, kGold, kInk, 1);
}

// A parchment panel with a soft darker rim and a faint grain.
void parchment(Canvas& c, int x, int y, int w, int h) {
    c.fillRoundRect(x, y, w, h, 4, kParchmentDark);
    c.fillRoundRect(x + 2, y + 2, w - 4, h - 4, 3, kParchment);
    for (int j = y + 3; j < y + h - 3; ++j)
        for (int i = x + 3; i < x + w - 3; ++i)
            if (hash3(i, j, 77) % 23 == 0) c.blend(i, j, kParchmentDark, 120);
}

void writeTalkBox(const DemoContext& ctx) {
    // Text from (10, 10), page buttons at y 170, bottom buttons at y 225;
    // the whole 256 x 256 square is the drag handle.
    Canvas c(256, 256);
    c.fillRoundRect(0, 0, 256, 256, 10, kWood);
    c.fillRoundRect(2, 2, 252, 252, 8, kGold);
    parchment(c, 4, 4, 248, 248);
    c.frameRoundRect(7, 7, 242, 160, 4, withAlpha(kWood, 90));
    // A little seal in the corner, the town's crest.
    c.fillCircle(30, 232, 11, kEmber);
    c.fillCircle(30, 232, 7, rgb(0xB03A20));
    c.fillPolygon({30, 226, 34, 234, 26, 234}, kGold);
    savePicture(ctx, "pic/talkbox.pic", c);
    // The speaker's name tab, laid over the box's top edge at (12, -18).
    Canvas tab(112, 26);
    tab.fillRoundRect(0, 0, 112, 26, 7, kGold);
    tab.fillRoundRect(2, 2, 108, 22, 5, kWood);
    tab.verticalGradient(4, 4, 104, 9, mix(kWood, kWhite, 0.2f), kWood);
    savePicture(ctx, "pic/tk_name.pic", tab);
    // 0-2 OK, 3-5 previous, 6-8 next, 9-11 decline, 12-14 accept.
    const char* labels[] = {"확인", "이전", "다음", "거절", "수락"};
    for (int b = 0; b < 5; ++b)
        for (int l = 0; l < 3; ++l)
            savePicture(ctx, "pic/tk_bn_" + std::to_string(b * 3 + l) + ".pic",
                        labelButton(70, 22, labels[b], kLooks[l]));
}

void writeShop(const DemoContext& ctx) {
    // Goods on the left (x 8-119), the bag on the right (x 135-246), five
    // rows of 40 pixels from y 22; the button row from y 222; the aru at
    // (185, 2) in white on the title strip.
    Canvas c(256, 258);
    windowFrame(c, "상점");
    c.text(150, 3, "아루", 13, kCream, kInk, 1);
    parchment(c, 5, 20, 118, 201);
    parchment(c, 132, 20, 118, 201);
    for (int r = 1; r < 5; ++r) {
        c.fillRect(10, 20 + 40 * r, 108, 1, kParchmentDark);
        c.fillRect(137, 20 + 40 * r, 108, 1, kParchmentDark);
    }
    savePicture(ctx, "pic/shop.pic", c);
    // 0-2 scroll up, 3-5 scroll down (both columns), 6-8 sell, 9-11 buy, 12-14 close.
    for (int l = 0; l < 3; ++l) {
        savePicture(ctx, "pic/shop_btn_" + std::to_string(l) + ".pic", glyphButton(16, Glyph::kUp, kLooks[l]));
        savePicture(ctx, "pic/shop_btn_" + std::to_string(3 + l) + ".pic",
                    glyphButton(16, Glyph::kDown, kLooks[l]));
        savePicture(ctx, "pic/shop_btn_" + std::to_string(6 + l) + ".pic", labelButton(62, 33, "판매", kLooks[l]));
        savePicture(ctx, "pic/shop_btn_" + std::to_string(9 + l) + ".pic", labelButton(62, 33, "구매", kLooks[l]));
        savePicture(ctx, "pic/shop_btn_" + std::to_string(12 + l) + ".pic", labelButton(44, 33, "닫기", kLooks[l]));
    }
    // The row highlight, drawn half transparent over the chosen row.
    Canvas choice(111, 30);
    choice.fillRoundRect(0, 0, 111, 30, 4, kGold);
    choice.fillRoundRect(2, 2, 107, 26, 3, rgb(0xFFE9A8));
    savePicture(ctx, "pic/shop_choice.pic", choice);
}

void writeMinimap(const DemoContext& ctx) {
    // The map shows through a 161 x 141 window at (13, 33); the name sits at
    // (15, 190) at the large size; the buttons at (120, 10) and (138, 10).
    const int heights[] = {32, 184, 224};
    const char* names[] = {"small", "middle", "large"};
    for (int s = 0; s < 3; ++s) {
        Canvas c(187, heights[s]);
        windowFrame(c, "지도");
        if (s > 0) {
            // Cut the map window out of the frame.
            for (int y = 33; y < 33 + 141; ++y)
                for (int x = 13; x < 13 + 161; ++x) c.set(x, y, 0);
            c.frameRoundRect(11, 31, 165, 145, 2, kGold);
        }
        if (s == 2) c.fillRect(12, 186, 163, 1, withAlpha(kGold, 160));
        savePicture(ctx, std::string("pic/minimap_") + names[s] + ".pic", c);
    }
    Canvas back(16, 16);
    back.verticalGradient(0, 0, 16, 16, rgb(0x24345C), kInk);
    savePicture(ctx, "pic/minimap_back.pic", back);
    // Shrink 0 2 4 6 and enlarge 1 3 5 7: normal, over, pressed, disabled.
    for (int l = 0; l < 4; ++l) {
        const Look look = l < 3 ? kLooks[l] : Look::kNormal;
        savePicture(ctx, "pic/mini_btn_" + std::to_string(2 * l) + ".pic", glyphButton(16, Glyph::kMinus, look, l == 3));
        savePicture(ctx, "pic/mini_btn_" + std::to_string(2 * l + 1) + ".pic",
                    glyphButton(16, Glyph::kPlus, look, l == 3));
    }
}

}  // namespace

void writeTownWindows(const DemoContext& ctx) {
    writeTalkBox(ctx);
    writeShop(ctx);
    writeMinimap(ctx);
}

}  // namespace demo
