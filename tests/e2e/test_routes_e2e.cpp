// End to end: a hero follows each demo map's walked route, given as "route:"
// lines in the map's source, from its entry to its exit. The walk runs the
// real application headless, steering the keys frame by frame from what the
// hero does; the keys it pressed are then replayed as a script through the
// real `velk`, which must end in the same place.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>
#include <set>
#include <sstream>

#include "game/world.h"
#include "app/game_app.h"
#include "content/save_writer.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/game_random.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "platform/input_state.h"
#include "play_driver.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace velk {
namespace {

// The steps of one kind of walk in a map's source: "route", "route back" or
// "visit" (a tour from the forward entry to the places the routes pass by).
std::vector<std::string> stepsOf(int map, const std::string& kind) {
    std::ifstream in(std::string(VELK_SOURCE_DIR) + "/demo/sources/maps/map_" + std::to_string(map) + ".txt");
    const std::string prefix = "# " + kind + ": ";
    std::vector<std::string> steps;
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) steps.push_back(line.substr(prefix.size()));
    return steps;
}

// The save a walk starts from: a fresh hero on `map`, sturdy enough that no
// monster's blow on the way ends the walk.
std::string saveOn(int map) {
    SaveRecord r;
    r.name = toCp949("벨크");
    r.mapNumber = map;
    r.hp = 5000;
    r.mp = 50;
    r.hpStat = 500;
    r.mpStat = 5;
    r.attackStat = 6;
    r.defenceStat = 4;
    r.skillStat = 3;
    return saveFileText(r);
}

// The monsters' choices follow the seed, so a walk among them is the same
// walk every time, in the test and in its replay.
constexpr unsigned kSeed = 7;

class RouteWalker {
public:
    RouteWalker(const std::string& data, int map) : play_(data, kSeed) {
        play_.beforeFrame = [this] {
            if (GameState == kStatePlay) checkCamera();
        };
        play_.afterFrame = [this] {
            const CPlayer& p = hero();
            if (p.jumpStep == 0 && g_field->terrain(p.x / 8, p.y / 8) == kTerrainGround)
                stood_.insert({p.x / 32, p.y / 32});
        };
        startMap_ = map;
    }

    bool ok() const { return play_.ok(); }
    // Tiles whose top the hero has stood on (column, row).
    const std::set<std::pair<int, int>>& stoodOn() const { return stood_; }
    // The first frame that drew the hero off his position or the camera
    // past the map, or empty.
    const std::string& cameraFault() const { return cameraFault_; }
    const std::string& script() const { return play_.script(); }
    long frames() const { return play_.frames(); }
    const CPlayer& hero() const { return play_.hero(); }

    // Enters the map from its far side (as walking back into it does).
    void enterBackwards(int map) {
        g_field->mapNumber = map + 1;
        GameState = kStatePreviousMap;
        play_.pass();
        startMap_ = map;
    }

    // Runs one step of a route; false (with `why`) when it cannot be done.
    bool run(const std::string& step, std::string& why) {
        std::istringstream words(step);
        std::string verb, dir, rest;
        words >> verb >> dir;
        std::getline(words, rest);
        const int side = dir == "left" ? dik::kLeft : dik::kRight;
        const int sign = dir == "left" ? -1 : 1;
        int target = 0;
        if (size_t eq = rest.find('='); eq != std::string::npos) target = std::stoi(rest.substr(eq + 1));

        if (verb == "walk" && rest.find("exit") != std::string::npos) {
            play_.keys({side});
            return until([&] { return g_field->mapNumber != startMap_; }, 600, why, step);
        }
        if (verb == "walk") {
            play_.keys({side});
            // Keys act a frame late, so let go one step early.
            bool done = until([&] { return sign * (hero().x - target) >= -8; }, 600, why, step);
            play_.keys({});
            settle();
            if (done && hero().x != target) why = step + ": stopped at x=" + std::to_string(hero().x);
            return done && hero().x == target;
        }
        if (verb == "jump" && dir == "up") {
            play_.keys({dik::kLAlt});
            play_.pass();
            play_.keys({});
            bool done = until([&] { return hero().jumpStep == 0; }, 200, why, step);
            settle();
            return done;
        }
        if (verb == "jump") {
            play_.keys({side, dik::kLAlt});
            play_.pass();
            play_.keys({side});
            bool done = until([&] { return hero().jumpStep == 0; }, 200, why, step);
            play_.keys({});
            settle();
            return done;
        }
        if (verb == "climb") {
            play_.keys({dik::kUp});
            bool done = until([&] { return hero().y <= target; }, 400, why, step);
            play_.keys({});
            play_.pass();
            return done;
        }
        if (verb == "let") {
            play_.keys({dik::kUp, dik::kDown});
            play_.pass();
            play_.keys({});
            settle();
            return true;
        }
        if (verb == "drop") {
            play_.keys({side});
            bool fell = until([&] { return hero().jumpStep >= 15; }, 300, why, step);
            play_.keys({});
            bool landed = fell && until([&] { return hero().jumpStep == 0; }, 200, why, step);
            settle();
            return landed;
        }
        why = "unknown route step '" + step + "'";
        return false;
    }

private:
    // Where the hero is drawn against where he stands, and the camera against
    // the map's edges, as this frame is about to draw them.
    void checkCamera() {
        const CPlayer& p = hero();
        const int32_t lowest = 32 * g_field->mapData.rows - 600;
        std::string fault;
        if (p.cameraFollowsY && p.lockedScreenY != p.y - g_field->camera.y)
            fault = "hero drawn at screen y " + std::to_string(p.lockedScreenY) + ", stands at " +
                    std::to_string(p.y - g_field->camera.y);
        else if (g_field->camera.y < 0 || g_field->camera.y > lowest)
            fault = "camera y " + std::to_string(g_field->camera.y) + " outside 0.." + std::to_string(lowest);
        if (!fault.empty() && cameraFault_.empty())
            cameraFault_ = "frame " + std::to_string(play_.frames()) + ": " + fault;
    }
    bool until(const std::function<bool()>& done, int limit, std::string& why, const std::string& step) {
        if (play_.until(done, limit)) return true;
        why = step + ": not done after " + std::to_string(limit) + " frames (hero at " +
              std::to_string(hero().x) + ", " + std::to_string(hero().y) + ")";
        return false;
    }
    // A couple of idle frames so the hero comes to rest.
    void settle() {
        play_.pass();
        play_.pass();
    }

    PlayDriver play_;
    int startMap_ = 0;
    std::set<std::pair<int, int>> stood_;
    std::string cameraFault_;
};

// A copy of the demo world to walk in, monsters and all, except on the rocky
// hill: its flowers stand still and fire at any hero within 400 pixels, their
// shots flying through rock, so a hero who only walks (never fights back or
// waits them out) is pushed back from the same spot forever. There the walk
// is about the terrain alone.
std::string walkingWorld(const TempDir& work) {
    const std::string data = work.path() + "/data";
    std::filesystem::copy(demoDataDir(), data, std::filesystem::copy_options::recursive);
    std::filesystem::remove(data + "/txt/monster/mon_11.txt");
    return data;
}

struct Walk {
    int map;
    bool back;
    int endMap;  // where the route ends
};

void PrintTo(const Walk& w, std::ostream* os) {
    *os << "map " << w.map << (w.back ? " backwards" : " forwards") << " to map " << w.endMap;
}

class RouteTest : public ::testing::TestWithParam<Walk> {};

TEST_P(RouteTest, HeroWalksTheRouteToItsEnd) {
    const Walk walk = GetParam();
    TempDir work;
    const std::string data = walkingWorld(work);
    {
        std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveOn(walk.map);
    }
    const std::vector<std::string> route = stepsOf(walk.map, walk.back ? "route back" : "route");
    ASSERT_FALSE(route.empty()) << "map " << walk.map << " has no route";

    std::string script;
    long frames = 0;
    int endX = 0, endY = 0;
    {
        RouteWalker walker(data, walk.map);
        ASSERT_TRUE(walker.ok());
        if (walk.back) walker.enterBackwards(walk.map);
        for (const std::string& step : route) {
            std::string why;
            ASSERT_TRUE(walker.run(step, why)) << "map " << walk.map << ": " << why;
        }
        EXPECT_EQ(g_field->mapNumber, walk.endMap);
        // Ropes (maps 11 and 12) and ladders included, the camera keeps the
        // hero drawn where he stands and stays inside the map.
        EXPECT_EQ(walker.cameraFault(), "") << "map " << walk.map;
        script = walker.script();
        frames = walker.frames();
        endX = walker.hero().x;
        endY = walker.hero().y;
    }
    if (walk.back) return;  // entering from the far side has no script form

    // The same keys, replayed by the real program from the same save, end in
    // the same place: runs are deterministic and scripts reproduce them.
    std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveOn(walk.map);
    VelkRun run = runVelk(
        work.path(), {"--skip-title", "--seed", std::to_string(kSeed), "--frames", std::to_string(frames)}, script);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(jsonNumberIn(run.state, "map", "number"), walk.endMap);
    EXPECT_EQ(jsonNumberIn(run.state, "hero", "x"), endX);
    EXPECT_EQ(jsonNumberIn(run.state, "hero", "y"), endY);
}

INSTANTIATE_TEST_SUITE_P(E2eRoutes, RouteTest,
                         ::testing::Values(Walk{0, false, 0}, Walk{1, false, 2}, Walk{2, false, 2},
                                           Walk{9, false, 10}, Walk{10, false, 11},
                                           Walk{10, true, 9}, Walk{11, false, 12},
                                           Walk{11, true, 10}, Walk{12, false, 11}),
                         [](const auto& walk) {
                             return "Map" + std::to_string(walk.param.map) +
                                    (walk.param.back ? "Back" : "Forward");
                         });

// Every place to stand (a run of at least two tile tops with open air above)
// of a map that no walk stood on, as "row R, columns A-B". The tops of the
// walls that close the map's sides are its border, and a lone tile between a
// ladder and a wall is a gap, not a place to stand.
std::vector<std::string> unreached(const std::set<std::pair<int, int>>& stood) {
    std::vector<std::string> out;
    const CMapData& m = g_field->mapData;
    for (int r = 1; r < m.rows; ++r) {
        for (int c = 0; c < m.columns;) {
            auto top = [&](int col) {
                return g_field->terrain(4 * col + 1, 4 * r) == kTerrainGround &&
                       g_field->terrain(4 * col + 1, 4 * r - 1) == kTerrainEmpty;
            };
            if (!top(c)) {
                ++c;
                continue;
            }
            const int first = c;
            bool reached = false;
            for (; c < m.columns && top(c); ++c) reached = reached || stood.count({c, r});
            if (!reached && first > 0 && c < m.columns && c - first >= 2)
                out.push_back("row " + std::to_string(r) + ", columns " + std::to_string(first) + "-" +
                              std::to_string(c - 1));
        }
    }
    return out;
}

class ReachTest : public ::testing::TestWithParam<int> {};

// The map's routes and its visit tour together stand on every platform, ledge
// and floor of the map: nothing is placed where a player cannot get.
TEST_P(ReachTest, EveryPlaceToStandIsReached) {
    const int map = GetParam();
    TempDir work;
    const std::string data = walkingWorld(work);
    std::set<std::pair<int, int>> stood;
    for (const char* kind : {"route", "route back", "visit"}) {
        const std::vector<std::string> steps = stepsOf(map, kind);
        if (steps.empty()) continue;
        std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveOn(map);
        RouteWalker walker(data, map);
        ASSERT_TRUE(walker.ok());
        if (std::string(kind) == "route back") walker.enterBackwards(map);
        for (const std::string& step : steps) {
            std::string why;
            ASSERT_TRUE(walker.run(step, why)) << "map " << map << " " << kind << ": " << why;
            if (g_field->mapNumber != map) break;
        }
        stood.insert(walker.stoodOn().begin(), walker.stoodOn().end());
        EXPECT_EQ(walker.cameraFault(), "") << "map " << map << " " << kind;
    }
    // The places are read from the map itself, loaded afresh: a walk may
    // have left it through an exit.
    std::vector<std::string> left;
    {
        std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveOn(map);
        RouteWalker onMap(data, map);
        left = unreached(stood);
    }
    std::string list;
    for (const std::string& place : left) list += "\n  " + place;
    EXPECT_TRUE(left.empty()) << "map " << map << ": no walk stands on" << list;
}

INSTANTIATE_TEST_SUITE_P(E2eReach, ReachTest, ::testing::Values(0, 1, 2, 9, 10, 11, 12),
                         [](const auto& map) { return "Map" + std::to_string(map.param); });

}  // namespace
}  // namespace velk
