#include "widgets/box_frame.h"

#include "platform/direct3d.h"
#include "platform/texture.h"

namespace {

constexpr uint32_t kGold = 0xFFF2C14E;
constexpr uint32_t kInk = 0xFF1B1B2F;

// The four one-pixel sides of the rectangle, inset by `inset`.
void ring(CDirect3D& device, const CTexture* t, int x, int y, int w, int h, int inset) {
    const float x0 = float(x + inset), y0 = float(y + inset);
    const float w0 = float(w - 2 * inset), h0 = float(h - 2 * inset);
    if (w0 <= 0 || h0 <= 0) return;
    device.drawQuad(t, x0, y0, w0, 1);
    device.drawQuad(t, x0, y0 + h0 - 1, w0, 1);
    device.drawQuad(t, x0, y0, 1, h0);
    device.drawQuad(t, x0 + w0 - 1, y0, 1, h0);
}

}  // namespace

CBoxFrame::CBoxFrame() = default;

CBoxFrame::~CBoxFrame() = default;

void CBoxFrame::init(CDirect3D* device) {
    device_ = device;
    if (!device) return;
    gold_ = device->createTexture(1, 1, &kGold);
    ink_ = device->createTexture(1, 1, &kInk);
}

void CBoxFrame::draw(int x, int y, int w, int h) const {
    if (!device_) return;
    ring(*device_, ink_.get(), x, y, w, h, 0);
    ring(*device_, gold_.get(), x, y, w, h, 1);
}
