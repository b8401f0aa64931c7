// SPDX-License-Identifier: GPL-3.0-or-later
// The replay script: one step per line, coordinates in the logical 1024 x 768 space.
#pragma once
#include <string>
#include <vector>

enum class StepKind {
    Move, Click, RightClick, Key, Type, Idle, Shot, ExpectScreen, Minimise, Restore, Close,
    State, Texts, Copy, Disk, Restart, ExpectPixel,
};

struct ReplayStep {
    StepKind kind = StepKind::Idle;
    int line = 0;      // 1-based line in the script, for messages
    int x = 0, y = 0;  // Move, Click, RightClick, ExpectPixel
    int key = 0;       // Key: platform key code
    int modifiers = 0; // Key: kModShift, kModControl (written Shift+Tab, Ctrl+E)
    int count = 0;     // Idle: number of idle polls; ExpectScreen: the ScreenId; Disk: 1 full,
                       // 0 mended; ExpectPixel: the palette slot
    std::string text;  // Type: the bytes to type; Shot, State, Texts: the output file name;
                       // Copy: the working-directory file to copy
    std::string name;  // Copy: the name of the copy in the output folder
};

// Parses a whole script. On a bad line returns false with `error` naming the line.
bool ParseReplayScript(const std::string& text, std::vector<ReplayStep>& steps, std::string& error);
// Platform key code for a key name (Enter, Escape, Tab, Backspace, Delete, Left, Right, Up,
// Down, Home, End, PageUp, PageDown, Space, Print, F1..F12, a single letter or digit); 0 if
// unknown.
int KeyCodeForName(const std::string& name);
// The name KeyCodeForName reads back as `code`; empty when it has none.
std::string KeyNameForCode(int code);
// One step as a script line (without the line break), read back by ParseReplayScript as the
// same step.
std::string FormatReplayStep(const ReplayStep& step);
