#include "lib/talk_command.h"

#include <fstream>
#include <iterator>

#include "content/talk_source.h"
#include "formats/item_pack_format.h"
#include "lib/pack_common.h"
#include "platform/files.h"

namespace velk::pack {

namespace {
constexpr const char* kSynopsis = "velk-pack talk [-o DIR] SOURCE...";

// The item tables of the tree at `dir` with their names, for `reward item
// NAME`; false when the tree has no readable item pack.
bool treeItems(const std::string& dir, ItemTables& tables) {
    std::vector<uint8_t> bytes;
    ItemPackData pack;
    if (!readFile(dir + "/" + kItemPackFileName, bytes) || !parseItemPack(bytes.data(), bytes.size(), pack, nullptr))
        return false;
    auto name = [&](auto& items, int table) {
        std::vector<uint8_t> text;
        readFile(dir + "/" + itemNameFileName(table), text);
        const std::vector<std::string> names = parseItemNames(text.data(), text.size(), items.size());
        for (size_t i = 0; i < items.size(); ++i) items[i].name = names[i];
    };
    name(pack.weapons, 1);
    name(pack.energy, 2);
    name(pack.skills, 3);
    tables = {std::move(pack.weapons), std::move(pack.energy), std::move(pack.skills)};
    return true;
}
}  // namespace

int talkCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kSynopsis << "\n\n"
            << "Compiles talk sources (UTF-8; see the README) into the content tree DIR\n"
            << "(default .): txt/npc/talk, ckecked, shop, pos and mssck files. Byte counts,\n"
            << "line starts and coloured-line rows are worked out from the text. Mission-state\n"
            << "files are written only where none exists, so a player's progress is kept.\n"
            << "`reward item NAME` looks the name up in DIR's item pack and name files.\n";
        return kExitOk;
    }
    std::string dir = ".";
    std::vector<TalkSource> sources;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (++i == args.size()) return usageError(err, "talk", "-o needs a DIR", kSynopsis);
            dir = args[i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return usageError(err, "talk", "unknown option " + args[i], kSynopsis);
        } else {
            std::ifstream in(args[i], std::ios::binary);
            if (!in) {
                err << "velk-pack talk: cannot read " << args[i] << "\n";
                return kExitFailure;
            }
            sources.push_back({args[i], std::string(std::istreambuf_iterator<char>(in), {})});
        }
    }
    if (sources.empty()) return usageError(err, "talk", "needs a SOURCE", kSynopsis);
    std::map<std::string, std::string> files;
    std::string error;
    ItemTables items;
    const bool hasItems = treeItems(dir, items);
    if (!compileTalkSources(sources, files, error, hasItems ? &items : nullptr)) {
        err << "velk-pack talk: " << error << "\n";
        return kExitFailure;
    }
    size_t written = 0;
    for (const auto& [name, bytes] : files) {
        const std::string path = dir + "/" + name;
        if (name.rfind("txt/npc/mssck/", 0) == 0 && fileExists(path)) continue;
        if (!writeFileAtomic(path, bytes.data(), bytes.size())) {
            err << "velk-pack talk: cannot write " << path << "\n";
            return kExitFailure;
        }
        ++written;
    }
    out << "talk: " << written << " files written to " << dir << "\n";
    return kExitOk;
}

}  // namespace velk::pack
