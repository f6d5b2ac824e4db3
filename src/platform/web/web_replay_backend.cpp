#include "platform/web/web_replay_backend.h"

#include "platform/web/web_canvas.h"

namespace velk {

bool WebReplayBackend::openDisplay(int width, int height, bool, int) {
    openCanvas(width, height);
    return true;
}

void WebReplayBackend::present(const uint32_t* pixels, int width, int height) {
    presentToCanvas(pixels, width, height);
}

}  // namespace velk
