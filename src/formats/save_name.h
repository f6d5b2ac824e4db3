#pragma once
// The hero's name as the save file keeps it: one whitespace-free word of at
// most 12 bytes of CP949 (the record holds it in 13 bytes with the NUL), so
// that every name written reads back as the same single token.

#include <string>

namespace velk {

// The name a new game gives the hero, in CP949.
std::string defaultHeroName();

// `raw` as a name that reads back unchanged: cut to 12 bytes on a character
// boundary. Empty when nothing readable is left: an empty name, or one with
// a control byte, a blank, a NUL or bytes that are no CP949 character.
std::string readableSaveName(const std::string& raw);

}  // namespace velk
