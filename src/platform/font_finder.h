#pragma once
// Finds font files through fontconfig: the one face with Hangul coverage the
// game's text uses, and a face for a family name (the frame-rate font).

#include <optional>
#include <string>

namespace velk {

struct FaceFile {
    std::string path;
    int index = 0;
    // Bold was asked for but only a regular face exists: thicken the outlines.
    bool embolden = false;
};

// The face with Hangul coverage, bold when asked; looked up once per weight.
const std::optional<FaceFile>& findHangulFace(bool bold);

// The best face for `family` covering ASCII; another sans face when the
// family is not installed.
std::optional<FaceFile> findFace(const std::string& family, bool bold, bool italic);

// Empty when the game's text can be drawn; otherwise a message for the user.
std::string fontProblem();

}  // namespace velk
