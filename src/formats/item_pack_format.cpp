#include "formats/item_pack_format.h"

#include "platform/byte_reader.h"
#include "platform/image_block.h"
#include "platform/text_reader.h"
#include "formats/formats.h"

namespace velk {

namespace {

bool fail(std::string* error, std::string reason) {
    if (error) *error = std::move(reason);
    return false;
}

// The record count of a table section, within 0..limit.
bool readCount(ByteReader& in, int32_t limit, int32_t fields, const char* what, int32_t& count,
               std::string* error) {
    count = in.i32();
    if (in.failed()) return fail(error, std::string("truncated ") + what + " table");
    if (count < 0 || count > limit)
        return fail(error, std::string(what) + " table of " + std::to_string(count) +
                               " entries (at most " + std::to_string(limit) + ")");
    if (uint64_t(count) * uint64_t(fields) * 4u > in.remaining())
        return fail(error, std::string("truncated ") + what + " table");
    return true;
}

bool readTables(ByteReader& in, ItemPackData& out, std::string* error) {
    for (;;) {
        const int32_t tag = in.i32();
        if (in.failed()) return fail(error, "truncated before the end of the tables");
        if (tag == kTagEnd) return true;
        int32_t n = 0;
        if (tag == kTagWeapons) {
            if (!readCount(in, kMaxWeapons, 5, "weapon", n, error)) return false;
            out.weapons.assign(size_t(n), {});
            out.hasWeapons = true;
            for (int32_t i = 0; i < n; ++i) {
                WeaponItem& w = out.weapons[size_t(i)];
                w.index = i;
                w.icon = in.i32();
                w.buyPrice = in.i32();
                w.sellPrice = in.i32();
                w.attack = in.i32();
                w.requiredLevel = in.i32();
            }
        } else if (tag == kTagEnergy) {
            if (!readCount(in, kMaxEnergyItems, 5, "energy", n, error)) return false;
            out.energy.assign(size_t(n), {});
            out.hasEnergy = true;
            for (int32_t i = 0; i < n; ++i) {
                EnergyItem& e = out.energy[size_t(i)];
                e.index = i;
                e.icon = in.i32();
                e.buyPrice = in.i32();
                e.sellPrice = in.i32();
                e.hpRecovery = in.i32();
                e.mpRecovery = in.i32();
            }
        } else if (tag == kTagSkills) {
            if (!readCount(in, kMaxSkills, 4, "skill", n, error)) return false;
            out.skills.assign(size_t(n), {});
            out.hasSkills = true;
            for (int32_t i = 0; i < n; ++i) {
                SkillItem& s = out.skills[size_t(i)];
                s.index = i;
                s.icon = in.i32();
                s.skillKind = in.i32();
                s.baseAttack = in.i32();
                s.mpCost = in.i32();
            }
        }
        // Any other tag stands alone: reading goes on with the next int32.
    }
}

bool readPictures(ByteReader& in, std::vector<PackPicture>& pictures, std::string* error) {
    const int32_t last = in.i32();
    if (in.failed()) return fail(error, "truncated before the picture count");
    if (last < -1 || last >= kMaxItemPictures)
        return fail(error, "last picture number " + std::to_string(last) + " out of range");
    pictures.assign(size_t(last + 1), {});
    uint64_t total = 0;
    for (int32_t p = 0; p <= last; ++p) {
        const std::string which = "picture " + std::to_string(p);
        const int32_t width = in.i32();
        const int32_t height = in.i32();
        if (in.failed()) return fail(error, which + " truncated");
        if (width <= 0 || height <= 0 || !imageSizeAcceptable(uint32_t(width), uint32_t(height)))
            return fail(error,
                        which + " size " + std::to_string(width) + "x" + std::to_string(height));
        const uint64_t pixels = uint64_t(width) * uint64_t(height);
        total += pixels;
        if (total > kMaxItemPackPixels) return fail(error, "too many pixels");
        if (!imageBlockCouldFit(in, pixels)) return fail(error, which + " truncated");
        PackPicture& picture = pictures[size_t(p)];
        picture.width = uint32_t(width);
        picture.height = uint32_t(height);
        picture.pixels.resize(size_t(pixels));
        std::string why;
        if (!decodeImageBlock(in, picture.width, picture.height, picture.pixels.data(), &why))
            return fail(error, which + ": " + why);
    }
    return true;
}

}  // namespace

bool parseItemPack(const uint8_t* data, size_t size, ItemPackData& out, std::string* error) {
    ByteReader in(data, size);
    if (std::string why = readFileHeader(in, itemPackHeader()); !why.empty())
        return fail(error, why);
    ItemPackData pack;
    if (!readTables(in, pack, error) || !readPictures(in, pack.pictures, error)) return false;
    out = std::move(pack);
    return true;
}

std::vector<std::string> parseItemNames(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::string> names(count);
    TextReader in(data, size);
    for (std::string& name : names) {
        std::string word;
        if (!in.word(word)) break;
        name = cutCp949(word, kMaxItemNameBytes);
    }
    return names;
}

}  // namespace velk
