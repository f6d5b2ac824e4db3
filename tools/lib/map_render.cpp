#include "lib/map_render.h"

#include <algorithm>
#include <array>
#include <memory>
#include <numeric>

#include "formats/enemy_file.h"
#include "formats/map_position.h"
#include "formats/npc_files.h"
#include "lib/pack_common.h"
#include "lib/terrain_legend.h"
#include "platform/d3dx_font.h"
#include "platform/direct3d.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/png_io.h"
#include "world/field.h"
#include "formats/formats.h"
#include "world/map_objects.h"
#include "world/object_set.h"
#include "formats/stage_file.h"
#include "world/tile_set.h"

namespace velk::pack {

namespace {

constexpr const char* kSynopsis = "velk-pack render-map N OUT.png [--data DIR] [--terrain] [--no-markers]";

// The map is drawn one game screen at a time, through the field's own tile
// walk, which covers one screen around the camera.
constexpr int kScreenW = 800;
constexpr int kScreenH = 600;
constexpr int kTile = 32;
constexpr int kCell = 8;
constexpr uint64_t kMaxRenderPixels = 64u * 1024u * 1024u;
constexpr uint32_t kBackdrop = 0xFF1E2430u;  // behind the tiles when the map has no stage
constexpr int kOverlayAlpha = 110;

constexpr uint32_t kLegendBack = 0xFF202020u;
constexpr uint32_t kLegendText = 0xFFFFFFFFu;
constexpr int kLegendEntryW = 130;
constexpr int kLegendRowH = 20;
constexpr int kLegendPad = 4;
constexpr int kSwatch = 14;
constexpr int kLegendFontHeight = 14;

// Swatches: one per meaningful code, then one for every code with no meaning.
constexpr int kUnknownSwatch = kLastTerrainCode + 1;
int swatchIndex(int32_t code) {
    return code >= 0 && code <= kLastTerrainCode ? int(code) : kUnknownSwatch;
}

struct Marker {
    MarkerKind kind;
    int32_t x, y;  // foot point, world pixels
    std::string label;
    int shift = 0;  // drawn this far right of the point, beside markers on the same point
};

// Who stands where on map `mapNumber`, as the game would place them: the
// people of the position file, the monsters, else the boss, and the hero at
// each entry side. A file that exists but does not load is a warning.
std::vector<Marker> collectMarkers(int mapNumber, std::vector<std::string>& warnings) {
    std::vector<Marker> markers;
    BadFileCapture quiet;
    auto unread = [&](const std::string& name) {
        if (fileExists(dataPath(name))) warnings.push_back(name + ": cannot be read; its markers are left out");
    };
    std::vector<NpcRecord> npcs;
    if (loadNpcPositions(mapNumber, npcs))
        for (size_t i = 0; i < npcs.size(); ++i)
            markers.push_back({MarkerKind::Npc, npcs[i].x, npcs[i].y, "N" + std::to_string(i)});
    else
        unread(npcPositionFileName(mapNumber));
    std::vector<MonsterRecord> monsters;
    BossRecord boss;
    if (loadMonsterFile(mapNumber, monsters) == EnemyFileResult::Loaded) {
        for (size_t i = 0; i < monsters.size(); ++i)
            markers.push_back({MarkerKind::Monster, monsters[i].x, monsters[i].y, "M" + std::to_string(i)});
    } else {
        unread(monsterFileName(mapNumber));
        if (loadBossFile(mapNumber, boss) == EnemyFileResult::Loaded)
            markers.push_back({MarkerKind::Boss, boss.x, boss.y, "B"});
        else
            unread(bossFileName(mapNumber));
    }
    for (int side = 0; side <= 1; ++side) {
        MapPosition p;
        if (!loadMapPosition(mapNumber, side, p)) {
            unread(mapPositionFileName(mapNumber, side));
            continue;
        }
        // A new game starts on map 0, entered forwards.
        const bool start = mapNumber == 0 && side == 0;
        markers.push_back({start ? MarkerKind::Start : side == 0 ? MarkerKind::EntryForward : MarkerKind::EntryBack,
                           kTile * p.column, kTile * p.row, start ? "start" : side == 0 ? ">" : "<"});
    }
    // Markers on one point (a map's two entry points often are) stand side by side.
    for (size_t i = 0; i < markers.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (markers[j].x == markers[i].x && markers[j].y == markers[i].y)
                markers[i].shift = std::max(markers[i].shift, markers[j].shift + kMarkerSize + 2);
    return markers;
}

// One texture per marker kind: its colour in the dark frame.
std::vector<std::unique_ptr<CTexture>> markerTextures(CDirect3D& device) {
    std::vector<std::unique_ptr<CTexture>> textures;
    for (MarkerKind kind : {MarkerKind::Npc, MarkerKind::Monster, MarkerKind::Boss, MarkerKind::EntryForward,
                            MarkerKind::EntryBack, MarkerKind::Start}) {
        std::vector<uint32_t> px(size_t(kMarkerSize) * kMarkerSize, kMarkerOutline);
        for (int y = kMarkerFrame; y < kMarkerSize - kMarkerFrame; ++y)
            for (int x = kMarkerFrame; x < kMarkerSize - kMarkerFrame; ++x)
                px[size_t(y) * kMarkerSize + size_t(x)] = markerColour(kind);
        textures.push_back(device.createTexture(kMarkerSize, kMarkerSize, px.data()));
    }
    return textures;
}

// Draws the markers onto the screen whose top-left corner is world (cx, cy).
void drawMarkers(CDirect3D& device, const std::vector<Marker>& markers,
                 const std::vector<std::unique_ptr<CTexture>>& textures, CD3dxFont& font, int64_t cx,
                 int64_t cy) {
    for (const Marker& m : markers) {
        const int left = int(m.x - cx) - kMarkerSize / 2 + m.shift, top = int(m.y - cy) - kMarkerSize;
        if (left >= kScreenW || top >= kScreenH || left + kLegendEntryW < 0 || top + kMarkerSize < 0) continue;
        device.drawQuad(textures[size_t(m.kind)].get(), float(left), float(top), kMarkerSize, kMarkerSize);
        if (!font.valid()) continue;
        // The kind's colour in a dark outline reads on sky and on rock.
        // Labels of markers side by side stack upwards.
        const int textTop = top - (kLegendFontHeight + 2) * (1 + m.shift / (kMarkerSize + 2));
        for (int d = 0; d < 4; ++d)
            font.draw(left + (d & 1 ? 1 : -1), textTop + (d & 2 ? 1 : -1), left + kLegendEntryW, top + 1,
                      kMarkerOutline, m.label.c_str());
        font.draw(left, textTop, left + kLegendEntryW, top, markerColour(m.kind), m.label.c_str());
    }
}

// The stage's background picture, or null when the map has none that loads.
std::unique_ptr<CPicture> loadBackdrop(CDirect3D& device, int mapNumber) {
    std::vector<uint8_t> bytes;
    const std::string name = stageFileName(mapNumber);
    StageFile stage;
    if (!readDataFile(name, bytes) ||
        !parseStageFile(bytes.data(), bytes.size(), stage, name.c_str()))
        return nullptr;
    auto picture = std::make_unique<CPicture>(&device);
    picture->load(stage.background.c_str());
    picture->createTexture();
    return picture->texture ? std::move(picture) : nullptr;
}

// Why the map did not load: the loaders' first report, else the file that is missing.
std::string loadFailure(const BadFileCapture& capture, int mapNumber, int setNumber) {
    if (!capture.reports().empty())
        return capture.reports().front().first + ": " + capture.reports().front().second;
    const std::string mapName = mapFileName(mapNumber);
    if (!fileExists(dataPath(mapName))) return mapName + ": missing";
    const std::string tileName = tileSetFileName(setNumber);
    if (!fileExists(dataPath(tileName))) return tileName + " (named by " + mapName + "): missing";
    return mapName + ": cannot be read";
}

void drawLegend(CDirect3D& device, const std::vector<int>& codes,
                const std::vector<std::unique_ptr<CTexture>>& swatches, int width, int height,
                RenderedMap& out) {
    device.clear(kLegendBack);
    CD3dxFont font;
    if (!font.create(&device, "", kLegendFontHeight))
        out.warnings.push_back("no font found: the legend has no labels");
    const int perRow = std::max(1, width / kLegendEntryW);
    for (size_t i = 0; i < codes.size(); ++i) {
        const int x = kLegendPad + int(i % size_t(perRow)) * kLegendEntryW;
        const int y = kLegendPad + int(i / size_t(perRow)) * kLegendRowH;
        const int code = codes[i];
        device.drawQuad(swatches[size_t(code)].get(), float(x), float(y + 2), float(kSwatch),
                        float(kSwatch));
        if (font.valid()) {
            const std::string label = code != kUnknownSwatch
                                          ? std::to_string(code) + " " + terrainName(code)
                                          : std::string("other codes");
            font.draw(x + kSwatch + 5, y, x + kLegendEntryW, y + kLegendRowH, kLegendText,
                      label.c_str());
        }
    }
    // The strip spans the whole picture; the device covers at most one screen of it.
    for (int y = 0; y < height; ++y) {
        uint32_t* row = out.pixels.data() + size_t(out.mapHeight + uint32_t(y)) * out.width;
        std::fill_n(row, out.width, kLegendBack);
        if (y < device.height())
            std::copy_n(device.backBuffer() + size_t(y) * size_t(device.width()),
                        std::min<size_t>(out.width, size_t(device.width())), row);
    }
}

}  // namespace

uint32_t markerColour(MarkerKind kind) {
    switch (kind) {
        case MarkerKind::Npc: return 0xFF40E060u;
        case MarkerKind::Monster: return 0xFFF03030u;
        case MarkerKind::Boss: return 0xFFE040F0u;
        case MarkerKind::EntryForward: return 0xFF30D8F0u;
        case MarkerKind::EntryBack: return 0xFFF0D020u;
        case MarkerKind::Start: return 0xFFFFFFFFu;
    }
    return kMarkerOutline;
}

bool renderMap(int mapNumber, const MapRenderOptions& options, RenderedMap& out,
               std::string& error) {
    out = RenderedMap{};
    CDirect3D device;
    if (!device.init(nullptr, kScreenW, kScreenH, true)) {
        error = "cannot make an off-screen device";
        return false;
    }
    CMapObjects mapObjects(&device);
    CField& field = *mapObjects.field;
    CObjectSet& placed = *mapObjects.objectSet;
    field.mapNumber = mapNumber;
    {
        BadFileCapture capture;
        if (!field.loadMap()) {
            error = loadFailure(capture, mapNumber, placed.setNumber);
            return false;
        }
        const std::string objectName = objectSetFileName(placed.setNumber);
        const std::string reason = capture.reasonFor(objectName);
        if (!reason.empty())
            out.warnings.push_back(objectName + ": " + reason + "; objects left out");
        else if (placed.images.empty() && placed.placementCount() > 0)
            out.warnings.push_back(objectName + ": missing; objects left out");
    }

    const CMapData& map = field.mapData;
    const uint64_t mapW = uint64_t(map.columns) * kTile;
    const uint64_t mapH = uint64_t(map.rows) * kTile;
    if (mapW == 0 || mapH == 0) {
        error = mapFileName(mapNumber) + ": the map is empty (" + std::to_string(map.columns) +
                " x " + std::to_string(map.rows) + " tiles)";
        return false;
    }
    if (mapW * mapH > kMaxRenderPixels) {
        error = mapFileName(mapNumber) + ": " + std::to_string(mapW) + " x " +
                std::to_string(mapH) + " pixels is too large to render";
        return false;
    }

    // The legend lists the codes the map uses.
    std::vector<std::unique_ptr<CTexture>> swatches;
    std::vector<int> codesPresent;
    if (options.terrain) {
        for (int code = 0; code <= kUnknownSwatch; ++code) {
            const std::vector<uint32_t> solid(kCell * kCell, terrainColour(code));
            swatches.push_back(device.createTexture(kCell, kCell, solid.data()));
        }
        std::array<bool, kUnknownSwatch + 1> seen{};
        for (int32_t code : map.terrain)
            if (code != 0) seen[size_t(swatchIndex(code))] = true;
        for (int code = 1; code <= kUnknownSwatch; ++code)
            if (seen[size_t(code)]) codesPresent.push_back(code);
    }

    int legendHeight = 0;
    const int legendWidth = int(std::min<uint64_t>(mapW, kScreenW));
    if (options.terrain) {
        const int perRow = std::max(1, legendWidth / kLegendEntryW);
        const int rows =
            std::max<int>(1, int((codesPresent.size() + size_t(perRow) - 1) / size_t(perRow)));
        legendHeight = std::min(kScreenH, rows * kLegendRowH + 2 * kLegendPad);
    }
    out.width = uint32_t(mapW);
    out.mapHeight = uint32_t(mapH);
    out.height = uint32_t(mapH) + uint32_t(legendHeight);
    out.pixels.assign(size_t(out.width) * out.height, kBackdrop);

    const std::unique_ptr<CPicture> backdrop = loadBackdrop(device, mapNumber);
    std::vector<Marker> markers;
    std::vector<std::unique_ptr<CTexture>> markerPictures;
    CD3dxFont labelFont;
    if (options.markers) {
        markers = collectMarkers(mapNumber, out.warnings);
        markerPictures = markerTextures(device);
        if (!markers.empty() && !labelFont.create(&device, "", kLegendFontHeight))
            out.warnings.push_back("no font found: the markers have no labels");
    }
    // Objects in the world's drawing order: by their top edge.
    std::vector<int32_t> order(size_t(placed.placementCount()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&placed](int32_t a, int32_t b) {
        return placed.placements[size_t(a)].y < placed.placements[size_t(b)].y;
    });

    for (int64_t cy = 0; cy < int64_t(mapH); cy += kScreenH) {
        for (int64_t cx = 0; cx < int64_t(mapW); cx += kScreenW) {
            device.clear(kBackdrop);
            device.alphaTestOn();
            // One backdrop behind the whole map rather than one per screen.
            if (backdrop)
                device.drawQuad(backdrop->texture.get(), float(-cx), float(-cy), float(mapW),
                                float(mapH));
            field.camera.place(int32_t(cx), int32_t(cy), 0, 0);
            field.drawLowerTiles();
            field.drawUpperTiles();
            for (int32_t p : order) {
                ObjectPlacement& placement = placed.placements[size_t(p)];
                placement.animCounter = 0;  // every object at its first frame
                field.drawObject(placement.x - int32_t(cx), placement.y - int32_t(cy),
                                 placement.kind, p);
            }
            if (options.terrain) {
                device.blendOn(kOverlayAlpha);
                const int32_t firstRow = int32_t(cy / kCell);
                const int32_t firstCol = int32_t(cx / kCell);
                const int32_t lastRow =
                    std::min<int32_t>(map.terrainRows(), firstRow + kScreenH / kCell);
                const int32_t lastCol =
                    std::min<int32_t>(map.terrainColumns(), firstCol + kScreenW / kCell);
                for (int32_t r = firstRow; r < lastRow; ++r)
                    for (int32_t c = firstCol; c < lastCol; ++c) {
                        const int32_t code = map.terrainCode(c, r);
                        if (code == 0) continue;
                        device.drawQuad(swatches[size_t(swatchIndex(code))].get(),
                                        float(c * kCell - cx), float(r * kCell - cy), kCell, kCell);
                    }
                // Full factor again, so the next screen's tiles pass the alpha test as drawn.
                device.blendOn(255);
                device.blendOff();
            }
            drawMarkers(device, markers, markerPictures, labelFont, cx, cy);
            const size_t rows = size_t(std::min<int64_t>(kScreenH, int64_t(mapH) - cy));
            const size_t cols = size_t(std::min<int64_t>(kScreenW, int64_t(mapW) - cx));
            for (size_t y = 0; y < rows; ++y)
                std::copy_n(device.backBuffer() + y * kScreenW, cols,
                            out.pixels.data() + (size_t(cy) + y) * out.width + size_t(cx));
        }
    }

    if (options.terrain) {
        if (codesPresent.empty()) out.warnings.push_back("the map has no terrain codes");
        drawLegend(device, codesPresent, swatches, legendWidth, legendHeight, out);
    }
    return true;
}

int renderMapCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kSynopsis << "\n\n"
            << "Draws the whole map N (\"maps/map_N.mmf\" and the tile and object sets it names)\n"
            << "as one PNG: the stage's background, both tile layers and every placed object.\n\n"
            << "  --data DIR   the content directory (default: the current directory)\n"
            << "  --terrain    tint every terrain cell by its code; a legend goes under the map\n"
            << "  --no-markers leave out the markers\n\n"
            << "Markers stand on the foot points, a coloured square in a dark frame with a label:\n"
            << "  green N0, N1 ...  the NPCs (txt/npc/pos/N.txt), by their place in the file\n"
            << "  red M0, M1 ...    the monsters (txt/monster/mon_N.txt)\n"
            << "  purple B          the boss (txt/boss/boss_N.txt, on a map without monsters)\n"
            << "  cyan >            where the hero arrives going forwards, or back from a quest\n"
            << "  yellow <          where the hero arrives going backwards\n"
            << "  white start       where a new game begins (map 0's forward side)\n";
        return kExitOk;
    }
    std::vector<std::string> positional;
    std::string dataDir = ".";
    MapRenderOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--data") {
            if (i + 1 >= args.size())
                return usageError(err, "render-map", "--data needs DIR", kSynopsis);
            dataDir = args[++i];
        } else if (a == "--terrain") {
            options.terrain = true;
        } else if (a == "--no-markers") {
            options.markers = false;
        } else if (a.size() > 1 && a[0] == '-' && !(a[1] >= '0' && a[1] <= '9')) {
            return usageError(err, "render-map", "unknown option " + a, kSynopsis);
        } else {
            positional.push_back(a);
        }
    }
    int mapNumber = 0;
    if (positional.size() != 2)
        return usageError(err, "render-map", "needs N and OUT.png", kSynopsis);
    if (!parseInt(positional[0], mapNumber))
        return usageError(err, "render-map", "N must be a map number, not '" + positional[0] + "'",
                          kSynopsis);

    DataDirScope scope(dataDir);
    RenderedMap image;
    std::string error;
    if (!renderMap(mapNumber, options, image, error)) {
        err << "velk-pack render-map: " << error << "\n";
        return kExitFailure;
    }
    for (const std::string& w : image.warnings) err << "velk-pack render-map: note: " << w << "\n";
    if (!writePng(positional[1], image.pixels.data(), image.width, image.height)) {
        err << "velk-pack render-map: cannot write " << positional[1] << "\n";
        return kExitFailure;
    }
    out << mapFileName(mapNumber) << " -> " << positional[1] << " (" << image.width << " x "
        << image.height << " pixels)\n";
    return kExitOk;
}

}  // namespace velk::pack
