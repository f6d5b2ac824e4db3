#include "platform/music.h"

#include "platform/files.h"

CMusic::CMusic(velk::IBackend* backend, const char* name)
    : fileName(name ? name : ""), backend_(backend) {
    if (!backend_ || fileName.empty()) return;
    handle_ = backend_->openMusic(velk::dataPath(fileName));
    if (handle_) length = backend_->musicLength(handle_);
}

CMusic::~CMusic() {
    if (backend_ && handle_) backend_->closeMusic(handle_);
}

int CMusic::play() {
    if (backend_ && handle_) backend_->playMusic(handle_);
    return 1;
}

// Without a track the position and the length are both 0, so the track
// reports finished and the game's restart is a harmless no-op.
bool CMusic::isPlaying() {
    uint32_t position = (backend_ && handle_) ? backend_->musicPosition(handle_) : 0;
    return position < length;
}

int CMusic::rewind() {
    if (backend_ && handle_) backend_->rewindMusic(handle_);
    return 1;
}
