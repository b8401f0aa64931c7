// SPDX-License-Identifier: GPL-3.0-or-later
// Plain pointer shapes used until the program hands over its own cursor images.
#include "platform/platform.h"

#include <cstring>

namespace {

// '.' transparent, 'X' black outline, '#' white body.
const char* const kArrow[] = {
    "X...........", "XX..........", "X#X.........", "X##X........", "X###X.......",
    "X####X......", "X#####X.....", "X######X....", "X#######X...", "X########X..",
    "X#########X.", "X######XXXXX", "X###X##X....", "X##X.X##X...", "X#X..X##X...",
    "XX....X##X..", "......X##X..", ".......X##X.", ".......XXX..",
};

const char* const kCross[] = {
    "......XXX......", "......X#X......", "......X#X......", "......X#X......",
    "......X#X......", "......X#X......", "XXXXXXX#XXXXXXX", "X######.######X",
    "XXXXXXX#XXXXXXX", "......X#X......", "......X#X......", "......X#X......",
    "......X#X......", "......X#X......", "......XXX......",
};

const char* const kHand[] = {
    ".....XX.........", "....X##X........", "....X##X........", "....X##X........",
    "....X##XXX......", "....X##X##XXX...", "....X##X##X##XX.", "XXX.X##X##X##X#X",
    "X##XX########X#X", "X###X##########X", ".X#############X", "..X############X",
    "..X###########X.", "...X##########X.", "....X########X..", "....XXXXXXXXXX..",
};

void LoadArt(int slot, const char* const* rows, int height, int hotX, int hotY) {
    const int width = int(std::strlen(rows[0]));
    std::vector<uint8_t> indices(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const char c = rows[y][x];
            indices[size_t(y) * size_t(width) + size_t(x)] = c == 'X' ? 0 : c == '#' ? 1 : 2;
        }
    PlatformColour colours[256];
    colours[1] = {255, 255, 255};
    PlatformSetCursorImage(slot, indices.data(), width, height, hotX, hotY, 2, colours);
}

}  // namespace

void PlatformLoadFallbackCursors() {
    if (!gPlatform.cursorLoaded[1]) LoadArt(1, kArrow, int(sizeof kArrow / sizeof *kArrow), 0, 0);
    if (!gPlatform.cursorLoaded[2]) LoadArt(2, kCross, int(sizeof kCross / sizeof *kCross), 7, 7);
    if (!gPlatform.cursorLoaded[3]) LoadArt(3, kHand, int(sizeof kHand / sizeof *kHand), 5, 0);
}
