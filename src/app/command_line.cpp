#include "app/command_line.h"

#include <cstdlib>
#include <cstring>

#include "formats/save_file.h"
#include "npc/shop_rules.h"

namespace velk {

namespace {

// Wide enough for a seed's range where `long` has 32 bits (the web build).
bool parseNumber(const char* text, long long minimum, long long maximum, long long& out) {
    if (!text || !*text) return false;
    char* end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (*end != '\0' || v < minimum || v > maximum) return false;
    out = v;
    return true;
}

// The level a save may hold; what a hero can reach is checked when the
// game has its rules loaded.
constexpr long long kMaxLevelOption = 999;

// MAP[:SIDE] of --start.
bool parseStart(const std::string& text, Options& o) {
    const size_t colon = text.find(':');
    long long map = 0;
    if (!parseNumber(text.substr(0, colon).c_str(), 0, kMaxMapNumber, map)) return false;
    const std::string side = colon == std::string::npos ? "back" : text.substr(colon + 1);
    if (side == "back")
        o.startSide = StartSide::Back;
    else if (side == "forward")
        o.startSide = StartSide::Forward;
    else
        return false;
    o.startMap = int32_t(map);
    return true;
}

// ITEM[:COUNT] of --give. A name holds no colon, so the last one starts
// the count.
bool parseGift(const std::string& text, Gift& out) {
    const size_t colon = text.rfind(':');
    long long count = 1;
    if (colon != std::string::npos &&
        !parseNumber(text.substr(colon + 1).c_str(), 1, kShopMaxStack, count))
        return false;
    out.item = text.substr(0, colon);
    out.count = int32_t(count);
    return !out.item.empty();
}

}  // namespace

const char* usageText() {
    return "usage: velk [--data DIR] [--save-dir DIR] [--windowed|--fullscreen] [--scale N] [--smooth]\n"
           "            [--seed N] [--verbose] [--headless] [--frames N] [--skip-title] [--script FILE]\n"
           "            [--screenshot N:FILE.png]... [--dump-state FILE] [--record FILE]\n"
           "            [--start MAP[:back|forward]] [--level N] [--give ITEM[:COUNT]]...\n"
           "\n"
           "  --data DIR            content directory (default: the installed world, else the\n"
           "                        current directory); it is only read, never written\n"
           "  --save-dir DIR        where the game writes its save and mission states, in the\n"
           "                        content tree's layout (default: the user's own folder,\n"
           "                        $XDG_DATA_HOME/velk/TREE/, one TREE per content tree)\n"
           "  --windowed            play in a window (skips the screen-mode question)\n"
           "  --fullscreen          play full screen (skips the screen-mode question)\n"
           "  --scale N             window scale, 1 to 8 (default 1; at most what fits the desktop)\n"
           "  --smooth              full screen fills the desktop with smoothed pixels instead of\n"
           "                        the largest whole scale with sharp pixels\n"
           "  --seed N              seed every random seeding with N instead of the clock\n"
           "  --verbose             name every content file that fails to load, and why\n"
           "  --headless            no window and no audio; every main-loop pass is one paced frame\n"
           "  --frames N            stop after N paced frames (the normal shutdown, which saves)\n"
           "  --skip-title          start playing at once\n"
           "  --script FILE         replay input from FILE (the format --record writes)\n"
           "  --screenshot N:FILE   write the screen after paced frame N as a PNG (repeatable)\n"
           "  --dump-state FILE     write the game's state as JSON at the end of the run\n"
           "  --record FILE         record the input of this run as a replayable script\n"
           "  --help                show this text\n"
           "\n"
           "Testing a world (each of these plays in a scratch save folder made under $TMPDIR,\n"
           "or in --save-dir when given; the folder is named on stderr):\n"
           "  --start MAP[:SIDE]    start on map MAP at its back entry (SIDE back, the default:\n"
           "                        where a hero walking forward arrives) or its forward one\n"
           "                        (SIDE forward: where a hero coming back arrives)\n"
           "  --level N             the hero gains levels up to N, as levelling up gives them\n"
           "  --give ITEM[:COUNT]   COUNT (default 1, at most 200) of ITEM, named as in the item\n"
           "                        table or by its item code, into the bag (repeatable)\n"
           "\n"
           "Keys can be changed in $XDG_CONFIG_HOME/velk/controls.ini (~/.config/velk/ when\n"
           "XDG_CONFIG_HOME is not set); gamepad mappings of your own go in gamecontrollerdb.txt\n"
           "beside it.\n";
}

bool parseCommandLine(int argc, const char* const* argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](const char* what) -> const char* {
            if (i + 1 >= argc) {
                error = arg + " needs " + what;
                return nullptr;
            }
            return argv[++i];
        };
        long long n = 0;
        if (arg == "--help" || arg == "-h") {
            o.help = true;
        } else if (arg == "--data") {
            const char* v = value("a directory");
            if (!v) return false;
            o.dataDir = v;
        } else if (arg == "--save-dir") {
            const char* v = value("a directory");
            if (!v) return false;
            o.saveDir = v;
        } else if (arg == "--windowed" || arg == "--fullscreen") {
            const ScreenMode mode = arg == "--windowed" ? ScreenMode::Windowed : ScreenMode::FullScreen;
            if (o.screenMode != ScreenMode::Ask && o.screenMode != mode) {
                error = "--windowed and --fullscreen cannot both be given";
                return false;
            }
            o.screenMode = mode;
        } else if (arg == "--scale") {
            const char* v = value("a number");
            if (!v) return false;
            if (!parseNumber(v, 1, 8, n)) {
                error = "--scale takes a whole number from 1 to 8, not '" + std::string(v) + "'";
                return false;
            }
            o.scale = int(n);
        } else if (arg == "--smooth") {
            o.smooth = true;
        } else if (arg == "--seed") {
            const char* v = value("a number");
            if (!v) return false;
            if (!parseNumber(v, 0, 4294967295LL, n)) {
                error = "--seed takes a whole number from 0 to 4294967295, not '" + std::string(v) + "'";
                return false;
            }
            o.seedGiven = true;
            o.seed = unsigned(n);
        } else if (arg == "--verbose") {
            o.verbose = true;
        } else if (arg == "--headless") {
            o.headless = true;
        } else if (arg == "--frames") {
            const char* v = value("a number");
            if (!v) return false;
            if (!parseNumber(v, 0, 1000000000L, n)) {
                error = "--frames takes a whole number of frames, not '" + std::string(v) + "'";
                return false;
            }
            o.frames = long(n);
        } else if (arg == "--skip-title") {
            o.skipTitle = true;
        } else if (arg == "--script") {
            const char* v = value("a file");
            if (!v) return false;
            o.script = v;
        } else if (arg == "--screenshot") {
            const char* v = value("N:FILE.png");
            if (!v) return false;
            const char* colon = std::strchr(v, ':');
            std::string frame = colon ? std::string(v, colon) : "";
            if (!colon || !parseNumber(frame.c_str(), 0, 1000000000L, n) || !colon[1]) {
                error = "--screenshot takes N:FILE.png (a paced frame number and a file), not '" +
                        std::string(v) + "'";
                return false;
            }
            o.screenshots.push_back({long(n), colon + 1});
        } else if (arg == "--dump-state") {
            const char* v = value("a file");
            if (!v) return false;
            o.dumpState = v;
        } else if (arg == "--record") {
            const char* v = value("a file");
            if (!v) return false;
            o.record = v;
        } else if (arg == "--start") {
            const char* v = value("MAP[:SIDE]");
            if (!v) return false;
            if (!parseStart(v, o)) {
                error = "--start takes MAP or MAP:back or MAP:forward (a map number from 0 to " +
                        std::to_string(kMaxMapNumber) + "), not '" + std::string(v) + "'";
                return false;
            }
        } else if (arg == "--level") {
            const char* v = value("a number");
            if (!v) return false;
            if (!parseNumber(v, 1, kMaxLevelOption, n)) {
                error = "--level takes a whole number from 1 to " + std::to_string(kMaxLevelOption) + ", not '" +
                        std::string(v) + "'";
                return false;
            }
            o.level = int32_t(n);
        } else if (arg == "--give") {
            const char* v = value("ITEM[:COUNT]");
            if (!v) return false;
            Gift gift;
            if (!parseGift(v, gift)) {
                error = "--give takes ITEM or ITEM:COUNT (an item's name or code, a count from 1 to " +
                        std::to_string(kShopMaxStack) + "), not '" + std::string(v) + "'";
                return false;
            }
            o.gifts.push_back(gift);
        } else {
            error = "unknown option '" + arg + "'";
            return false;
        }
    }
    if (o.headless && !o.record.empty()) {
        error = "--record records a person playing; it cannot be used with --headless";
        return false;
    }
    return true;
}

}  // namespace velk
