#pragma once
// Text is CP949 bytes in memory, as in the game. Source files are UTF-8;
// these helpers convert at the edges (texts the code shows, the dump of
// notices, typed characters, file names for messages).

#include <cstddef>
#include <string>

namespace velk {

// Converts UTF-8 to CP949. Characters CP949 cannot hold become '?'.
std::string toCp949(const std::string& utf8);
// Converts CP949 to UTF-8. Invalid bytes become U+FFFD.
std::string toUtf8(const std::string& cp949);

// Cuts CP949 text to at most maxBytes without splitting a two-byte character.
std::string cutCp949(const std::string& cp949, size_t maxBytes);

// The first `length` bytes of `text` less a lead byte cut off from its
// trail at their end: a text shown a byte at a time shows each character
// only once it is whole.
size_t wholeCp949Length(const char* text, size_t length);
// Decodes the character at text[pos] (pos < length) into `codePoint` and
// returns the bytes it took (1 or 2). Bytes that are no CP949 character give
// U+FFFD. Table lookup: cheap enough for every glyph of every frame.
size_t decodeCp949(const char* text, size_t length, size_t pos, char32_t& codePoint);

}  // namespace velk
