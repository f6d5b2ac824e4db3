#include <gtest/gtest.h>

#include "content/wav_writer.h"
#include "core/effects.h"
#include "platform/headless/headless_backend.h"
#include "support/temp_dir.h"

namespace {

class Effects : public ::testing::Test {
protected:
    void SetUp() override { bank_.init(&backend_); }
    void TearDown() override {
        velk::releaseEffects(bank_);
        bank_.shutdown();
    }

    velk::TempDir dir_;
    velk::HeadlessBackend backend_;
    CSoundBank bank_;
};

TEST_F(Effects, StartupLoadsEachFileIntoItsNamedBufferAndReleaseEmptiesThemAll) {
    const std::string beep = velk::writeWav16(std::vector<int16_t>(2205, 0), 22050);
    for (const char* name : {"jump", "btn0", "wait"}) dir_.write(std::string("sound/") + name + ".wav", beep);
    velk::loadStartupEffects(bank_);
    EXPECT_NE(g_effects.jump.handle, 0);
    EXPECT_NE(g_effects.btn0.handle, 0);
    EXPECT_NE(g_effects.wait.handle, 0);
    EXPECT_EQ(g_effects.userhit.handle, 0);  // no file: silent

    ASSERT_TRUE(bank_.play(&g_effects.btn0));
    EXPECT_EQ(backend_.audio().started(), std::vector<std::string>{"btn0"});

    const velk::SoundHandle jump = g_effects.jump.handle;
    velk::releaseEffects(bank_);
    for (SoundBuffer* b : g_effects.all()) EXPECT_EQ(b->handle, 0) << b->name;
    EXPECT_FALSE(backend_.playSound(jump, false));
    EXPECT_FALSE(bank_.play(&g_effects.jump));
}

}  // namespace
