#pragma once
// Pieces the demo's windows share, in the message box's style: dark blue
// panels with a gold frame, cream labels with an ink outline, and small
// square buttons in three looks (normal, cursor over it, pressed).

#include <string>

#include "demo/art.h"
#include "demo/demo.h"

namespace demo {

enum class Look { kNormal, kHover, kPressed };
constexpr Look kLooks[] = {Look::kNormal, Look::kHover, Look::kPressed};

// Writes a canvas as a 32-bit picture file.
void savePicture(const DemoContext& ctx, const std::string& name, const Canvas& c);
// A framed panel with an optional heading centred at the top.
Canvas panel(int w, int h, const std::string& heading = {});
// A rounded button with a centred label.
Canvas labelButton(int w, int h, const std::string& label, Look look);
// A 16 x 16 button with a symbol: 'x' close, '^' up, 'v' down, '>' out,
// '<' in, '+' plus.
Canvas symbolButton(char symbol, Look look);

}  // namespace demo
