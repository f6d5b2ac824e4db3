#pragma once
// Token-by-token reader over a text file in memory, for the game's small text
// files (stages, positions, delays, the save). Tokens are separated by white
// space, as formatted input reads them. A number must be a whole decimal
// int32 token: "12abc" or "99999999999" is an error, never a half-read value.
// The first error is kept with a reason for --verbose.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace velk {

class TextReader {
public:
    TextReader(const uint8_t* data, size_t size)
        : text_(reinterpret_cast<const char*>(data), size) {}
    explicit TextReader(std::string_view text) : text_(text) {}

    bool failed() const { return failed_; }
    const std::string& error() const { return error_; }
    // True when only white space is left.
    bool atEnd() {
        skipSpace();
        return pos_ >= text_.size();
    }

    // Next whitespace-delimited token; false (and failed) at the end.
    bool word(std::string& out, const char* what = "word") {
        std::string_view t = token();
        if (t.empty()) return fail(std::string("missing ") + what);
        out.assign(t);
        return true;
    }

    // Next token as a decimal int32 with an optional sign.
    bool number(int32_t& out, const char* what = "number") {
        std::string_view t = token();
        if (t.empty()) return fail(std::string("missing ") + what);
        size_t i = 0;
        bool negative = false;
        if (t[0] == '-' || t[0] == '+') {
            negative = t[0] == '-';
            i = 1;
        }
        if (i == t.size()) return bad(what, t);
        int64_t value = 0;
        for (; i < t.size(); ++i) {
            if (t[i] < '0' || t[i] > '9') return bad(what, t);
            value = value * 10 + (t[i] - '0');
            if (value > int64_t(INT32_MAX) + 1) return bad(what, t);
        }
        if (negative) value = -value;
        if (value > INT32_MAX) return bad(what, t);
        out = int32_t(value);
        return true;
    }

    // A number that must lie in [low, high] (counts, modes, sizes).
    bool number(int32_t& out, int32_t low, int32_t high, const char* what) {
        int32_t v = 0;
        if (!number(v, what)) return false;
        if (v < low || v > high)
            return fail(std::string(what) + " " + std::to_string(v) + " out of range " +
                        std::to_string(low) + ".." + std::to_string(high));
        out = v;
        return true;
    }

    // The rest of the current line as line input reads it into a buffer of
    // `bufferBytes`: at most bufferBytes - 1 bytes, up to and including the
    // line end. `out` gets them without the one blank that separates the text
    // from what stood before it and without the line end. A line longer than
    // the buffer is cut and its rest skipped, so the next token starts on the
    // next line. False (and failed) with nothing left to read.
    bool restOfLine(std::string& out, size_t bufferBytes, const char* what = "line") {
        if (failed_) return false;
        if (pos_ >= text_.size()) return fail(std::string("missing ") + what);
        const size_t limit = bufferBytes > 0 ? bufferBytes - 1 : 0;
        const size_t lineEnd = std::min(text_.find('\n', pos_), text_.size());
        const size_t taken = std::min(lineEnd - pos_, limit);
        std::string_view text = text_.substr(pos_, taken);
        pos_ = lineEnd < text_.size() ? lineEnd + 1 : lineEnd;
        if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
        out.assign(text);
        return true;
    }

private:
    static bool space(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }
    void skipSpace() {
        while (pos_ < text_.size() && space(text_[pos_])) ++pos_;
    }
    std::string_view token() {
        if (failed_) return {};
        skipSpace();
        size_t start = pos_;
        while (pos_ < text_.size() && !space(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }
    bool bad(const char* what, std::string_view t) {
        std::string shown(t.substr(0, 24));
        return fail(std::string("bad ") + what + " '" + shown + "'");
    }
    bool fail(std::string reason) {
        if (!failed_) {
            failed_ = true;
            error_ = std::move(reason);
        }
        return false;
    }

    std::string_view text_;
    size_t pos_ = 0;
    bool failed_ = false;
    std::string error_;
};

}  // namespace velk
