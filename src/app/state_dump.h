#pragma once
// --dump-state: the game's state at the end of a run as one JSON object, for
// scripted tests and bug reports. Parts of the game that do not exist yet
// are left out, never faked.

#include <initializer_list>
#include <string>

class CGameApp;
class CWorld;

namespace velk {

std::string stateDumpJson(const CGameApp& app);
// JSON string literal (quotes and escapes) of UTF-8 text.
std::string jsonString(const std::string& utf8);

struct JsonField {
    const char* name;
    long value;
};
// {"name": value, ...} with `extra` (", \"key\": ...") before the brace.
std::string jsonObject(std::initializer_list<JsonField> fields, const std::string& extra = "");

// The combat part: "monsters", "boss", "shots", "pet", "speedEffect", each
// line ending in a comma.
std::string combatStateJson(const CWorld& world);

}  // namespace velk
