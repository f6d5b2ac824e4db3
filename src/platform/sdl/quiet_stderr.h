#pragma once
// Silences stderr while system libraries probe for devices that are not
// there (the sound libraries print several lines for a machine without a
// sound card); the game says once, in its own words, what it found.

namespace velk {

class QuietStderr {
public:
    QuietStderr();
    ~QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

}  // namespace velk
