#pragma once
// The demo world generator: each area of the world has its writer; the
// generator's main calls them in turn. Output is deterministic.

#include <string>

namespace demo {

struct DemoContext {
    std::string sources;  // demo/sources
    std::string out;      // the content tree being written
    // Never replace a file the tree already has (the stock art of an
    // author's world: whatever the author put there stays).
    bool keepExisting = false;
};

// Writes `bytes` to out/relative, creating folders; never overwrites the
// player's save or mission states written by play, nor any existing file
// when the context keeps them.
bool writeOut(const DemoContext& ctx, const std::string& relative, const std::string& bytes);
// Whether any write failed (the generator then exits non-zero).
bool failed();
// Reports a fault in the sources; the generator then exits non-zero.
void fail(const std::string& message);
// Reads sources/relative whole; false (and a failure) when it is missing.
bool readSource(const DemoContext& ctx, const std::string& relative, std::string& out);

void writeTitle(const DemoContext& ctx);   // title pictures and the cursor
void writeMessageBox(const DemoContext& ctx);  // the message box panel and buttons
void writeSounds(const DemoContext& ctx);  // every sound effect the game loads
void writeMusic(const DemoContext& ctx);   // the three tracks, when lame is present
// Maps with their tile and object sets, stages, positions, minimap names and quests.
void writeMaps(const DemoContext& ctx);
void writeHero(const DemoContext& ctx);     // sprite set 0 and its delays
void writeNewGame(const DemoContext& ctx);  // txt/user/init.txt
// The 128 x 128 desktop icon as a PNG (not part of the content tree).
bool writeIcon(const std::string& path);
// The item pack with its names and descriptions.
void writeItems(const DemoContext& ctx);
void writeHelpTexts(const DemoContext& ctx);  // the HUD's help texts
// The HUD, the bags, the game menu and the status window.
void writeWindows(const DemoContext& ctx);
void writeEffects(const DemoContext& ctx);  // sprite sets 1001 and 1002
void writeTownWindows(const DemoContext& ctx);  // talk box, shop window, minimap
void writeNpcSprites(const DemoContext& ctx);  // sprite set 1000: the people's looks
void writeTalks(const DemoContext& ctx);       // the dialogue compiled from sources/npc
void writePlayerMarker(const DemoContext& ctx);  // the hero's marker on the minimap

}  // namespace demo
