#include "content/item_pack_writer.h"

#include <sstream>

#include "content/byte_writer.h"
#include "content/source_lines.h"
#include "platform/cp949.h"

namespace velk {

std::string encodeItemPack(const ItemPackSource& pack) {
    std::string out;
    const std::string& signature = itemPackSignature();
    appendBytes(out, signature.data(), signature.size());
    appendI32(out, kItemPackMagic1);
    appendI32(out, kItemPackMagic2);
    for (int32_t tag : pack.loneTags) appendI32(out, tag);
    appendI32(out, kTagWeapons);
    appendI32(out, int32_t(pack.weapons.size()));
    for (const WeaponItem& w : pack.weapons)
        for (int32_t v : {w.icon, w.buyPrice, w.sellPrice, w.attack, w.requiredLevel})
            appendI32(out, v);
    appendI32(out, kTagEnergy);
    appendI32(out, int32_t(pack.energy.size()));
    for (const EnergyItem& e : pack.energy)
        for (int32_t v : {e.icon, e.buyPrice, e.sellPrice, e.hpRecovery, e.mpRecovery})
            appendI32(out, v);
    appendI32(out, kTagSkills);
    appendI32(out, int32_t(pack.skills.size()));
    for (const SkillItem& s : pack.skills)
        for (int32_t v : {s.icon, s.skillKind, s.baseAttack, s.mpCost}) appendI32(out, v);
    appendI32(out, kTagEnd);
    appendI32(out, int32_t(pack.pictures.size()) - 1);
    for (const ItemPictureSource& p : pack.pictures) {
        appendI32(out, int32_t(p.width));
        appendI32(out, int32_t(p.height));
        appendImageBlock(out, p.width, p.height, p.pixels.data(), p.options);
    }
    return out;
}

std::string itemNamesText(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += n + "\n";
    return out;
}

std::string textBoxLinesText(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += std::to_string(line.size() + 2) + " " + line + "\n";
    return out;
}

std::string itemDescriptionText(int32_t width, int32_t height,
                                const std::vector<std::string>& lines) {
    return std::to_string(width) + " " + std::to_string(height) + " " +
           std::to_string(lines.size()) + "\n" + textBoxLinesText(lines);
}

std::string helpTextText(int32_t x, int32_t y, int32_t width, int32_t height,
                         const std::vector<std::string>& lines) {
    return std::to_string(lines.size()) + " " + std::to_string(x) + " " + std::to_string(y) +
           " " + std::to_string(width) + " " + std::to_string(height) + "\n" +
           textBoxLinesText(lines);
}

bool parseItemTableText(const std::string& utf8, ItemPackSource& out, std::string* error) {
    ItemPackSource table;
    const bool read = forEachSourceLine(utf8, [&](int lineNo, std::istringstream& in) {
        std::string kind, name;
        in >> kind;
        bool ok = bool(in >> name);
        const std::string cp949 = toCp949(name);
        ok = ok && cp949.size() <= kMaxItemNameBytes;
        int32_t v[5] = {};
        const int fields = kind == "skill" ? 4 : 5;
        for (int i = 0; ok && i < fields; ++i) ok = bool(in >> v[i]);
        std::string rest;
        ok = ok && !(in >> rest);
        if (ok && kind == "weapon") {
            table.weapons.push_back({cp949, v[0], int32_t(table.weapons.size()), v[1], v[2], v[3],
                                     v[4]});
        } else if (ok && kind == "energy") {
            table.energy.push_back({cp949, v[0], int32_t(table.energy.size()), v[1], v[2], v[3],
                                    v[4]});
        } else if (ok && kind == "skill") {
            table.skills.push_back({cp949, v[0], int32_t(table.skills.size()), v[1], v[2], v[3]});
        } else {
            if (error)
                *error = "line " + std::to_string(lineNo) +
                         ": expected weapon|energy NAME ICON BUY SELL A B or skill NAME ICON KIND "
                         "ATTACK MP (names one word of at most 15 CP949 bytes)";
            return false;
        }
        return true;
    });
    if (!read) return false;
    if (table.weapons.size() > size_t(kMaxWeapons) ||
        table.energy.size() > size_t(kMaxEnergyItems) ||
        table.skills.size() > size_t(kMaxSkills)) {
        if (error) *error = "at most 8 weapons, 44 energy items and 256 skills";
        return false;
    }
    table.pictures = std::move(out.pictures);
    out = std::move(table);
    return true;
}

std::string itemTableText(const std::vector<WeaponItem>& weapons,
                          const std::vector<EnergyItem>& energy,
                          const std::vector<SkillItem>& skills) {
    std::ostringstream out;
    auto name = [](const std::string& cp949) {
        return cp949.empty() ? std::string("-") : toUtf8(cp949);
    };
    out << "# weapon NAME ICON BUY SELL ATTACK LEVEL\n";
    for (const WeaponItem& w : weapons)
        out << "weapon " << name(w.name) << " " << w.icon << " " << w.buyPrice << " "
            << w.sellPrice << " " << w.attack << " " << w.requiredLevel << "\n";
    out << "# energy NAME ICON BUY SELL HP MP\n";
    for (const EnergyItem& e : energy)
        out << "energy " << name(e.name) << " " << e.icon << " " << e.buyPrice << " "
            << e.sellPrice << " " << e.hpRecovery << " " << e.mpRecovery << "\n";
    out << "# skill NAME ICON KIND BASEATTACK MPCOST\n";
    for (const SkillItem& s : skills)
        out << "skill " << name(s.name) << " " << s.icon << " " << s.skillKind << " "
            << s.baseAttack << " " << s.mpCost << "\n";
    return out.str();
}

}  // namespace velk
