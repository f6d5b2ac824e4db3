#pragma once
// Several files of the save folder written as one. The new contents of all
// of them go first into one journal file (written atomically), then each
// file is written (atomically), then the journal is removed. A crash at any
// instant leaves either no file changed and no journal, or the journal,
// which the next start finishes; a failed write puts back what the files
// held, so that either all of them change or none does.

#include <functional>
#include <string>
#include <vector>

namespace velk {

constexpr const char* kSaveJournalName = "txt/user/journal.txt";

struct SavedFileText {
    std::string name;  // a game name in the save folder, e.g. "txt/user/user.txt"
    std::string text;
};

// Writes every file or none. False, with `why` set, when the change is not
// made: no file changed, or (when putting a file back failed too) the
// journal is left for the next start to finish, which then gives the
// change. True once every file holds its new text.
bool commitSavedFiles(const std::vector<SavedFileText>& files, std::string* why);

// Finishes a journal a crash left. True when there is none left behind;
// false (reported on stderr) when it is still there, because a write failed
// or the journal is damaged: nothing this run saves may then be trusted
// over it.
bool replaySaveJournal();

// The journal's text for `files`, and back; parse gives false on any damage.
std::string saveJournalText(const std::vector<SavedFileText>& files);
bool parseSaveJournal(const std::string& text, std::vector<SavedFileText>& out);

// Tests: called before each step of a commit with its number (0 is the
// journal, then one per file, then the journal's removal, then the end);
// returning false makes that step fail as a full or read-only disk would.
using SaveStepHook = std::function<bool(int step)>;
void setSaveStepHook(SaveStepHook hook);

}  // namespace velk
