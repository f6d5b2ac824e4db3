#pragma once
// CMusic: one mp3 track opened, played, polled, rewound and closed through
// the backend. A missing or unplayable file leaves it silent.

#include <cstdint>
#include <string>

#include "platform/backend.h"

class CMusic {
public:
    CMusic(velk::IBackend* backend, const char* fileName);
    ~CMusic();
    CMusic(const CMusic&) = delete;
    CMusic& operator=(const CMusic&) = delete;

    int play();
    bool isPlaying();
    int rewind();

    uint32_t length = 0;
    std::string fileName;

private:
    velk::IBackend* backend_;
    velk::MusicHandle handle_ = 0;
};
