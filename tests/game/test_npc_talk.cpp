// The people of a map and their talk box, on a small world with two NPCs:
// loading and saving their mission states, the click that opens a talk,
// conditions, the page and bottom buttons, what acceptance does, and a
// merchant's talk that runs a shop in the box's place.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/npc_writer.h"
#include "content/sprite_set_writer.h"
#include "core/game_state.h"
#include "platform/cp949.h"
#include "platform/files.h"
#include "support/game/hero_world.h"
#include "ui/widgets/notice_log.h"
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
    EXPECT_EQ(g_field->missionStates, (std::vector<int8_t>{2, 0}));
    EXPECT_EQ(g_field->npcMissionInfo & 0xFFF, 2);
    g_field->missionStates[1] = 1;
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
    TalkFile toCondition;
    toCondition.kind = TalkFile::Kind::Condition;
    toCondition.conditionNumber = 5;
    writeTalk(0, kTalkElder, toCondition);
    dir.write(conditionFileName(5), conditionFileText({kConditionAru, 100, 0, 40, 41}));
    writeTalk(0, 40, talk("poor", 0, 0, kActionNone, 0));
    writeTalk(0, 41, talk("rich", 0, 0, kActionNone, 0));
    startWorld(flatMap());
    hero().aru = 100;
    clickNpc(0);
    ASSERT_EQ(box().open, 1);
    EXPECT_EQ(box().talkNumber, 41);
    EXPECT_EQ(box().talk.text, "rich");

    // A condition that leads back to itself ends, closed and reported.
    std::vector<std::string> reports;
    setBadFileListener([&](const std::string& name, const std::string&) { reports.push_back(name); });
    writeTalk(0, 41, toCondition);
    clickBox(180, 225);
    clickNpc(0);
    setBadFileListener({});
    EXPECT_EQ(box().open, 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], talkFileName(0, kTalkElder));
    const int x = hero().x;
    hold(dik::kRight);
    frames(3);
    EXPECT_GT(hero().x, x);
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
    EXPECT_EQ(box().open, 1);
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
    int wantMap;
    int wantState;
    int wantQuestStep;
};

TEST_F(NpcTalk, AcceptanceCarriesOutTheAction) {
    const ActionCase cases[] = {
        {"fee travel", 0, 30, 50, 20, 0, kStateNextMap, 0},
        {"fee refused", 0, 30, 10, 10, 0, kStatePlay, 0},
        {"free travel", kActionTravel, 4, 10, 10, 4, kStateNextMap, 0},
        {"quest run", kActionQuest, 1, 10, 10, 1, kStateNextMap, 1},
        {"pet refused", kActionPet, 500, 499, 499, 0, kStatePlay, 0},
        {"nothing", kActionNone, 4, 10, 10, 0, kStatePlay, 0},
    };
    for (const ActionCase& c : cases) {
        SCOPED_TRACE(c.name);
        const long refusals = soundCount("no");
        writeTalk(0, kTalkGuide, talk("go?", 1, 0, c.code, c.value));
        startWorld(flatMap());
        hero().aru = c.aru;
        GameState = kStatePlay;
        clickNpc(1);
        clickBox(180, 225);  // accept
        EXPECT_EQ(hero().aru, c.wantAru);
        EXPECT_EQ(g_field->mapNumber, c.wantMap);
        EXPECT_EQ(GameState, c.wantState);
        EXPECT_EQ(g_field->questStep, c.wantQuestStep);
        if (c.code == kActionQuest) {
            EXPECT_EQ((g_field->npcMissionInfo >> 12) & 0xFFF, 1);
        }
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
    EXPECT_EQ(g_field->missionStates[1], 2);
    EXPECT_EQ(savedStates(), "0\n2\n");
    EXPECT_EQ(soundCount("gay"), 1);
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
        EXPECT_EQ(hero().shopLock, 1);
        clickAt(300 + 90, 200 + 230);  // the shop's close button
        EXPECT_FALSE(box().shop);
        EXPECT_EQ(box().open, 0);
        EXPECT_EQ(box().textLength, -2);
        EXPECT_EQ(box().lastTalkNumber, -2);  // so the next click reads the talk again
        EXPECT_EQ(hero().shopLock, 0);
    }
}

}  // namespace
}  // namespace velk
