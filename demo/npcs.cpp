// The town's people: sprite set 1000, one row per look, drawn with the
// hero's figure drawer in their own colours and with what marks their trade
// (an apron, a beard and staff, a hat, a spear ...); and their dialogue,
// compiled from the talk sources in sources/npc.

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

#include "content/item_pack_writer.h"
#include "content/sprite_set_writer.h"
#include "content/talk_source.h"
#include "demo/demo.h"
#include "demo/figure.h"

namespace demo {

namespace {

using namespace palette;

// Every look shares one frame size and one body box: the game takes an
// NPC's click box from frame i of the set whatever its look, and places
// every NPC with the offsets of row 0.
constexpr int kFrameW = 64, kFrameH = 72;
constexpr int kFootX = 32, kFootY = 72;
constexpr FrameBox kBody{kFootX - 13, kFootY - 60, kFootX + 13, kFootY - 1};
// Head centre of a standing figure, relative to the foot point.
constexpr float kHeadX = 1, kHeadY = -47.5f;

struct NpcLook {
    const char* what;
    FigureColours colours;
    ArmPose frontArm{0.15f, 0.35f};
    bool facesLeft = false;
    std::function<void(Canvas&, float, float)> extras;  // drawn over the figure at the foot point
};

FigureColours colours(uint32_t hair, uint32_t coat, uint32_t scarf, uint32_t legs) {
    FigureColours c = heroColours();
    c.hair = hair;
    c.hairLight = mix(hair, kWhite, 0.35f);
    c.coat = coat;
    c.coatShade = mix(coat, kInk, 0.35f);
    c.coatLight = mix(coat, kWhite, 0.3f);
    c.scarf = scarf;
    c.scarfShade = mix(scarf, kInk, 0.3f);
    c.legs = legs;
    c.legsShade = mix(legs, kInk, 0.3f);
    return c;
}

// Shapes drawn on their own layer and outlined like the figure's parts.
void outlined(Canvas& c, const std::function<void(Canvas&)>& draw) {
    Canvas layer(c.width(), c.height());
    draw(layer);
    layer.outlineShapes(kInk);
    c.blit(layer, 0, 0);
}

std::vector<NpcLook> looks() {
    std::vector<NpcLook> v;
    // 0 the weapon smith: leather apron, red headband.
    v.push_back({"weapon merchant", colours(rgb(0x2B1B12), rgb(0x8A5A3C), rgb(0xC0392B), rgb(0x3A3A4E)),
                 {0.2f, 0.35f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.fillRect(int(x) - 5, int(y) - 36, 11, 14, rgb(0x6E4424));
                         l.fillRect(int(x) - 8, int(y + kHeadY) - 5, 18, 3, rgb(0xC0392B));
                     });
                 }});
    // 1 the herbalist: green robe and a leaf-green headscarf, a flask at the belt.
    v.push_back({"potion merchant", colours(rgb(0xB0643A), rgb(0x4C9A2A), rgb(0xF2C14E), rgb(0x2E6B30)),
                 {0.25f, 0.6f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.fillCircle(x + kHeadX - 1, y + kHeadY - 4, 8.5f, rgb(0x2E6B30));
                         l.fillRect(int(x) + 5, int(y) - 30, 5, 6, rgb(0xE4572E));
                         l.fillRect(int(x) + 6, int(y) - 32, 3, 2, kCream);
                     });
                 }});
    // 2 the elder: white hair and beard, a plum robe, a crooked staff.
    v.push_back({"elder", colours(rgb(0xD8D8E0), rgb(0x6A3D7A), rgb(0xF2C14E), rgb(0x6A3D7A)),
                 {0.5f, 0.2f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.line(x + 12, y - 1, x + 12, y - 44, 2.5f, rgb(0x8A5A3C));
                         l.fillCircle(x + 12, y - 46, 3.0f, rgb(0x8A5A3C));
                         l.fillPolygon({x + kHeadX + 1, y + kHeadY + 2, x + kHeadX + 9, y + kHeadY + 2,
                                        x + kHeadX + 4, y + kHeadY + 14},
                                       rgb(0xF4F6FA));
                     });
                 }});
    // 3 the travel guide: sky-blue coat, a wide traveller's hat.
    v.push_back({"travel guide", colours(rgb(0x7A3B1E), rgb(0x3D6FB0), rgb(0xF2C14E), rgb(0x4A3B5C)),
                 {0.9f, 1.2f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.fillRect(int(x + kHeadX) - 13, int(y + kHeadY) - 8, 27, 3, rgb(0x8A5A3C));
                         l.fillRoundRect(int(x + kHeadX) - 7, int(y + kHeadY) - 15, 14, 8, 3, rgb(0x8A5A3C));
                         l.fillRect(int(x + kHeadX) - 7, int(y + kHeadY) - 10, 14, 2, kEmber);
                     });
                 }});
    // 4 the pet seller: orange jacket, with a little round pet at the feet.
    v.push_back({"pet seller", colours(rgb(0x2B1B12), rgb(0xE08A2E), rgb(0x6BB5E8), rgb(0x3A3A4E)),
                 {0.4f, 0.8f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.fillCircle(x - 16, y - 6, 6.0f, kCream);
                         l.fillCircle(x - 20, y - 12, 2.5f, kCream);
                         l.fillCircle(x - 12, y - 12, 2.5f, kCream);
                     });
                     c.set(int(x) - 18, int(y) - 7, kInk);
                     c.set(int(x) - 14, int(y) - 7, kInk);
                 }});
    // 5 the trainer: white training clothes, black belt, fists ready.
    v.push_back({"trainer", colours(rgb(0x1B1B2F), rgb(0xF4F6FA), rgb(0x1B1B2F), rgb(0xF4F6FA)),
                 {1.4f, 1.4f}, false, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) { l.fillRect(int(x) - 6, int(y) - 28, 13, 3, kInk); });
                 }});
    // 6 the gate guard: steel breastplate and helmet, a spear.
    v.push_back({"gate guard", colours(rgb(0x7A3B1E), rgb(0x9CA3B5), rgb(0x1F4068), rgb(0x1F4068)),
                 {0.6f, 0.9f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.line(x + 9, y - 2, x + 9, y - 66, 2.0f, rgb(0x8A5A3C));
                         l.fillPolygon({x + 6, y - 64, x + 9, y - 71, x + 12, y - 64}, rgb(0xD5D9E3));
                         l.fillCircle(x + kHeadX - 1, y + kHeadY - 4, 8.5f, rgb(0x7D7F8C));
                     });
                 }});
    // 7 the mountain scout: a fur-trimmed coat and a warm cap.
    v.push_back({"mountain scout", colours(rgb(0x5A3B22), rgb(0x8C3B2E), rgb(0xFFF4D6), rgb(0x573420)),
                 {0.3f, 0.5f}, true, [](Canvas& c, float x, float y) {
                     outlined(c, [&](Canvas& l) {
                         l.fillRoundRect(int(x + kHeadX) - 9, int(y + kHeadY) - 12, 18, 8, 4, rgb(0x8C3B2E));
                         l.fillRect(int(x + kHeadX) - 9, int(y + kHeadY) - 6, 18, 3, kCream);
                         l.fillRect(int(x) - 6, int(y) - 38, 13, 3, kCream);
                     });
                 }});
    return v;
}

Canvas drawLook(const NpcLook& look) {
    Canvas c(kFrameW, kFrameH);
    Pose p;
    p.frontFoot = {4, -3};
    p.backFoot = {-4, -3};
    p.frontArm = look.frontArm;
    p.backArm = {-0.15f, 0.35f};
    p.scarf = 1.0f;
    drawFigure(c, p, look.colours, float(kFootX), float(kFootY));
    look.extras(c, float(kFootX), float(kFootY));
    return look.facesLeft ? c.mirrored() : c;
}

}  // namespace

void writeNpcSprites(const DemoContext& ctx) {
    velk::SpriteSetSource set;
    for (const NpcLook& look : looks()) {
        velk::SpriteFrameSource f;
        f.width = kFrameW;
        f.height = kFrameH;
        f.pixels = drawLook(look).pixels();
        f.boxes.push_back(kBody);
        set.frames.push_back(std::move(f));
        set.rows.push_back({{int32_t(set.frames.size()) - 1, -kFootX, -kFootY}});
        set.delays.push_back(8);
    }
    writeOut(ctx, velk::spriteSetFileName(1000), velk::encodeSpriteSet(set));
    writeOut(ctx, velk::spriteDelayFileName(1000), velk::spriteDelayText(set.delays));
}

namespace {

// The talk box shows its text from (10, 10) on a 256-pixel-wide box, with
// the page buttons from y 170: every row must fit 232 pixels and a text at
// most 8 rows of 18 pixels.
bool checkTalkLayout(const velk::TalkSource& s) {
    std::istringstream in(s.text);
    int lineNo = 0, rows = -1;
    bool ok = true;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        const size_t a = line.find_first_not_of(" \t");
        line = a == std::string::npos ? "" : line.substr(a);
        if (line == "text") {
            rows = 0;
        } else if (line == "end") {
            rows = -1;
        } else if (rows >= 0) {
            if (line.rfind('[', 0) == 0 && line.find(']') != std::string::npos) line = line.substr(line.find(']') + 1);
            const std::string where = s.name + ":" + std::to_string(lineNo) + ": ";
            if (Canvas::textWidth(line, 18) > 232) fail(where + "too wide for the talk box: " + line), ok = false;
            if (++rows > 8) fail(where + "a talk shows at most 8 rows"), ok = false;
        }
    }
    return ok;
}

}  // namespace

void writeTalks(const DemoContext& ctx) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ctx.sources + "/npc", ec))
        if (entry.path().extension() == ".txt") names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::vector<velk::TalkSource> sources;
    for (const std::string& name : names) {
        velk::TalkSource s{"npc/" + name, {}};
        if (readSource(ctx, s.name, s.text) && checkTalkLayout(s)) sources.push_back(std::move(s));
    }
    std::map<std::string, std::string> files;
    std::string error, items;
    velk::ItemPackSource pack;
    if (!readSource(ctx, "items/items.txt", items) || !velk::parseItemTableText(items, pack, &error)) {
        fail("items/items.txt: " + error);
        return;
    }
    const ItemTables tables{pack.weapons, pack.energy, pack.skills};
    if (!velk::compileTalkSources(sources, files, error, &tables)) {
        fail(error);
        return;
    }
    for (const auto& [name, bytes] : files) writeOut(ctx, name, bytes);
}

}  // namespace demo
