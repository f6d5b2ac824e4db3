#include "lib/content_check.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "actors/boss.h"
#include "formats/enemy_file.h"
#include "actors/monster_kinds.h"
#include "formats/item_pack_format.h"
#include "items/item_text.h"
#include "formats/save_file.h"
#include "formats/sprite_format.h"
#include "actors/pet.h"
#include "actors/shot_list.h"
#include "npc/npc.h"
#include "formats/npc_files.h"
#include "world/sprite_set.h"
#include "lib/pack_common.h"
#include "lib/talk_check.h"
#include "lib/terrain_legend.h"
#include "platform/files.h"
#include "platform/picture.h"
#include "platform/text_reader.h"
#include "world/field.h"
#include "world/map_file.h"
#include "formats/formats.h"
#include "formats/map_position.h"
#include "formats/stage_file.h"
#include "formats/item_records.h"
#include "world/tile_set.h"

namespace velk::pack {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSynopsis = "velk-pack validate DIR";
constexpr const char* kCursorFileName = "cursor/akman.cur";
// Sets every map needs whatever its content: the hero's.
constexpr int kRequiredSpriteSets[] = {0};
// What a map name may hold: the minimap keeps 14 bytes and a zero.
constexpr size_t kMaxMapNameBytes = 14;
constexpr int kTileStep = 32;
// The help texts the HUD shows (menu button, skill slot, four quick slots).
constexpr int kHelpTexts[] = {0, 5, 6, 7, 8, 9};

// Why a creature with its foot point at world pixel (x, y) stands wrong, or
// nothing: its feet must be on a cell the hero could stand on (or a slope),
// and the cell just above its feet must not be rock. `hover`: pixels the
// kind floats above its ground. `mayHang`: a kind that never moves may be
// put anywhere off the rock.
std::string standingFault(const CMapData& map, int32_t x, int32_t y, int32_t hover, bool mayHang) {
    const int32_t col = x / 8, row = (y + hover) / 8;
    auto code = [&](int32_t r) {
        return r < 0 || r >= map.terrainRows() ? int32_t(kTerrainOutside) : map.terrainCode(col, r);
    };
    if (x < 0 || y + hover < 0 || col >= map.terrainColumns() || row < 0 || row >= map.terrainRows()) return {};
    const int32_t feet = code(row);
    if (feet == kTerrainWall || terrainBlocks(code(row - 1)))
        return "stands inside rock at (" + std::to_string(x) + ", " + std::to_string(y) + ")";
    if (!mayHang && !terrainHolds(feet) && feet != kTerrainSlopeUp && feet != kTerrainSlopeDown)
        return "stands in the air at (" + std::to_string(x) + ", " + std::to_string(y) +
               "): no ground under its feet";
    return {};
}

bool isWeaponKind(int32_t picture) {
    return picture == kIconGun || picture == kIconBlade || picture == kIconBoomerang || picture == kIconFist;
}

std::string minimapFileName(int mapNumber) {
    return "txt/minimap/" + std::to_string(mapNumber) + ".txt";
}

// Numbers N of the files prefix + N + suffix in `folder` (a game name).
std::vector<int> numberedFiles(const std::string& folder, const char* prefix, const char* suffix) {
    std::vector<int> numbers;
    std::error_code ec;
    for (fs::directory_iterator it(dataPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        int n = 0;
        if (it->is_regular_file(ec) &&
            numberedName(it->path().filename().string(), prefix, suffix, n) && n >= 0)
            numbers.push_back(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

class ContentChecker {
public:
    explicit ContentChecker(ContentReport& report) : report_(report) {}

    void run() {
        const std::vector<int> maps = numberedFiles("maps", "map_", ".mmf");
        mapNumbers_.insert(maps.begin(), maps.end());
        if (!mapNumbers_.count(0)) problem(mapFileName(0), "missing (a new game starts on map 0)");
        for (int n : maps) checkMap(n);
        report_.maps = maps.size();

        std::set<int> sprites(std::begin(kRequiredSpriteSets), std::end(kRequiredSpriteSets));
        for (int n : numberedFiles("sprite", "spr_", ".asp")) sprites.insert(n);
        for (int n : sprites) checkSpriteSet(n);
        report_.spriteSets = sprites.size();

        checkPictures();
        checkItems();
        checkSaves();
        checkNamedSpriteSets();
        talkFiles_ = checkNpcContent(mapNumbers_, shopTables_, [this](const std::string& file, const std::string& reason) {
            problem(file, reason);
        });
        report_.pictures = pictures_.size();
        report_.filesChecked = checked_.size() + talkFiles_;
    }

private:
    // A problem with `file`; the file counts as checked, and as sound if its loader said so.
    void problem(const std::string& file, const std::string& reason) {
        checked_.emplace(file, false);
        note(report_.problems, file, reason);
    }

    void warning(const std::string& file, const std::string& reason) { note(report_.warnings, file, reason); }

    static void note(std::vector<ContentProblem>& list, const std::string& file, const std::string& reason) {
        for (ContentProblem& p : list)
            if (p.file == file) {
                ++p.more;
                return;
            }
        list.push_back({file, reason, 0});
    }

    // Loads game file `name` once with `load`. A missing file, or a load
    // that fails, is a problem carrying the loader's own reason; a loader
    // that fails on another file it reads (a sprite set's delays) names that
    // file instead. `load` may add problems of its own and still succeed.
    bool check(const std::string& name, const std::function<bool()>& load,
               const std::string& namedBy = {}) {
        if (auto it = checked_.find(name); it != checked_.end()) return it->second;
        if (!fileExists(dataPath(name))) {
            checked_[name] = false;
            problem(name, namedBy.empty() ? "missing" : "missing (named by " + namedBy + ")");
            return false;
        }
        BadFileCapture capture;
        checked_[name] = true;  // before the load, which may add problems of its own
        if (load()) return true;
        checked_[name] = false;
        const std::string reason = capture.reasonFor(name);
        if (!reason.empty() || capture.reports().empty()) {
            problem(name, reason.empty() ? "cannot be read" : reason);
        } else {
            for (const auto& [file, why] : capture.reports()) problem(file, why);
        }
        return false;
    }

    void checkMap(int n) {
        const std::string name = mapFileName(n);
        MapFile file;
        const bool parsed = check(name, [&] {
            // The map is sound once it parses: its sets are checked on their own.
            std::vector<uint8_t> bytes;
            if (!readDataFile(name, bytes)) return false;
            const std::string why = parseMapFile(bytes.data(), bytes.size(), file);
            if (!why.empty()) reportBadFile(name, why);
            return why.empty();
        });
        if (!parsed) return;
        const CMapData& map = file.grids;
        const int32_t setNumber = file.setNumber;

        CTileSet tiles;
        const std::string tileName = tileSetFileName(setNumber);
        const bool tilesOk = check(
            tileName,
            [&] {
                if (!tiles.load(setNumber)) return false;
                if (tiles.tileWidth != kTileStep || tiles.tileHeight != kTileStep)
                    problem(tileName, "tiles are " + std::to_string(tiles.tileWidth) + " x " +
                                          std::to_string(tiles.tileHeight) +
                                          " pixels; maps place them 32 pixels apart");
                return true;
            },
            name);
        if (tilesOk && tileCounts_.count(setNumber) == 0)
            tileCounts_[setNumber] = tiles.tileCount();

        CObjectSet objects;
        const std::string objectName = objectSetFileName(setNumber);
        objects.setNumber = setNumber;
        const bool objectsOk = check(
            objectName,
            [&] {
                if (!objects.load()) return false;
                checkObjectKinds(objects, objectName);
                return true;
            },
            name);
        if (objectsOk && kindCounts_.count(setNumber) == 0)
            kindCounts_[setNumber] = objects.kindCount();

        checkMapContent(n, file);
        checkStage(n);
        for (int side = 0; side <= 1; ++side) checkPosition(n, side, map);
        checkMinimapName(n);
        checkNpcs(n, map, checkEnemies(n, map));
    }

    void checkObjectKinds(const CObjectSet& objects, const std::string& name) {
        for (int k = 0; k < objects.kindCount(); ++k) {
            const ObjectKind& kind = objects.kinds[size_t(k)];
            if (kind.frames.empty()) problem(name, "kind " + std::to_string(k) + " has no frames");
            for (size_t f = 0; f < kind.frames.size(); ++f)
                if (kind.frames[f].image < 0 || kind.frames[f].image > objects.lastImageIndex())
                    problem(name, "kind " + std::to_string(k) + " frame " + std::to_string(f) +
                                      " names image " + std::to_string(kind.frames[f].image) +
                                      "; the set has " + std::to_string(objects.images.size()));
        }
    }

    // What the loader lets through but the map cannot mean: codes with no
    // meaning, tiles and kinds its sets do not have, exits to nowhere.
    void checkMapContent(int n, const MapFile& file) {
        const std::string name = mapFileName(n);
        const CMapData& map = file.grids;
        const int32_t setNumber = file.setNumber;
        bool forwardExit = false, backExit = false;
        for (int32_t r = 0; r < map.terrainRows(); ++r)
            for (int32_t c = 0; c < map.terrainColumns(); ++c) {
                const int32_t code = map.terrainCode(c, r);
                forwardExit |= code == kTerrainExitForward;
                backExit |= code == kTerrainExitBack;
                if (code < 0 || code > kLastTerrainCode)
                    problem(name, "terrain cell (" + std::to_string(c) + ", " + std::to_string(r) +
                                      ") holds code " + std::to_string(code) +
                                      ", which means nothing");
            }
        if (auto it = tileCounts_.find(setNumber); it != tileCounts_.end()) {
            const uint32_t count = uint32_t(it->second);
            for (int32_t r = 0; r < map.rows; ++r)
                for (int32_t c = 0; c < map.columns; ++c) {
                    const uint32_t cell = map.tileCell(c, r);
                    const uint32_t lower = cell & 0xFFFu, upper = cell >> 20;
                    // The unread-cell value stands for "no lower tile", as in the game.
                    const bool lowerBad = lower >= count && lower != CMapData::kFreshCell;
                    if (lowerBad || upper >= count)
                        problem(name, "tile cell (" + std::to_string(c) + ", " + std::to_string(r) +
                                          ") names " + (lowerBad ? "lower" : "upper") + " tile " +
                                          std::to_string(lowerBad ? lower : upper) +
                                          "; the tile set has " + std::to_string(count));
                }
        }
        if (auto it = kindCounts_.find(setNumber); it != kindCounts_.end())
            for (size_t p = 0; p < file.placements.size(); ++p) {
                const int32_t kind = file.placements[p].kind;
                if (kind < 0 || kind >= it->second)
                    problem(name, "placement " + std::to_string(p) + " names object kind " +
                                      std::to_string(kind) + "; the object set has " +
                                      std::to_string(it->second));
            }
        if (forwardExit && !mapNumbers_.count(n + 1))
            problem(name, "has a forward exit, but " + mapFileName(n + 1) + " is missing");
        if (backExit && !mapNumbers_.count(n - 1))
            problem(name, "has a back exit, but " + mapFileName(n - 1) + " is missing");
    }

    void checkStage(int n) {
        const std::string name = stageFileName(n);
        StageFile stage;
        const bool ok = check(name, [&] {
            std::vector<uint8_t> bytes;
            return readDataFile(name, bytes) &&
                   parseStageFile(bytes.data(), bytes.size(), stage, name.c_str());
        });
        if (!ok) return;
        checkPicture(stage.background, name);
        for (const std::string& picture : stage.layerPictures) checkPicture(picture, name);
    }

    void checkPosition(int n, int side, const CMapData& map) {
        const std::string name = mapPositionFileName(n, side);
        check(name, [&] {
            std::vector<uint8_t> bytes;
            MapPosition p;
            if (!readDataFile(name, bytes) ||
                !parseMapPosition(bytes.data(), bytes.size(), p, name.c_str()))
                return false;
            if (p.column < 0 || p.row < 0 || p.column >= map.columns || p.row >= map.rows)
                problem(name, "the hero starts at column " + std::to_string(p.column) + ", row " +
                                  std::to_string(p.row) + ", outside the map's " +
                                  std::to_string(map.columns) + " x " + std::to_string(map.rows) +
                                  " tiles");
            return true;
        });
    }

    void checkMinimapName(int n) {
        const std::string name = minimapFileName(n);
        check(name, [&] {
            std::vector<uint8_t> bytes;
            if (!readDataFile(name, bytes)) return false;
            TextReader in(bytes.data(), bytes.size());
            std::string mapName;
            if (!in.word(mapName, "map name")) {
                reportBadFile(name, in.error());
                return false;
            }
            if (mapName.size() > kMaxMapNameBytes)
                problem(name, "the name is " + std::to_string(mapName.size()) +
                                  " bytes; the minimap holds at most 14");
            return true;
        });
    }

    // A map's monsters or boss: their sets must have every row they play
    // (a monster the rows of its kind, a boss 10), they must stand inside
    // the map and ought to stand on ground. Returns what the game finds on
    // the map: monsters (from a monster file that loads, even an empty
    // one, which keeps the boss away), else a boss, else neither.
    std::string checkEnemies(int n, const CMapData& map) {
        const int32_t width = 32 * map.columns, height = 32 * map.rows;
        auto place = [&](const std::string& name, const std::string& who, int32_t x, int32_t y, int32_t set,
                         int32_t rows) {
            if (x < 0 || y < 0 || x >= width || y >= height)
                problem(name, who + " stands at (" + std::to_string(x) + ", " + std::to_string(y) +
                                  "), outside the map's " + std::to_string(width) + " x " +
                                  std::to_string(height) + " pixels");
            if (!check(spriteSetFileName(set), [set] { return CSpriteSet().load(set) == 1; }, name)) return;
            CSpriteSet sprites;
            sprites.load(set);
            if (sprites.animationCount < rows)
                problem(name, who + "'s sprite set " + std::to_string(set) + " has " +
                                  std::to_string(sprites.animationCount) + " rows; it needs " +
                                  std::to_string(rows));
        };
        const std::string monsterName = monsterFileName(n);
        std::vector<MonsterRecord> monsters;
        if (fileExists(dataPath(monsterName))) {
            if (!check(monsterName, [&] { return loadMonsterFile(n, monsters) == EnemyFileResult::Loaded; }))
                return {};
            for (size_t i = 0; i < monsters.size(); ++i) {
                const MonsterRecord& m = monsters[i];
                const MonsterKind& kind = monsterKinds()[size_t(m.kind)];
                const std::string who = "monster " + std::to_string(i);
                place(monsterName, who, m.x, m.y, m.spriteSet, kind.rows.needed());
                // A floater hovers one cell above its ground.
                const int32_t hover = kind.ground == MonsterGround::Floater ? 8 : 0;
                const std::string fault = standingFault(map, m.x, m.y, hover, kind.ground == MonsterGround::None);
                if (!fault.empty()) warning(monsterName, who + " (" + kind.name + ") " + fault);
            }
            return monsters.empty() ? std::string() : "monsters (" + monsterName + ")";
        }
        const std::string bossName = bossFileName(n);
        BossRecord boss;
        if (!fileExists(dataPath(bossName)) ||
            !check(bossName, [&] { return loadBossFile(n, boss) == EnemyFileResult::Loaded; }))
            return {};
        place(bossName, "the boss", boss.x, boss.y, boss.spriteSet, CBoss::kRowCount);
        if (boss.mode > 1) problem(bossName, "mode " + std::to_string(boss.mode) + " is neither 0 nor 1");
        if (const std::string fault = standingFault(map, boss.x, boss.y, 0, false); !fault.empty())
            warning(bossName, "the boss " + fault);
        return "a boss (" + bossName + ")";
    }

    // A map's people. The game draws them and answers their clicks only
    // where there are neither monsters nor a boss; each plays its look, a
    // row of the people's sprite set, and NPC i is clicked through frame
    // i's body box. (A bad position file is the talk check's to name.)
    void checkNpcs(int n, const CMapData& map, const std::string& enemies) {
        const std::string name = npcPositionFileName(n);
        std::vector<NpcRecord> npcs;
        {
            BadFileCapture quiet;
            if (!fileExists(dataPath(name)) || !loadNpcPositions(n, npcs) || npcs.empty()) return;
        }
        if (!enemies.empty()) {
            problem(name, "map " + std::to_string(n) + " has " + enemies + ": its " + std::to_string(npcs.size()) +
                              " NPCs never show; people belong on maps with neither monsters nor a boss");
            return;
        }
        const CSpriteSet* looks = npcSprites();
        const std::string set = "sprite set " + std::to_string(CNpc::kSpriteSet);
        for (size_t i = 0; i < npcs.size(); ++i) {
            const NpcRecord& npc = npcs[i];
            const std::string who = "NPC " + std::to_string(i);
            if (looks && (npc.animRow < 0 || npc.animRow >= looks->animationCount))
                problem(name, who + "'s look " + std::to_string(npc.animRow) + " is not a row of " + set +
                                  ", which has " + std::to_string(looks->animationCount) + ": it is never drawn");
            else if (looks && !looks->bodyBox(int(i)))
                problem(name, who + " cannot be clicked: " + set + " has no body box on frame " + std::to_string(i) +
                                  " (NPC i is clicked through frame i)");
            if (const std::string fault = standingFault(map, npc.x, npc.y, 0, false); !fault.empty())
                warning(name, who + " " + fault);
        }
    }

    // The people's sprite set, loaded once; null when it does not load
    // (which the check of the named sets reports).
    const CSpriteSet* npcSprites() {
        if (!npcSpritesTried_) {
            npcSpritesTried_ = true;
            BadFileCapture quiet;
            auto set = std::make_unique<CSpriteSet>();
            if (fileExists(dataPath(spriteSetFileName(CNpc::kSpriteSet))) && set->load(CNpc::kSpriteSet) == 1)
                npcSprites_ = std::move(set);
        }
        return npcSprites_.get();
    }

    void checkSpriteSet(int n) {
        check(spriteSetFileName(n), [n] {
            CSpriteSet set;
            return set.load(n) == 1;
        });
    }

    void checkPicture(const std::string& gameName, const std::string& namedBy = {}) {
        // Pictures are named with either separator; one check per file.
        std::string name = gameName;
        std::replace(name.begin(), name.end(), '\\', '/');
        pictures_.insert(name);
        check(
            name,
            [&name] {
                CPicture picture(nullptr);
                return picture.load(name.c_str()) == 1;
            },
            namedBy);
    }

    void checkPictures() {
        std::vector<std::string> names;
        std::error_code ec;
        const fs::path root = dataPath("pic");
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file(ec) && it->path().extension() == ".pic")
                names.push_back("pic/" + fs::relative(it->path(), root, ec).generic_string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) checkPicture(name);
        checkPicture(kCursorFileName);
    }

    // The item pack with its name files and a description for every item,
    // the help texts and every picture the windows of play load. Checked
    // when the tree has items at all (a tree of maps alone has none).
    void checkItems() {
        std::error_code ec;
        if (!fs::exists(dataPath("itm"), ec) && !fs::exists(dataPath("txt/item"), ec)) return;
        ItemPackData pack;
        const bool packOk = check(kItemPackFileName, [&pack] {
            std::vector<uint8_t> bytes;
            std::string error;
            if (!readDataFile(kItemPackFileName, bytes)) return false;
            if (!parseItemPack(bytes.data(), bytes.size(), pack, &error)) {
                reportBadFile(kItemPackFileName, error);
                return false;
            }
            return true;
        });
        if (packOk) {
            shopTables_.known = true;
            shopTables_.weapons = pack.weapons.size();
            shopTables_.energy = pack.energy.size();
            shopTables_.skills = pack.skills.size();
            shopTables_.pictures = pack.pictures.size();
            checkNames(1, pack.weapons.size());
            checkNames(2, pack.energy.size());
            checkNames(3, pack.skills.size());
            auto icon = [&](int32_t picture, const std::string& what) {
                if (picture < 0 || size_t(picture) >= pack.pictures.size())
                    problem(kItemPackFileName, what + " uses picture " + std::to_string(picture) +
                                                   "; the pack has " +
                                                   std::to_string(pack.pictures.size()));
            };
            for (const WeaponItem& w : pack.weapons) {
                icon(w.icon + 1, "weapon " + std::to_string(w.index));
                // The picture is the weapon's kind: how the hero attacks with it.
                if (!isWeaponKind(w.icon))
                    problem(kItemPackFileName, "weapon " + std::to_string(w.index) + "'s picture is " +
                                                   std::to_string(w.icon) +
                                                   ", no weapon kind (0 gun, 2 blade, 4 boomerang, 6 fist): "
                                                   "the hero cannot attack with it");
                checkDescription(kKindWeapon, w.index);
            }
            for (const EnergyItem& e : pack.energy) {
                icon(e.icon + 1, "energy item " + std::to_string(e.index));
                checkDescription(kKindEnergy, e.index);
            }
            for (const SkillItem& k : pack.skills) {
                icon(k.icon, "skill " + std::to_string(k.index));
                checkDescription(kKindSkill, k.index);
            }
        }
        for (int n : kHelpTexts) {
            const std::string name = helpTextFileName(n);
            check(name, [&name] {
                std::vector<uint8_t> bytes;
                TextBoxFile box;
                std::string error;
                if (!readDataFile(name, bytes)) return false;
                if (!parseHelpText(bytes.data(), bytes.size(), box, &error)) {
                    reportBadFile(name, error);
                    return false;
                }
                return true;
            }, "the HUD");
        }
        for (const std::string& picture : windowPictures()) checkPicture(picture, "the windows");
        for (int n : {1001, 1002})
            if (!checked_.count(spriteSetFileName(n))) {
                checkSpriteSet(n);
                ++report_.spriteSets;
            }
    }

    void checkNames(int table, size_t entries) {
        const std::string name = itemNameFileName(table);
        check(name, [&] {
            std::vector<uint8_t> bytes;
            if (!readDataFile(name, bytes)) return false;
            TextReader in(bytes.data(), bytes.size());
            size_t words = 0;
            for (std::string word; words < entries && in.word(word); ++words)
                if (word.size() > kMaxItemNameBytes)
                    problem(name, "name " + std::to_string(words) + " is " +
                                      std::to_string(word.size()) + " bytes; at most 15 are kept");
            if (words < entries)
                problem(name, "holds " + std::to_string(words) + " names for " +
                                  std::to_string(entries) + " items");
            return true;
        }, kItemPackFileName);
    }

    void checkDescription(int kind, int32_t index) {
        const std::string name = itemDescriptionFileName(kind, index);
        check(name, [&name] {
            std::vector<uint8_t> bytes;
            TextBoxFile box;
            std::string error;
            if (!readDataFile(name, bytes)) return false;
            if (!parseItemDescription(bytes.data(), bytes.size(), box, &error)) {
                reportBadFile(name, error);
                return false;
            }
            return true;
        }, kItemPackFileName);
    }

    static std::vector<std::string> windowPictures() {
        std::vector<std::string> names = {"pic/interface.pic", "pic/hp.pic",  "pic/mp.pic",
                                          "pic/point.pic",     "pic/Head.pic", "pic/info.pic",
                                          "pic/choice.pic",    "pic/menu.pic", "pic/mss_box.pic",
                                          "pic/state_0.pic",   "pic/state_1.pic"};
        for (int i = 0; i < 3; ++i) names.push_back("pic/att" + std::to_string(i) + ".pic");
        for (int i = 0; i < 9; ++i) names.push_back("pic/ms_btn_" + std::to_string(i) + ".pic");
        for (int i = 0; i < 6; ++i) {
            names.push_back("pic/menu_btn_" + std::to_string(i) + ".pic");
            names.push_back("pic/mss_box_btn_" + std::to_string(i) + ".pic");
        }
        for (int i = 0; i < 12; ++i) names.push_back("pic/state_btn_" + std::to_string(i) + ".pic");
        return names;
    }

    // A set the game loads for something the world's files hold: missing,
    // that part of the game does not show. Checked once, named by `by`.
    void needSpriteSet(int set, const std::string& by) {
        if (checked_.count(spriteSetFileName(set))) return;
        check(spriteSetFileName(set), [set] { return CSpriteSet().load(set) == 1; }, by);
        ++report_.spriteSets;
    }

    // The people, shots and pet: each needs its set when the world has one.
    void checkNamedSpriteSets() {
        for (int map : numberedFiles("txt/npc/pos", "", ".txt"))
            needSpriteSet(CNpc::kSpriteSet, npcPositionFileName(map));
        for (int map : numberedFiles("txt/boss", "boss_", ".txt"))
            needSpriteSet(CShotList::kShotSet, bossFileName(map));
        std::error_code ec;
        if (fs::exists(dataPath(kItemPackFileName), ec)) needSpriteSet(CShotList::kShotSet, kItemPackFileName);
        for (const char* save : {kNewGameFileName, kSaveFileName}) {
            SaveRecord r;
            if (parseSave(save, save == kNewGameFileName, &r) && r.slots[kSlotPet].icon == CPet::kPetPicture)
                needSpriteSet(CPet::kSpriteSet, save);
        }
        for (fs::directory_iterator it(dataPath("txt/npc/talk"), ec), end; !ec && it != end; it.increment(ec)) {
            std::vector<uint8_t> bytes;
            TalkFile talk;
            const std::string name = "txt/npc/talk/" + it->path().filename().string();
            if (readFile(it->path().string(), bytes) &&
                parseTalkFile(bytes.data(), bytes.size(), talk, name.c_str()) && talk.actionCode == kActionPet)
                needSpriteSet(CPet::kSpriteSet, name);
        }
    }

    void checkSaves() {
        SaveRecord newGame;
        if (check(kNewGameFileName, [&newGame] { return parseSave(kNewGameFileName, true, &newGame); }))
            noteNewGameSkills(newGame);
        if (!fileExists(dataPath(kSaveFileName))) return;
        SaveRecord save;
        if (check(kSaveFileName, [&save] { return parseSave(kSaveFileName, false, &save); }) &&
            !mapNumbers_.count(save.mapNumber))
            problem(kSaveFileName, "the hero is on map " + std::to_string(save.mapNumber) +
                                       ", but " + mapFileName(save.mapNumber) + " is missing");
    }

    void noteNewGameSkills(const SaveRecord& hero) {
        auto note = [&](int s) {
            if (hero.slots[size_t(s)].icon != -1) shopTables_.newGameSkills.insert(hero.slots[size_t(s)].itemId);
        };
        note(kSlotWornSkill);
        for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s) note(s);
    }

    static bool parseSave(const char* name, bool newGame, SaveRecord* out) {
        std::vector<uint8_t> bytes;
        SaveRecord record;
        std::string error;
        if (!readDataFile(name, bytes)) return false;
        if (!parseSaveFile(bytes.data(), bytes.size(), newGame, record, &error)) {
            reportBadFile(name, error);
            return false;
        }
        if (out) *out = std::move(record);
        return true;
    }

    ContentReport& report_;
    std::map<std::string, bool> checked_;  // game name -> its loader accepted it
    std::set<int> mapNumbers_;
    std::set<std::string> pictures_;
    std::map<int, int> tileCounts_;  // set number -> tiles, for sets that loaded
    std::map<int, int> kindCounts_;  // set number -> object kinds
    size_t talkFiles_ = 0;
    ShopTables shopTables_;
    std::unique_ptr<CSpriteSet> npcSprites_;
    bool npcSpritesTried_ = false;
};

}  // namespace

ContentReport checkContent(const std::string& dir) {
    ContentReport report;
    DataDirScope scope(dir);
    ContentChecker(report).run();
    return report;
}

int validateCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (wantsHelp(args)) {
        out << "usage: " << kSynopsis << "\n\n"
            << "Loads a content tree with the game's own loaders: every maps/map_N.mmf with the\n"
            << "tile and object sets it names, its stage and the stage's pictures, its position\n"
            << "files for both entry sides, its minimap name and its monster or boss file (every\n"
            << "row their sprite sets need, positions inside the map); every sprite set with its delay\n"
            << "file (set 0, the hero, is required); every picture under pic/ and the cursor;\n"
            << "the item pack with its name files, every item's description, the help texts,\n"
            << "the windows' pictures and the effect and coin sprite sets (when the tree has\n"
            << "items); txt/user/init.txt and, if present, the save; every map's NPCs with the\n"
            << "talks, condition chains, shops, rewards and journeys they reach. Prints one line per missing or\n"
            << "malformed file with the reason, then a summary. Exit status 1 if anything is "
               "wrong.\n\n"
            << "It also names what loads but cannot work: a weapon whose picture is no weapon\n"
            << "kind (0 gun, 2 blade, 4 boomerang, 6 fist); NPCs on a map with monsters or a boss;\n"
            << "an NPC look that is not a row of sprite set 1000; a quest whose run does not end\n"
            << "at a boss two maps on from its giver; a reward naming no item or picture; an item\n"
            << "table over its limit (8 weapons, 44 energy items, 256 skills). A monster, boss or\n"
            << "NPC standing in the air or inside rock is a warning, which does not fail.\n";
        return kExitOk;
    }
    for (const std::string& a : args)
        if (a.size() > 1 && a[0] == '-')
            return usageError(err, "validate", "unknown option " + a, kSynopsis);
    if (args.size() != 1) return usageError(err, "validate", "needs one DIR", kSynopsis);

    std::error_code ec;
    if (!fs::is_directory(args[0], ec)) {
        err << "velk-pack validate: " << args[0] << ": not a directory\n";
        return kExitFailure;
    }
    const ContentReport report = checkContent(args[0]);
    auto print = [&out](const ContentProblem& p, const char* label) {
        out << p.file << ": " << label << p.reason;
        if (p.more > 0) out << " (and " << p.more << " more)";
        out << "\n";
    };
    for (const ContentProblem& p : report.problems) print(p, "");
    for (const ContentProblem& p : report.warnings) print(p, "warning: ");
    out << "validate " << args[0] << ": " << report.filesChecked << " files checked ("
        << report.maps << " maps, " << report.spriteSets << " sprite sets, " << report.pictures
        << " pictures), ";
    if (report.problems.empty())
        out << "no problems";
    else
        out << report.problems.size() << (report.problems.size() == 1 ? " file" : " files")
            << " with problems";
    if (!report.warnings.empty())
        out << ", " << report.warnings.size() << (report.warnings.size() == 1 ? " file" : " files")
            << " with warnings";
    out << "\n";
    return report.problems.empty() ? kExitOk : kExitFailure;
}

}  // namespace velk::pack
