// velk-demo: writes the demo world's content tree from the sources in demo/.

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "demo/creatures.h"
#include "demo/demo.h"
#include "platform/files.h"

namespace demo {

namespace {
bool g_failed = false;
}  // namespace

bool writeOut(const DemoContext& ctx, const std::string& relative, const std::string& bytes) {
    // Files that play writes belong to the player: never replace them.
    if (relative == "txt/user/user.txt" || relative.rfind("txt/npc/mssck/", 0) == 0) {
        std::error_code ec;
        if (std::filesystem::exists(ctx.out + "/" + relative, ec)) return true;
    }
    std::string path = ctx.out + "/" + relative;
    // Unchanged files keep their time stamps, so rebuilding the world is cheap.
    std::ifstream old(path, std::ios::binary);
    if (old) {
        std::string current((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
        if (current == bytes) return true;
    }
    if (!velk::writeFileAtomic(path, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "velk-demo: cannot write %s\n", path.c_str());
        g_failed = true;
        return false;
    }
    return true;
}

bool failed() { return g_failed; }

void fail(const std::string& message) {
    std::fprintf(stderr, "velk-demo: %s\n", message.c_str());
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

}  // namespace demo

int main(int argc, char** argv) {
    demo::DemoContext ctx;
    std::string icon;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--sources") && i + 1 < argc)
            ctx.sources = argv[++i];
        else if (!std::strcmp(argv[i], "--out") && i + 1 < argc)
            ctx.out = argv[++i];
        else if (!std::strcmp(argv[i], "--icon") && i + 1 < argc)
            icon = argv[++i];
        else {
            std::fprintf(stderr, "usage: velk-demo --sources DIR --out DIR [--icon FILE.png]\n");
            return 2;
        }
    }
    if (ctx.out.empty()) {
        std::fprintf(stderr, "usage: velk-demo --sources DIR --out DIR [--icon FILE.png]\n");
        return 2;
    }
    std::printf("velk-demo: writing the demo world to %s\n", ctx.out.c_str());
    std::printf("  title and cursor\n");
    demo::writeTitle(ctx);
    std::printf("  message box\n");
    demo::writeMessageBox(ctx);
    std::printf("  sound effects\n");
    demo::writeSounds(ctx);
    std::printf("  music\n");
    demo::writeMusic(ctx);
    std::printf("  maps, tiles, objects and stages\n");
    demo::writeMaps(ctx);
    std::printf("  hero\n");
    demo::writeHero(ctx);
    std::printf("  items, windows and effects\n");
    demo::writeItems(ctx);
    demo::writeHelpTexts(ctx);
    demo::writeWindows(ctx);
    demo::writeEffects(ctx);
    std::printf("  monsters, bosses, shots and the pet\n");
    demo::writeCreatures(ctx);
    demo::writeShots(ctx);
    demo::writePet(ctx);
    demo::writeEnemies(ctx);
    std::printf("  new game\n");
    demo::writeNewGame(ctx);
    std::printf("  talk box, shop and minimap\n");
    demo::writeTownWindows(ctx);
    std::printf("  people and their dialogue\n");
    demo::writeNpcs(ctx);
    if (!icon.empty()) {
        std::printf("  icon\n");
        demo::writeIcon(icon);
    }
    return demo::failed() ? 1 : 0;
}
