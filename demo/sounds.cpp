// The demo world's sound effects, synthesized: one short, distinct sound for
// every effect file the game loads.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "demo/demo.h"
#include "demo/synth.h"

namespace demo {

namespace {

using synth::Mix;
using synth::Note;
using synth::Wave;

using synth::note;

double hz(const char* name) { return synth::noteHz(synth::noteNumber(name)); }

// Notes one after another, each `step` seconds after the last.
void run(Mix& m, Wave w, double start, double step, double len, std::vector<const char*> notes,
         double gain, double decay, double duty = 0.5) {
    for (size_t i = 0; i < notes.size(); ++i) {
        Note n = note(w, start + step * double(i), len, hz(notes[i]), 0, gain, decay);
        n.duty = duty;
        m.add(n);
    }
}

Mix jump() {
    Mix m(0.18);
    Note n = note(Wave::Square, 0, 0.16, 330, 880, 0.22, 0.1);
    n.duty = 0.25;
    m.add(n);
    m.add(note(Wave::Sine, 0, 0.16, 165, 440, 0.25, 0.1));
    m.lowPass(6000);
    return m;
}

Mix holkick() {
    Mix m(0.26);
    Note whoosh = note(Wave::Noise, 0, 0.24, 2000, 9000, 0.3, 0.1);
    whoosh.attack = 0.06;
    m.add(whoosh);
    m.add(note(Wave::Sine, 0.1, 0.14, 150, 55, 0.7, 0.06));
    return m;
}

Mix sliding() {
    Mix m(0.32);
    Note n = note(Wave::Noise, 0, 0.3, 7000, 2500, 0.35, 0.15);
    n.attack = 0.03;
    m.add(n);
    m.lowPass(3000);
    return m;
}

Mix userhit() {
    Mix m(0.16);
    m.add(note(Wave::Square, 0, 0.14, 440, 170, 0.25, 0.07));
    m.add(note(Wave::Noise, 0, 0.05, 9000, 0, 0.25, 0.02));
    m.lowPass(5000);
    return m;
}

Mix userdie() {
    Mix m(1.1);
    run(m, Wave::Triangle, 0, 0.16, 0.2, {"E5", "C5", "A4", "F4"}, 0.45, 0.12);
    Note fall = note(Wave::Triangle, 0.64, 0.45, 330, 80, 0.45, 0.2);
    fall.vibrato = 0.6;
    m.add(fall);
    return m;
}

Mix eatE() {
    Mix m(0.42);
    run(m, Wave::Triangle, 0, 0.05, 0.2, {"C5", "E5", "G5", "C6", "E6"}, 0.35, 0.1);
    run(m, Wave::Sine, 0.02, 0.05, 0.2, {"C6", "E6", "G6", "C7", "E7"}, 0.12, 0.08);
    return m;
}

Mix eat() {
    Mix m(0.26);
    run(m, Wave::Square, 0, 0.06, 0.06, {"B5"}, 0.35, 0);
    run(m, Wave::Square, 0.06, 0.06, 0.2, {"E6"}, 0.35, 0.09);
    m.lowPass(7000);
    return m;
}

Mix levelup() {
    Mix m(1.0);
    run(m, Wave::Square, 0, 0.065, 0.09, {"C5", "E5", "G5", "C6", "E6", "G6"}, 0.14, 0.08, 0.25);
    for (const char* c : {"C6", "E6", "G6"}) {
        Note n = note(Wave::Triangle, 0.4, 0.55, hz(c), 0, 0.25, 0.25);
        n.vibrato = 0.15;
        m.add(n);
    }
    m.add(note(Wave::Triangle, 0.4, 0.55, hz("C4"), 0, 0.35, 0.3));
    m.lowPass(7000);
    return m;
}

Mix btn() {
    Mix m(0.04);
    m.add(note(Wave::Sine, 0, 0.035, 1800, 0, 0.25, 0.012));
    return m;
}

Mix btn0() {
    Mix m(0.08);
    m.add(note(Wave::Square, 0, 0.025, 900, 0, 0.3, 0.02));
    m.add(note(Wave::Square, 0.025, 0.05, 1300, 0, 0.3, 0.02));
    m.lowPass(6000);
    return m;
}

Mix btn1() {
    Mix m(0.1);
    m.add(note(Wave::Triangle, 0, 0.09, 660, 990, 0.4, 0.05));
    return m;
}

Mix btn2() {
    Mix m(0.1);
    m.add(note(Wave::Triangle, 0, 0.09, 990, 660, 0.4, 0.05));
    return m;
}

Mix out() {
    Mix m(0.2);
    run(m, Wave::Square, 0, 0.06, 0.06, {"E5"}, 0.35, 0, 0.25);
    run(m, Wave::Square, 0.06, 0.06, 0.13, {"A4"}, 0.35, 0.06, 0.25);
    m.lowPass(6000);
    return m;
}

Mix no() {
    Mix m(0.24);
    m.add(note(Wave::Square, 0, 0.09, 180, 0, 0.4, 0));
    m.add(note(Wave::Square, 0.12, 0.11, 170, 0, 0.4, 0));
    m.lowPass(2500);
    return m;
}

Mix open() {
    Mix m(0.36);
    run(m, Wave::Triangle, 0, 0.035, 0.28, {"C5", "G5", "C6"}, 0.3, 0.12);
    return m;
}

Mix gay() {
    Mix m(0.5);
    run(m, Wave::Triangle, 0, 0.08, 0.1, {"G5", "C6"}, 0.35, 0.08);
    Note top = note(Wave::Triangle, 0.16, 0.3, hz("E6"), 0, 0.35, 0.15);
    top.vibrato = 0.3;
    m.add(top);
    return m;
}

Mix wait() {
    Mix m(1.25);
    const char* chime[] = {"C5", "G5", "E5", "C6"};
    for (int i = 0; i < 4; ++i) {
        m.add(note(Wave::Triangle, 0.18 * i, 0.6, hz(chime[i]), 0, 0.3, 0.25));
        m.add(note(Wave::Sine, 0.18 * i, 0.6, 2 * hz(chime[i]), 0, 0.1, 0.15));
    }
    return m;
}

Mix pet() {
    Mix m(0.24);
    m.add(note(Wave::Sine, 0, 0.06, 1500, 2400, 0.35, 0.05));
    m.add(note(Wave::Sine, 0.1, 0.09, 1700, 2800, 0.35, 0.06));
    return m;
}

Mix mongun() {
    Mix m(0.16);
    m.add(note(Wave::Square, 0, 0.15, 1200, 300, 0.35, 0.08));
    m.lowPass(6000);
    return m;
}

Mix bossgun() {
    Mix m(0.32);
    m.add(note(Wave::Saw, 0, 0.3, 600, 120, 0.3, 0.15));
    m.add(note(Wave::Noise, 0, 0.2, 4000, 0, 0.2, 0.08));
    m.lowPass(4000);
    return m;
}

Mix hand() {
    Mix m(0.1);
    m.add(note(Wave::Noise, 0, 0.08, 3000, 0, 0.35, 0.025));
    m.add(note(Wave::Sine, 0, 0.09, 180, 70, 0.6, 0.04));
    return m;
}

Mix boom() {
    Mix m(0.32);
    Note whirl = note(Wave::Triangle, 0, 0.3, 400, 700, 0.25, 0);
    whirl.vibrato = 2;
    whirl.attack = 0.05;
    m.add(whirl);
    Note air = note(Wave::Noise, 0, 0.3, 5000, 0, 0.1, 0);
    air.attack = 0.1;
    m.add(air);
    m.lowPass(5000);
    return m;
}

Mix nife() {
    Mix m(0.14);
    Note swish = note(Wave::Noise, 0, 0.12, 22050, 0, 0.3, 0.04);
    swish.attack = 0.03;
    m.add(swish);
    m.add(note(Wave::Square, 0.02, 0.1, 2000, 3000, 0.04, 0.05));
    return m;
}

Mix gun() {
    Mix m(0.2);
    m.add(note(Wave::Noise, 0, 0.18, 8000, 1000, 0.5, 0.05));
    m.add(note(Wave::Sine, 0, 0.1, 200, 60, 0.5, 0.04));
    return m;
}

Mix monhit() {
    Mix m(0.1);
    m.add(note(Wave::Square, 0, 0.08, 300, 150, 0.2, 0.04));
    m.add(note(Wave::Noise, 0, 0.04, 6000, 0, 0.2, 0.015));
    m.lowPass(5000);
    return m;
}

Mix bosshit() {
    Mix m(0.18);
    m.add(note(Wave::Saw, 0, 0.15, 160, 80, 0.35, 0.08));
    m.add(note(Wave::Noise, 0, 0.1, 2000, 0, 0.3, 0.05));
    m.lowPass(4000);
    return m;
}

Mix mondie() {
    Mix m(0.36);
    Note n = note(Wave::Square, 0, 0.35, 700, 100, 0.4, 0.15);
    n.duty = 0.25;
    n.vibrato = 1;
    m.add(n);
    m.lowPass(5000);
    return m;
}

Mix bossdie() {
    Mix m(1.4);
    m.add(note(Wave::Noise, 0, 1.2, 3000, 300, 0.6, 0.45));
    m.add(note(Wave::Sine, 0, 1.0, 90, 35, 0.5, 0.4));
    m.add(note(Wave::Noise, 0.25, 0.5, 2000, 400, 0.4, 0.2));
    m.add(note(Wave::Noise, 0.5, 0.6, 1500, 300, 0.35, 0.25));
    m.lowPass(3500);
    return m;
}

}  // namespace

void writeSounds(const DemoContext& ctx) {
    const std::pair<const char*, std::function<Mix()>> effects[] = {
        {"jump", jump},       {"holkick", holkick}, {"sliding", sliding}, {"userhit", userhit},
        {"userdie", userdie}, {"eat_e", eatE},      {"eat", eat},         {"levelup", levelup},
        {"btn", btn},         {"btn0", btn0},       {"btn1", btn1},       {"btn2", btn2},
        {"out", out},         {"no", no},           {"open", open},       {"gay", gay},
        {"wait", wait},       {"pet", pet},         {"mongun", mongun},   {"bossgun", bossgun},
        {"hand", hand},       {"boom", boom},       {"nife", nife},       {"gun", gun},
        {"monhit", monhit},   {"bosshit", bosshit}, {"mondie", mondie},   {"bossdie", bossdie},
    };
    for (const auto& [name, make] : effects)
        writeOut(ctx, std::string("sound/") + name + ".wav", synth::wavFile(make()));
}

}  // namespace demo
