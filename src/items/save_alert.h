#pragma once
// A write of the player's progress that failed is told wherever the player
// may look: always on stderr, in the notice log, and in a message box the
// world opens at its next frame; the run then ends with a non-zero exit code.

#include <string>

namespace velk {

// `detail` goes to stderr; the notice and the box's two lines are UTF-8
// (the box's lines default to a general save failure).
void tellSaveFailure(const std::string& detail, const std::string& line0 = {}, const std::string& line1 = {});

// Whether a save of this run failed.
bool saveFailed();

// The box lines (CP949) of the latest failure not yet shown; false when
// there is none. Taking them marks them shown.
bool takeSaveAlert(std::string& line0, std::string& line1);

// Forgets every failure (tests start each case clean).
void resetSaveFailures();

}  // namespace velk
