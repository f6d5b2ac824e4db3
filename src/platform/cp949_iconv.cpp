// CP949 through the system's converter (iconv).

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "platform/cp949.h"
#include "platform/cp949_codes.h"

namespace velk {
namespace {

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

void fillCp949Codes(char16_t* codes) {
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
            const uint32_t cp = out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<uint32_t>(out[3]) << 24);
            if (cp <= 0xFFFF) codes[cp949CodeIndex(lead, trail)] = static_cast<char16_t>(cp);
        }
    }
    iconv_close(cd);
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

}  // namespace velk
