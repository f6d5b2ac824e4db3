#pragma once
// Pieces the town's windows share: the three looks of a labelled button
// (normal, cursor over it, pressed) and small glyph buttons.

#include <string>

#include "demo/art.h"
#include "demo/demo.h"

namespace demo {

enum class Look { kNormal, kHover, kPressed };
constexpr Look kButtonLooks[] = {Look::kNormal, Look::kHover, Look::kPressed};

// A 32-bit picture with its alpha (defined with the other windows' pieces).
void savePicture(const DemoContext& ctx, const std::string& name, const Canvas& c);

// A gold-rimmed dusk button with a cream label centred in it.
Canvas labelButton(int width, int height, const std::string& label, Look look, int textHeight = 13);

// A small square button with an arrow (up or down), or a plus or minus sign.
enum class Glyph { kUp, kDown, kPlus, kMinus };
Canvas glyphButton(int size, Glyph glyph, Look look, bool disabled = false);

}  // namespace demo
