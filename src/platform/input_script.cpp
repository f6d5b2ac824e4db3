#include "platform/input_script.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "platform/key_names.h"
#include "platform/pad.h"

namespace velk {

namespace {

bool parseLong(const std::string& word, long& out) {
    if (word.empty()) return false;
    char* end = nullptr;
    long v = std::strtol(word.c_str(), &end, 0);
    if (*end != '\0') return false;
    out = v;
    return true;
}

bool parseUpDown(const std::string& word, bool& down) {
    if (word == "down") {
        down = true;
        return true;
    }
    if (word == "up") {
        down = false;
        return true;
    }
    return false;
}

}  // namespace

bool parseInputScript(const std::string& text, std::vector<ScriptEvent>& events,
                      std::string* error) {
    events.clear();
    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    auto fail = [&](const std::string& why) {
        if (error) *error = "line " + std::to_string(lineNo) + ": " + why;
        events.clear();
        return false;
    };
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string body = line;
        ScriptEvent ev;
        std::istringstream words(body);
        std::string frameWord, verb;
        if (!(words >> frameWord)) continue;
        if (frameWord[0] == '#') continue;
        if (!parseLong(frameWord, ev.frame) || ev.frame < 0) return fail("bad frame number '" + frameWord + "'");
        if (!(words >> verb)) return fail("missing event after the frame number");
        if (verb == "text") {
            // The rest of the line after one separating blank, kept as typed.
            size_t at = body.find("text");
            std::string rest = body.substr(at + 4);
            if (!rest.empty() && (rest[0] == ' ' || rest[0] == '\t')) rest.erase(0, 1);
            ev.type = ScriptEvent::Type::Text;
            ev.text = rest;
            events.push_back(ev);
            continue;
        }
        std::vector<std::string> args;
        for (std::string w; words >> w;) {
            if (w[0] == '#') break;
            args.push_back(w);
        }
        if (verb == "key") {
            if (args.size() != 2) return fail("expected: N key NAME down|up");
            ev.type = ScriptEvent::Type::Key;
            ev.key = keyCodeFromName(args[0]);
            if (ev.key < 0) return fail("unknown key '" + args[0] + "'");
            if (!parseUpDown(args[1], ev.down)) return fail("expected down or up, got '" + args[1] + "'");
        } else if (verb == "pad") {
            if (args.size() != 2) return fail("expected: N pad BUTTON down|up");
            ev.type = ScriptEvent::Type::Pad;
            ev.button = padButtonFromName(args[0]);
            if (ev.button < 0) return fail("unknown pad button '" + args[0] + "'");
            if (!parseUpDown(args[1], ev.down)) return fail("expected down or up, got '" + args[1] + "'");
        } else if (verb == "mouse") {
            long x = 0, y = 0;
            if (args.size() != 2 || !parseLong(args[0], x) || !parseLong(args[1], y))
                return fail("expected: N mouse X Y");
            ev.type = ScriptEvent::Type::Mouse;
            ev.x = int(std::clamp(x, -100000L, 100000L));
            ev.y = int(std::clamp(y, -100000L, 100000L));
        } else if (verb == "button") {
            if (args.size() != 2) return fail("expected: N button left|right down|up");
            ev.type = ScriptEvent::Type::Button;
            if (args[0] == "left")
                ev.button = 0;
            else if (args[0] == "right")
                ev.button = 1;
            else
                return fail("unknown button '" + args[0] + "'");
            if (!parseUpDown(args[1], ev.down)) return fail("expected down or up, got '" + args[1] + "'");
        } else if (verb == "backspace" && args.empty()) {
            ev.type = ScriptEvent::Type::Backspace;
        } else if (verb == "quit" && args.empty()) {
            ev.type = ScriptEvent::Type::Quit;
        } else {
            return fail("unknown event '" + verb + "'");
        }
        events.push_back(ev);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const ScriptEvent& a, const ScriptEvent& b) { return a.frame < b.frame; });
    return true;
}

std::string formatScriptEvent(const ScriptEvent& ev) {
    std::string s = std::to_string(ev.frame) + " ";
    switch (ev.type) {
    case ScriptEvent::Type::Key:
        return s + "key " + keyNameFromCode(ev.key) + (ev.down ? " down" : " up");
    case ScriptEvent::Type::Pad:
        return s + "pad " + padButtonName(ev.button) + (ev.down ? " down" : " up");
    case ScriptEvent::Type::Mouse:
        return s + "mouse " + std::to_string(ev.x) + " " + std::to_string(ev.y);
    case ScriptEvent::Type::Button:
        return s + "button " + (ev.button == 0 ? "left" : "right") + (ev.down ? " down" : " up");
    case ScriptEvent::Type::Text:
        return s + "text " + ev.text;
    case ScriptEvent::Type::Backspace:
        return s + "backspace";
    case ScriptEvent::Type::Quit:
        return s + "quit";
    }
    return s;
}

}  // namespace velk
