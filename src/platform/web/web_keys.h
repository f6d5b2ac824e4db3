#pragma once
// Keyboard codes of the page (KeyboardEvent.code, the key's place on the
// keyboard whatever its layout) onto DirectInput key codes, the same codes
// the native backends put into the game's key table.

namespace velk {

// 0 for a key the game has no code for.
int dikFromDomCode(const char* code);

}  // namespace velk
