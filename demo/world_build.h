#pragma once
// Builds a whole content tree from a folder of readable sources: the demo
// generator and the authors' `velk-pack build-world` are this one build.

#include "demo/demo.h"

namespace demo {

// What a build does with the stock art: everything the generator draws
// itself rather than reading from the sources (title, cursor, message box,
// sounds, music, windows, effects, creatures, shots, the pet, the people's
// looks, the minimap marker).
enum class StockArt {
    Redraw,         // the demo world: every file is drawn again
    WhereMissing,   // an author's world: only files the tree lacks are drawn
};

// Writes the tree ctx.out from ctx.sources, naming each area on stdout and
// each fault on stderr (prefixed with `tool`). Saves and mission states
// already in the tree are never replaced. True when nothing failed.
bool buildWorld(const DemoContext& ctx, StockArt stock, const char* tool);

}  // namespace demo
