#pragma once
// CProbeWindow: a window of play that only tests open. It fills its
// rectangle with one colour, writes its name to a log each frame it runs
// ("name*" when the input reached it), counts the clicks released inside
// it, and holds the input from the windows below unless told not to.

#include <cstdint>
#include <string>
#include <vector>

#include "widgets/window.h"

class CDirect3D;

class CProbeWindow : public CWindow {
public:
    struct Rect {
        int x, y, width, height;
    };
    CProbeWindow(CDirect3D* device, std::string name, Rect rect, uint32_t colour,
                 std::vector<std::string>* log = nullptr);

    void update(const CInputState* input) override;
    bool takesInput() const override { return holdsInput; }
    bool isOpen() const override { return open; }

    bool holdsInput = true;
    bool open = true;
    int clicks = 0;
    // Runs at the end of each update (a window may open another here).
    std::function<void()> afterUpdate;

private:
    CDirect3D* device_;
    std::string name_;
    Rect rect_;
    uint32_t colour_;
    std::vector<std::string>* log_;
    std::vector<uint8_t> coverage_;
    bool wasDown_ = false;
};
