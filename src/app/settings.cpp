#include "app/settings.h"

#include <filesystem>
#include <sstream>

#include "platform/files.h"
#include "platform/trim.h"

namespace velk {

namespace {

// A settings file is a few lines; anything bigger is not one.
constexpr size_t kMaxSettingsFile = 64 * 1024;

// A line as a message quotes it: control bytes (of a file that is no text)
// become '?'.
std::string printable(std::string s) {
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return s;
}

}  // namespace

Settings parseSettings(const std::string& text, std::vector<std::string>& warnings) {
    Settings settings;
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
        ++lineNo;
        const std::string where = "line " + std::to_string(lineNo) + ": ";
        const std::string line = trim(raw.substr(0, raw.find('#')));
        const size_t eq = line.find('=');
        if (line.empty()) {
            if (!trim(raw).empty()) settings.keptLines.push_back(trim(raw));
            continue;
        }
        if (eq == std::string::npos) {
            warnings.push_back(where + "expected 'name = value', got '" + printable(line) + "'");
            continue;
        }
        const std::string name = trim(line.substr(0, eq)), value = trim(line.substr(eq + 1));
        if (name != "screen") {
            settings.keptLines.push_back(trim(raw));
            continue;
        }
        if (value == "window") {
            settings.screenMode = ScreenMode::Windowed;
        } else if (value == "fullscreen") {
            settings.screenMode = ScreenMode::FullScreen;
        } else {
            settings.screenMode = ScreenMode::Ask;
            warnings.push_back(where + "screen is 'window' or 'fullscreen', not '" + printable(value) + "'");
        }
    }
    return settings;
}

std::string settingsText(const Settings& settings) {
    std::string text;
    bool header = false;
    for (const std::string& line : settings.keptLines) {
        header = header || line.rfind("# velk's settings", 0) == 0;
        text += line + "\n";
    }
    if (!header) text.insert(0, "# velk's settings; the game writes this file\n");
    if (settings.screenMode != ScreenMode::Ask)
        text += std::string("screen = ") + (settings.screenMode == ScreenMode::Windowed ? "window" : "fullscreen") +
                "\n";
    return text;
}

std::string settingsPath() {
    const std::string dir = userConfigDirectory();
    return dir.empty() ? "" : dir + "/settings.ini";
}

Settings loadSettings(const std::string& path, std::vector<std::string>& warnings) {
    std::error_code ec;
    if (path.empty() || !std::filesystem::exists(path, ec)) return {};
    std::vector<uint8_t> bytes;
    if (!readFile(path, bytes, kMaxSettingsFile)) {
        warnings.push_back("cannot read it (or it is over 64 KiB)");
        return {};
    }
    return parseSettings(std::string(bytes.begin(), bytes.end()), warnings);
}

bool saveSettings(const std::string& path, const Settings& settings, std::string& why) {
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec) &&
        !std::filesystem::create_directories(folder, ec)) {
        why = ec.message();
        return false;
    }
    const std::string text = settingsText(settings);
    return writeFileAtomic(path, text.data(), text.size(), &why);
}

ScreenChoice chooseScreenMode(ScreenMode commandLine, ScreenMode remembered, bool headless) {
    if (headless) return {true, false};
    const ScreenMode mode = commandLine != ScreenMode::Ask ? commandLine : remembered;
    if (mode == ScreenMode::Ask) return {true, true};
    return {mode == ScreenMode::Windowed, false};
}

}  // namespace velk
