#pragma once
// Input is read once per paced frame (60 ms), and a quick click or key tap
// can go down and up again between two reads. The latch remembers what went
// down since the last read, so that read sees it down once.

#include <bitset>
#include <cstddef>
#include <cstdint>

namespace velk {

template <size_t N>
class EdgeLatch {
public:
    void press(size_t i) { pressed_.set(i % N); }
    bool pressed(size_t i) const { return pressed_.test(i % N); }
    // Marks every latched entry of `states` down (0x80), then forgets them.
    void drainInto(uint8_t* states) {
        for (size_t i = 0; i < N; ++i)
            if (pressed_.test(i)) states[i] |= 0x80;
        pressed_.reset();
    }
    void clear() { pressed_.reset(); }

private:
    std::bitset<N> pressed_;
};

}  // namespace velk
