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
#include <sstream>

#include "game/world.h"
#include "app/game_app.h"
#include "content/save_writer.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_script.h"
#include "platform/input_state.h"
#include "support/run_velk.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace velk {
namespace {

std::vector<std::string> routeOf(int map, bool back) {
    std::ifstream in(std::string(VELK_SOURCE_DIR) + "/demo/sources/maps/map_" + std::to_string(map) + ".txt");
    const std::string prefix = back ? "# route back: " : "# route: ";
    std::vector<std::string> steps;
    for (std::string line; std::getline(in, line);)
        if (line.rfind(prefix, 0) == 0) steps.push_back(line.substr(prefix.size()));
    return steps;
}

// The save a walk starts from: a fresh hero on `map`.
std::string saveOn(int map) {
    SaveRecord r;
    r.name = toCp949("벨크");
    r.mapNumber = map;
    r.hp = 100;
    r.mp = 50;
    r.hpStat = 10;
    r.mpStat = 5;
    r.attackStat = 6;
    r.defenceStat = 4;
    r.skillStat = 3;
    return saveFileText(r);
}

class RouteWalker {
public:
    RouteWalker(const std::string& data, int map) {
        setDataDirectory(data);
        Options options;
        options.skipTitle = true;
        app_ = std::make_unique<CGameApp>(&backend_, options);
        ok_ = app_->init();
        // Boot and enter play, as `velk --skip-title` does.
        while (ok_ && GameState != kStatePlay) pass();
        startMap_ = map;
    }
    ~RouteWalker() { app_.reset(); }

    bool ok() const { return ok_; }
    const std::string& script() const { return script_; }
    long frames() const { return app_->pacedFrames(); }
    const CPlayer& hero() const { return *g_world->player; }

    // Enters the map from its far side (as walking back into it does).
    void enterBackwards(int map) {
        g_field->mapNumber = map + 1;
        GameState = kStatePreviousMap;
        pass();
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
            keys({side});
            return until([&] { return g_field->mapNumber != startMap_; }, 600, why, step);
        }
        if (verb == "walk") {
            keys({side});
            // Keys act a frame late, so let go one step early.
            bool done = until([&] { return sign * (hero().x - target) >= -8; }, 600, why, step);
            keys({});
            settle();
            if (done && hero().x != target) why = step + ": stopped at x=" + std::to_string(hero().x);
            return done && hero().x == target;
        }
        if (verb == "jump") {
            keys({side, dik::kLAlt});
            pass();
            keys({side});
            bool done = until([&] { return g_world->player->jumpStep == 0; }, 200, why, step);
            keys({});
            settle();
            return done;
        }
        if (verb == "climb") {
            keys({dik::kUp});
            bool done = until([&] { return hero().y <= target; }, 400, why, step);
            keys({});
            pass();
            return done;
        }
        if (verb == "let") {
            keys({dik::kUp, dik::kDown});
            pass();
            keys({});
            settle();
            return true;
        }
        if (verb == "drop") {
            keys({side});
            bool fell = until([&] { return g_world->player->jumpStep >= 15; }, 300, why, step);
            keys({});
            bool landed = fell && until([&] { return g_world->player->jumpStep == 0; }, 200, why, step);
            settle();
            return landed;
        }
        why = "unknown route step '" + step + "'";
        return false;
    }

private:
    void pass() {
        backend_.pumpEvents();
        app_->frame();
    }
    // Holds exactly these keys from the next paced frame on.
    void keys(std::initializer_list<int> down) {
        const int all[] = {dik::kLeft, dik::kRight, dik::kUp, dik::kDown, dik::kLAlt};
        for (int k : all) {
            bool want = std::find(down.begin(), down.end(), k) != down.end();
            if (want == held_[k]) continue;
            held_[k] = want;
            backend_.setKey(k, want);
            ScriptEvent ev;
            ev.type = ScriptEvent::Type::Key;
            ev.frame = app_->pacedFrames();
            ev.key = k;
            ev.down = want;
            script_ += formatScriptEvent(ev) + "\n";
        }
    }
    bool until(const std::function<bool()>& done, int limit, std::string& why, const std::string& step) {
        for (int i = 0; i < limit; ++i) {
            pass();
            if (done()) return true;
        }
        why = step + ": not done after " + std::to_string(limit) + " frames (hero at " +
              std::to_string(hero().x) + ", " + std::to_string(hero().y) + ")";
        return false;
    }
    // A couple of idle frames so the hero comes to rest.
    void settle() {
        pass();
        pass();
    }

    HeadlessBackend backend_;
    std::unique_ptr<CGameApp> app_;
    bool ok_ = false;
    int startMap_ = 0;
    bool held_[256] = {};
    std::string script_;
};

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
    const std::string data = work.path() + "/data";
    std::filesystem::copy(demoDataDir(), data, std::filesystem::copy_options::recursive);
    {
        std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveOn(walk.map);
    }
    const std::vector<std::string> route = routeOf(walk.map, walk.back);
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
        script = walker.script();
        frames = walker.frames();
        endX = walker.hero().x;
        endY = walker.hero().y;
    }
    if (walk.back) return;  // entering from the far side has no script form

    // The same keys, replayed by the real program from the same save, end in
    // the same place: runs are deterministic and scripts reproduce them.
    std::ofstream(data + "/txt/user/user.txt", std::ios::binary) << saveOn(walk.map);
    VelkRun run = runVelk(work.path(), {"--skip-title", "--frames", std::to_string(frames)}, script);
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

}  // namespace
}  // namespace velk
