// CP949 in the web build: the browser offers no encoder and musl's iconv
// has no CP949, so the page brings the native converter's table of every
// two-byte code (made by tools/web_assets) and both directions read it.

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/cp949.h"
#include "platform/cp949_codes.h"
#include "platform/files.h"

namespace velk {
namespace {

constexpr const char* kTablePath = "/atlas/cp949.bin";

// Each code point to its two-byte code; the lowest code where several
// decode to the same character.
const std::unordered_map<char32_t, uint16_t>& encodeTable() {
    static const std::unordered_map<char32_t, uint16_t> table = [] {
        std::unordered_map<char32_t, uint16_t> out;
        for (int lead = 0x81; lead <= 0xFE; ++lead)
            for (int trail = 0x41; trail <= 0xFE; ++trail) {
                const char pair[2] = {char(lead), char(trail)};
                char32_t cp = 0;
                if (decodeCp949(pair, 2, 0, cp) == 2 && cp != 0xFFFD)
                    out.try_emplace(cp, uint16_t(lead << 8 | trail));
            }
        return out;
    }();
    return table;
}

// The code point of the UTF-8 sequence at text[i], and its length; 0 for a
// malformed or cut-short one.
size_t decodeUtf8(const std::string& text, size_t i, char32_t& cp) {
    const auto* p = reinterpret_cast<const uint8_t*>(text.data()) + i;
    const size_t left = text.size() - i;
    size_t n;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) n = 2, cp = p[0] & 0x1F;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF) n = 3, cp = p[0] & 0x0F;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4) n = 4, cp = p[0] & 0x07;
    else return 0;
    if (n > left) return 0;
    for (size_t k = 1; k < n; ++k) {
        if ((p[k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[k] & 0x3F);
    }
    return n;
}

}  // namespace

void fillCp949Codes(char16_t* codes) {
    std::vector<uint8_t> bytes;
    if (!readFile(kTablePath, bytes) || bytes.size() != kCp949CodeCount * 2) {
        std::fprintf(stderr, "velk: %s is missing or damaged: Korean text shows as '?'\n", kTablePath);
        return;
    }
    for (size_t i = 0; i < kCp949CodeCount; ++i) codes[i] = char16_t(bytes[2 * i] | (bytes[2 * i + 1] << 8));
}

std::string toCp949(const std::string& utf8) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<uint8_t>(utf8[i]);
        if (b < 0x80) {
            out += char(b);
            ++i;
            continue;
        }
        // As the native converter: one '?' for a character CP949 lacks or a
        // malformed byte.
        char32_t cp = 0;
        const size_t n = decodeUtf8(utf8, i, cp);
        const auto& table = encodeTable();
        const auto it = n ? table.find(cp) : table.end();
        if (it == table.end()) {
            out += '?';
        } else {
            out += char(it->second >> 8);
            out += char(it->second & 0xFF);
        }
        i += n ? n : 1;
    }
    return out;
}

}  // namespace velk
