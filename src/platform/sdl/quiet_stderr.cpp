#include "platform/sdl/quiet_stderr.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace velk {

QuietStderr::QuietStderr() {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    int null = ::open("/dev/null", O_WRONLY);
    if (saved_ >= 0 && null >= 0) ::dup2(null, STDERR_FILENO);
    if (null >= 0) ::close(null);
}

QuietStderr::~QuietStderr() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
}

}  // namespace velk
