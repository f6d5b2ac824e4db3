// Item packs: any bytes either parse or are refused with a reason; a parsed
// pack keeps its tables within the item codes and its pictures whole, and
// writing it back reads the same tables and pixels.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "content/item_pack_writer.h"
#include "formats/item_pack_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velk::ItemPackData pack;
    std::string error;
    if (!velk::parseItemPack(data, size, pack, &error)) {
        if (error.empty()) std::abort();
        return 0;
    }
    if (pack.weapons.size() > size_t(velk::kMaxWeapons) ||
        pack.energy.size() > size_t(velk::kMaxEnergyItems))
        std::abort();
    velk::ItemPackSource source{pack.weapons, pack.energy, pack.skills, {}, {}};
    for (const velk::PackPicture& p : pack.pictures) {
        if (p.pixels.size() != size_t(p.width) * p.height) std::abort();
        source.pictures.push_back({p.width, p.height, p.pixels, {}});
    }
    const std::string bytes = velk::encodeItemPack(source);
    velk::ItemPackData back;
    if (!velk::parseItemPack(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), back,
                             nullptr) ||
        back.weapons.size() != pack.weapons.size() || back.energy.size() != pack.energy.size() ||
        back.skills.size() != pack.skills.size() || back.pictures.size() != pack.pictures.size())
        std::abort();
    for (size_t i = 0; i < pack.pictures.size(); ++i)
        if (back.pictures[i].pixels != pack.pictures[i].pixels) std::abort();
    return 0;
}
