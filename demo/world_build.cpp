#include "demo/world_build.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "demo/creatures.h"
#include "platform/files.h"

namespace demo {

namespace {
bool g_failed = false;
std::string g_tool = "velk-demo";
}  // namespace

bool writeOut(const DemoContext& ctx, const std::string& relative, const std::string& bytes) {
    std::string path = ctx.out + "/" + relative;
    // Files that play writes belong to the player: never replace them.
    const bool playerFile = relative == "txt/user/user.txt" || relative.rfind("txt/npc/mssck/", 0) == 0;
    if (playerFile || ctx.keepExisting) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec)) return true;
    }
    // Unchanged files keep their time stamps, so rebuilding the world is cheap.
    std::ifstream old(path, std::ios::binary);
    if (old) {
        std::string current((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
        if (current == bytes) return true;
    }
    if (!velk::writeFileAtomic(path, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "%s: cannot write %s\n", g_tool.c_str(), path.c_str());
        g_failed = true;
        return false;
    }
    return true;
}

bool failed() { return g_failed; }

void fail(const std::string& message) {
    std::fprintf(stderr, "%s: %s\n", g_tool.c_str(), message.c_str());
    g_failed = true;
}

bool readSource(const DemoContext& ctx, const std::string& relative, std::string& out) {
    std::ifstream in(ctx.sources + "/" + relative, std::ios::binary);
    if (!in) {
        fail("cannot read source " + relative);
        return false;
    }
    out.assign((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return true;
}

bool buildWorld(const DemoContext& ctx, StockArt stock, const char* tool) {
    g_failed = false;
    g_tool = tool;
    DemoContext art = ctx;
    art.keepExisting = stock == StockArt::WhereMissing;
    std::printf("%s: writing the world to %s\n", tool, ctx.out.c_str());
    std::printf("  title and cursor\n");
    writeTitle(art);
    std::printf("  message box\n");
    writeMessageBox(art);
    std::printf("  sound effects\n");
    writeSounds(art);
    std::printf("  music\n");
    writeMusic(art);
    std::printf("  maps, tiles, objects and stages\n");
    writePlayerMarker(art);
    writeMaps(ctx);
    std::printf("  hero\n");
    writeHero(ctx);
    std::printf("  items, windows and effects\n");
    writeItems(ctx);
    writeHelpTexts(ctx);
    writeWindows(art);
    writeEffects(art);
    std::printf("  monsters, bosses, shots and the pet\n");
    writeCreatures(art);
    writeShots(art);
    writePet(art);
    writeEnemies(ctx);
    std::printf("  new game\n");
    writeNewGame(ctx);
    std::printf("  talk box, shop and minimap\n");
    writeTownWindows(art);
    std::printf("  people and their dialogue\n");
    writeNpcSprites(art);
    writeTalks(ctx);
    return !g_failed;
}

}  // namespace demo
