// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/heliora-replay/replay_script.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include "platform/platform.h"
#include "tools/tool_args.h"

namespace {

bool ParseInt(const std::string& word, long lo, long hi, int& out) {
    long v = 0;
    if (!ParseWholeNumber(word.c_str(), lo, hi, v)) return false;
    out = int(v);
    return true;
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    if (a == std::string::npos) return "";
    size_t b = s.find_last_not_of(" \t\r");
    return s.substr(a, b - a + 1);
}

// A plain file name (no folder, not hidden) ending in `extension`; empty accepts any name.
bool SafeFileName(const std::string& name, const std::string& extension) {
    if (name.size() <= extension.size() || name.size() > 200) return false;
    if (name.compare(name.size() - extension.size(), extension.size(), extension) != 0) return false;
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.')) return false;
    return name[0] != '.';
}

}  // namespace

namespace {

struct Named { const char* name; int code; };
const Named kNames[] = {
        {"Enter", KeyEnter},   {"Return", KeyEnter},      {"Escape", KeyEscape},
        {"Tab", KeyTab},       {"Backspace", KeyBackspace}, {"Delete", KeyDelete},
        {"Left", KeyLeft},     {"Right", KeyRight},       {"Up", KeyUp},
        {"Down", KeyDown},     {"Home", KeyHome},         {"End", KeyEnd},
        {"PageUp", KeyPageUp}, {"PageDown", KeyPageDown}, {"Space", KeySpace},
        {"Insert", KeyInsert}, {"Print", KeyPrint},
};

}  // namespace

int KeyCodeForName(const std::string& name) {
    for (const Named& n : kNames)
        if (name == n.name) return n.code;
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    int f = 0;
    if (name.size() >= 2 && name[0] == 'F' && ParseInt(name.substr(1), 1, 12, f)) return KeyF1 + f - 1;
    return 0;
}

std::string KeyNameForCode(int code) {
    for (const Named& n : kNames)
        if (n.code == code) return n.name;
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, char(code));
    if (code >= KeyF1 && code < KeyF1 + 12) return "F" + std::to_string(code - KeyF1 + 1);
    return "";
}

std::string FormatReplayStep(const ReplayStep& s) {
    const std::string xy = std::to_string(s.x) + " " + std::to_string(s.y);
    switch (s.kind) {
    case StepKind::Move: return "move " + xy;
    case StepKind::Click: return "click " + xy;
    case StepKind::RightClick: return "rclick " + xy;
    case StepKind::Key:
        return std::string("key ") + (s.modifiers & kModShift ? "Shift+" : "") +
               (s.modifiers & kModControl ? "Ctrl+" : "") + KeyNameForCode(s.key);
    case StepKind::Type: return "type " + s.text;
    case StepKind::Idle: return "idle " + std::to_string(s.count);
    case StepKind::Shot: return "shot " + s.text;
    case StepKind::ExpectScreen: return "expect-screen " + std::to_string(s.count);
    case StepKind::ExpectPixel: return "expect-pixel " + xy + " " + std::to_string(s.count);
    case StepKind::Minimise: return "minimise";
    case StepKind::Restore: return "restore";
    case StepKind::Close: return "close";
    case StepKind::State: return "state " + s.text;
    case StepKind::Texts: return "texts " + s.text;
    case StepKind::Copy: return "copy " + s.text + " " + s.name;
    case StepKind::Disk: return s.count ? "disk full" : "disk mended";
    case StepKind::Restart: return "restart";
    }
    return "";
}

bool ParseReplayScript(const std::string& text, std::vector<ReplayStep>& steps, std::string& error) {
    steps.clear();
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNo) + ": " + why + ": " + Trim(raw);
        return false;
    };
    while (std::getline(in, raw)) {
        ++lineNo;
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        std::vector<std::string> args;
        for (std::string w; words >> w;) args.push_back(w);
        ReplayStep step;
        step.line = lineNo;
        if (verb == "move" || verb == "click" || verb == "rclick") {
            step.kind = verb == "move" ? StepKind::Move : verb == "click" ? StepKind::Click : StepKind::RightClick;
            if (args.size() != 2 || !ParseInt(args[0], 0, 1023, step.x) || !ParseInt(args[1], 0, 767, step.y))
                return fail("expected two coordinates inside 1024 x 768");
        } else if (verb == "key") {
            step.kind = StepKind::Key;
            // "key Tab 8": the same key pressed eight times, each press a step of its own.
            int presses = 1;
            if (args.size() == 2 && !ParseInt(args[1], 1, 1000, presses))
                return fail("expected a count of presses 1..1000");
            if (args.empty() || args.size() > 2) return fail("unknown key");
            std::string name = args[0];
            for (;;) {
                if (name.compare(0, 6, "Shift+") == 0 && name.size() > 6) {
                    step.modifiers |= kModShift;
                    name = name.substr(6);
                } else if (name.compare(0, 5, "Ctrl+") == 0 && name.size() > 5) {
                    step.modifiers |= kModControl;
                    name = name.substr(5);
                } else {
                    break;
                }
            }
            if ((step.key = KeyCodeForName(name)) == 0) return fail("unknown key");
            steps.insert(steps.end(), size_t(presses - 1), step);  // the last goes in below
        } else if (verb == "type") {
            step.kind = StepKind::Type;
            size_t at = line.find_first_not_of(" \t", 4);
            if (at == std::string::npos) return fail("nothing to type");
            step.text = line.substr(at);
        } else if (verb == "idle") {
            step.kind = StepKind::Idle;
            if (args.size() != 1 || !ParseInt(args[0], 0, 10000000, step.count)) return fail("expected a count");
        } else if (verb == "shot") {
            step.kind = StepKind::Shot;
            if (args.size() != 1 || !SafeFileName(args[0], ".png")) return fail("expected a plain NAME.png");
            step.text = args[0];
        } else if (verb == "state" || verb == "texts") {
            const bool state = verb == "state";
            step.kind = state ? StepKind::State : StepKind::Texts;
            if (args.size() != 1 || !SafeFileName(args[0], state ? ".json" : ".txt"))
                return fail(state ? "expected a plain NAME.json" : "expected a plain NAME.txt");
            step.text = args[0];
        } else if (verb == "copy") {
            step.kind = StepKind::Copy;
            if (args.size() != 2 || !SafeFileName(args[0], "") || !SafeFileName(args[1], ""))
                return fail("expected a working-directory FILE and a plain NAME");
            step.text = args[0];
            step.name = args[1];
        } else if (verb == "disk") {
            step.kind = StepKind::Disk;
            if (args.size() != 1 || (args[0] != "full" && args[0] != "mended"))
                return fail("expected full or mended");
            step.count = args[0] == "full" ? 1 : 0;
        } else if (verb == "expect-pixel") {
            step.kind = StepKind::ExpectPixel;
            if (args.size() != 3 || !ParseInt(args[0], 0, 1023, step.x) ||
                !ParseInt(args[1], 0, 767, step.y) || !ParseInt(args[2], 0, 255, step.count))
                return fail("expected a point inside 1024 x 768 and a palette slot 0..255");
        } else if (verb == "expect-screen") {
            step.kind = StepKind::ExpectScreen;
            if (args.size() != 1 || !ParseInt(args[0], INT_MIN + 1, INT_MAX, step.count)) return fail("expected a ScreenId");
        } else if (verb == "minimise" || verb == "restore" || verb == "close" || verb == "restart") {
            step.kind = verb == "minimise"  ? StepKind::Minimise
                        : verb == "restore" ? StepKind::Restore
                        : verb == "close"   ? StepKind::Close
                                            : StepKind::Restart;
            if (!args.empty()) return fail("takes no arguments");
        } else {
            return fail("unknown step");
        }
        steps.push_back(step);
    }
    return true;
}
