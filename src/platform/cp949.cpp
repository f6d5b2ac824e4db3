#include "platform/cp949.h"

#include <array>
#include <cstdint>

#include "platform/cp949_codes.h"

namespace velk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isLead(uint8_t b) { return b >= 0x81 && b <= 0xFE; }
bool isTrail(uint8_t b) { return b >= 0x41 && b <= 0xFE; }

// Every two-byte code to its code point (0 where CP949 has no character),
// filled once from the converter behind cp949_codes.h.
class DecodeTable {
public:
    DecodeTable() { fillCp949Codes(codes_.data()); }
    char16_t lookup(uint8_t lead, uint8_t trail) const { return codes_[cp949CodeIndex(lead, trail)]; }

private:
    std::array<char16_t, kCp949CodeCount> codes_{};
};

const DecodeTable& decodeTable() {
    static const DecodeTable table;
    return table;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

size_t decodeCp949(const char* text, size_t length, size_t pos, char32_t& codePoint) {
    const auto b = static_cast<uint8_t>(text[pos]);
    if (b < 0x80) {
        codePoint = b;
        return 1;
    }
    if (isLead(b) && pos + 1 < length) {
        const auto t = static_cast<uint8_t>(text[pos + 1]);
        if (isTrail(t)) {
            const char16_t cp = decodeTable().lookup(b, t);
            codePoint = cp != 0 ? cp : kReplacement;
            return 2;
        }
    }
    // A stray byte: replace it alone so the character after it survives.
    codePoint = kReplacement;
    return 1;
}

std::string toUtf8(const std::string& cp949) {
    std::string out;
    out.reserve(cp949.size() * 3 / 2);
    for (size_t i = 0; i < cp949.size();) {
        char32_t cp;
        i += decodeCp949(cp949.data(), cp949.size(), i, cp);
        appendUtf8(out, cp);
    }
    return out;
}

size_t wholeCp949Length(const char* text, size_t length) {
    size_t end = 0;
    while (end < length) {
        const bool lead = isLead(static_cast<uint8_t>(text[end]));
        if (lead && end + 1 == length) break;
        end += lead ? 2 : 1;
    }
    return end;
}

std::string cutCp949(const std::string& cp949, size_t maxBytes) {
    size_t end = 0;
    while (end < cp949.size()) {
        // A lead byte takes the next byte with it, whatever that byte is; a
        // lead byte that ends the text stands alone.
        const bool pair = isLead(static_cast<uint8_t>(cp949[end])) && end + 1 < cp949.size();
        const size_t step = pair ? 2 : 1;
        if (end + step > maxBytes) break;
        end += step;
    }
    return cp949.substr(0, end);
}

}  // namespace velk
