#pragma once
// The item pack ("itm/itm.ipk"), its name files and the item windows' text
// files (descriptions, help texts), for the tools, the demo world and tests;
// and the readable item table that velk-pack and the demo build packs from.

#include <cstdint>
#include <string>
#include <vector>

#include "content/image_block_writer.h"
#include "formats/item_pack_format.h"

namespace velk {

struct ItemPictureSource {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint32_t> pixels;  // 0xAARRGGBB, top row first
    ImageBlockOptions options;
};

struct ItemPackSource {
    std::vector<WeaponItem> weapons;  // names (CP949) go to the name files
    std::vector<EnergyItem> energy;
    std::vector<SkillItem> skills;
    std::vector<ItemPictureSource> pictures;
    // Lone tags written before the first table (readers skip them).
    std::vector<int32_t> loneTags;
};

// The whole pack file.
std::string encodeItemPack(const ItemPackSource& pack);
// A name file: one name per line. Names must be single words.
std::string itemNamesText(const std::vector<std::string>& names);
// A text box's lines: each as its length L (text, line end and terminator),
// one blank, the text and a line end.
std::string textBoxLinesText(const std::vector<std::string>& lines);
std::string itemDescriptionText(int32_t width, int32_t height,
                                const std::vector<std::string>& lines);
std::string helpTextText(int32_t x, int32_t y, int32_t width, int32_t height,
                         const std::vector<std::string>& lines);

// The readable item table (UTF-8), one item a line, '#' comments:
//   weapon NAME ICON BUY SELL ATTACK LEVEL
//   energy NAME ICON BUY SELL HP MP
//   skill  NAME ICON KIND BASEATTACK MPCOST
// Names become CP949 (at most 15 bytes, one word). Pictures are not part
// of it. False, with `error` naming the line, on a bad line.
bool parseItemTableText(const std::string& utf8, ItemPackSource& out, std::string* error);
// The same table back from item tables (names CP949 in, UTF-8 out).
std::string itemTableText(const std::vector<WeaponItem>& weapons,
                          const std::vector<EnergyItem>& energy,
                          const std::vector<SkillItem>& skills);

}  // namespace velk
