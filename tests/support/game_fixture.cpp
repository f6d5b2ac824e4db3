#include "support/game_fixture.h"

#include "content/wav_writer.h"
#include "core/effects.h"

namespace velk {

void HeadlessFixture::SetUp() { ASSERT_TRUE(device.init(&backend, 800, 600, true)); }

void HeadlessFixture::writeEffect(const std::string& gameName) {
    // A tenth of a second: long enough that back-to-back plays overlap.
    dir.write(gameName, writeWav16(std::vector<int16_t>(2205, 0), 22050));
}

void GameFixture::SetUp() {
    HeadlessFixture::SetUp();
    g_soundBank.init(&backend);
    input = std::make_unique<CInputState>(&backend);
    g_input = input.get();
}

void GameFixture::TearDown() {
    g_input = nullptr;
    input.reset();
    releaseEffects(g_soundBank);
    g_soundBank.shutdown();
}

void GameFixture::loadEffect(const std::string& gameName, ::SoundBuffer* buffer) {
    writeEffect(gameName);
    ASSERT_TRUE(g_soundBank.loadEffect(gameName.c_str(), buffer));
}

void GameFixture::poll() { g_input->poll(); }

}  // namespace velk
