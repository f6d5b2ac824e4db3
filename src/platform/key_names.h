#pragma once
// Names of keyboard keys, by DirectInput key code (the PC scan code set):
// what input scripts and controls.ini call them. Names match without regard
// to case; a code such as 0x1D names any key.

#include <string>

namespace velk {

// -1 for an unknown name.
int keyCodeFromName(const std::string& name);
// The key's name, or "0xNN" for a key without one.
std::string keyNameFromCode(int code);

}  // namespace velk
