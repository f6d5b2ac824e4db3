#pragma once
// A tiny deterministic synthesizer for the demo world's sounds and music:
// chip-style oscillators with pitch sweeps and envelopes, mixed into a
// float buffer and rendered to 16-bit PCM.

#include <cstdint>
#include <string>
#include <vector>

namespace demo::synth {

constexpr int kRate = 22050;

enum class Wave { Square, Triangle, Sine, Saw, Noise };

struct Note {
    Wave wave = Wave::Square;
    double start = 0;       // seconds
    double length = 0.1;    // seconds
    double freq = 440;      // Hz at the start (noise: sample-and-hold rate)
    double freqEnd = 0;     // Hz at the end (exponential sweep); 0 = no sweep
    double gain = 0.3;
    double attack = 0.005;  // seconds
    double decay = 0;       // exponential decay time constant; 0 = sustain
    double duty = 0.5;      // square only
    double vibrato = 0;     // depth in semitones, 6 Hz
};

Note note(Wave wave, double start, double length, double freq, double freqEnd, double gain,
          double decay = 0);

// MIDI note number ("A4" = 69) from a name such as "C5", "F#4", "Bb3".
int noteNumber(const std::string& name);
double noteHz(int midi);

class Mix {
public:
    explicit Mix(double seconds);
    void add(const Note& note);
    // One-pole low-pass over the whole mix, softening the raw chip edges.
    void lowPass(double cutoffHz);
    // Soft-clipped 16-bit samples.
    std::vector<int16_t> pcm(double master = 1.0) const;
    double seconds() const { return double(buf_.size()) / kRate; }

private:
    std::vector<float> buf_;
    uint32_t noise_ = 0x1234567u;
};

// A 22050 Hz mono 16-bit WAV file of the mix.
std::string wavFile(const Mix& mix, double master = 1.0);

}  // namespace demo::synth
