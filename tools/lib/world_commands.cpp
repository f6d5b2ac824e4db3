#include "lib/world_commands.h"

#include <cstdio>
#include <filesystem>

#include "demo/world_build.h"
#include "lib/pack_common.h"
#include "lib/world_template.h"
#include "platform/files.h"

namespace velk::pack {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBuildSynopsis = "velk-pack build-world SOURCE_DIR TREE_DIR";
constexpr const char* kNewSynopsis = "velk-pack new-world DIR";

}  // namespace

int buildWorldCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kBuildSynopsis << "\n\n"
            << "Builds the content tree TREE_DIR from the readable sources in SOURCE_DIR\n"
            << "(docs/content.md describes them): maps/ (text grids and legend.txt), npc/\n"
            << "(talk sources), enemies/enemies.txt, items/ (items.txt, descriptions.txt and\n"
            << "icons/N.png, which replace drawn picture N), user/new_game.txt, hero/rows.txt\n"
            << "and interface/help.txt.\n\n"
            << "Files the sources make are rewritten when they change. The stock art (title,\n"
            << "sounds, music, windows, creatures, effects, the people's looks) is drawn only\n"
            << "where TREE_DIR lacks the file. A save, mission states and every other file\n"
            << "already in TREE_DIR are never replaced. Exit 1 if a source is bad.\n";
        return kExitOk;
    }
    if (args.size() != 2) return usageError(err, "build-world", "expected SOURCE_DIR and TREE_DIR", kBuildSynopsis);
    std::error_code ec;
    if (!fs::is_directory(args[0], ec)) return usageError(err, "build-world", "no folder " + args[0], kBuildSynopsis);
    if (!fs::exists(fs::path(args[0]) / "maps/map_0.txt", ec)) {
        err << "build-world: " << args[0] << " has no maps/map_0.txt, the map a new game starts on\n";
        return kExitFailure;
    }
    demo::DemoContext ctx;
    ctx.sources = args[0];
    ctx.out = args[1];
    // The build prints through stdio; keep its lines in order with ours.
    out.flush();
    const bool ok = demo::buildWorld(ctx, demo::StockArt::WhereMissing, "velk-pack build-world");
    std::fflush(stdout);
    if (!ok) {
        err << "build-world: " << args[1] << " is incomplete (see above)\n";
        return kExitFailure;
    }
    out << "build-world: " << args[1] << " built; check it with velk-pack validate " << args[1] << "\n";
    return kExitOk;
}

int newWorldCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kNewSynopsis << "\n\n"
            << "Writes a minimal world's sources into DIR: a town with an elder whose two-page\n"
            << "quest leads through a field with one monster to a boss's map and pays a\n"
            << "reward item. Build it with velk-pack build-world DIR TREE_DIR. DIR must not\n"
            << "exist yet or be empty; nothing is overwritten.\n";
        return kExitOk;
    }
    if (args.size() != 1) return usageError(err, "new-world", "expected DIR", kNewSynopsis);
    const fs::path dir = args[0];
    std::error_code ec;
    if (fs::exists(dir, ec) && !(fs::is_directory(dir, ec) && fs::is_empty(dir, ec))) {
        err << "new-world: " << args[0] << " exists and is not an empty folder; nothing written\n";
        return kExitFailure;
    }
    for (const TemplateFile& f : worldTemplate()) {
        const std::string text = f.text;
        if (!writeFileAtomic((dir / f.path).string(), text.data(), text.size())) {
            err << "new-world: cannot write " << (dir / f.path).string() << "\n";
            return kExitFailure;
        }
    }
    out << "new-world: wrote " << worldTemplate().size() << " source files to " << args[0] << "\n"
        << "  build it:  velk-pack build-world " << args[0] << " TREE_DIR\n"
        << "  check it:  velk-pack validate TREE_DIR\n"
        << "  play it:   velk --data TREE_DIR\n";
    return kExitOk;
}

}  // namespace velk::pack
