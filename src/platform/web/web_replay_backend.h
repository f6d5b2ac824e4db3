#pragma once
// The page replaying an input script: the headless backend's fake clock,
// scripted input and recorded silent audio, so a replay in the browser plays
// exactly as `velk --headless` does, with every frame drawn to the canvas.

#include <vector>

#include "platform/headless/headless_backend.h"

namespace velk {

class WebReplayBackend : public HeadlessBackend {
public:
    explicit WebReplayBackend(std::vector<ScriptEvent> script) : HeadlessBackend(std::move(script)) {}
    bool openDisplay(int width, int height, bool windowed, int scale) override;
    void present(const uint32_t* pixels, int width, int height) override;
};

}  // namespace velk
