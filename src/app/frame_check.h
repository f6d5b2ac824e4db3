#pragma once
// CFrameCheck: the rate of the interval between two measures, from the
// backend's performance counter (low 32 bits: the interval wraps safely).

#include <cstdint>

namespace velk {
class IBackend;
}

class CFrameCheck {
public:
    explicit CFrameCheck(velk::IBackend* backend);
    virtual ~CFrameCheck() = default;

    float measure();

    int64_t lastCount = 0;
    int64_t nowCount = 0;
    int64_t frequency = 0;
    float elapsedSeconds = 0;
    float rate = 0;

private:
    velk::IBackend* backend_;
};
