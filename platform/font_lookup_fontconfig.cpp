// SPDX-License-Identifier: GPL-3.0-or-later
// Font files on the desktop: whatever fontconfig finds installed.
#include "platform/font_lookup.h"

#include <fontconfig/fontconfig.h>

namespace {
bool gStarted = false;
}  // namespace

bool PlatformMatchFont(const char* family, bool bold, bool italic, FontFileMatch& match) {
    match = FontFileMatch{};
    if (!FcInit()) return false;
    gStarted = true;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!found) return true;
    // fontconfig always answers with something; only the family tells whether it fits.
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(found, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        match.families.push_back(reinterpret_cast<const char*>(name));
    FcChar8* path = nullptr;
    if (FcPatternGetString(found, FC_FILE, 0, &path) == FcResultMatch) {
        match.file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(found, FC_INDEX, 0, &match.index) != FcResultMatch) match.index = 0;
    }
    FcPatternDestroy(found);
    return true;
}

void PlatformReleaseFontLookup() {
    if (gStarted) FcFini();
    gStarted = false;
}
