// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/palette.h"

#include "graphics/display.h"

namespace {

struct FixedColour {
    uint8_t r, g, b;
};

// Slots 1..50. Families: 1-15 basic colours, 16-22 blues dark to pale, 23-29 greys dark to
// light, 30-36 tans, 37-43 reds, 44-50 greens. 19 is also the sprites' see-through colour and
// 26 the background grey of every screen.
const FixedColour kFixed[50] = {
    {0, 0, 192},     {0, 192, 0},     {0, 192, 192},   {192, 0, 0},     {192, 0, 192},
    {192, 192, 0},   {192, 192, 192}, {128, 128, 128}, {128, 128, 255}, {128, 255, 128},
    {128, 255, 255}, {255, 128, 128}, {255, 128, 255}, {255, 255, 0},   {255, 255, 255},
    {29, 105, 159},  {44, 144, 215},  {128, 187, 231}, {148, 198, 235}, {178, 214, 240},
    {201, 226, 244}, {235, 245, 251}, {92, 92, 92},    {135, 135, 135}, {170, 170, 170},
    {192, 192, 192}, {210, 210, 210}, {225, 225, 225}, {240, 240, 240}, {132, 119, 59},
    {184, 169, 98},  {207, 197, 149}, {215, 207, 167}, {221, 214, 181}, {232, 227, 205},
    {247, 245, 236}, {92, 0, 0},      {135, 0, 0},     {170, 0, 0},     {192, 0, 0},
    {210, 0, 0},     {225, 0, 0},     {240, 0, 0},     {0, 64, 0},      {0, 127, 0},
    {0, 170, 0},     {0, 192, 0},     {0, 210, 0},     {0, 240, 0},     {0, 255, 0},
};

uint8_t Channel(int v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); }

}  // namespace

void SetPaletteEntry(int slot, int r, int g, int b) {
    if (slot <= 0 || slot >= 255) return;
    PaletteEntry& e = gDisplay.paletteCopy[slot];
    e.r = Channel(r);
    e.g = Channel(g);
    e.b = Channel(b);
    e.flags = kPaletteNoCollapse;
}

void ApplyPalette(int first, int count) {
    const int begin = first < 0 ? 0 : first;
    const long long endWanted = (long long)first + (long long)count;
    const int end = endWanted > 256 ? 256 : int(endWanted);
    for (int i = begin; i < end; ++i) gDisplay.shown[i] = PaletteColour(i);
    if (begin < end) PlatformMarkDirty();
}

void SetPaletteEntryNow(int slot, int r, int g, int b) {
    if (slot <= 0 || slot >= 255) return;
    SetPaletteEntry(slot, r, g, b);
    ApplyPalette(slot, 1);
}

void FindFreeColour(int slot) {
    // The first of the candidates (1,1,1), (1,1,2) ... (1,1,254), (1,2,1) ... that no entry
    // holds. 256 entries can take at most 256 of them, so only the first 257 can be the answer.
    constexpr int kSide = 254, kCandidates = 257;
    bool taken[kCandidates] = {};
    for (const PaletteEntry& e : gDisplay.paletteCopy) {
        if (e.r < 1 || e.g < 1 || e.b < 1 || e.r > kSide || e.g > kSide || e.b > kSide) continue;
        const long k = (long(e.r - 1) * kSide + (e.g - 1)) * kSide + (e.b - 1);
        if (k < kCandidates) taken[k] = true;
    }
    int k = 0;
    while (taken[k]) ++k;
    SetPaletteEntry(slot, 1 + k / (kSide * kSide), 1 + (k / kSide) % kSide, 1 + k % kSide);
}

void SetUpFixedPalette() {
    for (int slot = 0; slot < 256; ++slot) FindFreeColour(slot);
    ApplyPalette(0, 256);
    for (int i = 0; i < 50; ++i) SetPaletteEntry(i + 1, kFixed[i].r, kFixed[i].g, kFixed[i].b);
    ApplyPalette(0, 256);
}

PlatformColour PaletteColour(int slot) {
    if (slot <= 0) return PlatformColour{0, 0, 0};
    if (slot >= 255) return PlatformColour{255, 255, 255};
    const PaletteEntry& e = gDisplay.paletteCopy[slot];
    return PlatformColour{e.r, e.g, e.b};
}
