#pragma once
// The player's settings file, settings.ini beside controls.ini: what the
// game remembers between runs that is no part of a save. Today that is the
// answer to the screen-mode question, so it is asked only once.
//
//   # velk's settings; the game writes this file
//   screen = window          # or: fullscreen
//
// A line the game cannot read is named and dropped when the file is written
// again; a setting it does not know is kept as it is, as are comments.

#include <string>
#include <vector>

#include "app/command_line.h"

namespace velk {

struct Settings {
    // Ask until the player has answered.
    ScreenMode screenMode = ScreenMode::Ask;
    // Comments and settings the game does not know, written back as they were.
    std::vector<std::string> keptLines;
};

// Reads the settings from the file's text; each line that cannot be used
// adds a warning and leaves its setting unchosen.
Settings parseSettings(const std::string& text, std::vector<std::string>& warnings);
std::string settingsText(const Settings& settings);

// The settings file: $XDG_CONFIG_HOME/velk/settings.ini (~/.config/velk/ by
// default); empty when there is no such folder.
std::string settingsPath();
// No file, or one that cannot be read, gives the defaults (with a warning
// for the latter).
Settings loadSettings(const std::string& path, std::vector<std::string>& warnings);
// Writes the file whole (making its folder); false with `why` on failure.
bool saveSettings(const std::string& path, const Settings& settings, std::string& why);

// Whether the screen-mode question is asked, and the mode the screen opens
// in: a mode on the command line wins and leaves the remembered one as it
// is, then the remembered answer; a headless run never asks. The question
// is asked in the game's window, which opens windowed for it.
struct ScreenChoice {
    bool windowed = true;
    bool ask = false;
};
ScreenChoice chooseScreenMode(ScreenMode commandLine, ScreenMode remembered, bool headless);

}  // namespace velk
