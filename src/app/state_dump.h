#pragma once
// --dump-state: the game's state at the end of a run as one JSON object, for
// scripted tests and bug reports. Parts of the game that do not exist yet
// are left out, never faked.

#include <string>

class CGameApp;

namespace velk {

std::string stateDumpJson(const CGameApp& app);
// JSON string literal (quotes and escapes) of UTF-8 text.
std::string jsonString(const std::string& utf8);

}  // namespace velk
