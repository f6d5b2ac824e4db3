#pragma once
// The state dump's parts for the windows of play and the drops.

#include <string>

namespace velk {

// "ui": the open inventory tab with its selected row and scroll, the game
// menu, the status window with its side panel, the open message box
// ("quit", "discard", "death" or null), what the HUD's pointer shows, and
// the information box while it is drawn.
std::string uiJson();
// "drops": coins (x, y, value, action), items (x, y, icon, count, kind,
// itemId) and running effects (x, y, action, frame).
std::string dropsJson();

}  // namespace velk
