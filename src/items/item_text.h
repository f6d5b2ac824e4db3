#pragma once
// The small text files of the item windows: item descriptions
// ("txt/item/att|skill|enugy/%d.txt": width, height, N, then N lines) and
// the HUD's help texts ("txt/interface/%d.txt": N, x, y, width, height, then
// N lines). Each line is an int L followed, after one blank on the same
// line, by its text read into L bytes (so L counts the text, the line end
// and the terminator). Counts and lengths are bounded; a file that ends
// early keeps what was read and leaves the rest of its lines empty.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velk {

constexpr int32_t kMaxTextLines = 32;
constexpr int32_t kMaxTextLineBytes = 256;
// Boxes never exceed the screen.
constexpr int32_t kMaxTextBoxWidth = 800;
constexpr int32_t kMaxTextBoxHeight = 600;

struct TextBoxFile {
    int32_t x = 0;  // help texts only
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::string> lines;  // CP949, without line ends
};

// False, with `error` set, when the file is malformed or ends early; `out`
// then holds the numbers read and the lines up to that point, each line
// promised by the count but not read left empty.
bool parseItemDescription(const uint8_t* data, size_t size, TextBoxFile& out, std::string* error);
bool parseHelpText(const uint8_t* data, size_t size, TextBoxFile& out, std::string* error);

// The description file of an item by its kind (-1 weapon, -2 skill, -3
// energy item) and table index; empty for another kind.
std::string itemDescriptionFileName(int kind, int32_t index);
inline std::string helpTextFileName(int number) {
    return "txt/interface/" + std::to_string(number) + ".txt";
}

}  // namespace velk
