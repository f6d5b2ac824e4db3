#include "widgets/window.h"

CWindow::~CWindow() {
    if (host_) host_->close(this);
}
