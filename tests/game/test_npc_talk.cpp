// The people of a map and their talk box, on a small world with two NPCs:
// loading and saving their mission states, the click that opens a talk,
// conditions, the page and bottom buttons, what acceptance does, and a
// merchant's talk that runs a shop in the box's place.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "content/npc_writer.h"
#include "content/sprite_set_writer.h"
#include "actors/pet.h"
#include "core/game_state.h"
#include "items/save_alert.h"
#include "formats/save_file.h"
#include "items/save_journal.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "game/window_stack.h"
#include "support/game/hero_world.h"
#include "ui/interface.h"
#include "widgets/notice_log.h"
#include "world/field.h"

namespace velk {
namespace {

// NPC frames are 20 x 40 with their feet at the NPC's position.
constexpr int kNpcW = 20, kNpcH = 40;
constexpr int kTalkElder = 7, kTalkGuide = 9;

class NpcTalk : public HeroWorldTest {
protected:
    void SetUp() override {
        HeroWorldTest::SetUp();
        for (const char* name : {"open", "gay", "no", "btn1", "btn2"}) writeEffect(std::string("sound/") + name + ".wav");
        SpriteSetSource s;
        SpriteFrameSource f;
        f.width = kNpcW;
        f.height = kNpcH;
        f.pixels.assign(size_t(kNpcW) * kNpcH, 0xFFC08020);
        f.boxes = {{0, 0, kNpcW, kNpcH}};
        s.frames = {f, f};
        s.rows = {{{0, -kNpcW / 2, -kNpcH}}, {{1, -kNpcW / 2, -kNpcH}}};
        s.delays = {1, 1};
        dir.write(spriteSetFileName(1000), encodeSpriteSet(s));
        dir.write(spriteDelayFileName(1000), spriteDelayText(s.delays));
        dir.write(npcPositionFileName(0), npcPositionText({{100, 400, kTalkElder, 0}, {300, 400, kTalkGuide, 1}}));
        dir.write(missionStateFileName(0), "0\n0\n");
    }

    void writeTalk(int state, int number, const TalkFile& t) {
        std::string text;
        ASSERT_TRUE(talkFileText(t, text));
        dir.write(talkFileName(state, number), text);
    }
    static TalkFile talk(const std::string& text, int bottom, int page, int code, int value) {
        TalkFile t;
        t.text = text;
        t.bottomMode = bottom;
        t.pageMode = page;
        t.actionCode = code;
        t.actionValue = value;
        return t;
    }
    // Clicks the middle of NPC i's body and lets go.
    void clickNpc(size_t i) {
        int32_t sx = 0, sy = 0;
        world->npcs->screenPosition(i, sx, sy);
        clickAt(sx + kNpcW / 2, sy + kNpcH / 2);
    }
    void clickAt(int mx, int my) {
        backend.setMouse(mx, my);
        backend.setButton(0, true);
        frame();
        backend.setButton(0, false);
        frame();
    }
    // Clicks a button of the box, `dx`, `dy` from its corner.
    void clickBox(int dx, int dy) { clickAt(box().x + dx + 5, box().y + dy + 5); }
    CTalkBox& box() { return *world->npcs->talkBox; }
    static std::string savedStates() {
        std::vector<uint8_t> bytes;
        readSavedFile(missionStateFileName(0), bytes);
        return std::string(bytes.begin(), bytes.end());
    }
    std::string notice(int line = 0) const { return g_noticeLog->lines[line]; }
};

TEST_F(NpcTalk, LoadsPeopleOnlyWithAStateFileAndSavesTheirStates) {
    dir.write(missionStateFileName(0), "2\n");  // one state short: the second starts at 0
    startWorld(flatMap());
    ASSERT_EQ(world->npcs->count, 2);
    EXPECT_EQ(g_field->quest.missionStates, (std::vector<int8_t>{2, 0}));
    EXPECT_EQ(g_field->quest.npcMissionInfo & 0xFFF, 2);
    g_field->quest.missionStates[1] = 1;
    releaseWorld();
    EXPECT_EQ(savedStates(), "2\n1\n");

    std::remove(savePath(missionStateFileName(0)).c_str());
    startWorld(flatMap());
    EXPECT_EQ(world->npcs->count, 0);
    releaseWorld();
    std::vector<uint8_t> none;
    EXPECT_FALSE(readSavedFile(missionStateFileName(0), none));
}

TEST_F(NpcTalk, AClickOpensTheTalkThatTypesOutAndTakesTheHerosInput) {
    TalkFile t = talk("hello there", 0, 0, kActionNone, 0);
    t.lines = {{"late", 5, kLineRed, 0, 20}};
    writeTalk(0, kTalkGuide, t);
    startWorld(flatMap());
    clickNpc(1);
    ASSERT_EQ(box().open, 1);
    EXPECT_EQ(box().talkNumber, kTalkGuide);
    EXPECT_EQ(box().lastTalkNumber, kTalkGuide);
    // The click's frame and the release's each type a byte.
    EXPECT_EQ(box().shownBytes, 2);
    EXPECT_EQ(box().lineShown[0], 0);
    frames(5);
    EXPECT_EQ(box().shownBytes, 7);
    EXPECT_EQ(box().lineShown[0], 2);  // typing since 5 bytes were out
    frames(20);
    EXPECT_EQ(box().shownBytes, 11);
    const int x = hero().x;
    hold(dik::kRight);
    frames(5);
    EXPECT_EQ(hero().x, x);
    releaseAll();
    clickBox(180, 225);  // OK
    EXPECT_EQ(box().open, 0);
    EXPECT_EQ(box().lastTalkNumber, -1);
    EXPECT_EQ(GameState, kStatePlay);
}

TEST_F(NpcTalk, ConditionsLeadToATalk0FileAndALoopClosesTheBox) {
    const auto toCondition = [](int number) {
        TalkFile t;
        t.kind = TalkFile::Kind::Condition;
        t.conditionNumber = number;
        return t;
    };
    // Aru first, then the level, then a text.
    writeTalk(0, kTalkElder, toCondition(5));
    dir.write(conditionFileName(5), conditionFileText({kConditionAru, 100, 0, 40, 41}));
    writeTalk(0, 40, talk("poor", 0, 0, kActionNone, 0));
    writeTalk(0, 41, toCondition(6));
    dir.write(conditionFileName(6), conditionFileText({kConditionLevel, 2, 0, 42, 43}));
    writeTalk(0, 42, talk("rich but green", 0, 0, kActionNone, 0));
    writeTalk(0, 43, talk("rich and seasoned", 0, 0, kActionNone, 0));
    startWorld(flatMap());
    hero().aru = 100;
    clickNpc(0);
    ASSERT_EQ(box().open, 1);
    EXPECT_EQ(box().talkNumber, 42);
    EXPECT_EQ(box().talk.text, "rich but green");
    EXPECT_EQ(box().lastTalkNumber, kTalkElder);

    // A condition that leads back to itself ends, closed and reported with
    // the files it went through.
    std::vector<std::string> reports;
    setBadFileListener(
        [&](const std::string& name, const std::string& why) { reports.push_back(name + ": " + why); });
    writeTalk(0, 42, toCondition(5));
    clickBox(180, 225);
    clickNpc(0);
    setBadFileListener({});
    EXPECT_EQ(box().open, 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].rfind(talkFileName(0, kTalkElder), 0), 0u) << reports[0];
    for (const std::string& file : {conditionFileName(5), conditionFileName(6), talkFileName(0, 42)})
        EXPECT_NE(reports[0].find(file), std::string::npos) << file;
    const int x = hero().x;
    hold(dik::kRight);
    frames(3);
    EXPECT_GT(hero().x, x);
}

TEST_F(NpcTalk, ColouredLinesTypeOutOnceTheirStartIsShown) {
    TalkFile t = talk(std::string(250, 'a'), 0, 0, kActionNone, 0);
    t.lines = {{std::string(40, 'b'), 0, kLineBlue, 0, 20}, {std::string(40, 'c'), 200, kLineGreen, 0, 40}};
    writeTalk(0, kTalkGuide, t);
    startWorld(flatMap());
    clickNpc(1);
    ASSERT_EQ(box().open, 1);
    backend.setMouse(5, 5);
    // Main-text bytes shown -> bytes shown of each line.
    const struct {
        int shown;
        int first, second;
    } cases[] = {{2, 2, 0}, {10, 10, 0}, {200, 40, 0}, {201, 40, 1}, {210, 40, 10}};
    for (const auto& c : cases) {
        while (box().shownBytes < c.shown) frame();
        EXPECT_EQ(box().lineShown[0], c.first) << c.shown;
        EXPECT_EQ(box().lineShown[1], c.second) << c.shown;
    }
}

TEST_F(NpcTalk, APageButtonLeafsOnlyWhenReleasedOverIt) {
    writeTalk(0, kTalkElder, talk("page one", -1, 1, kActionNone, 0));
    writeTalk(0, kTalkElder + 1, talk("page two", 1, 3, kActionNone, 0));
    startWorld(flatMap());
    clickNpc(0);
    backend.setMouse(box().x + 20, box().y + 175);
    backend.setButton(0, true);
    frame();
    backend.setMouse(box().x + 200, box().y + 100);
    backend.setButton(0, false);
    frame();
    EXPECT_EQ(box().talk.text, "page one");
    clickBox(10, 170);
    EXPECT_EQ(box().talk.text, "page two");
    EXPECT_EQ(box().talkNumber, kTalkElder + 1);
    EXPECT_EQ(box().lastTalkNumber, kTalkElder);
    EXPECT_EQ(box().open, 1);
    clickBox(10, 170);  // back with the last page's previous button
    EXPECT_EQ(box().talk.text, "page one");
    EXPECT_EQ(box().open, 1);
    clickBox(10, 170);
    clickBox(108, 225);  // decline
    EXPECT_EQ(box().open, 0);
    EXPECT_EQ(box().lastTalkNumber, -1);
}

TEST_F(NpcTalk, DraggingMovesTheBoxButNeverWhollyOffScreen) {
    writeTalk(0, kTalkElder, talk("drag me", 0, 0, kActionNone, 0));
    startWorld(flatMap());
    clickNpc(0);
    backend.setMouse(box().x + 100, box().y + 50);
    backend.setButton(0, true);
    frame();
    for (int i = 0; i < 20; ++i) {
        backend.setMouse(box().x + 100 + 60, box().y + 50 + 40);
        frame();
    }
    backend.setButton(0, false);
    frame();
    // Twenty pixels of it stay on screen.
    EXPECT_EQ(box().x, 780);
    EXPECT_EQ(box().y, 580);
}

struct ActionCase {
    const char* name;
    int code;
    int value;
    int aru;
    int wantAru;
    int wantMap;  // once the requested map change has run
    int wantState;
    int wantQuestStep;
    bool wantPet;
};

TEST_F(NpcTalk, AcceptanceCarriesOutTheAction) {
    const ActionCase cases[] = {
        {"fee travel", 0, 30, 50, 20, 1, kStateNextMap, 0, false},
        {"fee refused", 0, 30, 10, 10, 0, kStatePlay, 0, false},
        {"free travel", kActionTravel, 4, 10, 10, 5, kStateNextMap, 0, false},
        {"quest run", kActionQuest, 1, 10, 10, 1, kStateNextMap, 2, false},
        {"pet bought", kActionPet, 500, 500, 0, 0, kStatePlay, 0, true},
        {"pet refused", kActionPet, 500, 499, 499, 0, kStatePlay, 0, false},
        {"nothing", kActionNone, 4, 10, 10, 0, kStatePlay, 0, false},
    };
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const long refusals = soundCount("no");
        writeTalk(0, kTalkGuide, talk("go?", 1, 0, c.code, c.value));
        startWorld(flatMap());
        hero().aru = c.aru;
        const ItemSlot petSlot = hero().slots[kSlotPet];
        GameState = kStatePlay;
        clickNpc(1);
        clickBox(180, 225);  // accept
        EXPECT_EQ(hero().aru, c.wantAru);
        EXPECT_EQ(GameState, c.wantState);
        if (c.code == kActionQuest) {
            EXPECT_EQ((g_field->quest.npcMissionInfo >> 12) & 0xFFF, 1);
        }
        g_field->changeMapNumbers(GameState);
        EXPECT_EQ(g_field->mapNumber, c.wantMap);
        EXPECT_EQ(g_field->quest.step, c.wantQuestStep);
        EXPECT_EQ(hero().pet != nullptr, c.wantPet);
        EXPECT_EQ(hero().slots[kSlotPet].icon, c.wantPet ? CPet::kPetPicture : petSlot.icon);
        if (c.wantState == kStatePlay && c.aru < c.value) {
            EXPECT_EQ(notice(), toCp949("아루가 부족합니다.(" + std::to_string(c.value - c.aru) + ")"));
            EXPECT_EQ(soundCount("no"), refusals + 1);
        }
        GameState = kStatePlay;
        releaseWorld();
        dir.write(missionStateFileName(0), "0\n0\n");
    }
}

TEST_F(NpcTalk, RewardsArePaidOnceAndTheStateIsSaved) {
    dir.write(missionStateFileName(0), "0\n1\n");
    TalkFile t = talk("well done", 0, 0, kActionRewards, 2);
    t.rewards = {{kRewardAru, 250, 0}, {kRewardItem, 8, 3}};
    writeTalk(1, kTalkGuide, t);
    startWorld(flatMap());
    hero().aru = 5;
    clickNpc(1);
    clickBox(180, 225);
    EXPECT_EQ(hero().aru, 255);
    EXPECT_EQ(hero().slots[8].icon, 3);
    EXPECT_EQ(notice(0), toCp949("아이템을 받았습니다."));
    EXPECT_EQ(notice(1), toCp949("아루를 받았습니다.(+250)"));
    EXPECT_EQ(g_field->quest.missionStates[1], 2);
    EXPECT_EQ(savedStates(), "0\n2\n");
    EXPECT_EQ(soundCount("gay"), 1);
}

TEST_F(NpcTalk, AnAruRewardStopsAtTheTopOfThePurse) {
    dir.write(missionStateFileName(0), "0\n1\n");
    TalkFile t = talk("well done", 0, 0, kActionRewards, 1);
    t.rewards = {{kRewardAru, 250, 0}};
    writeTalk(1, kTalkGuide, t);
    startWorld(flatMap());
    hero().aru = INT32_MAX - 100;
    clickNpc(1);
    clickBox(180, 225);
    EXPECT_EQ(hero().aru, INT32_MAX);
    EXPECT_EQ(g_field->quest.missionStates[1], 2);
}

// The reward is kept by two writes, the hero and the mission states. Killed
// before any step of them, the next start finds it either taken and kept or
// not taken and still offered; never lost, never twice.
TEST_F(NpcTalk, ARewardSurvivesAKillAtEveryStepOfItsWrites) {
    TalkFile t = talk("well done", 0, 0, kActionRewards, 2);
    t.rewards = {{kRewardAru, 250, 0}, {kRewardItem, 8, 3}};
    writeTalk(1, kTalkGuide, t);
    newGame.aru = 5;
    for (int kill = 0; kill <= 4; ++kill) {
        SCOPED_TRACE("killed before step " + std::to_string(kill));
        releaseWorld();
        dir.write(missionStateFileName(0), "0\n1\n");
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            startWorld(flatMap());
            setSaveStepHook([kill](int step) {
                if (step == kill) _exit(0);
                return true;
            });
            clickNpc(1);
            clickBox(180, 225);
            _exit(1);  // the kill never came
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        // The next start, on what the kill left.
        objects = std::make_unique<CGameObjects>(&backend, &device);
        ASSERT_TRUE(objects->create());
        world = objects->world.get();
        const bool taken = hero().aru == 255 && hero().slots[8].icon == 3 && g_field->quest.missionStates[1] == 2;
        const bool offered = hero().aru == 5 && hero().slots[8].icon == -1 && g_field->quest.missionStates[1] == 1;
        EXPECT_TRUE(taken || offered) << hero().aru << " " << int(g_field->quest.missionStates[1]);
        EXPECT_EQ(taken, kill >= 1) << "the journal, once written, carries the reward";
    }
}

// A write that cannot be made (its folder read-only or full: here a folder
// stands where its temporary file goes) gives nothing and changes no file;
// the player is told in the game and the run's exit code says it.
TEST_F(NpcTalk, ARewardThatCannotBeSavedIsNotGivenAndTheFailureIsTold) {
    TalkFile t = talk("well done", 0, 0, kActionRewards, 2);
    t.rewards = {{kRewardAru, 250, 0}, {kRewardItem, 8, 3}};
    writeTalk(1, kTalkGuide, t);
    newGame.aru = 5;
    const std::vector<std::string> folders = {kSaveJournalName, kSaveFileName, missionStateFileName(0)};
    for (const std::string& blocked : folders) {
        SCOPED_TRACE(blocked);
        resetSaveFailures();
        releaseWorld();  // its people save their states as they go
        dir.write(missionStateFileName(0), "0\n1\n");
        startWorld(flatMap());
        std::filesystem::create_directories(savePath(blocked) + ".tmp");
        clickNpc(1);
        clickBox(180, 225);
        EXPECT_EQ(hero().aru, 5);
        EXPECT_EQ(hero().slots[8].icon, -1);
        EXPECT_EQ(g_field->quest.missionStates[1], 1);
        EXPECT_EQ(savedStates(), "0\n1\n");
        EXPECT_FALSE(std::filesystem::exists(savePath(kSaveFileName)));
        EXPECT_TRUE(saveFailed());
        EXPECT_EQ(notice(), toCp949("보상을 저장하지 못했습니다."));
        objects->showSaveFailures();
        ASSERT_TRUE(objects->saveAlert->isOpen());
        EXPECT_EQ(objects->windows->top(), objects->saveAlert.get());
        EXPECT_EQ(std::string(objects->saveAlert->box->lines[0]), toCp949("보상을 저장하지 못했습니다."));
        // The alert holds the input until its OK.
        const CMessageBox& alert = *objects->saveAlert->box;
        clickAt(alert.x + 120, alert.y + 105);  // its OK (a one-button box)
        EXPECT_FALSE(objects->saveAlert->isOpen());

        // Once the folder takes writes again the reward is still offered.
        std::filesystem::remove(savePath(blocked) + ".tmp");
        clickNpc(1);
        clickBox(180, 225);
        EXPECT_EQ(hero().aru, 255);
        EXPECT_EQ(g_field->quest.missionStates[1], 2);
        EXPECT_EQ(savedStates(), "0\n2\n");
    }
    resetSaveFailures();
}

TEST_F(NpcTalk, AnItemRewardNeverWritesOverTheHerosOwnItems) {
    const struct {
        const char* name;
        int named;
        std::vector<int> taken;  // weapon slots already holding something
        int wantSlot;            // -1: nothing is paid, the mission stays open
    } cases[] = {
        {"named slot free", 10, {8, 9}, 10},
        {"named slot taken", 10, {8, 10}, 9},
        {"worn slot names the bag", 0, {0, 8}, 9},
        {"bag full", 10, {8, 9, 10, 11, 12, 13, 14, 15, 16, 17}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(missionStateFileName(0), "0\n1\n");
        TalkFile t = talk("well done", 0, 0, kActionRewards, 2);
        t.rewards = {{kRewardItem, c.named, 3}, {kRewardAru, 250, 0}};
        writeTalk(1, kTalkGuide, t);
        startWorld(flatMap());
        hero().aru = 5;
        const long refusals = soundCount("no");
        for (int s = 0; s < kSlotEnergyBagFirst; ++s) hero().slots[size_t(s)] = {0, -1, 0};
        for (int s : c.taken) hero().slots[size_t(s)] = {1, 99, 9};
        auto want = hero().slots;
        if (c.wantSlot >= 0) want[size_t(c.wantSlot)] = {1, 3, 0};
        clickNpc(1);
        clickBox(180, 225);
        for (int s = 0; s < kSlotEnergyBagFirst; ++s) {
            EXPECT_EQ(hero().slots[size_t(s)].icon, want[size_t(s)].icon) << s;
            EXPECT_EQ(hero().slots[size_t(s)].count, want[size_t(s)].count) << s;
        }
        EXPECT_EQ(hero().aru, c.wantSlot >= 0 ? 255 : 5);
        EXPECT_EQ(g_field->quest.missionStates[1], c.wantSlot >= 0 ? 2 : 1);
        if (c.wantSlot < 0) {
            EXPECT_EQ(notice(), toCp949("가방에 빈 칸이 없습니다."));
            EXPECT_EQ(soundCount("no"), refusals + 1);
            EXPECT_EQ(savedStates(), "0\n1\n");
        }
        releaseWorld();
    }
}

TEST_F(NpcTalk, ASkillRewardTakesTheFirstFreeBookSlot) {
    // Skill 0 of the test pack has icon 52.
    const struct {
        const char* name;
        std::vector<int> taken;  // book slots already holding something
        int value;
        int wantSlot;  // -1: no slot changes
    } cases[] = {
        {"empty book", {}, 1, 48},
        {"two taken", {48, 49}, 1, 50},
        {"gap", {48, 50}, 1, 49},
        {"full book", {48, 49, 50, 51, 52}, 1, -1},
        {"not a skill grant", {}, 2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(missionStateFileName(0), "0\n1\n");
        TalkFile t = talk("a secret", 0, 0, kActionRewards, 1);
        t.rewards = {{kRewardSkill, c.value, 0}};
        writeTalk(1, kTalkGuide, t);
        startWorld(flatMap());
        for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s) hero().slots[size_t(s)] = {0, -1, 0};
        for (int s : c.taken) hero().slots[size_t(s)] = {1, 99, 9};
        const auto before = hero().slots;
        clickNpc(1);
        clickBox(180, 225);
        for (int s = kSlotSkillBookFirst; s < kSlotCount; ++s) {
            const ItemSlot& slot = hero().slots[size_t(s)];
            if (s == c.wantSlot) {
                EXPECT_EQ(slot.icon, 52) << s;
                EXPECT_EQ(slot.itemId, 0) << s;
            } else {
                EXPECT_EQ(slot.icon, before[size_t(s)].icon) << s;
            }
        }
        EXPECT_EQ(notice(), toCp949("아이템을 받았습니다."));
        EXPECT_EQ(g_field->quest.missionStates[1], 2);
        releaseWorld();
    }
}

TEST_F(NpcTalk, AWholeItemRewardGivesTheItemAndNeverASkillTwice) {
    // The test pack: weapon 0 (icon 6), energy item 0 (icon 8), skill 0 (icon 52).
    const struct {
        const char* name;
        TalkReward reward;
        bool knowsSkill;  // book slot 48 already holds skill 0
        int wantSlot;     // -1: no slot changes
        int wantIcon;
        const char* wantNotice;
    } cases[] = {
        {"weapon", {kRewardWholeItem, kSlotWeaponBagFirst, 0}, false, 8, 6, "아이템을 받았습니다."},
        {"energy item", {kRewardWholeItem, kSlotEnergyBagFirst, 8}, false, 18, 8, "아이템을 받았습니다."},
        {"new skill", {kRewardWholeItem, kSlotSkillBookFirst, 52}, false, 48, 52, "아이템을 받았습니다."},
        {"known skill", {kRewardWholeItem, kSlotSkillBookFirst, 52}, true, -1, 0, "이미 가진 기술입니다."},
        {"known skill, type 102", {kRewardSkill, 1, 0}, true, -1, 0, "이미 가진 기술입니다."},
        {"no such item", {kRewardWholeItem, kSlotWeaponBagFirst, 7}, false, -1, 0, "아루를 받았습니다.(+5)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write(missionStateFileName(0), "0\n1\n");
        TalkFile t = talk("well done", 0, 0, kActionRewards, 2);
        t.rewards = {{kRewardAru, 5, 0}, c.reward};
        writeTalk(1, kTalkGuide, t);
        startWorld(flatMap());
        for (int s = kSlotWeaponBagFirst; s < kSlotCount; ++s) hero().slots[size_t(s)] = {0, -1, 0};
        if (c.knowsSkill) hero().slots[size_t(kSlotSkillBookFirst)] = {1, 52, 0};
        auto want = hero().slots;
        if (c.wantSlot >= 0) want[size_t(c.wantSlot)] = {1, c.wantIcon, 0};
        clickNpc(1);
        clickBox(180, 225);
        for (int s = 0; s < kSlotCount; ++s) {
            EXPECT_EQ(hero().slots[size_t(s)].icon, want[size_t(s)].icon) << s;
            EXPECT_EQ(hero().slots[size_t(s)].count, want[size_t(s)].count) << s;
            EXPECT_EQ(hero().slots[size_t(s)].itemId, want[size_t(s)].itemId) << s;
        }
        EXPECT_EQ(notice(), toCp949(c.wantNotice));
        EXPECT_EQ(g_field->quest.missionStates[1], 2);
        releaseWorld();
    }
}

TEST_F(NpcTalk, AShopTalkRunsTheShopUntilItsCloseButton) {
    TalkFile t;
    t.kind = TalkFile::Kind::Shop;
    t.shopKind = kShopKindWeapon;
    writeTalk(0, kTalkGuide, t);
    dir.write(shopFileName(kTalkGuide), shopFileText({0}));
    startWorld(flatMap());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        clickNpc(1);
        ASSERT_TRUE(box().shop);
        EXPECT_EQ(box().open, 1);
        EXPECT_LT(box().textLength, 1);
        EXPECT_EQ(objects->windows->top(), box().shop.get());  // on top, holding the input
        clickAt(300 + 90, 200 + 230);  // the shop's close button
        EXPECT_FALSE(box().shop);
        EXPECT_EQ(box().open, 0);
        EXPECT_EQ(box().textLength, -2);
        EXPECT_EQ(box().lastTalkNumber, -2);  // so the next click reads the talk again
        EXPECT_EQ(objects->windows->top(), objects->hud.get());
    }
}

}  // namespace
}  // namespace velk
