#include "items/item_text.h"

#include "items/item_tables.h"
#include "platform/text_reader.h"

namespace velk {

namespace {

bool readLines(TextReader& in, int32_t count, TextBoxFile& out, std::string* error) {
    out.lines.assign(size_t(count), {});
    for (std::string& line : out.lines) {
        int32_t length = 0;
        if (!in.number(length, 1, kMaxTextLineBytes, "line length") ||
            !in.restOfLine(line, size_t(length)))
            break;
    }
    if (!in.failed()) return true;
    if (error) *error = in.error();
    return false;
}

bool stop(const TextReader& in, std::string* error) {
    if (error) *error = in.error();
    return false;
}

}  // namespace

bool parseItemDescription(const uint8_t* data, size_t size, TextBoxFile& out, std::string* error) {
    TextReader in(data, size);
    out = {};
    int32_t count = 0;
    if (!in.number(out.width, 0, kMaxTextBoxWidth, "width") ||
        !in.number(out.height, 0, kMaxTextBoxHeight, "height") ||
        !in.number(count, 0, kMaxTextLines, "line count"))
        return stop(in, error);
    return readLines(in, count, out, error);
}

bool parseHelpText(const uint8_t* data, size_t size, TextBoxFile& out, std::string* error) {
    TextReader in(data, size);
    out = {};
    int32_t count = 0;
    if (!in.number(count, 0, kMaxTextLines, "line count") ||
        !in.number(out.x, -kMaxTextBoxWidth, kMaxTextBoxWidth, "x") ||
        !in.number(out.y, -kMaxTextBoxHeight, kMaxTextBoxHeight, "y") ||
        !in.number(out.width, 0, kMaxTextBoxWidth, "width") ||
        !in.number(out.height, 0, kMaxTextBoxHeight, "height"))
        return stop(in, error);
    return readLines(in, count, out, error);
}

std::string itemDescriptionFileName(int kind, int32_t index) {
    const char* folder = kind == kKindWeapon   ? "att"
                         : kind == kKindSkill  ? "skill"
                         : kind == kKindEnergy ? "enugy"
                                               : nullptr;
    if (!folder) return {};
    return std::string("txt/item/") + folder + "/" + std::to_string(index) + ".txt";
}

}  // namespace velk
