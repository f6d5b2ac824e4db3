#pragma once
// Input scripts: the text format that --script replays and --record writes.
// One event per line, '#' starts a comment:
//   N key NAME down|up     NAME: a key as platform/key_names.h names it
//                          (LCtrl, LAlt, Z, F1 ...), or a code such as 0x1D
//   N pad BUTTON down|up   BUTTON: a gamepad button as platform/pad.h names it
//   N mouse X Y
//   N button left|right down|up
//   N text CHARS           (UTF-8, the rest of the line)
//   N backspace
//   N quit
// N is the paced frame number (0 = the first paced frame, title or play);
// events of frame N apply before that frame's input poll.

#include <string>
#include <vector>

namespace velk {

struct ScriptEvent {
    enum class Type { Key, Pad, Mouse, Button, Text, Backspace, Quit };
    long frame = 0;
    Type type = Type::Quit;
    int key = 0;        // Key: DirectInput code
    bool down = false;  // Key, Button
    int x = 0, y = 0;   // Mouse
    int button = 0;     // Button: 0 left, 1 right; Pad: a PadButton
    std::string text;   // Text
};

// Parses a whole script. False with "line N: reason" in `error` on the first
// bad line. Events come out sorted by frame, keeping file order within a frame.
bool parseInputScript(const std::string& text, std::vector<ScriptEvent>& events,
                      std::string* error);
std::string formatScriptEvent(const ScriptEvent& event);

}  // namespace velk
