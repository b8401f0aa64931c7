// SPDX-License-Identifier: GPL-3.0-or-later
// Argument checks shared by the command-line tools: a bad argument is one line on stderr
// and exit status 2.
#pragma once
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

[[noreturn]] inline void RefuseArgument(const char* tool, const std::string& message) {
    std::fprintf(stderr, "%s: %s (try --help)\n", tool, message.c_str());
    std::exit(2);
}

// A whole decimal number in [lo, hi]; no blanks, no trailing characters.
inline bool ParseWholeNumber(const char* text, long lo, long hi, long& out) {
    if (!text || !*text || std::strchr(" \t\n\r\f\v", text[0])) return false;
    errno = 0;
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}
