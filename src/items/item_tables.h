#pragma once
// The game's item tables: every part of the game reads the weapons, energy
// items and skills of the loaded item pack through `g_itemTables`.

#include "formats/item_records.h"

// Filled by CItemPack::load, read by every part of the game.
extern ItemTables g_itemTables;
