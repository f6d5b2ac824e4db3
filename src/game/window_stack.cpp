#include "game/window_stack.h"

#include <algorithm>

CWindowStack::~CWindowStack() {
    for (const Entry& e : entries_) setHost(e.window, nullptr);
}

int CWindowStack::indexOf(const CWindow* window) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].window == window) return int(i);
    return -1;
}

bool CWindowStack::isOpen(const CWindow* window) const { return indexOf(window) >= 0; }

void CWindowStack::open(CWindow* window, WindowLayer layer) {
    if (!window || isOpen(window)) return;
    if (CWindowHost* other = hostOf(window)) other->close(window);
    const auto above = std::find_if(entries_.begin(), entries_.end(),
                                    [layer](const Entry& e) { return e.layer > layer; });
    entries_.insert(above, {window, layer});
    setHost(window, this);
}

void CWindowStack::close(CWindow* window) {
    const int i = indexOf(window);
    if (i < 0) return;
    setHost(window, nullptr);
    entries_.erase(entries_.begin() + i);
}

bool CWindowStack::inputReaches(int index) const {
    for (size_t i = size_t(index) + 1; i < entries_.size(); ++i)
        if (entries_[i].window->isOpen() && entries_[i].window->takesInput()) return false;
    return true;
}

void CWindowStack::update(const CInputState* input) {
    // The windows open as the frame starts run; one that an earlier window
    // closes (or deletes) this frame does not, and one found closed is
    // dropped without running.
    running_.clear();
    for (const Entry& e : entries_) running_.push_back(e.window);
    for (CWindow* window : running_) {
        const int i = indexOf(window);
        if (i < 0) continue;
        if (window->isOpen()) window->update(inputReaches(i) ? input : nullptr);
        if (window->isOpen() || !isOpen(window)) continue;
        close(window);
        // The owner may delete the window in its handler, the handler with it.
        const std::function<void()> closed = std::move(window->onClosed);
        if (closed) closed();
    }
}
