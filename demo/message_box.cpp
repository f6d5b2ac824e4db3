// The message box's panel and its OK and Cancel buttons, in the title's
// style: dark blue panels, a gold frame, cream text.

#include <string>

#include "demo/art.h"
#include "demo/demo.h"
#include "demo/ui_kit.h"

namespace demo {

namespace {

using namespace palette;

// The game's button hit areas are 46 x 25 pixels; the panel holds two text
// lines at 50 and 66 and the buttons at 95.
constexpr int kBoxW = 260, kBoxH = 130;
constexpr int kButtonW = 46, kButtonH = 25;

Canvas boxPanel() {
    Canvas c = shadedPanel(kBoxW, kBoxH, 10);
    c.frameRoundRect(5, 5, kBoxW - 10, kBoxH - 10, 6, withAlpha(kGold, 90));
    const std::string title = "알림";
    c.text((kBoxW - Canvas::textWidth(title, 16)) / 2, 12, title, 16, kGold, kInk, 1);
    // A divider with a small diamond under the heading.
    c.fillRect(20, 38, kBoxW - 40, 1, withAlpha(kGold, 160));
    c.fillPolygon({float(kBoxW) / 2 - 4, 38.5f, float(kBoxW) / 2, 34.5f, float(kBoxW) / 2 + 4, 38.5f,
                   float(kBoxW) / 2, 42.5f},
                  kGold);
    return c;
}

}  // namespace

void writeMessageBox(const DemoContext& ctx) {
    savePicture(ctx, "pic/mss_box.pic", boxPanel());
    // 0-2 OK, 3-5 Cancel: normal, cursor over it, pressed.
    const char* labels[] = {"확인", "취소"};
    for (int b = 0; b < 2; ++b)
        for (int l = 0; l < 3; ++l)
            savePicture(ctx, "pic/mss_box_btn_" + std::to_string(b * 3 + l) + ".pic",
                        labelButton(kButtonW, kButtonH, labels[b], kLooks[l]));
}

}  // namespace demo
