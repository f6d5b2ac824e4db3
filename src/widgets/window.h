#pragma once
// CWindow: what every window of play is to the window stack that owns the
// open ones (CWindowStack in game/). Once per paced play frame the stack
// runs each open window from the bottom up, handing the frame's input only
// to the windows no window above them keeps it from. A window reads the
// input and draws itself in one pass: its buttons' pictures, sounds and
// state changes depend on that order.
//
// It lives this low so that the windows of every folder (world/, items/,
// ui/, npc/) can be one without linking the game layer; a window that opens
// another one reaches the stack through CWindowHost.

#include <cstdint>
#include <functional>

class CInputState;

// Where an opened window goes in the stack: above every window of a lower
// layer, above the windows of its own layer opened before it.
enum class WindowLayer : uint8_t {
    Map,    // the minimap
    Talk,   // an NPC's talk box: above the minimap, under the HUD
    Hud,    // the HUD with its inventory and game menu
    Trade,  // a shop: above the HUD, holding the input from it
    Top,    // a window above everything
};

class CWindow {
public:
    CWindow() = default;
    // A window that goes while open leaves the stack.
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    // One paced frame: handles `input` (null when a window above keeps the
    // input) and draws the window.
    virtual void update(const CInputState* input) = 0;
    // Whether the windows below get no input while this one is open.
    virtual bool takesInput() const { return false; }
    // False once the window closed itself: the stack drops it after its
    // frame and then calls `onClosed`, which may delete the window.
    virtual bool isOpen() const { return true; }

    std::function<void()> onClosed;

private:
    friend class CWindowHost;
    class CWindowHost* host_ = nullptr;
};

// The owner of the open windows, as the windows that open others see it.
class CWindowHost {
public:
    virtual void open(CWindow* window, WindowLayer layer) = 0;
    // Drops `window` if it is open; it is not run again.
    virtual void close(CWindow* window) = 0;

protected:
    ~CWindowHost() = default;
    static void setHost(CWindow* window, CWindowHost* host) { window->host_ = host; }
    static CWindowHost* hostOf(const CWindow* window) { return window->host_; }
};
