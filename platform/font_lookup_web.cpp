// SPDX-License-Identifier: GPL-3.0-or-later
// Font files in the browser: no fontconfig there, so the faces the program draws with are
// packed with the page (under /fonts, with their licence) and found in this fixed table.
#include "platform/font_lookup.h"

#include <cctype>
#include <cstring>

namespace {

struct PackedFace {
    const char* family;  // the family the file holds
    bool bold;
    const char* file;
};

const PackedFace kPackedFaces[] = {
    {"Liberation Sans", false, "/fonts/LiberationSans-Regular.ttf"},
    {"Liberation Sans", true, "/fonts/LiberationSans-Bold.ttf"},
    {"Liberation Serif", true, "/fonts/LiberationSerif-Bold.ttf"},
};

// The families the packed ones stand in for, as fontconfig's own rules have it.
const char* const kAliases[][2] = {
    {"arial", "Liberation Sans"},         {"helvetica", "Liberation Sans"},
    {"times new roman", "Liberation Serif"}, {"times", "Liberation Serif"},
};

bool SameName(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

}  // namespace

bool PlatformMatchFont(const char* family, bool bold, bool, FontFileMatch& match) {
    match = FontFileMatch{};
    if (!family) return true;
    const char* wanted = family;
    for (const auto& alias : kAliases)
        if (SameName(family, alias[0])) wanted = alias[1];
    // An unknown family gets the sans face, as fontconfig answers with its default; the
    // caller sees by the family name that it does not fit. The weight asked for wins over
    // the family where no face has both.
    const PackedFace* best = nullptr;
    int bestScore = -1;
    for (const PackedFace& face : kPackedFaces) {
        const int score = (SameName(face.family, wanted) ? 2 : 0) + (face.bold == bold ? 1 : 0);
        if (score > bestScore) {
            best = &face;
            bestScore = score;
        }
    }
    match.file = best->file;
    match.families.push_back(best->family);
    return true;
}

void PlatformReleaseFontLookup() {}
