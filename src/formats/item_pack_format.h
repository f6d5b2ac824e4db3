#pragma once
// The item pack file ("itm/itm.ipk"): signature, two magic numbers, the
// table sections (weapons -11, energy items -33, skills -44, ended by 9999;
// any other tag stands alone), then the icon pictures. Shared by the loader
// (CItemPack) and the writer in content/.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/item_records.h"
#include "platform/cp949.h"
#include "platform/file_header.h"

namespace velk {

inline const std::string& itemPackSignature() {
    static const std::string s = toCp949("Brandelmoorsky 2D아이팩 데이터..");
    return s;
}
constexpr size_t kItemPackSignatureSize = 32;
constexpr int32_t kItemPackMagic1 = -184473;
constexpr int32_t kItemPackMagic2 = 7948998;
inline const FileHeader& itemPackHeader() {
    static const FileHeader h{itemPackSignature(), kItemPackMagic1, kItemPackMagic2, "item pack"};
    return h;
}

constexpr int32_t kTagEnd = 9999;
constexpr int32_t kTagWeapons = -11;
constexpr int32_t kTagEnergy = -33;
constexpr int32_t kTagSkills = -44;

constexpr int32_t kMaxItemPictures = 4096;
// All icons together (64 MiB of ARGB).
constexpr uint64_t kMaxItemPackPixels = 16u * 1024u * 1024u;

constexpr const char* kItemPackFileName = "itm/itm.ipk";
// Name files, one word per entry: 1 weapons, 2 energy items, 3 skills.
inline std::string itemNameFileName(int table) {
    return "txt/item/itmname_" + std::to_string(table) + ".txt";
}

struct PackPicture {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
};

// A parsed pack. Names are not in the pack; `index` is set, `name` empty.
struct ItemPackData {
    std::vector<WeaponItem> weapons;
    std::vector<EnergyItem> energy;
    std::vector<SkillItem> skills;
    // Which table sections the pack held (each opens its name file).
    bool hasWeapons = false;
    bool hasEnergy = false;
    bool hasSkills = false;
    std::vector<PackPicture> pictures;
};

// False, with `error` set, on a wrong signature or magic numbers, a table
// larger than the item codes allow, a truncated file or a bad picture.
bool parseItemPack(const uint8_t* data, size_t size, ItemPackData& out, std::string* error);

// The first `count` whitespace-delimited words of a name file, each cut to
// 15 bytes; a file with fewer words leaves the rest empty.
std::vector<std::string> parseItemNames(const uint8_t* data, size_t size, size_t count);

}  // namespace velk
