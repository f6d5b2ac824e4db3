#include "demo/map_source.h"

#include <sstream>

#include "demo/art.h"
#include "platform/trim.h"

namespace demo {

using velk::trim;

namespace {

constexpr int32_t kGround = 1, kCeiling = 2, kLadder = 3, kRope = 4, kHarmful = 5, kWall = 8,
                  kSlopeUp = 9, kSlopeDown = 10;

bool parseLegendLine(std::istringstream& in, Legend& out, std::string& error) {
    std::string ch, lower, upper, flag;
    in >> ch >> lower >> upper;
    if (ch.size() != 1 || lower.empty() || upper.empty()) {
        error = "a legend line needs a character, a lower kind and an upper kind";
        return false;
    }
    LegendEntry e;
    auto lk = tileKindByName(lower);
    auto uk = upper == "-" ? std::optional<TileKind>(TileKind::None) : tileKindByName(upper);
    if (!lk || !uk) {
        error = "unknown tile kind in the legend of '" + ch + "'";
        return false;
    }
    e.lower = *lk;
    e.upper = *uk;
    if (in >> flag) {
        if (flag == "exit-back") e.exitCode = 6;
        else if (flag == "exit-forward") e.exitCode = 7;
        else {
            error = "unknown legend flag " + flag;
            return false;
        }
    }
    out[ch[0]] = e;
    return true;
}

}  // namespace

bool parseLegend(const std::string& text, Legend& out, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = trim(line);
        std::istringstream in(line);
        std::string key;
        in >> key;
        if (key.empty() || key[0] == '#') continue;
        if (key != "tile") {
            error = "unknown key " + key;
            return false;
        }
        if (!parseLegendLine(in, out, error)) return false;
    }
    return true;
}

bool parseDemoMap(const std::string& text, const Legend& shared, DemoMap& out, std::string& error) {
    out.legend = shared;
    std::istringstream lines(text);
    std::string line;
    bool inGrid = false;
    int lineNo = 0;
    while (std::getline(lines, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (inGrid) {
            if (trim(line) == "end") {
                inGrid = false;
                continue;
            }
            if (!out.grid.empty() && line.size() != out.grid[0].size()) {
                error = "grid line " + std::to_string(lineNo) + " is not as wide as the first";
                return false;
            }
            out.grid.push_back(line);
            continue;
        }
        const std::string t = trim(line);
        if (t.empty() || t[0] == '#') continue;
        std::istringstream in(t);
        std::string key;
        in >> key;
        if (key == "name") in >> out.name;
        else if (key == "set") in >> out.setNumber;
        else if (key == "stage") in >> out.stage;
        else if (key == "quest") out.quest.push_back(trim(t.substr(5)));
        else if (key == "entry") {
            int side = -1;
            in >> side;
            if (side < 0 || side > 1) {
                error = "entry side must be 0 or 1 (line " + std::to_string(lineNo) + ")";
                return false;
            }
            out.entries[side].present = bool(in >> out.entries[side].column >> out.entries[side].row);
        } else if (key == "tile") {
            if (!parseLegendLine(in, out.legend, error)) return false;
        } else if (key == "grid") {
            inGrid = true;
        } else if (key == "object") {
            MapObject o;
            if (!(in >> o.kind >> o.column >> o.row)) {
                error = "an object needs a kind, a column and a row (line " + std::to_string(lineNo) + ")";
                return false;
            }
            in >> o.dx;
            out.objects.push_back(o);
        } else {
            error = "unknown key " + key + " (line " + std::to_string(lineNo) + ")";
            return false;
        }
    }
    if (out.grid.empty()) {
        error = "no grid";
        return false;
    }
    for (size_t r = 0; r < out.grid.size(); ++r)
        for (char ch : out.grid[r])
            if (!out.legend.count(ch)) {
                error = std::string("grid character '") + ch + "' has no legend entry (row " +
                        std::to_string(r) + ")";
                return false;
            }
    return true;
}

namespace {

class Builder {
public:
    explicit Builder(const DemoMap& map) : map_(map), w_(map.columns()), h_(map.rows()) {}

    BuiltMap build() {
        BuiltMap out;
        out.columns = w_;
        out.rows = h_;
        out.terrain.assign(size_t(16) * size_t(w_) * size_t(h_), 0);
        out.tiles.assign(size_t(w_) * size_t(h_), kNoTile);
        terrain_ = &out.terrain;
        for (int r = 0; r < h_; ++r)
            for (int c = 0; c < w_; ++c) {
                writeTerrain(c, r);
                out.tiles[size_t(r) * w_ + c] = tileCell(c, r);
            }
        // A falling slope's last step sits in the tile after it (see slope terrain).
        for (int r = 0; r < h_; ++r)
            for (int c = 0; c < w_; ++c)
                if (isSlope(entry(c, r).lower) && !isSlopeUp(entry(c, r).lower)) {
                    const int tc = 4 * c + 4, tr = 4 * r + 3;
                    if (tc < 4 * w_ && code(tc, tr) == 0) setCode(tc, tr, kSlopeDown);
                }
        return out;
    }

private:
    const LegendEntry& entry(int c, int r) const {
        static const LegendEntry kOutside{TileKind::Ground, TileKind::None, 0};
        if (c < 0 || r < 0 || c >= w_ || r >= h_) return kOutside;
        return map_.legend.at(map_.grid[size_t(r)][size_t(c)]);
    }
    TileKind lower(int c, int r) const { return entry(c, r).lower; }

    int32_t code(int col, int row) const { return (*terrain_)[size_t(row) * size_t(4 * w_) + size_t(col)]; }
    void setCode(int col, int row, int32_t v) { (*terrain_)[size_t(row) * size_t(4 * w_) + size_t(col)] = v; }

    void writeTerrain(int c, int r) {
        const LegendEntry& e = entry(c, r);
        const TileKind k = e.lower;
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 4; ++i) {
                int32_t v = cellCode(k, e.exitCode, c, r, i, j);
                if (e.upper == TileKind::Ladder) v = kLadder;
                if (e.upper == TileKind::Rope) v = kRope;
                setCode(4 * c + i, 4 * r + j, v);
            }
    }

    // Terrain of cell (i, j) of the tile at (c, r).
    int32_t cellCode(TileKind k, int32_t exitCode, int c, int r, int i, int j) const {
        if (isMaterial(k)) {
            // A surface where the hero walks, a ceiling under an overhang,
            // wall everywhere else so the hero stops a tile ahead of it.
            const bool topOpen = r > 0 && !isFullSolid(lower(c, r - 1));
            const bool bottomOpen = r + 1 < h_ && !isFullSolid(lower(c, r + 1));
            if (j == 0 && topOpen) return exitCode ? exitCode : kGround;
            if (bottomOpen) return kCeiling;
            // Likewise the earth just past the top of a rising slope, level
            // with the slope's foot.
            if (j == 0 && isSlopeUp(lower(c - 1, r - 1))) return kGround;
            // The hero looks for walls five cells ahead of its feet; the earth
            // under a slope it is about to climb must not read as one.
            return underSlope(c, r) ? kGround : kWall;
        }
        if (isSlope(k)) {
            // Up: the hero's feet step along the anti-diagonal with a slope
            // code above each foot cell. Down: along the diagonal with the code
            // ahead of each foot cell; the last of those falls in the next tile.
            if (isSlopeUp(k)) {
                if (i + j == 3) return kSlopeUp;
                return i + j >= 4 ? kGround : 0;
            }
            if (j == i - 1) return kSlopeDown;
            return j >= i ? kGround : 0;
        }
        switch (k) {
            case TileKind::Plank:
                return j == 0 ? kGround : 0;
            case TileKind::Ladder:
                return kLadder;
            case TileKind::Rope:
                return kRope;
            case TileKind::Spikes:
            case TileKind::Water:
                // Harmful two cells deep, so it is found under the feet.
                if (r > 0 && lower(c, r - 1) == k) return kWall;
                return j < 2 ? kHarmful : kWall;
            default:
                return 0;
        }
    }

    bool underSlope(int c, int r) const {
        for (int above = r - 1; above >= 0; --above) {
            if (isSlope(lower(c, above))) return true;
            if (!isMaterial(lower(c, above))) return false;
        }
        return false;
    }

    static bool coversTop(TileKind n) { return isFullSolid(n) || isSlope(n); }
    static bool coversSide(TileKind n) { return isMaterial(n) || isSlope(n); }
    static bool coversBottom(TileKind n) { return isFullSolid(n) || isSlope(n); }

    int materialEdges(int c, int r) const {
        int edges = 0;
        if (!coversTop(lower(c, r - 1))) edges |= kEdgeTop;
        if (!coversSide(lower(c + 1, r))) edges |= kEdgeRight;
        if (!coversBottom(lower(c, r + 1))) edges |= kEdgeBottom;
        if (!coversSide(lower(c - 1, r))) edges |= kEdgeLeft;
        return edges;
    }

    // How many tiles of earth lie over this one in its column: the shading
    // deepens with the distance below the surface, so it follows slopes and
    // overhangs instead of squaring off around every opening.
    int depthBelowSurface(int c, int r) const {
        int depth = 0;
        for (int above = r - 1; above >= 0 && depth < 3; --above, ++depth)
            if (!isMaterial(lower(c, above)) && !isSlope(lower(c, above))) break;
        return depth;
    }

    int backEdges(int c, int r) const {
        auto covers = [](TileKind n) { return n == TileKind::Back || isMaterial(n) || isSlope(n); };
        int edges = 0;
        if (!covers(lower(c, r - 1))) edges |= kEdgeTop;
        if (!covers(lower(c + 1, r))) edges |= kEdgeRight;
        if (!covers(lower(c, r + 1))) edges |= kEdgeBottom;
        if (!covers(lower(c - 1, r))) edges |= kEdgeLeft;
        return edges;
    }

    bool ropeAbove(int c, int r) const {
        if (r == 0) return false;
        const LegendEntry& a = entry(c, r - 1);
        return a.lower == TileKind::Rope || a.upper == TileKind::Rope;
    }

    int tileOf(TileKind k, int c, int r) const {
        if (isMaterial(k)) {
            const int edges = materialEdges(c, r);
            int variant = edges == 0 ? int(hash3(c, r, 4242) % tiles::kInteriorVariants) : 0;
            const int depth = depthBelowSurface(c, r);
            if (edges == 0 && depth == 2) variant = tiles::kFade;
            if (edges == 0 && depth >= 3) variant = tiles::kDeep;
            return tiles::material(materialOf(k), edges, variant);
        }
        if (isSlope(k)) return tiles::slope(materialOf(k), isSlopeUp(k));
        switch (k) {
            case TileKind::Plank: {
                const bool l = lower(c - 1, r) == TileKind::Plank && c > 0;
                const bool rt = lower(c + 1, r) == TileKind::Plank && c + 1 < w_;
                return tiles::plank(l && rt ? PlankPiece::Middle
                                            : l ? PlankPiece::Right : rt ? PlankPiece::Left : PlankPiece::Single);
            }
            case TileKind::Ladder: return tiles::ladder();
            case TileKind::Rope: return tiles::rope(!ropeAbove(c, r));
            case TileKind::Spikes: return tiles::spikes();
            case TileKind::Water: return tiles::water(!(r > 0 && lower(c, r - 1) == TileKind::Water));
            case TileKind::Back: return tiles::back(backEdges(c, r));
            default: return -1;
        }
    }

    // A tuft, a flower or a crystal on some open surfaces; icicles of rock
    // under cave ceilings. Chosen by position so the map never changes.
    int decorFor(int c, int r) const {
        const uint32_t h = hash3(c, r, uint32_t(map_.number) * 7919u + 1u) % 10;
        const TileKind below = r + 1 < h_ ? lower(c, r + 1) : TileKind::None;
        const bool cave = themeOfSet(map_.setNumber) == Theme::Cave;
        if (isMaterial(below)) {
            switch (materialOf(below)) {
                case Material::Ground:
                    if (h < 2) return tiles::decor(Decor::Tuft);
                    if (h == 2) return tiles::decor(Decor::TuftTall);
                    if (h == 3) return tiles::decor(Decor::Flowers);
                    break;
                case Material::Stone:
                    if (h < 2) return tiles::decor(Decor::Pebbles);
                    break;
                case Material::Rock:
                    if (!cave) {
                        if (h < 2) return tiles::decor(Decor::Pebbles);
                        break;
                    }
                    if (h == 0) return tiles::decor(Decor::Crystal);
                    if (h == 1) return tiles::decor(Decor::Mushroom);
                    break;
                default:
                    break;
            }
        }
        if (cave && r > 0 && lower(c, r - 1) == TileKind::Rock && h < 3) return tiles::decor(Decor::Stalactite);
        return 0;
    }

    uint32_t tileCell(int c, int r) const {
        const LegendEntry& e = entry(c, r);
        const int lowerTile = tileOf(e.lower, c, r);
        int upperTile = 0;
        if (e.upper != TileKind::None) upperTile = tileOf(e.upper, c, r);
        else if (e.lower == TileKind::None) upperTile = decorFor(c, r);
        const uint32_t lowerBits = lowerTile < 0 ? kNoTile : uint32_t(lowerTile);
        return lowerBits | uint32_t(upperTile) << 20;
    }

    const DemoMap& map_;
    int w_, h_;
    std::vector<int32_t>* terrain_ = nullptr;
};

}  // namespace

BuiltMap buildMap(const DemoMap& map) { return Builder(map).build(); }

}  // namespace demo
