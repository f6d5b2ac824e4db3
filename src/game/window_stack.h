#pragma once
// CWindowStack: the open windows of play in the order they are drawn. Each
// paced frame it runs them from the bottom up; a window gets the frame's
// input unless a window above it takes the input (the shop keeps it from
// the HUD and the minimap). A window opened during the frame first runs in
// the next one, but holds the input from the windows below it at once; a
// window that closes is dropped after its frame.

#include <vector>

#include "widgets/window.h"

class CWindowStack final : public CWindowHost {
public:
    CWindowStack() = default;
    // The windows still open forget the stack.
    ~CWindowStack();
    CWindowStack(const CWindowStack&) = delete;
    CWindowStack& operator=(const CWindowStack&) = delete;

    // Opens `window` above the windows of its layer and below higher layers;
    // a window already open stays where it is.
    void open(CWindow* window, WindowLayer layer) override;
    void close(CWindow* window) override;
    bool isOpen(const CWindow* window) const;
    // The window that gets the input first, or null.
    const CWindow* top() const { return entries_.empty() ? nullptr : entries_.back().window; }
    int count() const { return int(entries_.size()); }

    // One paced frame of every open window.
    void update(const CInputState* input);

private:
    struct Entry {
        CWindow* window;
        WindowLayer layer;
    };
    int indexOf(const CWindow* window) const;
    bool inputReaches(int index) const;

    std::vector<Entry> entries_;  // bottom first
    std::vector<CWindow*> running_;  // this frame's windows, kept to spare an allocation
};
