// SPDX-License-Identifier: GPL-3.0-or-later
// Where font files come from: fontconfig on the desktop, a fixed table of the faces packed
// with the page in the browser. Only finding the file is the platform's; opening and drawing
// it is graphics/'s.
#pragma once
#include <string>
#include <vector>

struct FontFileMatch {
    std::string file;                   // the font file; empty when nothing matched
    int index = 0;                      // the face within the file
    std::vector<std::string> families;  // the face's family names, the preferred one first
};

// The closest installed face to a family ("Arial") in a weight and slant. Whether it may stand
// in for the family is for the caller to judge by its family names. False when the lookup
// itself cannot start.
bool PlatformMatchFont(const char* family, bool bold, bool italic, FontFileMatch& match);
// Frees the lookup's tables; the next lookup builds them again (tests call it).
void PlatformReleaseFontLookup();
