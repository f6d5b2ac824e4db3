#include <gtest/gtest.h>

#include <cstring>

#include "content/wav_writer.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "platform/mp3_length.h"
#include "platform/music.h"
#include "platform/sound_bank.h"
#include "support/temp_dir.h"

namespace {

using velk::WavLayout;

std::string tone(size_t frames, uint16_t channels) {
    std::vector<int16_t> s(frames * channels);
    for (size_t i = 0; i < s.size(); ++i) s[i] = int16_t(i * 37);
    return velk::writeWav16(s, 22050, channels).substr(46);  // the sample bytes
}

void setU32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = char((v >> (8 * i)) & 0xFF);
}

struct WaveCase {
    const char* what;
    std::string file;
    bool ok;
    uint16_t channels = 0;
    uint16_t blockAlign = 0;
};

std::vector<WaveCase> waveCases() {
    const std::string samples = tone(10, 1);
    std::vector<WaveCase> cases;
    cases.push_back({"mono 16-bit", velk::writeWav({}, samples), true, 1, 2});
    WavLayout stereo8;
    stereo8.channels = 2;
    stereo8.bitsPerSample = 8;
    cases.push_back({"stereo 8-bit", velk::writeWav(stereo8, samples), true, 2, 2});
    WavLayout six;
    six.channels = 6;
    cases.push_back({"six channels", velk::writeWav(six, tone(10, 6)), true, 2, 12});
    WavLayout extra;
    extra.extraChunks = {{"LIST", "odd"}, {"fact", "abcd"}};
    cases.push_back({"chunks before data", velk::writeWav(extra, samples), true, 1, 2});
    WavLayout fmt16;
    fmt16.fmtSize = 16;
    cases.push_back({"16-byte format chunk", velk::writeWav(fmt16, samples), false});
    WavLayout flt;
    flt.formatTag = 3;
    cases.push_back({"float samples", velk::writeWav(flt, samples), false});
    WavLayout bits24;
    bits24.bitsPerSample = 24;
    cases.push_back({"24-bit samples", velk::writeWav(bits24, samples), false});
    WavLayout thin;
    thin.channels = 2;
    thin.blockAlign = 2;
    cases.push_back({"frame smaller than its channels", velk::writeWav(thin, samples), false});
    WavLayout dataFirst;
    dataFirst.extraChunks = {{"data", samples}};
    std::string fmtNotFirst = velk::writeWav(dataFirst, samples);
    std::swap_ranges(fmtNotFirst.begin() + 12, fmtNotFirst.begin() + 16, fmtNotFirst.begin() + 38);
    cases.push_back({"format chunk not first", fmtNotFirst, false});

    std::string base = velk::writeWav({}, samples);
    std::string noData = base;
    noData.replace(38, 4, "junk");
    cases.push_back({"no data chunk", noData, false});
    std::string longData = base;
    setU32(longData, 42, uint32_t(samples.size() + 1));
    cases.push_back({"data past the end", longData, false});
    std::string hugeData = base;
    setU32(hugeData, 42, 0xFFFFFFFFu);
    cases.push_back({"data size near 4 GiB", hugeData, false});
    std::string notRiff = base;
    notRiff[0] = 'X';
    cases.push_back({"not RIFF", notRiff, false});
    std::string notWave = base;
    notWave.replace(8, 4, "AVI ");
    cases.push_back({"not WAVE", notWave, false});
    std::string shortRiff = base;
    setU32(shortRiff, 4, 30);  // the form ends before "data"
    cases.push_back({"data outside the RIFF form", shortRiff, false});
    return cases;
}

TEST(ParseWave, GameRules) {
    for (const WaveCase& c : waveCases()) {
        SCOPED_TRACE(c.what);
        velk::ParsedWave w;
        std::string why;
        bool ok = velk::parseWave(reinterpret_cast<const uint8_t*>(c.file.data()), c.file.size(),
                                  w, &why);
        ASSERT_EQ(ok, c.ok) << why;
        if (!ok) {
            EXPECT_FALSE(why.empty());
            continue;
        }
        EXPECT_EQ(w.bufferFormat.channels, c.channels);
        EXPECT_EQ(w.bufferFormat.blockAlign, c.blockAlign);
        EXPECT_EQ(w.bufferFormat.avgBytesPerSec, c.blockAlign * 22050u);
        // The samples are the tail of the file, whatever chunks came before.
        ASSERT_LE(w.size, c.file.size());
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(w.samples), w.size),
                  c.file.substr(c.file.size() - w.size));
    }
}

TEST(ParseWave, EveryTruncationFails) {
    std::string file = velk::writeWav({}, tone(4, 1));
    for (size_t n = 0; n < file.size(); ++n) {
        velk::ParsedWave w;
        EXPECT_FALSE(velk::parseWave(reinterpret_cast<const uint8_t*>(file.data()), n, w)) << n;
    }
}

TEST(PackFrames, SurroundKeepsTheFrontPair) {
    // Six 16-bit channels a frame, each sample its channel number + 10 x frame.
    std::vector<int16_t> six;
    for (int16_t frame = 0; frame < 3; ++frame)
        for (int16_t ch = 0; ch < 6; ++ch) six.push_back(int16_t(ch + 10 * frame));
    WavLayout layout;
    layout.channels = 6;
    std::string file = velk::writeWav(
        layout, std::string(reinterpret_cast<const char*>(six.data()), six.size() * 2));
    velk::ParsedWave w;
    ASSERT_TRUE(velk::parseWave(reinterpret_cast<const uint8_t*>(file.data()), file.size(), w));
    // A trailing partial frame is dropped.
    std::vector<uint8_t> packed = velk::packFrames(w.bufferFormat, w.samples, w.size - 1);
    std::vector<int16_t> pairs(packed.size() / 2);
    std::memcpy(pairs.data(), packed.data(), packed.size());
    EXPECT_EQ(pairs, (std::vector<int16_t>{0, 1, 10, 11}));
}

// A data directory of its own, with a headless backend on a fake clock.
class SoundBankTest : public ::testing::Test {
protected:
    void SetUp() override {
        bank_.init(&backend_);
        // 2205 frames at 22050 Hz: 100 ms.
        dir_.write("sound/beep.wav", velk::writeWav({}, tone(2205, 1)));
        dir_.write("sound/long.wav", velk::writeWav({}, tone(22050, 1)));
        WavLayout flt;
        flt.formatTag = 3;
        dir_.write("sound/float.wav", velk::writeWav(flt, tone(10, 1)));
    }
    void TearDown() override { bank_.shutdown(); }
    void advanceMs(uint64_t ms) { backend_.advance(ms * velk::HeadlessBackend::kFrequency / 1000); }
    size_t started() const { return backend_.audio().started().size(); }

    velk::TempDir dir_;
    velk::HeadlessBackend backend_;
    CSoundBank bank_;
};

TEST_F(SoundBankTest, PlaysOnlyWhenNotAlreadySounding) {
    SoundBuffer b{0, "btn0"};
    ASSERT_TRUE(bank_.loadEffect("sound\\beep.wav", &b));
    EXPECT_TRUE(bank_.play(&b));
    advanceMs(60);
    EXPECT_TRUE(bank_.play(&b));  // still sounding: ignored
    EXPECT_EQ(started(), 1u);
    advanceMs(50);
    EXPECT_TRUE(bank_.play(&b));
    EXPECT_EQ(backend_.audio().started(), (std::vector<std::string>{"btn0", "btn0"}));
}

TEST_F(SoundBankTest, ReloadReleasesTheOldSound) {
    SoundBuffer b{0, "wait"};
    ASSERT_TRUE(bank_.loadEffect("sound\\long.wav", &b));
    velk::SoundHandle first = b.handle;
    bank_.play(&b);
    ASSERT_TRUE(bank_.loadEffect("sound\\beep.wav", &b));
    EXPECT_NE(b.handle, first);
    EXPECT_FALSE(backend_.playSound(first, false));  // gone from the backend
    // The new sound is idle at once, though the old one would still sound.
    EXPECT_FALSE(backend_.isSoundPlaying(b.handle));
}

TEST_F(SoundBankTest, FailedLoadLeavesTheBufferAsItWas) {
    SoundBuffer b{0, "monsterShot"};
    EXPECT_FALSE(bank_.loadEffect("sound\\missing.wav", &b));
    EXPECT_EQ(b.handle, 0);
    EXPECT_FALSE(bank_.play(&b));  // an empty buffer plays nothing
    ASSERT_TRUE(bank_.loadEffect("sound\\beep.wav", &b));
    velk::SoundHandle loaded = b.handle;
    EXPECT_FALSE(bank_.loadEffect("sound\\missing.wav", &b));
    EXPECT_FALSE(bank_.loadEffect("sound\\float.wav", &b));
    EXPECT_EQ(b.handle, loaded);
    EXPECT_TRUE(bank_.play(&b));
    EXPECT_EQ(backend_.audio().started(), std::vector<std::string>{"monsterShot"});
}

// MPEG-1 layer III frames, 128 kbit/s at 44100 Hz, no padding: 417 bytes,
// 1152 samples (26.12 ms) each; only the headers matter for the length.
std::string mp3Frames(int count) {
    std::string frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x44);
    std::string s;
    for (int i = 0; i < count; ++i) s += frame;
    return s;
}

TEST(Mp3Length, FromFrameHeaders) {
    std::string frames = mp3Frames(100);
    std::string id3 = std::string("ID3\x04\x00\x00\x00\x00\x01\x00", 10) + std::string(128, 'x');
    std::string info = mp3Frames(1);
    info.replace(4 + 32, 12, std::string("Info\0\0\0\x01\0\0\x03\xE8", 12));  // 1000 frames
    struct {
        const char* what;
        std::string file;
        uint32_t ms;
    } cases[] = {
        {"plain frames", frames, 2612},
        {"after an ID3v2 tag", id3 + frames, 2612},
        {"after leading junk", std::string(7, '\x55') + frames, 2612},
        {"encoder frame count", info + frames, 26122},
        {"no frames", std::string(5000, '\xFF'), 0},
        {"truncated last frame", frames.substr(0, frames.size() - 1), 2586},
        {"empty", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(velk::mp3DurationMs(reinterpret_cast<const uint8_t*>(c.file.data()),
                                      c.file.size()),
                  c.ms);
    }
}

TEST_F(SoundBankTest, MissingMusicIsSilent) {
    CMusic music(&backend_, "music\\9.mp3");
    EXPECT_EQ(music.length, 0u);
    EXPECT_EQ(music.rewind(), 1);
    EXPECT_EQ(music.play(), 1);
    EXPECT_FALSE(music.isPlaying());
}

TEST_F(SoundBankTest, MusicRunsOutAndRestartsOnTheFakeClock) {
    dir_.write("music/0.mp3", mp3Frames(100));
    CMusic music(&backend_, "music\\0.mp3");
    EXPECT_EQ(music.length, 2612u);
    music.play();
    advanceMs(2000);
    EXPECT_TRUE(music.isPlaying());
    advanceMs(700);
    EXPECT_FALSE(music.isPlaying());
    advanceMs(5000);
    EXPECT_FALSE(music.isPlaying());  // stays at the end until rewound
    music.rewind();
    music.play();
    advanceMs(100);
    EXPECT_TRUE(music.isPlaying());
}

}  // namespace
