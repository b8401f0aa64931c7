// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the font file fontconfig found: opened as the program opens its fonts, at a
// label's size with bold and italic asked for (synthesised where the face has neither), then
// every byte of the code page rasterised and measured. Runs in a private directory on a
// memory file system.
#include <cstdlib>

#include "fuzz_workdir.h"
#include "graphics/text.h"

using namespace fuzz_workdir;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    EnterPrivateWorkDirectory(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteFile("font.ttf", data, size);
    TextFont* font = OpenTextFont("font.ttf", 0, "Liberation Sans", "Arial Bold Italic", 18, 0, 0);
    if (!font) return 0;
    if (font->ascent + font->descent <= 0 || font->pixelHeight < 1 || font->pixelHeight > 2000 ||
        font->averageWidth < 1)
        std::abort();
    char text[257];
    for (int b = 0; b < 256; ++b) {
        const GlyphImage& g = Glyph(font, uint8_t(b));
        if (g.mask.size() != size_t(g.width) * size_t(g.rows)) std::abort();
        // No glyph is many ems across, whatever the file claims: such a glyph costs seconds.
        const int limit = 16 * (font->pixelHeight > font->pixelWidth ? font->pixelHeight : font->pixelWidth) + 128;
        if (g.width > limit || g.rows > limit) std::abort();
        text[b] = char(b == 0 ? ' ' : b);
    }
    text[256] = 0;
    (void)TextWidthDevice(font, text, 256);
    DeleteGraphicObject(font);
    if (gText.fontCount != 0) std::abort();
    return 0;
}
