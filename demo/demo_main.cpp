// velk-demo: writes the demo world's content tree from the sources in demo/.

#include <cstdio>
#include <cstring>
#include <string>

#include "demo/world_build.h"

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
    bool ok = demo::buildWorld(ctx, demo::StockArt::Redraw, "velk-demo");
    if (!icon.empty()) {
        std::printf("  icon\n");
        ok = demo::writeIcon(icon) && ok;
    }
    return ok ? 0 : 1;
}
