#include "platform/cp949.h"

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>

namespace velk {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isLead(uint8_t b) { return b >= 0x81 && b <= 0xFE; }
bool isTrail(uint8_t b) { return b >= 0x41 && b <= 0xFE; }

// Every two-byte code to its code point (0 where CP949 has no character),
// filled once from the system's converter so the two directions agree.
class DecodeTable {
public:
    DecodeTable() {
        iconv_t cd = iconv_open("UTF-32LE", "CP949");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x41; trail <= 0xFE; ++trail) {
                char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                uint8_t out[8] = {};
                char* inPtr = in;
                char* outPtr = reinterpret_cast<char*>(out);
                size_t inLeft = 2, outLeft = sizeof out;
                iconv(cd, nullptr, nullptr, nullptr, nullptr);
                // Only a pair that converts whole into exactly one character counts.
                if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
                    inLeft != 0 || outLeft != sizeof out - 4)
                    continue;
                const uint32_t cp = out[0] | (out[1] << 8) | (out[2] << 16) |
                                    (static_cast<uint32_t>(out[3]) << 24);
                if (cp <= 0xFFFF) codes_[index(lead, trail)] = static_cast<char16_t>(cp);
            }
        }
        iconv_close(cd);
    }

    char16_t lookup(uint8_t lead, uint8_t trail) const { return codes_[index(lead, trail)]; }

private:
    static size_t index(int lead, int trail) { return (lead - 0x81) * 190 + (trail - 0x41); }
    std::array<char16_t, 126 * 190> codes_{};
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

// Length of a well-formed UTF-8 sequence at p (at most `left` bytes), or 0.
size_t utf8SequenceLength(const uint8_t* p, size_t left) {
    size_t n;
    if (p[0] >= 0xC2 && p[0] <= 0xDF) n = 2;
    else if (p[0] >= 0xE0 && p[0] <= 0xEF) n = 3;
    else if (p[0] >= 0xF0 && p[0] <= 0xF4) n = 4;
    else return 0;
    if (n > left) return 0;
    for (size_t i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80) return 0;
    return n;
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

std::string toCp949(const std::string& utf8) {
    std::string out;
    iconv_t cd = iconv_open("CP949", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter: keep what is plain ASCII and mark the rest.
        for (size_t i = 0; i < utf8.size();) {
            const auto* p = reinterpret_cast<const uint8_t*>(utf8.data()) + i;
            const size_t n = p[0] < 0x80 ? 1 : utf8SequenceLength(p, utf8.size() - i);
            out += p[0] < 0x80 ? static_cast<char>(p[0]) : '?';
            i += n ? n : 1;
        }
        return out;
    }
    // A CP949 character never takes more bytes than its UTF-8 form.
    out.resize(utf8.size());
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) {
            const size_t used = out.size() - outLeft;
            out.resize(out.size() * 2 + 16);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // Unconvertible or malformed: one '?' for the character (or the stray
        // byte); a sequence cut short by the end of the text is one '?' too.
        const bool cutShort = errno == EINVAL;
        if (outLeft == 0) {
            const size_t used = out.size();
            out.resize(out.size() * 2 + 16);
            outPtr = out.data() + used;
            outLeft = out.size() - used;
        }
        *outPtr++ = '?';
        --outLeft;
        if (cutShort) break;
        const size_t n = utf8SequenceLength(reinterpret_cast<const uint8_t*>(in), inLeft);
        const size_t skip = n ? n : 1;
        in += skip;
        inLeft -= skip;
    }
    out.resize(out.size() - outLeft);
    iconv_close(cd);
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
