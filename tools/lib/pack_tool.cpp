#include "lib/pack_tool.h"

#include "lib/content_check.h"
#include "lib/file_info.h"
#include "lib/item_commands.h"
#include "lib/map_render.h"
#include "lib/pack_common.h"
#include "lib/picture_commands.h"
#include "lib/talk_command.h"
#include "lib/world_commands.h"

namespace velk::pack {

namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct CommandEntry {
    const char* name;
    Command run;
    const char* summary;
};

constexpr CommandEntry kCommands[] = {
    {"png2pic", png2picCommand, "PNG -> picture file (.pic, cursor)"},
    {"pic2png", pic2pngCommand, "picture file -> PNG"},
    {"info", infoCommand, "what a content file is and holds"},
    {"render-map", renderMapCommand, "draw a whole map into a PNG"},
    {"validate", validateCommand, "check a content tree, naming every bad file"},
    {"items-build", itemsBuildCommand, "item table + PNG icons -> item pack and names"},
    {"items-unpack", itemsUnpackCommand, "item pack and names -> item table + PNG icons"},
    {"talk", talkCommand, "compile talk sources into the NPC files"},
    {"build-world", buildWorldCommand, "readable sources -> a whole content tree"},
    {"new-world", newWorldCommand, "write a minimal world's sources to start from"},
};

void usage(std::ostream& out) {
    out << "usage: velk-pack COMMAND [ARGS]\n\nCommands:\n";
    for (const CommandEntry& c : kCommands) {
        const std::string name = c.name;
        out << "  " << name << std::string(14 - name.size(), ' ') << c.summary << "\n";
    }
    out << "\n'velk-pack COMMAND --help' describes one command.\n";
}

}  // namespace

int runPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        usage(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        usage(out);
        return kExitOk;
    }
    for (const CommandEntry& c : kCommands)
        if (args[0] == c.name) return c.run({args.begin() + 1, args.end()}, out, err);
    err << "velk-pack: unknown command '" << args[0] << "'\n";
    usage(err);
    return kExitUsage;
}

}  // namespace velk::pack
