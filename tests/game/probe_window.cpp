#include "probe_window.h"

#include "platform/direct3d.h"
#include "platform/input_state.h"

CProbeWindow::CProbeWindow(CDirect3D* device, std::string name, Rect rect, uint32_t colour,
                           std::vector<std::string>* log)
    : device_(device), name_(std::move(name)), rect_(rect), colour_(colour), log_(log),
      coverage_(size_t(rect.width) * size_t(rect.height), 0xFF) {}

void CProbeWindow::update(const CInputState* input) {
    if (log_) log_->push_back(input ? name_ + "*" : name_);
    if (device_) device_->drawCoverage(coverage_.data(), rect_.width, rect_.width, rect_.height, rect_.x, rect_.y, colour_);
    if (input) {
        const bool down = input->leftButton != 0;
        const bool inside = input->mouseX >= rect_.x && input->mouseX < rect_.x + rect_.width &&
                            input->mouseY >= rect_.y && input->mouseY < rect_.y + rect_.height;
        if (wasDown_ && !down && inside) ++clicks;
        wasDown_ = down;
    }
    if (afterUpdate) afterUpdate();
}
