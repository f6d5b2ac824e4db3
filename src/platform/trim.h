#pragma once
// Blanks (spaces, tabs, a Windows line end) cut from both ends of a line of
// the hand-edited text files: controls, settings, talk and map sources.

#include <string>

namespace velk {

inline std::string trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t\r") - a + 1);
}

}  // namespace velk
