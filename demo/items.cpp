// The item pack: the table in sources/items/items.txt, icons drawn here or
// taken from sources/items/icons, the three name files and a description
// for every item.

#include <cmath>
#include <filesystem>
#include <sstream>

#include "content/item_pack_writer.h"
#include "demo/art.h"
#include "demo/demo.h"
#include "formats/item_pack_format.h"
#include "items/item_text.h"
#include "platform/cp949.h"
#include "platform/png_io.h"

namespace demo {

namespace {

using namespace palette;

constexpr int kIcon = 32;
constexpr int32_t kSpeedSkillPicture = 52;  // + 1 = 53, the running speed effect
constexpr int32_t kKickSkillPicture = 54;
constexpr int32_t kPetPicture = 58;
constexpr int32_t kCharmPicture = 60;  // slot 6
constexpr int32_t kLastPicture = kCharmPicture;

Canvas finished(Canvas c) {
    c.outlineShapes(kInk);
    return c;
}

// The HUD shows picture + 1: the same item on a soft round backdrop.
Canvas hudVersion(const Canvas& bag) {
    Canvas c(kIcon, kIcon);
    c.fillCircle(16, 16, 14, argb(110, 0xF2, 0xC1, 0x4E));
    c.fillCircle(16, 16, 11, argb(90, 0xFF, 0xF4, 0xD6));
    c.blit(bag, 0, 0);
    return c;
}

Canvas weaponIcon(int32_t kind) {
    Canvas c(kIcon, kIcon);
    switch (kind) {
        case 6:  // fist: a wrapped hand
            c.fillRoundRect(8, 10, 16, 14, 4, rgb(0xF4C8A0));
            for (int i = 0; i < 4; ++i) c.fillRect(9 + i * 4, 9, 3, 4, rgb(0xF4C8A0));
            c.fillRect(8, 18, 16, 3, kEmber);
            c.fillRect(11, 24, 10, 4, rgb(0xB03A20));
            break;
        case 2:  // blade
            c.line(8, 24, 24, 8, 3.5f, rgb(0xA3ABBD));
            c.line(10, 23, 23, 10, 1.0f, rgb(0xF4F6FA));
            c.line(6, 20, 12, 26, 2.5f, kGold);
            c.line(4, 28, 8, 24, 3.0f, rgb(0x6E4424));
            break;
        case 0:  // gun
            c.fillRect(6, 11, 21, 6, rgb(0x3A3A4E));
            c.fillRect(24, 12, 4, 3, rgb(0x8C8E9C));
            c.fillPolygon({8, 16, 14, 16, 12, 27, 6, 27}, rgb(0x8A5A3C));
            c.fillRect(9, 12, 12, 1, rgb(0x8C8E9C));
            break;
        default:  // boomerang
            c.line(6, 24, 16, 8, 4.5f, rgb(0xE0A968));
            c.line(16, 8, 27, 22, 4.5f, rgb(0xAD6F3B));
            c.fillCircle(16, 9, 2, kGold);
            break;
    }
    return finished(c);
}

Canvas energyIcon(int i) {
    Canvas c(kIcon, kIcon);
    auto potion = [&](uint32_t liquid, bool big) {
        const float r = big ? 10.0f : 8.0f;
        c.fillCircle(16, 20, r, rgb(0xDCE6F0));
        c.fillCircle(16, 21, r - 2, liquid);
        c.fillRect(13, big ? 6 : 8, 6, 7, rgb(0xDCE6F0));
        c.fillRect(12, big ? 4 : 6, 8, 3, rgb(0x8A5A3C));
        c.fillCircle(12.5f, 17, 2, argb(160, 0xFF, 0xFF, 0xFF));
    };
    switch (i) {
        case 0: potion(kEmber, false); break;
        case 1: potion(rgb(0x3D6FB0), false); break;
        case 2: potion(rgb(0xB03A20), true); break;
        case 3: potion(rgb(0x284C80), true); break;
        case 4:  // rice ball
            c.fillPolygon({16, 5, 28, 25, 4, 25}, kCream);
            c.fillRect(10, 18, 12, 8, rgb(0x1E3A22));
            break;
        case 5:  // grilled fish
            c.fillPolygon({4, 16, 20, 8, 26, 16, 20, 24}, rgb(0xD9966A));
            c.fillPolygon({24, 16, 30, 9, 30, 23}, rgb(0xB0643A));
            c.fillCircle(10, 15, 1.5f, kInk);
            break;
        case 6:  // apple
            c.fillCircle(16, 19, 10, rgb(0xD63A2A));
            c.line(16, 10, 18, 4, 2.0f, rgb(0x6E4424));
            c.fillPolygon({18, 7, 25, 4, 22, 10}, kLeaf);
            c.fillCircle(12, 15, 2, argb(150, 0xFF, 0xFF, 0xFF));
            break;
        case 7:  // honey rice cakes
            for (int k = 0; k < 3; ++k) c.fillCircle(9.0f + 7.0f * float(k), 20, 5, rgb(0xF2E6C8));
            c.fillRect(6, 17, 20, 2, kGold);
            break;
        case 8:  // mushroom soup
            c.fillRoundRect(5, 14, 22, 12, 5, rgb(0x7A4A2A));
            c.fillRect(7, 13, 18, 4, rgb(0xC98A4B));
            c.fillCircle(12, 14, 2, rgb(0xF4F6FA));
            c.fillCircle(20, 14, 2, rgb(0xF4F6FA));
            break;
        default:  // elixir: a gold-stoppered flask with a glow
            c.fillCircle(16, 18, 12, argb(70, 0xF2, 0xC1, 0x4E));
            potion(rgb(0x9B5DE5), true);
            c.fillRect(12, 4, 8, 3, kGold);
            break;
    }
    return finished(c);
}

Canvas skillIcon(bool speed, bool lit) {
    Canvas c(kIcon, kIcon);
    if (lit) c.fillCircle(16, 16, 15, argb(120, 0x6B, 0xB5, 0xE8));
    if (speed) {  // a winged boot
        c.fillPolygon({10, 6, 18, 6, 18, 20, 26, 22, 26, 27, 8, 27}, rgb(0x3D6FB0));
        c.fillPolygon({18, 10, 28, 6, 24, 12, 29, 12, 19, 17}, kCream);
        for (int k = 0; k < 3; ++k) c.fillRect(2, 12 + k * 5, 5, 1, kCream);
    } else {  // a spinning kick: a foot and a swirl
        c.line(6, 24, 18, 12, 5.0f, rgb(0xF4C8A0));
        c.fillRoundRect(16, 6, 12, 8, 3, kEmber);
        c.line(4, 8, 12, 4, 1.5f, kGold);
        c.line(24, 28, 30, 20, 1.5f, kGold);
    }
    return finished(c);
}

Canvas petIcon() {
    Canvas c(18, 18);
    c.fillCircle(9, 10, 7, rgb(0xF2E6C8));
    c.fillPolygon({3, 6, 5, 0, 8, 4}, rgb(0xF2E6C8));
    c.fillPolygon({10, 4, 13, 0, 15, 6}, rgb(0xF2E6C8));
    c.set(6, 9, kInk);
    c.set(12, 9, kInk);
    c.fillRect(8, 12, 3, 1, rgb(0xF29E8E));
    return finished(c);
}

Canvas charmIcon() {
    Canvas c(18, 18);
    c.fillPolygon({9, 1, 16, 9, 9, 17, 2, 9}, rgb(0x4C9A2A));
    c.fillPolygon({9, 4, 13, 9, 9, 14, 5, 9}, rgb(0x8FD16A));
    return finished(c);
}

velk::ItemPictureSource picture(const Canvas& c) {
    velk::ItemPictureSource p;
    p.width = uint32_t(c.width());
    p.height = uint32_t(c.height());
    p.pixels = c.pixels();
    return p;
}

std::vector<velk::ItemPictureSource> drawPictures(const velk::ItemPackSource& table) {
    std::vector<velk::ItemPictureSource> pictures(size_t(kLastPicture + 1), picture(Canvas(1, 1)));
    auto pair = [&](int32_t icon, const Canvas& bag) {
        if (icon < 0 || icon + 1 > kLastPicture) return;
        pictures[size_t(icon)] = picture(bag);
        pictures[size_t(icon + 1)] = picture(hudVersion(bag));
    };
    for (int32_t kind : {0, 2, 4, 6}) pair(kind, weaponIcon(kind));
    for (const EnergyItem& e : table.energy) pair(e.icon, energyIcon(e.index));
    pictures[size_t(kSpeedSkillPicture)] = picture(skillIcon(true, false));
    pictures[size_t(kSpeedSkillPicture + 1)] = picture(skillIcon(true, true));
    pair(kKickSkillPicture, skillIcon(false, false));
    pictures[size_t(kPetPicture)] = picture(petIcon());
    pictures[size_t(kCharmPicture)] = picture(charmIcon());
    return pictures;
}

// An icon the sources hold as items/icons/N.png replaces drawn picture N, so
// an author's own art survives every rebuild.
void useSourceIcons(const DemoContext& ctx, std::vector<velk::ItemPictureSource>& pictures) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ctx.sources + "/items/icons", ec)) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() != ".png" || stem.empty() ||
            stem.find_first_not_of("0123456789") != std::string::npos || stem.size() > 4)
            continue;
        const size_t n = size_t(std::stoi(stem));
        velk::ItemPictureSource p;
        if (n >= size_t(velk::kMaxItemPictures) ||
            !velk::readPng(entry.path().string(), p.pixels, p.width, p.height)) {
            fail("items/icons/" + entry.path().filename().string() + ": not an icon I can use");
            continue;
        }
        if (n >= pictures.size()) pictures.resize(n + 1, picture(Canvas(1, 1)));
        pictures[n] = std::move(p);
    }
}

// Blocks of "HEADER\nline\nline\n\n" with '#' comment lines.
struct TextBlock {
    std::vector<std::string> header;
    std::vector<std::string> lines;  // UTF-8
};

std::vector<TextBlock> readBlocks(const std::string& text) {
    std::vector<TextBlock> blocks;
    std::istringstream in(text);
    std::string line;
    bool open = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '#') continue;
        if (line.empty()) {
            open = false;
            continue;
        }
        if (!open) {
            blocks.emplace_back();
            std::istringstream words(line);
            for (std::string w; words >> w;) blocks.back().header.push_back(w);
            open = true;
        } else {
            blocks.back().lines.push_back(velk::toCp949(line));
        }
    }
    return blocks;
}

int kindOf(const std::string& word) {
    return word == "weapon" ? velk::kKindWeapon
           : word == "skill"  ? velk::kKindSkill
           : word == "energy" ? velk::kKindEnergy
                              : 0;
}

}  // namespace

void writeItems(const DemoContext& ctx) {
    std::string text, error;
    if (!readSource(ctx, "items/items.txt", text)) return;
    velk::ItemPackSource pack;
    if (!velk::parseItemTableText(text, pack, &error)) {
        fail("items/items.txt: " + error);
        return;
    }
    pack.pictures = drawPictures(pack);
    useSourceIcons(ctx, pack.pictures);
    writeOut(ctx, velk::kItemPackFileName, velk::encodeItemPack(pack));
    std::vector<std::string> names[3];
    for (const WeaponItem& w : pack.weapons) names[0].push_back(w.name);
    for (const EnergyItem& e : pack.energy) names[1].push_back(e.name);
    for (const SkillItem& s : pack.skills) names[2].push_back(s.name);
    for (int t = 0; t < 3; ++t)
        writeOut(ctx, velk::itemNameFileName(t + 1), velk::itemNamesText(names[t]));

    if (!readSource(ctx, "items/descriptions.txt", text)) return;
    for (const TextBlock& b : readBlocks(text)) {
        int32_t index = 0, width = 0, height = 0;
        if (b.header.size() != 4 || !kindOf(b.header[0]) ||
            !(std::istringstream(b.header[1]) >> index) ||
            !(std::istringstream(b.header[2]) >> width) ||
            !(std::istringstream(b.header[3]) >> height)) {
            fail("items/descriptions.txt: bad header");
            return;
        }
        writeOut(ctx, velk::itemDescriptionFileName(kindOf(b.header[0]), index),
                 velk::itemDescriptionText(width, height, b.lines));
    }
}

void writeHelpTexts(const DemoContext& ctx) {
    std::string text;
    if (!readSource(ctx, "interface/help.txt", text)) return;
    for (const TextBlock& b : readBlocks(text)) {
        int32_t v[5] = {};
        bool ok = b.header.size() == 5;
        for (size_t i = 0; ok && i < 5; ++i) ok = bool(std::istringstream(b.header[i]) >> v[i]);
        if (!ok) {
            fail("interface/help.txt: bad header");
            return;
        }
        writeOut(ctx, velk::helpTextFileName(v[0]),
                 velk::helpTextText(v[1], v[2], v[3], v[4], b.lines));
    }
}

}  // namespace demo
