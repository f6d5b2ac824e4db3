// The demo world's maps: each source in sources/maps becomes its map file,
// stage, position files, minimap name and quest text; every set a map names
// gets its tile set and object set.

#include <algorithm>
#include <filesystem>
#include <set>

#include "content/map_writer.h"
#include "content/pic_writer.h"
#include "content/object_set_writer.h"
#include "content/stage_writer.h"
#include "content/tile_set_writer.h"
#include "demo/art.h"
#include "demo/backdrops.h"
#include "demo/demo.h"
#include "demo/map_source.h"
#include "demo/object_catalog.h"
#include "demo/tile_catalog.h"
#include "platform/cp949.h"
#include "formats/formats.h"
#include "formats/map_position.h"

namespace demo {

namespace {

constexpr size_t kMapNameBytes = 14;
// Where the camera keeps the hero while it follows (the field's scroll
// window starts 408 pixels from the left and 320 from the top).
constexpr int kFollowX = 408, kFollowY = 320;

// The camera that the field's scroll rules would have left for a hero at
// (x, y), so the hero is drawn where the world puts it from the first step.
MapPosition positionFor(const DemoMap& map, const MapEntry& e) {
    MapPosition p;
    const int x = 32 * e.column, y = 32 * e.row;
    p.camX = std::clamp(x - kFollowX, 0, 32 * map.columns() - 824);
    p.camY = std::clamp(y - kFollowY, 0, 32 * map.rows() - 632);
    p.column = e.column;
    p.row = e.row;
    p.lockedScreenY = kFollowY;
    return p;
}

// Line count, then per line its buffer length and the text after a blank.
std::string questText(const std::vector<std::string>& lines) {
    std::string out = std::to_string(lines.size()) + "\n";
    for (const std::string& line : lines) {
        const std::string text = velk::toCp949(line);
        // The reader takes the rest of the line, the blank and line end
        // included, into a buffer of this length with its terminator.
        out += std::to_string(text.size() + 3) + " " + text + "\n";
    }
    return out;
}

bool checkMap(const DemoMap& map, const std::string& file) {
    bool ok = true;
    auto bad = [&](const std::string& what) {
        fail(file + ": " + what);
        ok = false;
    };
    if (map.columns() <= 26 || map.rows() <= 19) bad("a map must be wider than 26 tiles and taller than 19");
    if (velk::toCp949(map.name).size() > kMapNameBytes || map.name.empty()) bad("the name must fit 14 CP949 bytes");
    if (map.name.find(' ') != std::string::npos) bad("the name must be one word");
    if (!stageStyleExists(map.stage)) bad("unknown stage style " + map.stage);
    if (!map.entries[0].present) bad("no forward entry");
    for (const MapObject& o : map.objects)
        if (objectKindIndex(o.kind) < 0) bad("unknown object kind " + o.kind);
    // Quest lines are shown on the minimap's back, 146 pixels wide.
    for (const std::string& line : map.quest)
        if (Canvas::textWidth(line, 16) > 146) bad("quest line too wide for the minimap: " + line);
    return ok;
}

// The tile and object set a map uses: its theme's set drawn in its stage's
// light. Daylight keeps the theme's number.
int lightedSet(const DemoMap& map) { return map.setNumber + 4 * stageLight(map.stage); }

void writeMap(const DemoContext& ctx, const DemoMap& map) {
    const BuiltMap built = buildMap(map);
    velk::MapSource out;
    out.columns = built.columns;
    out.rows = built.rows;
    out.terrain = built.terrain;
    out.tiles = built.tiles;
    out.setNumber = lightedSet(map);
    const auto& catalogue = objectCatalogue();
    for (const MapObject& o : map.objects) {
        const int kind = objectKindIndex(o.kind);
        const int height = catalogue[size_t(kind)].frames[0].height();
        out.placements.push_back({32 * o.column + o.dx, 32 * o.row - height, kind});
    }
    writeOut(ctx, velk::mapFileName(map.number), velk::encodeMap(out));

    for (int side = 0; side < 2; ++side) {
        // A map entered only forwards still gets a backwards file: the hero
        // then starts where a forward entry puts it.
        const MapEntry& e = map.entries[side].present ? map.entries[side] : map.entries[0];
        writeOut(ctx, velk::mapPositionFileName(map.number, side), velk::mapPositionText(positionFor(map, e)));
    }
    writeOut(ctx, "txt/minimap/" + std::to_string(map.number) + ".txt", velk::toCp949(map.name) + "\n");
    if (!map.quest.empty())
        writeOut(ctx, "txt/quest/quest_" + std::to_string(map.number) + ".txt", questText(map.quest));
    writeStage(ctx, map.number, map.stage);
}

}  // namespace

// The field loads it with every map.
void writePlayerMarker(const DemoContext& ctx) {
    Canvas c(8, 8);
    c.fillPolygon({4, 0, 8, 6, 4, 4.5f, 0, 6}, palette::kGold);
    c.set(4, 1, palette::kCream);
    c.outlineShapes(palette::kInk);
    writeOut(ctx, "pic/minimap_user.pic", velk::encodePicture(8, 8, c.data()));
}

void writeMaps(const DemoContext& ctx) {
    std::string legendText, error;
    if (!readSource(ctx, "maps/legend.txt", legendText)) return;
    Legend legend;
    if (!parseLegend(legendText, legend, error)) {
        fail("maps/legend.txt: " + error);
        return;
    }
    std::vector<int> numbers;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(ctx.sources + "/maps", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("map_", 0) == 0 && entry.path().extension() == ".txt")
            numbers.push_back(std::stoi(name.substr(4)));
    }
    std::sort(numbers.begin(), numbers.end());
    std::set<int> sets;
    for (int number : numbers) {
        const std::string file = "maps/map_" + std::to_string(number) + ".txt";
        std::string text;
        if (!readSource(ctx, file, text)) continue;
        DemoMap map;
        map.number = number;
        if (!parseDemoMap(text, legend, map, error)) {
            fail(file + ": " + error);
            continue;
        }
        if (!checkMap(map, file)) continue;
        writeMap(ctx, map);
        sets.insert(lightedSet(map));
    }
    for (int set : sets) {
        const int light = set / 4;
        velk::TileSetSource tiles;
        tiles.tiles = drawTileSet(themeOfSet(set % 4));
        velk::ObjectSetSource objects = objectSetSource();
        for (auto& tile : tiles.tiles)
            for (uint32_t& px : tile) px = tintToLight(px, light);
        for (auto& image : objects.images)
            for (uint32_t& px : image.pixels) px = tintToLight(px, light);
        writeOut(ctx, velk::tileSetFileName(set), velk::encodeTileSet(tiles));
        writeOut(ctx, velk::objectSetFileName(set), velk::encodeObjectSet(objects));
    }
}

}  // namespace demo
