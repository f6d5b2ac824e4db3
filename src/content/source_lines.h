#pragma once
// The readable sources that content authors write share one line rule: a
// '#' starts a comment, and a line with nothing left is skipped.

#include <functional>
#include <sstream>
#include <string>

namespace velk {

// Calls `each` with the 1-based line number and the words of every line of
// `text` that holds something before its comment. Stops at the first call
// that returns false, and then returns false.
bool forEachSourceLine(const std::string& text, const std::function<bool(int lineNo, std::istringstream& words)>& each);

}  // namespace velk
