#pragma once
// The named effect buffers every part plays, and the effect files the game
// loads into them at start-up.

#include <array>

#include "platform/sound_bank.h"

struct EffectBuffers {
    SoundBuffer jump{0, "jump"}, holkick{0, "holkick"}, sliding{0, "sliding"};
    SoundBuffer monsterShot{0, "monsterShot"}, weapon{0, "weapon"};
    SoundBuffer monsterHit{0, "monsterHit"}, userhit{0, "userhit"};
    SoundBuffer monsterDie{0, "monsterDie"}, userdie{0, "userdie"};
    SoundBuffer eat{0, "eat"}, eat_e{0, "eat_e"}, levelup{0, "levelup"};
    SoundBuffer out{0, "out"}, no{0, "no"}, open{0, "open"}, gay{0, "gay"};
    SoundBuffer btn{0, "btn"}, btn0{0, "btn0"}, btn1{0, "btn1"}, btn2{0, "btn2"};
    SoundBuffer wait{0, "wait"};

    // Every buffer above, for releasing them all.
    std::array<SoundBuffer*, 21> all();
};
extern EffectBuffers g_effects;

namespace velk {

struct EffectFile {
    const char* file;
    SoundBuffer EffectBuffers::*buffer;
};
// Loaded in this order when the game starts.
extern const std::array<EffectFile, 17> kStartupEffects;

// Loads every start-up effect into its buffer; a missing file leaves its
// buffer silent.
void loadStartupEffects(CSoundBank& bank);
// Empties every named buffer (shutdown).
void releaseEffects(CSoundBank& bank);

}  // namespace velk
