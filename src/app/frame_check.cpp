#include "app/frame_check.h"

#include "platform/backend.h"

namespace {
// A zero-tick interval (two measures within one counter tick) would make the
// rate infinite; it is measured as one tick instead.
constexpr uint32_t kMinTicks = 1;
}  // namespace

CFrameCheck::CFrameCheck(velk::IBackend* backend) : backend_(backend) {
    frequency = int64_t(backend_->frequency());
}

float CFrameCheck::measure() {
    nowCount = int64_t(backend_->counter());
    uint32_t ticks = uint32_t(nowCount) - uint32_t(lastCount);
    if (ticks < kMinTicks) ticks = kMinTicks;
    elapsedSeconds = float(double(ticks) / double(uint32_t(frequency)));
    rate = 1.0f / elapsedSeconds;
    lastCount = nowCount;
    return rate;
}
