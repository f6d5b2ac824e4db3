#include "lib/file_info.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <sstream>

#include "formats/item_pack_format.h"
#include "formats/save_file.h"
#include "lib/item_commands.h"
#include "formats/sprite_format.h"
#include "world/sprite_set.h"
#include "lib/pack_common.h"
#include "lib/terrain_legend.h"
#include "platform/byte_reader.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/text_reader.h"
#include "world/map_file.h"
#include "formats/formats.h"
#include "formats/map_position.h"
#include "world/object_set.h"
#include "formats/stage_file.h"
#include "world/tile_set.h"

namespace velk::pack {

namespace {

constexpr const char* kSynopsis = "velk-pack info FILE";

// What one file turned out to be: its kind, and its description or the reason it is bad.
struct Description {
    std::string kind;
    std::ostringstream body;
    std::string error;
};

// "…/maps/map_3.mmf" -> "…": the content tree a file sits in, when it sits
// in `folder` of one; else empty.
std::string treeRoot(const std::string& path, const std::string& folder) {
    const std::string parent = parentPath(path);
    if (baseName(parent) != folder) return {};
    const std::string root = parentPath(parent);
    return root.empty() ? (parent.size() > folder.size() ? "/" : ".") : root;
}

std::string failure(const BadFileCapture& capture, const std::string& name) {
    const std::string reason = capture.reasonFor(name);
    return reason.empty() ? "malformed" : reason;
}

std::string yesNo(bool v, const char* yes, const char* no) {
    return v ? yes : no;
}

void describePicture(const std::vector<uint8_t>& bytes, const std::string& name, Description& d) {
    d.kind = "picture";
    BadFileCapture capture;
    CPicture picture(nullptr);
    if (!picture.loadFromMemory(bytes.data(), bytes.size(), name.c_str())) {
        d.error = failure(capture, name);
        return;
    }
    ByteReader in(bytes.data(), bytes.size());
    in.skip(kPictureSignature.size() + 16);
    const int32_t bits = in.i32();
    const uint8_t descriptor = in.u8();
    const uint8_t encoding = in.u8();
    const size_t transparent = size_t(std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                                    [](uint32_t p) { return (p >> 24) == 0; }));
    d.body << "  size         " << picture.width << " x " << picture.height << " pixels\n"
           << "  pixels       " << (bits == 32 ? "32 bits (with alpha)" : "24 bits (opaque)")
           << ", " << transparent << " fully transparent\n"
           << "  row order    " << yesNo(descriptor & 0x10, "top row first", "bottom row first")
           << "\n"
           << "  rows         " << yesNo(encoding == 10, "run-length coded", "raw") << "\n";
}

void describeTileSet(const std::vector<uint8_t>& bytes, const std::string& name, Description& d) {
    d.kind = "tile set";
    BadFileCapture capture;
    CTileSet tiles;
    if (!tiles.loadFromMemory(bytes.data(), bytes.size(), name.c_str())) {
        d.error = failure(capture, name);
        return;
    }
    d.body << "  tiles        " << tiles.tileCount() << " (last index " << tiles.lastTileIndex
           << ")\n"
           << "  tile size    " << tiles.tileWidth << " x " << tiles.tileHeight << " pixels\n";
}

void describeObjectSet(const std::vector<uint8_t>& bytes, const std::string& name, Description& d) {
    d.kind = "object set";
    BadFileCapture capture;
    CObjectSet objects;
    if (!objects.loadFromMemory(bytes.data(), bytes.size(), name.c_str())) {
        d.error = failure(capture, name);
        return;
    }
    size_t frames = 0;
    for (const ObjectKind& k : objects.kinds) frames += k.frames.size();
    d.body << "  kinds        " << objects.kindCount() << " (" << frames << " frames)\n";
    for (int k = 0; k < objects.kindCount(); ++k) {
        const ObjectKind& kind = objects.kinds[size_t(k)];
        d.body << "    kind " << k << ": " << kind.frameCount() << " frame"
               << (kind.frameCount() == 1 ? "" : "s") << ", images";
        for (const ObjectFrame& f : kind.frames) d.body << " " << f.image;
        d.body << "\n";
    }
    d.body << "  images       " << objects.images.size() << "\n";
    for (size_t i = 0; i < objects.images.size(); ++i)
        d.body << "    image " << i << ": " << objects.images[i].width << " x "
               << objects.images[i].height << "\n";
}

void describeSpriteSet(const std::vector<uint8_t>& bytes, const std::string& path, Description& d) {
    d.kind = "sprite set";
    // The delays live in a text file of the same number; without it the
    // frames and rows are still worth showing.
    std::vector<uint8_t> delays;
    std::string delayNote = "no delay file beside it";
    const std::string root = treeRoot(path, "sprite");
    int number = 0;
    if (!root.empty() && numberedName(baseName(path), "spr_", ".asp", number)) {
        const std::string delayPath = root + "/" + spriteDelayFileName(number);
        if (readFile(delayPath, delays))
            delayNote.clear();
        else
            delayNote = delayPath + " not found";
    }
    if (!delayNote.empty()) {
        delays.clear();
        for (int i = 0; i < kMaxSpriteAnimations; ++i) delays.insert(delays.end(), {'1', ' '});
    }
    BadFileCapture capture;
    CSpriteSet sprites;
    if (!sprites.loadFromMemory(bytes.data(), bytes.size(), delays.data(), delays.size(),
                                path.c_str())) {
        d.error = failure(capture, path);
        return;
    }
    int boxes = 0, attackFrames = 0;
    for (int32_t n : sprites.boxCounts) {
        boxes += n;
        attackFrames += n == 2 ? 1 : 0;
    }
    d.body << "  frames       " << sprites.frameCount() << " (last index " << sprites.lastFrame
           << ")\n";
    for (int f = 0; f < sprites.frameCount(); ++f)
        d.body << "    frame " << f << ": " << sprites.frameWidths[size_t(f)] << " x "
               << sprites.frameHeights[size_t(f)] << ", " << sprites.boxCounts[size_t(f)] << " box"
               << (sprites.boxCounts[size_t(f)] == 1 ? "" : "es")
               << (sprites.boxCounts[size_t(f)] == 2 ? " (attack)" : "") << "\n";
    d.body << "  rows         " << sprites.animationCount << "\n";
    for (int r = 0; r < sprites.animationCount; ++r) {
        const SpriteAnimation& a = sprites.animations[size_t(r)];
        d.body << "    row " << r << ": " << a.stepCount << " step"
               << (a.stepCount == 1 ? "" : "s");
        if (delayNote.empty()) d.body << ", delay " << a.delay;
        d.body << ", frames";
        for (const AnimationStep& s : a.steps) d.body << " " << s.frame;
        d.body << "\n";
    }
    d.body << "  boxes        " << boxes << " (" << attackFrames << " attack frames)\n";
    if (!delayNote.empty()) d.body << "  delays       unknown: " << delayNote << "\n";
}

// A set named by a map, as found in the map's content tree.
std::string setSummary(const std::string& root, const std::string& name, bool tileSet) {
    if (root.empty()) return name;
    std::vector<uint8_t> bytes;
    if (!readFile(root + "/" + name, bytes)) return name + " (not found)";
    BadFileCapture capture;
    std::ostringstream s;
    s << name;
    if (tileSet) {
        CTileSet tiles;
        if (tiles.loadFromMemory(bytes.data(), bytes.size(), name.c_str()))
            s << " (" << tiles.tileCount() << " tiles of " << tiles.tileWidth << " x "
              << tiles.tileHeight << ")";
        else
            s << " (bad: " << failure(capture, name) << ")";
    } else {
        CObjectSet objects;
        if (objects.loadFromMemory(bytes.data(), bytes.size(), name.c_str()))
            s << " (" << objects.kindCount() << " kinds, " << objects.images.size() << " images)";
        else
            s << " (bad: " << failure(capture, name) << ")";
    }
    return s.str();
}

void describeMap(const std::vector<uint8_t>& bytes, const std::string& path, Description& d) {
    d.kind = "map";
    const std::string root = treeRoot(path, "maps");
    // The sets it names are looked for in the tree the map sits in, and the
    // map is described either way.
    MapFile file;
    if (std::string why = parseMapFile(bytes.data(), bytes.size(), file); !why.empty()) {
        d.error = why;
        return;
    }
    const CMapData& map = file.grids;

    std::map<int32_t, size_t> codes;
    for (int32_t c : map.terrain)
        if (c != 0) ++codes[c];
    size_t lower = 0, upper = 0;
    for (uint32_t cell : map.tiles) {
        lower += (cell & 0xFFFu) != CMapData::kFreshCell ? 1 : 0;
        upper += (cell >> 20) != 0 ? 1 : 0;
    }
    d.body << "  size         " << map.columns << " x " << map.rows << " tiles ("
           << map.columns * 32 << " x " << map.rows * 32 << " pixels), terrain "
           << map.terrainColumns() << " x " << map.terrainRows() << " cells\n"
           << "  set number   " << file.setNumber << "\n"
           << "    tile set   " << setSummary(root, tileSetFileName(file.setNumber), true)
           << "\n"
           << "    object set " << setSummary(root, objectSetFileName(file.setNumber), false)
           << "\n"
           << "  placements   " << file.placements.size() << "\n"
           << "  tile cells   " << lower << " with a lower tile, " << upper
           << " with an upper tile\n"
           << "  terrain      ";
    if (codes.empty()) d.body << "none";
    bool first = true;
    for (const auto& [code, count] : codes) {
        d.body << (first ? "" : ", ") << terrainName(code) << " (" << code << ") " << count;
        first = false;
    }
    d.body << "\n";
}

void describeStage(const std::vector<uint8_t>& bytes, const std::string& name, Description& d) {
    d.kind = "stage";
    BadFileCapture capture;
    StageFile stage;
    if (!parseStageFile(bytes.data(), bytes.size(), stage, name.c_str())) {
        d.error = failure(capture, name);
        return;
    }
    static const char* const kModes[] = {"hidden", "drifting", "parallax", "fixed"};
    d.body << "  background   " << stage.background << "\n"
           << "  layers       " << stage.layers.size() << "\n";
    for (size_t l = 0; l < stage.layers.size(); ++l) {
        const StageLayer& layer = stage.layers[l];
        const int mode = layer.mode >= 1 && layer.mode <= 3 ? layer.mode : 0;
        d.body << "    layer " << l << ": " << kModes[mode] << " (mode " << layer.mode << "), "
               << layer.itemCount << " item" << (layer.itemCount == 1 ? "" : "s") << ", bounds "
               << layer.lowBound << ".." << layer.highBound << ", picture "
               << stage.layerPictures[l] << "\n";
    }
}

void describeMapPosition(const std::vector<uint8_t>& bytes, const std::string& name,
                         Description& d) {
    d.kind = "map position";
    BadFileCapture capture;
    MapPosition p;
    if (!parseMapPosition(bytes.data(), bytes.size(), p, name.c_str())) {
        d.error = failure(capture, name);
        return;
    }
    d.body << "  camera       " << p.camX << ", " << p.camY << "\n"
           << "  hero start   column " << p.column << ", row " << p.row << " (" << p.column * 32
           << ", " << p.row * 32 << ")\n"
           << "  locked y     " << p.lockedScreenY << "\n";
}

void describeDelays(const std::vector<uint8_t>& bytes, Description& d) {
    d.kind = "sprite delays";
    TextReader in(bytes.data(), bytes.size());
    std::vector<int32_t> delays;
    while (!in.atEnd()) {
        int32_t v = 0;
        if (!in.number(v, 1, INT32_MAX, "delay")) {
            d.error = in.error();
            return;
        }
        delays.push_back(v);
    }
    d.body << "  delays       " << delays.size() << ":";
    for (int32_t v : delays) d.body << " " << v;
    d.body << "\n";
}

void describeMinimapName(const std::vector<uint8_t>& bytes, Description& d) {
    d.kind = "minimap name";
    TextReader in(bytes.data(), bytes.size());
    std::string name;
    if (!in.word(name, "map name")) {
        d.error = in.error();
        return;
    }
    d.body << "  name         " << toUtf8(name) << " (" << name.size() << " bytes"
           << (name.size() > 14 ? ", more than the 14 that are shown" : "") << ")\n";
}

void describeSave(const std::vector<uint8_t>& bytes, bool newGame, Description& d) {
    d.kind = newGame ? "new-game file" : "save file";
    SaveRecord r;
    if (!parseSaveFile(bytes.data(), bytes.size(), newGame, r, &d.error)) return;
    if (!newGame)
        d.body << "  name         " << toUtf8(r.name) << "\n"
               << "  map          " << r.mapNumber << "\n"
               << "  hp, mp       " << r.hp << ", " << r.mp << "\n";
    const size_t used = size_t(std::count_if(r.slots.begin(), r.slots.end(),
                                             [](const ItemSlot& s) { return s.icon != -1; }));
    d.body << "  level        " << r.level << " (exp " << r.exp << ")\n"
           << "  stats        attack " << r.attackStat << ", defence " << r.defenceStat
           << ", skill " << r.skillStat << ", mp " << r.mpStat << ", hp " << r.hpStat << " ("
           << r.statPoints << " unspent)\n"
           << "  aru          " << r.aru << "\n"
           << "  slots        " << used << " of " << r.slots.size() << " hold an item\n";
}

}  // namespace

int infoCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kSynopsis << "\n\n"
            << "Names the format of a content file and prints what it holds. Binary files\n"
            << "(pictures and the cursor, maps, tile sets, object sets, sprite sets) are known\n"
            << "by their signature; text files by their name: txt/stage/stage_N.txt,\n"
            << "txt/mappos/N-S.txt, txt/sprdelay/delay_N.txt, txt/minimap/N.txt,\n"
            << "txt/user/user.txt and txt/user/init.txt. A map's sets and a sprite set's\n"
            << "delays are looked for in the content tree the file sits in.\n";
        return kExitOk;
    }
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-')
            return usageError(err, "info", "unknown option " + a, kSynopsis);
    if (args.size() != 1) return usageError(err, "info", "needs one FILE", kSynopsis);

    const std::string& path = args[0];
    std::vector<uint8_t> bytes;
    if (!fileExists(path) || !readFile(path, bytes)) {
        err << "velk-pack info: " << path << ": cannot be read\n";
        return kExitFailure;
    }
    const std::string base = baseName(path);
    const std::string folder = baseName(parentPath(path));
    int n = 0;
    const size_t dash = base.find('-', 1);
    Description d;
    const auto opensWith = [&bytes](const FileHeader& header) {
        return hasSignature(bytes.data(), bytes.size(), header);
    };
    if (opensWith(pictureHeader()))
        describePicture(bytes, path, d);
    else if (opensWith(mapHeader()))
        describeMap(bytes, path, d);
    else if (opensWith(tileSetHeader()))
        describeTileSet(bytes, path, d);
    else if (opensWith(objectSetHeader()))
        describeObjectSet(bytes, path, d);
    else if (opensWith(spriteSetHeader()))
        describeSpriteSet(bytes, path, d);
    else if (opensWith(itemPackHeader())) {
        d.kind = "item pack";
        describeItemPack(bytes, path, d.body, d.error);
    } else if (numberedName(base, "stage_", ".txt", n))
        describeStage(bytes, path, d);
    else if (dash != std::string::npos && numberedName(base.substr(0, dash + 1), "", "-", n) &&
             numberedName(base.substr(dash), "-", ".txt", n))
        describeMapPosition(bytes, path, d);
    else if (numberedName(base, "delay_", ".txt", n))
        describeDelays(bytes, d);
    else if (folder == "minimap" && numberedName(base, "", ".txt", n))
        describeMinimapName(bytes, d);
    else if (base == "user.txt")
        describeSave(bytes, false, d);
    else if (base == "init.txt")
        describeSave(bytes, true, d);
    else {
        err << "velk-pack info: " << path
            << ": not a format of the game (unknown signature or name)\n";
        return kExitFailure;
    }

    if (!d.error.empty()) {
        err << "velk-pack info: " << path << ": " << d.kind << ", malformed: " << d.error << "\n";
        return kExitFailure;
    }
    out << path << ": " << d.kind << ", " << bytes.size() << " bytes\n" << d.body.str();
    return kExitOk;
}

}  // namespace velk::pack
