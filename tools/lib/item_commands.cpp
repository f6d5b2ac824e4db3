#include "lib/item_commands.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "content/item_pack_writer.h"
#include "lib/pack_common.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/png_io.h"

namespace velk::pack {

namespace {

namespace fs = std::filesystem;

constexpr const char* kBuildSynopsis = "velk-pack items-build SOURCE_DIR TREE_DIR";
constexpr const char* kUnpackSynopsis = "velk-pack items-unpack TREE_DIR OUT_DIR";

std::string iconPath(const std::string& dir, size_t n) {
    return dir + "/icons/" + std::to_string(n) + ".png";
}

// The names of one table from the tree's name file (CP949), when there is one.
std::vector<std::string> treeNames(const std::string& root, int table, size_t count) {
    std::vector<uint8_t> bytes;
    if (!root.empty()) readFile(root + "/" + itemNameFileName(table), bytes);
    return parseItemNames(bytes.data(), bytes.size(), count);
}

template <typename Item>
void applyNames(std::vector<Item>& items, const std::vector<std::string>& names) {
    for (size_t i = 0; i < items.size(); ++i) items[i].name = names[i];
}

// "…/itm/itm.ipk" -> "…": the tree a pack sits in; empty when it is elsewhere.
std::string packTree(const std::string& path) {
    const std::string parent = parentPath(path);
    if (baseName(parent) != "itm") return {};
    const std::string root = parentPath(parent);
    return root.empty() ? "." : root;
}

bool writeText(const std::string& path, const std::string& text) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    return writeFileAtomic(path, text.data(), text.size());
}

}  // namespace

bool describeItemPack(const std::vector<uint8_t>& bytes, const std::string& path,
                      std::ostream& body, std::string& error) {
    ItemPackData pack;
    if (!parseItemPack(bytes.data(), bytes.size(), pack, &error)) return false;
    const std::string root = packTree(path);
    applyNames(pack.weapons, treeNames(root, 1, pack.weapons.size()));
    applyNames(pack.energy, treeNames(root, 2, pack.energy.size()));
    applyNames(pack.skills, treeNames(root, 3, pack.skills.size()));
    body << "  weapons      " << pack.weapons.size() << "\n"
         << "  energy items " << pack.energy.size() << "\n"
         << "  skills       " << pack.skills.size() << "\n"
         << "  pictures     " << pack.pictures.size() << "\n";
    if (root.empty()) body << "  (names: the pack is not in a tree's itm/ folder)\n";
    std::istringstream table(itemTableText(pack.weapons, pack.energy, pack.skills));
    for (std::string line; std::getline(table, line);) body << "    " << line << "\n";
    for (size_t p = 0; p < pack.pictures.size(); ++p)
        body << "    picture " << p << ": " << pack.pictures[p].width << " x "
             << pack.pictures[p].height << "\n";
    return true;
}

int itemsBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kBuildSynopsis << "\n\n"
            << "Builds TREE_DIR/itm/itm.ipk and the name files TREE_DIR/txt/item/itmname_1..3.txt\n"
            << "from SOURCE_DIR/items.txt (one item a line, UTF-8):\n"
            << "  weapon NAME ICON BUY SELL ATTACK LEVEL\n"
            << "  energy NAME ICON BUY SELL HP MP\n"
            << "  skill  NAME ICON KIND BASEATTACK MPCOST\n"
            << "and the icons SOURCE_DIR/icons/0.png, 1.png, ... (numbered from 0 without gaps).\n";
        return kExitOk;
    }
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-')
            return usageError(err, "items-build", "unknown option " + a, kBuildSynopsis);
    if (args.size() != 2)
        return usageError(err, "items-build", "needs SOURCE_DIR and TREE_DIR", kBuildSynopsis);

    std::vector<uint8_t> text;
    if (!readFile(args[0] + "/items.txt", text)) {
        err << "velk-pack items-build: " << args[0] << "/items.txt: cannot be read\n";
        return kExitFailure;
    }
    ItemPackSource pack;
    std::string error;
    if (!parseItemTableText(std::string(text.begin(), text.end()), pack, &error)) {
        err << "velk-pack items-build: " << args[0] << "/items.txt: " << error << "\n";
        return kExitFailure;
    }
    for (size_t n = 0; fileExists(iconPath(args[0], n)); ++n) {
        ItemPictureSource picture;
        if (n >= size_t(kMaxItemPictures) ||
            !readPng(iconPath(args[0], n), picture.pixels, picture.width, picture.height, &error)) {
            err << "velk-pack items-build: " << iconPath(args[0], n) << ": "
                << (n >= size_t(kMaxItemPictures) ? "too many icons" : error) << "\n";
            return kExitFailure;
        }
        pack.pictures.push_back(std::move(picture));
    }
    std::vector<std::string> names[3];
    for (const WeaponItem& w : pack.weapons) names[0].push_back(w.name);
    for (const EnergyItem& e : pack.energy) names[1].push_back(e.name);
    for (const SkillItem& s : pack.skills) names[2].push_back(s.name);
    bool ok = writeText(args[1] + "/" + kItemPackFileName, encodeItemPack(pack));
    for (int t = 0; t < 3; ++t)
        ok = ok && writeText(args[1] + "/" + itemNameFileName(t + 1), itemNamesText(names[t]));
    if (!ok) {
        err << "velk-pack items-build: cannot write into " << args[1] << "\n";
        return kExitFailure;
    }
    out << "items-build: " << pack.weapons.size() << " weapons, " << pack.energy.size()
        << " energy items, " << pack.skills.size() << " skills, " << pack.pictures.size()
        << " pictures\n";
    return kExitOk;
}

int itemsUnpackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kUnpackSynopsis << "\n\n"
            << "Writes OUT_DIR/items.txt and OUT_DIR/icons/N.png from TREE_DIR/itm/itm.ipk and\n"
            << "its name files, in the form items-build reads.\n";
        return kExitOk;
    }
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-')
            return usageError(err, "items-unpack", "unknown option " + a, kUnpackSynopsis);
    if (args.size() != 2)
        return usageError(err, "items-unpack", "needs TREE_DIR and OUT_DIR", kUnpackSynopsis);
    const std::string packPath = args[0] + "/" + kItemPackFileName;
    std::vector<uint8_t> bytes;
    ItemPackData pack;
    std::string error = "cannot be read";
    if (!readFile(packPath, bytes) || !parseItemPack(bytes.data(), bytes.size(), pack, &error)) {
        err << "velk-pack items-unpack: " << packPath << ": " << error << "\n";
        return kExitFailure;
    }
    applyNames(pack.weapons, treeNames(args[0], 1, pack.weapons.size()));
    applyNames(pack.energy, treeNames(args[0], 2, pack.energy.size()));
    applyNames(pack.skills, treeNames(args[0], 3, pack.skills.size()));
    std::error_code ec;
    fs::create_directories(args[1] + "/icons", ec);
    bool ok = writeText(args[1] + "/items.txt",
                        itemTableText(pack.weapons, pack.energy, pack.skills));
    for (size_t p = 0; ok && p < pack.pictures.size(); ++p)
        ok = writePng(iconPath(args[1], p), pack.pictures[p].pixels.data(), pack.pictures[p].width,
                      pack.pictures[p].height, true);
    if (!ok) {
        err << "velk-pack items-unpack: cannot write into " << args[1] << "\n";
        return kExitFailure;
    }
    out << "items-unpack: " << pack.pictures.size() << " icons and items.txt in " << args[1]
        << "\n";
    return kExitOk;
}

}  // namespace velk::pack
