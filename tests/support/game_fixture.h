#pragma once
// Headless environments for logic tests. HeadlessFixture: a temporary
// content tree, the headless backend and an off-screen device. GameFixture
// adds the input state and the sound bank that windows and the title read,
// set up and torn down around each test; tests that need the play objects
// build them through CGameObjects instead (see game/hero_world.h).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/direct3d.h"
#include "platform/headless/headless_backend.h"
#include "platform/input_state.h"
#include "platform/sound_bank.h"
#include "support/temp_dir.h"

namespace velk {

class HeadlessFixture : public ::testing::Test {
protected:
    void SetUp() override;

    // Writes a short silent effect file under its game name.
    void writeEffect(const std::string& gameName);
    std::vector<std::string> sounds() const { return backend.startedEffects(); }

    TempDir dir;
    HeadlessBackend backend;
    CDirect3D device;
};

class GameFixture : public HeadlessFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes a short silent effect file and loads it into `buffer`.
    void loadEffect(const std::string& gameName, ::SoundBuffer* buffer);
    // One input poll as a paced frame would run it.
    void poll();

    std::unique_ptr<CInputState> input;
};

}  // namespace velk
