#pragma once
// A player's moves through the demo world's stories, steered from what the
// game shows: talking to people by clicking them, accepting their offers,
// walking a quest map to its exit and fighting its boss until it falls.

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "npc/talk_box.h"
#include "play_driver.h"

class CBoss;

namespace velk {

// Buttons of the talk box, from its corner (a few pixels inside each).
constexpr int kOkX = 185, kAcceptX = 185, kBottomY = 230;
constexpr int kPageLeftX = 15, kPageRightX = 87, kPageY = 175;

std::string readText(const std::string& path);
// A fresh copy of the demo world with no save in it.
std::string freshWorld(const std::string& dir);
// The hero's item slots in a state dump: [count, icon, itemId] each.
std::string slotsOf(const std::string& dump);

// How a played story ended, as the state dump and the saved files show it.
struct StoryEnd {
    long frames = 0;
    int map = 0;
    int aru = 0;
    int level = 0;
    std::string npcs;         // the dump's NPC list
    std::string statesFile;   // a mission-state file, under the data folder
    std::string states;       // its text
};

// The real `velk` replays `script` with `seed` on the world already at
// <workDir>/data, taking each screenshot of `shots` (name -> paced frame) as
// <workDir>/<name>.png, and must end as `end` says; a second run then loads
// the save it wrote and must find the same map, purse, bags and NPCs.
void expectReplayAndReload(const std::string& workDir, unsigned seed, const std::string& script,
                           const std::map<std::string, long>& shots, const StoryEnd& end);

class Story {
public:
    Story(const std::string& data, unsigned seed) : play(data, seed) {}

    CTalkBox& box() const;
    int map() const;
    // The newest line of the notice log, as UTF-8.
    static std::string lastNotice();

    // Walks until the NPC with this talk number stands well on screen, then
    // clicks the middle of its body. False if it cannot be reached.
    bool clickNpc(int talk);
    void clickBox(int dx, int dy) { play.click(box().x + dx, box().y + dy); }
    // Accepts and waits for the map change that the talk asked for.
    bool acceptAndTravel(int to);
    // Follows a map's walked route: right to each x, with a running jump
    // after each, then on into the exit. Monsters in the way are struck.
    bool walkOut(const std::vector<int>& jumpsAt);
    // Walks up to the boss and strikes until it falls (the game then takes
    // the hero back); drinks a potion from quick slot F1 when hurt.
    bool fightBoss(int frameLimit);
    // Lets `n` frames pass with no input change; the last one's number.
    long idle(int n);

    PlayDriver play;

protected:
    // One frame's keys against the boss: walk up to it and face it, then
    // strike every other three frames. Each choice is made on the boss and
    // hero as they were kReactionFrames earlier (about 300 ms, a player's
    // reaction), so the fights prove a person can win them, not only a
    // frame-exact policy. False (and the keys left alone) when the map has
    // no boss.
    bool approachOrStrikeBoss(int frame);

private:
    static constexpr size_t kReactionFrames = 5;
    struct Seen {
        int bossX, heroX;
        bool facingRight;
    };
    std::deque<Seen> seen_;
    const CBoss* seenBoss_ = nullptr;

    bool walkRightTo(int x);
};

}  // namespace velk
