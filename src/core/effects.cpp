#include "core/effects.h"

EffectBuffers g_effects;

std::array<SoundBuffer*, 21> EffectBuffers::all() {
    return {&jump, &holkick, &sliding, &monsterShot, &weapon, &monsterHit, &userhit,
            &monsterDie, &userdie, &eat, &eat_e, &levelup, &out, &no,
            &open, &gay, &btn, &btn0, &btn1, &btn2, &wait};
}

namespace velk {

const std::array<EffectFile, 17> kStartupEffects{{
    {"sound\\jump.wav", &EffectBuffers::jump},       {"sound\\holkick.wav", &EffectBuffers::holkick},
    {"sound\\sliding.wav", &EffectBuffers::sliding}, {"sound\\userhit.wav", &EffectBuffers::userhit},
    {"sound\\userdie.wav", &EffectBuffers::userdie}, {"sound\\eat_e.wav", &EffectBuffers::eat_e},
    {"sound\\eat.wav", &EffectBuffers::eat},         {"sound\\levelup.wav", &EffectBuffers::levelup},
    {"sound\\btn.wav", &EffectBuffers::btn},         {"sound\\btn0.wav", &EffectBuffers::btn0},
    {"sound\\btn1.wav", &EffectBuffers::btn1},       {"sound\\btn2.wav", &EffectBuffers::btn2},
    {"sound\\out.wav", &EffectBuffers::out},         {"sound\\no.wav", &EffectBuffers::no},
    {"sound\\open.wav", &EffectBuffers::open},       {"sound\\gay.wav", &EffectBuffers::gay},
    {"sound\\wait.wav", &EffectBuffers::wait},
}};

void loadStartupEffects(CSoundBank& bank) {
    for (const EffectFile& e : kStartupEffects) bank.loadEffect(e.file, &(g_effects.*e.buffer));
}

void releaseEffects(CSoundBank& bank) {
    for (SoundBuffer* b : g_effects.all()) bank.releaseEffect(b);
}

}  // namespace velk
