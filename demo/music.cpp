// The demo world's three music tracks: short chip tunes that loop cleanly,
// rendered to WAV and encoded to mp3 with lame when it is installed.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "demo/demo.h"
#include "demo/synth.h"
#include "platform/files.h"

namespace demo {

namespace {

using synth::Mix;
using synth::Note;
using synth::Wave;

// One bar is 16 steps. Melody tokens: a note ("C5", "F#5") starts it, "-"
// holds it, "." rests.
struct Tune {
    const char* file;
    double bpm;
    std::vector<std::vector<const char*>> chords;  // one chord a bar, cycled
    std::vector<const char*> melody;               // one string a bar, cycled
    const char* bass;   // steps: "R" root, "O" octave up, "F" fifth, "." rest
    const char* drums;  // steps: "k" kick, "s" snare, "h" hat, "." rest
    double leadDuty;
};

const Tune kTunes[] = {
    // Title: calm and bright, C major.
    {"music/2.mp3", 112,
     {{"C4", "E4", "G4"}, {"A3", "C4", "E4"}, {"F3", "A3", "C4"}, {"G3", "B3", "D4"}},
     {"E5 - - - G5 - - - C6 - - - B5 - A5 -", "A5 - - - E5 - - - C5 - - - E5 - - -",
      "F5 - - - A5 - - - C6 - - - A5 - G5 -", "G5 - - - - - - - D5 - - - . . . .",
      "C6 - - - B5 - A5 - G5 - - - E5 - - -", "A5 - - - G5 - E5 - C5 - - - D5 - E5 -",
      "F5 - - - E5 - D5 - C5 - - - A4 - C5 -", "D5 - - - - - - - G5 - - - B4 - D5 -"},
     "R . . . . . . . F . . . R . . .", "k . . . h . . . s . . . h . . .", 0.5},
    // Field: cheerful, G major.
    {"music/0.mp3", 138,
     {{"G3", "B3", "D4"}, {"E3", "G3", "B3"}, {"C4", "E4", "G4"}, {"D4", "F#4", "A4"}},
     {"D5 - G5 - B5 - G5 - D6 - B5 - G5 - A5 -", "B5 - - - G5 - E5 - B4 - E5 - G5 - - -",
      "C6 - B5 - A5 - G5 - E5 - G5 - A5 - - -", "F#5 - - - A5 - - - D6 - - - . . . .",
      "G5 - - B5 - - D6 - B5 - - G5 - - D5 -", "E5 - - G5 - - B5 - A5 - - G5 - - E5 -",
      "C5 - E5 - G5 - C6 - B5 - A5 - G5 - E5 -", "F#5 - - - E5 - - - D5 - - - A4 - - -"},
     "R . O . R . O . R . O . R . F .", "k . h . s . h . k . k . s . h .", 0.25},
    // Adventure: driving, A minor.
    {"music/1.mp3", 148,
     {{"A3", "C4", "E4"}, {"F3", "A3", "C4"}, {"G3", "B3", "D4"}, {"E3", "G#3", "B3"}},
     {"A4 - C5 - E5 - A5 - G5 - E5 - C5 - E5 -", "F5 - - - E5 - C5 - A4 - - - C5 - - -",
      "D5 - - - G5 - - - B5 - A5 - G5 - D5 -", "E5 - - - G#5 - - - B5 - - - . . . .",
      "C6 - - - B5 - A5 - E5 - - - A5 - C6 -", "A5 - - - G5 - F5 - C5 - - - F5 - A5 -",
      "G5 - - - F5 - E5 - D5 - - - G5 - B5 -", "G#5 - - - - - - - E5 - F5 - G#5 - B5 -"},
     "R . R . F . R . R . R . O . F .", "k . h k s . h . k . h k s . h h", 0.5},
};

constexpr int kBars = 16;

std::vector<std::string> tokens(const char* bar) {
    std::istringstream in(bar);
    std::vector<std::string> out;
    for (std::string t; in >> t;) out.push_back(t);
    return out;
}

Mix render(const Tune& tune) {
    const double step = 60.0 / tune.bpm / 4;
    Mix m(step * 16 * kBars);
    for (int bar = 0; bar < kBars; ++bar) {
        const auto& chord = tune.chords[size_t(bar) % tune.chords.size()];
        const double barStart = step * 16 * bar;

        // Lead: held notes run until the next note or rest.
        std::vector<std::string> lead = tokens(tune.melody[size_t(bar) % tune.melody.size()]);
        for (size_t i = 0; i < lead.size(); ++i) {
            if (lead[i] == "-" || lead[i] == ".") continue;
            size_t len = 1;
            while (i + len < lead.size() && lead[i + len] == "-") ++len;
            Note n;
            n.wave = Wave::Square;
            n.duty = tune.leadDuty;
            n.start = barStart + step * double(i);
            n.length = step * double(len) * 0.95;
            n.freq = synth::noteHz(synth::noteNumber(lead[i]));
            n.gain = 0.12;
            n.decay = 0.6;
            n.vibrato = len >= 4 ? 0.12 : 0;
            m.add(n);
        }

        // Bass on the chord's root, triangle.
        int root = synth::noteNumber(chord[0]) - 12;
        while (root > 52) root -= 12;
        for (int i = 0; i < 16; ++i) {
            char c = tune.bass[2 * i];
            if (c == '.') continue;
            int note = c == 'O' ? root + 12 : c == 'F' ? root + 7 : root;
            Note n;
            n.wave = Wave::Triangle;
            n.start = barStart + step * i;
            n.length = step * 1.8;
            n.freq = synth::noteHz(note);
            n.gain = 0.38;
            m.add(n);
        }

        // Second half: a soft arpeggio over the chord adds motion.
        if (bar >= kBars / 2) {
            for (int i = 0; i < 16; ++i) {
                Note n;
                n.wave = Wave::Square;
                n.duty = 0.125;
                n.start = barStart + step * i;
                n.length = step * 0.8;
                n.freq = 2 * synth::noteHz(synth::noteNumber(chord[size_t(i) % chord.size()]));
                n.gain = 0.04;
                n.decay = 0.08;
                m.add(n);
            }
        }

        for (int i = 0; i < 16; ++i) {
            const double at = barStart + step * i;
            switch (tune.drums[2 * i]) {
                case 'k': m.add(synth::note(Wave::Sine, at, 0.12, 140, 45, 0.6, 0.05)); break;
                case 's': m.add(synth::note(Wave::Noise, at, 0.12, 9000, 0, 0.22, 0.04)); break;
                case 'h': m.add(synth::note(Wave::Noise, at, 0.04, 22050, 0, 0.08, 0.012)); break;
                default: break;
            }
        }
    }
    m.lowPass(6000);
    return m;
}

bool onPath(const char* program) {
    const char* path = std::getenv("PATH");
    if (!path) return false;
    std::istringstream dirs(path);
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && ::access((dir + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

}  // namespace

void writeMusic(const DemoContext& ctx) {
    if (!onPath("lame")) {
        std::printf("velk-demo: lame not found; the demo world has no music\n");
        return;
    }
    std::error_code ec;
    std::string tmpl = (std::filesystem::temp_directory_path(ec) / "velk-music-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        std::fprintf(stderr, "velk-demo: no temporary directory for the music\n");
        return;
    }
    const std::filesystem::path dir = tmpl;
    for (const Tune& tune : kTunes) {
        // Rendering and encoding take seconds: skip a track the build keeps.
        if (ctx.keepExisting && std::filesystem::exists(ctx.out + "/" + tune.file, ec)) continue;
        std::string wav = (dir / "tune.wav").string();
        std::string mp3 = (dir / "tune.mp3").string();
        std::string bytes = synth::wavFile(render(tune));
        if (!velk::writeFileAtomic(wav, bytes.data(), bytes.size())) break;
        std::string cmd = "lame --quiet -b 96 '" + wav + "' '" + mp3 + "'";
        std::vector<uint8_t> encoded;
        if (std::system(cmd.c_str()) != 0 || !velk::readFile(mp3, encoded) || encoded.empty()) {
            std::fprintf(stderr, "velk-demo: lame failed on %s\n", tune.file);
            continue;
        }
        writeOut(ctx, tune.file, std::string(encoded.begin(), encoded.end()));
    }
    std::filesystem::remove_all(dir, ec);
}

}  // namespace demo
