#include "story.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "actors/boss.h"
#include "core/game_state.h"
#include "game/world.h"
#include "platform/cp949.h"
#include "platform/input_state.h"
#include "support/run_velk.h"
#include "widgets/notice_log.h"
#include "world/field.h"

namespace velk {

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string freshWorld(const std::string& dir) {
    std::filesystem::copy(demoDataDir(), dir, std::filesystem::copy_options::recursive);
    std::filesystem::remove(dir + "/txt/user/user.txt");
    return dir;
}

std::string slotsOf(const std::string& dump) {
    const size_t at = dump.find("\"slots\": [");
    const size_t end = dump.find("]]", at);
    return at == std::string::npos || end == std::string::npos ? "" : dump.substr(at, end - at + 2);
}

void expectReplayAndReload(const std::string& workDir, unsigned seed, const std::string& script,
                           const std::map<std::string, long>& shots, const StoryEnd& end) {
    std::vector<std::string> args = {"--skip-title", "--seed", std::to_string(seed), "--frames",
                                     std::to_string(end.frames)};
    for (const auto& [name, frame] : shots) {
        args.push_back("--screenshot");
        args.push_back(std::to_string(frame) + ":" + workDir + "/" + name + ".png");
    }
    const VelkRun run = runVelk(workDir, args, script);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(jsonNumberIn(run.state, "map", "number"), end.map);
    EXPECT_EQ(jsonNumberIn(run.state, "hero", "aru"), end.aru);
    EXPECT_EQ(jsonArray(run.state, "npcs"), end.npcs);
    EXPECT_EQ(readText(workDir + "/data/" + end.statesFile), end.states);
    for (const auto& [name, frame] : shots)
        EXPECT_TRUE(std::filesystem::exists(workDir + "/" + name + ".png")) << name;

    const VelkRun again = runVelk(workDir, {"--skip-title", "--frames", "2"});
    ASSERT_EQ(again.exitCode, 0) << again.output;
    EXPECT_EQ(jsonNumberIn(again.state, "map", "number"), end.map);
    EXPECT_EQ(jsonNumberIn(again.state, "hero", "aru"), end.aru);
    EXPECT_EQ(jsonNumberIn(again.state, "hero", "level"), end.level);
    EXPECT_NE(slotsOf(run.state), "");
    EXPECT_EQ(slotsOf(again.state), slotsOf(run.state));
    EXPECT_EQ(jsonArray(again.state, "npcs"), end.npcs);
}

CTalkBox& Story::box() const { return *g_world->npcs->talkBox; }

int Story::map() const { return g_field->mapNumber; }

std::string Story::lastNotice() { return g_noticeLog ? toUtf8(g_noticeLog->lines[0]) : ""; }

bool Story::clickNpc(int talk) {
    const std::vector<NpcRecord>& people = g_world->npcs->records;
    size_t i = 0;
    while (i < people.size() && people[i].talkNumber != talk) ++i;
    if (i == people.size()) return false;
    int32_t sx = 0, sy = 0;
    const auto onScreen = [&] {
        g_world->npcs->screenPosition(i, sx, sy);
        return sx > 150 && sx < 650;
    };
    if (!onScreen()) {
        g_world->npcs->screenPosition(i, sx, sy);
        play.keys({sx < 400 ? dik::kLeft : dik::kRight});
        const bool reached = play.until(onScreen, 600);
        play.keys({});
        if (!reached) return false;
        idle(3);
        onScreen();
    }
    const FrameBox* body = g_world->npcs->sprites->bodyBox(int(i));
    if (!body) return false;
    play.click(sx + (body->left + body->right) / 2, sy + (body->top + body->bottom) / 2);
    return box().open == 1;
}

bool Story::acceptAndTravel(int to) {
    clickBox(kAcceptX, kBottomY);
    return play.until([&] { return map() == to && GameState == kStatePlay; }, 20);
}

bool Story::walkOut(const std::vector<int>& jumpsAt) {
    const int from = map();
    for (int x : jumpsAt) {
        if (!walkRightTo(x)) return false;
        play.keys({dik::kRight, dik::kLAlt});
        play.pass();
        play.keys({dik::kRight});
        if (!play.until([&] { return play.hero().jumpStep == 0; }, 200)) return false;
    }
    play.keys({dik::kRight});
    const bool out = play.until([&] { return map() != from; }, 900);
    play.keys({});
    return out;
}

bool Story::fightBoss(int frameLimit) {
    const int from = map();
    for (int f = 0; f < frameLimit && map() == from; ++f) {
        if (g_world->boss && play.hero().hp < 40 && f % 20 == 0)
            play.keys({dik::kF1});
        else
            approachOrStrikeBoss(f);
        play.pass();
    }
    play.keys({});
    return map() != from;
}

bool Story::approachOrStrikeBoss(int frame) {
    const CBoss* boss = g_world->boss.get();
    if (!boss) return false;
    const CPlayer& hero = play.hero();
    // Act on what was on screen a player's reaction time ago, not this frame.
    if (boss != seenBoss_) seen_.clear();
    seenBoss_ = boss;
    seen_.push_back({int(boss->x), int(hero.x), hero.facing == 0});
    if (seen_.size() > kReactionFrames + 1) seen_.pop_front();
    const Seen& then = seen_.front();
    const int towards = then.bossX < then.heroX ? dik::kLeft : dik::kRight;
    const bool facingIt = (towards == dik::kRight) == then.facingRight;
    if (std::abs(then.bossX - then.heroX) > 60 || !facingIt)
        play.keys({towards});
    else
        play.keys(frame % 6 < 3 ? std::initializer_list<int>{dik::kLCtrl} : std::initializer_list<int>{});
    return true;
}

long Story::idle(int n) {
    play.until([] { return false; }, n);
    return play.frames() - 1;
}

bool Story::walkRightTo(int x) {
    bool reached = false;
    for (int f = 0; f < 900 && !reached; ++f) {
        // Strike now and then: a monster in the way is beaten, not walked into.
        play.keys(f % 40 < 3 ? std::initializer_list<int>{dik::kLCtrl} : std::initializer_list<int>{dik::kRight});
        play.pass();
        reached = play.hero().x >= x;
    }
    play.keys({});
    return reached;
}

}  // namespace velk
