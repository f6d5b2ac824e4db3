#include "demo/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "content/wav_writer.h"

namespace demo::synth {

namespace {
constexpr double kPi = 3.14159265358979323846;
}  // namespace

Note note(Wave wave, double start, double length, double freq, double freqEnd, double gain,
          double decay) {
    Note n;
    n.wave = wave;
    n.start = start;
    n.length = length;
    n.freq = freq;
    n.freqEnd = freqEnd;
    n.gain = gain;
    n.decay = decay;
    return n;
}

int noteNumber(const std::string& name) {
    static const int kSemis[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return 0;
    int semi = kSemis[name[0] - 'A'];
    size_t i = 1;
    if (name[i] == '#') ++semi, ++i;
    else if (name[i] == 'b') --semi, ++i;
    int octave = std::atoi(name.c_str() + i);
    return 12 * (octave + 1) + semi;
}

double noteHz(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

Mix::Mix(double seconds) : buf_(size_t(std::max(0.0, seconds) * kRate), 0.0f) {}

void Mix::add(const Note& n) {
    size_t first = size_t(std::max(0.0, n.start) * kRate);
    size_t count = size_t(n.length * kRate);
    double phase = 0;
    float held = 0;
    // A few milliseconds of fade at the end keep notes from clicking.
    const double release = std::min(0.008, n.length / 4);
    for (size_t i = 0; i < count && first + i < buf_.size(); ++i) {
        double t = double(i) / kRate;
        double f = n.freq;
        if (n.freqEnd > 0) f = n.freq * std::pow(n.freqEnd / n.freq, t / n.length);
        if (n.vibrato > 0) f *= std::pow(2.0, n.vibrato / 12.0 * std::sin(2 * kPi * 6 * t));
        phase += f / kRate;
        bool wrapped = phase >= 1.0 || i == 0;
        phase -= std::floor(phase);
        double v = 0;
        switch (n.wave) {
            case Wave::Square: v = phase < n.duty ? 1.0 : -1.0; break;
            case Wave::Triangle: v = 4.0 * std::fabs(phase - 0.5) - 1.0; break;
            case Wave::Sine: v = std::sin(2 * kPi * phase); break;
            case Wave::Saw: v = 2.0 * phase - 1.0; break;
            case Wave::Noise:
                if (wrapped) {
                    noise_ = noise_ * 1664525u + 1013904223u;
                    held = float(int32_t(noise_ >> 8) - (1 << 23)) / float(1 << 23);
                }
                v = held;
                break;
        }
        double env = t < n.attack ? t / n.attack : 1.0;
        if (n.decay > 0 && t > n.attack) env = std::exp(-(t - n.attack) / n.decay);
        double left = n.length - t;
        if (left < release) env *= left / release;
        buf_[first + i] += float(v * env * n.gain);
    }
}

void Mix::lowPass(double cutoffHz) {
    double a = 1.0 - std::exp(-2 * kPi * cutoffHz / kRate);
    double y = 0;
    for (float& s : buf_) {
        y += a * (s - y);
        s = float(y);
    }
}

std::vector<int16_t> Mix::pcm(double master) const {
    std::vector<int16_t> out(buf_.size());
    for (size_t i = 0; i < buf_.size(); ++i)
        out[i] = int16_t(std::lround(std::tanh(buf_[i] * master) * 30000.0));
    return out;
}

std::string wavFile(const Mix& mix, double master) {
    return velk::writeWav16(mix.pcm(master), kRate);
}

}  // namespace demo::synth
