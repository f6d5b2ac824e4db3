#include "items/item_pack.h"

#include <string>

#include "platform/direct3d.h"
#include "platform/files.h"

namespace {

// The names of one table from its name file; a missing file leaves them empty.
template <typename Item>
void nameTable(std::vector<Item>& table, int nameFile) {
    std::vector<uint8_t> bytes;
    const std::string fileName = velk::itemNameFileName(nameFile);
    if (!velk::readDataFile(fileName, bytes)) velk::reportBadFile(fileName, "missing");
    const std::vector<std::string> names =
        velk::parseItemNames(bytes.data(), bytes.size(), table.size());
    size_t named = 0;
    for (size_t i = 0; i < table.size(); ++i) {
        table[i].name = names[i];
        named += !names[i].empty();
    }
    if (named < table.size())
        velk::reportBadFile(fileName, "holds " + std::to_string(named) + " names for " + std::to_string(table.size()) +
                                          " items; the rest have blank names");
}

}  // namespace

CItemPack::CItemPack(CDirect3D* dev) : device(dev) {}

CItemPack::~CItemPack() = default;

int CItemPack::load(const char* fileName) {
    std::vector<uint8_t> bytes;
    if (!velk::readDataFile(fileName, bytes)) {
        error = std::string(fileName) + ": missing or unreadable";
        velk::reportBadFile(fileName, "missing");
        return 0;
    }
    velk::ItemPackData pack;
    std::string why;
    if (!velk::parseItemPack(bytes.data(), bytes.size(), pack, &why)) {
        error = std::string(fileName) + ": " + why;
        velk::reportBadFile(fileName, why);
        return 0;
    }
    ItemTables tables;
    if (pack.hasWeapons) nameTable(pack.weapons, 1);
    if (pack.hasEnergy) nameTable(pack.energy, 2);
    if (pack.hasSkills) nameTable(pack.skills, 3);
    tables.weapons = std::move(pack.weapons);
    tables.energy = std::move(pack.energy);
    tables.skills = std::move(pack.skills);
    g_itemTables = std::move(tables);
    pictures = std::move(pack.pictures);
    lastPicture = int32_t(pictures.size()) - 1;
    if (pictures.empty()) velk::reportBadFile(fileName, "holds no pictures: no item has an icon");
    textures.clear();
    error.clear();
    return 1;
}

void CItemPack::createTextures() {
    textures.clear();
    textures.reserve(pictures.size());
    for (const velk::PackPicture& p : pictures)
        textures.push_back(std::make_unique<CTexture>(p.width, p.height, p.pixels.data()));
}

void CItemPack::drawIcon(float x, float y, int32_t icon) const {
    if (!device || icon < 0 || size_t(icon) >= textures.size()) return;
    const CTexture* t = textures[size_t(icon)].get();
    device->drawQuad(t, x, y, float(t->width()), float(t->height()));
}
