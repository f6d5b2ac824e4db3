#include "support/game_fixture.h"

#include "content/wav_writer.h"
#include "core/effects.h"
#include "platform/input_state.h"
#include "platform/sound_bank.h"

namespace velk {

void GameFixture::SetUp() {
    ASSERT_TRUE(device.init(&backend, 800, 600, true));
    g_soundBank.init(&backend);
    g_input = new CInputState(&backend);
}

void GameFixture::TearDown() {
    delete g_input;
    g_input = nullptr;
    velk::releaseEffects(g_soundBank);
    g_soundBank.shutdown();
}

void GameFixture::loadEffect(const std::string& gameName, ::SoundBuffer* buffer) {
    // A tenth of a second: long enough that back-to-back plays overlap.
    dir.write(gameName, writeWav16(std::vector<int16_t>(2205, 0), 22050));
    ASSERT_TRUE(g_soundBank.loadEffect(gameName.c_str(), buffer));
}

void GameFixture::poll() { g_input->poll(); }

}  // namespace velk
