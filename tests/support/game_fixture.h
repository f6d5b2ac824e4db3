#pragma once
// A headless game environment for logic tests: a temporary content tree,
// the headless backend, an off-screen device, and the shared globals (input
// state, sound bank) set up and torn down around each test.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/direct3d.h"
#include "platform/headless/headless_backend.h"
#include "platform/sound_bank.h"
#include "support/temp_dir.h"

namespace velk {

class GameFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a short silent effect file and loads it into `buffer`.
    void loadEffect(const std::string& gameName, ::SoundBuffer* buffer);
    // One input poll as a paced frame would run it.
    void poll();
    std::vector<std::string> sounds() const { return backend.startedEffects(); }

    TempDir dir;
    HeadlessBackend backend;
    CDirect3D device;
};

}  // namespace velk
