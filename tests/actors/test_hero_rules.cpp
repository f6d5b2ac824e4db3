// The hero's rules of points: their arithmetic, and that nothing but CPlayer
// can write its hit points.

#include <gtest/gtest.h>

#include <climits>

#include "actors/player.h"
#include "support/temp_dir.h"
#include "world/field.h"

namespace {

template <typename T>
concept HitPointsWritable = requires(T& t) { t.hp = 1; };
template <typename T>
concept HitPointsReadable = requires(const T& t) { int32_t(t.hp); };

// The hero's hit points are read everywhere and written only by its rules;
// the record under it keeps them out of reach too.
static_assert(HitPointsReadable<CPlayer>);
static_assert(!HitPointsWritable<CPlayer>);
static_assert(!HitPointsWritable<PlayerRecord>);
static_assert(!HitPointsReadable<PlayerRecord>);

TEST(HeroRules, HealAddsEachGainUpToItsMaximum) {
    velk::TempDir dir;
    CField field{nullptr};
    CPlayer hero(field);
    hero.savesOnExit = false;
    const struct {
        int32_t hp, mp, hpGain, mpGain, wantHp, wantMp;
    } cases[] = {
        {40, 10, 30, 5, 70, 15},
        {90, 48, 30, 30, 100, 50},          // capped
        {1, 0, INT32_MAX, INT32_MAX, 100, 50},  // a huge gain does not wrap round
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hpGain);
        hero.maxHp = 100;
        hero.maxMp = 50;
        hero.heal(hero.maxHp, 0);
        hero.takeDamage(hero.hp - c.hp);
        hero.mp = c.mp;
        hero.heal(c.hpGain, c.mpGain);
        EXPECT_EQ(hero.hp, c.wantHp);
        EXPECT_EQ(hero.mp, c.wantMp);
    }
}

// Raising a hero to a level gives what levelling up by experience gives,
// level by level, and stops where experience stops.
TEST(HeroRules, RaisingTheLevelGivesWhatExperienceGives) {
    velk::TempDir dir;
    CField field{nullptr};
    CPlayer earned(field), raised(field);
    earned.savesOnExit = raised.savesOnExit = false;
    earned.takeDamage(7);
    raised.takeDamage(7);
    for (int32_t target : {1, 2, 9, 40}) {
        SCOPED_TRACE(target);
        while (earned.level < target) earned.gainExperience(earned.expNext);
        raised.raiseLevel(target);
        EXPECT_EQ(raised.level, target);
        EXPECT_EQ(raised.maxHp, earned.maxHp);
        EXPECT_EQ(raised.maxMp, earned.maxMp);
        EXPECT_EQ(raised.hp, earned.hp);
        EXPECT_EQ(raised.mp, earned.mp);
        EXPECT_EQ(raised.statPoints, earned.statPoints);
        EXPECT_EQ(raised.exp, earned.exp);
        EXPECT_EQ(raised.expNext, earned.expNext);
    }
    raised.raiseLevel(CPlayer::kTopLevel + 20);
    EXPECT_EQ(raised.level, CPlayer::kTopLevel);
    earned.raiseLevel(CPlayer::kTopLevel);
    earned.gainExperience(INT32_MAX);
    EXPECT_EQ(earned.level, CPlayer::kTopLevel);
}

}  // namespace
