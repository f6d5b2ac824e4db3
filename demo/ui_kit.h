#pragma once
// Pieces the demo's windows share, in the message box's style: dark blue
// panels with a gold frame, cream labels with an ink outline, and buttons in
// three looks (normal, cursor over it, pressed).

#include <string>

#include "demo/art.h"
#include "demo/demo.h"

namespace demo {

enum class Look { kNormal, kHover, kPressed };
constexpr Look kLooks[] = {Look::kNormal, Look::kHover, Look::kPressed};

// Writes a canvas as a 32-bit picture file, alpha included.
void savePicture(const DemoContext& ctx, const std::string& name, const Canvas& c);
// A gold rim of the given corner radius around a panel shaded from dusk at
// the top to night at the bottom.
Canvas shadedPanel(int w, int h, int radius);
// A framed panel with an optional heading centred at the top.
Canvas panel(int w, int h, const std::string& heading = {});
// A gold-rimmed button with a label centred in it; `lift` raises the label
// by that many pixels.
Canvas labelButton(int w, int h, const std::string& label, Look look, int textSize = 13, int lift = 0);
// A 16 x 16 button with a symbol: 'x' close, '^' up, 'v' down, '>' out,
// '<' in, '+' plus.
Canvas symbolButton(char symbol, Look look);

// A square button of any size whose arrow or sign scales with it; a disabled
// one is greyed out.
enum class Glyph { kUp, kDown, kPlus, kMinus };
Canvas glyphButton(int size, Glyph glyph, Look look, bool disabled = false);

}  // namespace demo
