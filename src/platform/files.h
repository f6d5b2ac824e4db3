#pragma once
// Content files: game names resolved against the data directory, whole-file
// reads with a size cap, atomic writes, and the --verbose diagnostics.
// Files the game writes (the save, mission states) live in the save
// directory, in the content tree's own layout; the content tree is only read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velk {

void setDataDirectory(const std::string& dir);
const std::string& dataDirectory();

// "sound\\jump.wav" -> "<data>/sound/jump.wav". Backslashes are separators.
std::string dataPath(const std::string& gameName);

// Where the game writes: an empty directory (the default) means the data
// directory itself.
void setSaveDirectory(const std::string& dir);
const std::string& saveDirectory();
// "txt/user/user.txt" -> "<save>/txt/user/user.txt": where the game writes it.
std::string savePath(const std::string& gameName);
// Where the game reads a file it also writes: the save directory's copy when
// there is one, otherwise the content tree's (a tree may ship a save).
std::string savedFilePath(const std::string& gameName);

// The mission-state file of the NPCs of one map, "txt/npc/mssck/mss_N.txt";
// read through savedFilePath and written with writeSavedFileAtomic.
std::string missionStateName(int mapNumber);

// A stable folder name for one content tree, "<last folder>-<hash of its
// full path>", so two worlds never share a save.
std::string contentTreeId(const std::string& dataDir);

// The user's settings folder: $XDG_CONFIG_HOME/velk, else ~/.config/velk;
// empty when neither is known.
std::string userConfigDirectory();

// Files larger than this are refused by every loader.
constexpr size_t kMaxContentFile = 256u * 1024u * 1024u;

// Reads a whole file (a real path). False if missing, unreadable or over `cap`.
bool readFile(const std::string& path, std::vector<uint8_t>& out, size_t cap = kMaxContentFile);
// Reads a game file relative to the data directory.
bool readDataFile(const std::string& gameName, std::vector<uint8_t>& out,
                  size_t cap = kMaxContentFile);

// Writes to a temporary file beside `path`, flushes it and renames it over
// `path`, so a crash never leaves a half-written file. On failure `why` (if
// given) names the step and the system's reason.
bool writeFileAtomic(const std::string& path, const void* data, size_t size, std::string* why = nullptr);
// Reads a file the game also writes, from where savedFilePath says.
bool readSavedFile(const std::string& gameName, std::vector<uint8_t>& out,
                   size_t cap = kMaxContentFile);
// Writes a game file into the save directory.
bool writeSavedFileAtomic(const std::string& gameName, const std::string& text, std::string* why = nullptr);

// --verbose: one line on stderr naming a file and what was wrong with it.
void setVerbose(bool on);
bool verbose();
void reportBadFile(const std::string& name, const std::string& reason);

// Also hands every report to `listener` (whatever --verbose says), so a
// content checker can collect the loaders' own reasons. An empty listener
// removes it.
using BadFileListener = std::function<void(const std::string& name, const std::string& reason)>;
void setBadFileListener(BadFileListener listener);

}  // namespace velk
