#pragma once
// Reader for text files that mix "%d" numbers with runs of raw bytes (talk
// files, quest texts). A number is read as formatted input reads it: white
// space skipped, an optional sign, digits up to the first non-digit, so a
// raw run can start right after the last digit. Counts and lengths are
// checked by the caller's bounds; the first error is kept for --verbose.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace velk {

class ScanReader {
public:
    ScanReader(const uint8_t* data, size_t size) : text_(reinterpret_cast<const char*>(data), size) {}
    explicit ScanReader(std::string_view text) : text_(text) {}

    bool failed() const { return failed_; }
    const std::string& error() const { return error_; }

    bool number(int32_t& out, int32_t low, int32_t high, const char* what) {
        if (failed_) return false;
        while (pos_ < text_.size() && space(text_[pos_])) ++pos_;
        size_t i = pos_;
        bool negative = false;
        if (i < text_.size() && (text_[i] == '-' || text_[i] == '+')) negative = text_[i++] == '-';
        const size_t digits = i;
        int64_t value = 0;
        while (i < text_.size() && text_[i] >= '0' && text_[i] <= '9') {
            value = value * 10 + (text_[i++] - '0');
            if (value > int64_t(INT32_MAX) + 1) return fail(std::string(what) + " too large");
        }
        if (i == digits) return fail(pos_ >= text_.size() ? std::string("missing ") + what
                                                           : std::string("bad ") + what);
        if (negative) value = -value;
        if (value < low || value > high)
            return fail(std::string(what) + " " + std::to_string(value) + " out of range " +
                        std::to_string(low) + ".." + std::to_string(high));
        pos_ = i;
        out = int32_t(value);
        return true;
    }

    // Exactly n bytes from where the last read stopped.
    bool raw(size_t n, std::string& out, const char* what) {
        if (failed_) return false;
        if (text_.size() - pos_ < n) return fail(std::string(what) + " runs past the end");
        out.assign(text_.substr(pos_, n));
        pos_ += n;
        return true;
    }

    // As a line read into a buffer of `bufferSize` bytes: at most
    // bufferSize - 1 bytes, up to and including a line end.
    bool lineRest(size_t bufferSize, std::string& out, const char* what) {
        if (failed_) return false;
        if (pos_ >= text_.size()) return fail(std::string("missing ") + what);
        size_t end = pos_;
        while (end < text_.size() && end - pos_ + 1 < bufferSize && text_[end] != '\n') ++end;
        if (end < text_.size() && text_[end] == '\n' && end - pos_ + 1 < bufferSize) ++end;
        out.assign(text_.substr(pos_, end - pos_));
        pos_ = end;
        return true;
    }

    // Next white-space delimited token.
    bool word(std::string& out, const char* what) {
        if (failed_) return false;
        while (pos_ < text_.size() && space(text_[pos_])) ++pos_;
        const size_t start = pos_;
        while (pos_ < text_.size() && !space(text_[pos_])) ++pos_;
        if (pos_ == start) return fail(std::string("missing ") + what);
        out.assign(text_.substr(start, pos_ - start));
        return true;
    }

    bool fail(std::string reason) {
        if (!failed_) {
            failed_ = true;
            error_ = std::move(reason);
        }
        return false;
    }

private:
    static bool space(char c) {
        return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
    }

    std::string_view text_;
    size_t pos_ = 0;
    bool failed_ = false;
    std::string error_;
};

}  // namespace velk
