#include "formats/save_name.h"

#include "platform/cp949.h"

namespace velk {

namespace {
constexpr size_t kNameBytes = 12;
}

std::string defaultHeroName() { return toCp949("벨크"); }

std::string readableSaveName(const std::string& raw) {
    const std::string name = cutCp949(raw, kNameBytes);
    for (size_t pos = 0; pos < name.size();) {
        const auto byte = static_cast<unsigned char>(name[pos]);
        char32_t code = 0;
        const size_t taken = decodeCp949(name.data(), name.size(), pos, code);
        // One byte must be printable ASCII; two must be a real character.
        const bool readable = taken == 1 ? byte > 0x20 && byte < 0x7F : code != 0xFFFD;
        if (!readable) return {};
        pos += taken;
    }
    return name;
}

}  // namespace velk
