// Item descriptions, help texts and name files: any text is read within its
// bounds; every line fits its length and the box fits the screen.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formats/item_pack_format.h"
#include "items/item_text.h"

namespace {

void check(const velk::TextBoxFile& box) {
    if (box.lines.size() > size_t(velk::kMaxTextLines) || box.width < 0 ||
        box.width > velk::kMaxTextBoxWidth || box.height < 0 ||
        box.height > velk::kMaxTextBoxHeight)
        std::abort();
    for (const std::string& line : box.lines)
        if (line.size() >= size_t(velk::kMaxTextLineBytes)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    velk::TextBoxFile box;
    velk::parseItemDescription(data, size, box, nullptr);
    check(box);
    velk::parseHelpText(data, size, box, nullptr);
    check(box);
    for (const std::string& name : velk::parseItemNames(data, size, 8))
        if (name.size() > velk::kMaxItemNameBytes) std::abort();
    return 0;
}
