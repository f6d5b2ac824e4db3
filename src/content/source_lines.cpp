#include "content/source_lines.h"

namespace velk {

bool forEachSourceLine(const std::string& text, const std::function<bool(int, std::istringstream&)>& each) {
    std::istringstream lines(text);
    int lineNo = 0;
    for (std::string line; std::getline(lines, line);) {
        ++lineNo;
        std::istringstream words(line.substr(0, line.find('#')));
        std::string first;
        if (!(words >> first)) continue;
        words.seekg(0);
        if (!each(lineNo, words)) return false;
    }
    return true;
}

}  // namespace velk
