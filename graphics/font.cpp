// SPDX-License-Identifier: GPL-3.0-or-later
// Finding, opening and rasterising fonts.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "graphics/scale.h"
#include "graphics/text.h"
#include "platform/font_lookup.h"
#include "platform/platform.h"

TextState gText;

namespace {

FT_Library Library() {
    if (!gText.library) {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) return nullptr;
        gText.library = lib;
    }
    return static_cast<FT_Library>(gText.library);
}

std::string Lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Removes a trailing word (case-insensitive) and the blank before it.
bool StripSuffix(std::string& name, const char* word) {
    const std::string suffix = std::string(" ") + word;
    if (name.size() <= suffix.size()) return false;
    if (Lower(name.substr(name.size() - suffix.size())) != Lower(suffix)) return false;
    name.erase(name.size() - suffix.size());
    return true;
}

// Families that may stand in for a requested one: same metrics, so layouts hold.
bool AcceptableFamily(const std::string& wanted, const std::string& got) {
    const std::string w = Lower(wanted), g = Lower(got);
    if (w == g) return true;
    static const char* const kStandIns[][3] = {
        {"arial", "liberation sans", "arimo"},
        {"helvetica", "liberation sans", "arimo"},
        {"times new roman", "liberation serif", "tinos"},
        {"times", "liberation serif", "tinos"},
        {"courier new", "liberation mono", "cousine"},
    };
    for (const auto& row : kStandIns)
        if (w == row[0] && (g == row[1] || g == row[2])) return true;
    return false;
}

int Round26(FT_Pos v) { return int((v + 32) >> 6); }

// A glyph many ems across is damage, not lettering: rendered it would take seconds and
// hundreds of megabytes. Such a glyph draws nothing.
bool PlausibleOutline(const TextFont* font, FT_GlyphSlot slot) {
    FT_BBox box;
    FT_Outline_Get_CBox(&slot->outline, &box);
    const double limit = 8.0 * std::max(font->pixelHeight, font->pixelWidth) + 64;
    return (double(box.xMax) - double(box.xMin)) / 64 <= limit &&
           (double(box.yMax) - double(box.yMin)) / 64 <= limit;
}

}  // namespace

bool FindFontFile(const char* face, bool bold, bool italic, std::string& file, int& index,
                  std::string& family) {
    if (!face || !*face) {
        std::fprintf(stderr, "Couldn't create a font: no face name given.\n");
        return false;
    }
    std::string wanted = face;
    for (bool again = true; again;) {
        again = false;
        if (StripSuffix(wanted, "Bold")) bold = again = true;
        if (StripSuffix(wanted, "Italic")) italic = again = true;
    }
    FontFileMatch match;
    if (!PlatformMatchFont(wanted.c_str(), bold, italic, match)) {
        std::fprintf(stderr, "Couldn't start the font lookup to find \"%s\".\n", face);
        return false;
    }
    gText.fontLookupStarted = true;
    bool found = false;
    const std::string offered = match.families.empty() ? "" : match.families.front();
    for (const std::string& got : match.families) {
        if (AcceptableFamily(wanted, got)) {
            family = got;
            found = !match.file.empty();
            break;
        }
    }
    if (found) {
        file = match.file;
        index = match.index;
    }
    if (!found)
        std::fprintf(stderr,
                     "Couldn't find the font \"%s\" (family \"%s\"%s): the closest installed is "
                     "\"%s\". Install fonts-liberation2.\n",
                     face, wanted.c_str(), bold ? ", bold" : "",
                     offered.empty() ? "nothing" : offered.c_str());
    return found;
}

// The em of a face as a fraction of its character cell (the Windows ascent and descent
// where the face has them, else the typographic ones).
static double CellToEmRatio(FT_Face face, const TT_OS2* os2) {
    double upem = face->units_per_EM > 0 ? face->units_per_EM : 1;
    double cell = 0;
    if (os2 && os2->version != 0xFFFF) cell = double(os2->usWinAscent) + double(os2->usWinDescent);
    if (cell <= 0) cell = double(face->ascender) - double(face->descender);
    if (cell <= 0) return 1;
    // A damaged file may claim a cell of a few units: the em would then be hundreds of
    // pixels. Real faces have an em no larger than their cell.
    return std::min(upem / cell, 2.0);
}

TextFont* CreateTextFont(const char* face, int size, int width, int style) {
    const bool bold = (style & kFontBold) != 0;
    const bool italic = (style & kFontItalic) != 0;
    std::string file, family;
    int index = 0;
    if (!FindFontFile(face, bold, italic, file, index, family)) return nullptr;
    return OpenTextFont(file.c_str(), index, family.c_str(), face, size, width, style);
}

TextFont* OpenTextFont(const char* file, int index, const char* family, const char* face,
                       int size, int width, int style) {
    if (!file || !face) return nullptr;
    const bool bold = (style & kFontBold) != 0;
    const bool italic = (style & kFontItalic) != 0;
    FT_Library lib = Library();
    if (!lib) return nullptr;
    FT_Face ftFace = nullptr;
    if (FT_New_Face(lib, file, index, &ftFace) != 0) {
        std::fprintf(stderr, "Couldn't open the font file %s.\n", file);
        return nullptr;
    }
    auto* font = new TextFont;
    font->face = ftFace;
    font->file = file;
    font->family = family ? family : "";
    font->style = style;
    font->faceName = face;
    font->logicalSize = size;

    std::string name = face;
    bool wantBold = bold, wantItalic = italic;
    for (bool again = true; again;) {
        again = false;
        if (StripSuffix(name, "Bold")) wantBold = again = true;
        if (StripSuffix(name, "Italic")) wantItalic = again = true;
    }
    font->synthBold = wantBold && !(ftFace->style_flags & FT_STYLE_FLAG_BOLD);
    font->synthItalic = wantItalic && !(ftFace->style_flags & FT_STYLE_FLAG_ITALIC);

    // The size is the height of a character cell (ascent plus descent), as the layouts were
    // designed with: an em of the full size would overflow the buttons' labels by some 12%.
    // Limited so no glyph can be absurdly large.
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ftFace, FT_SFNT_OS2));
    const int cell = std::clamp(std::abs(ToDeviceY(size)), 1, 1000);
    font->pixelHeight = std::max(1, int(std::lround(cell * CellToEmRatio(ftFace, os2))));
    font->pixelWidth = font->pixelHeight;
    FT_Set_Pixel_Sizes(ftFace, FT_UInt(font->pixelWidth), FT_UInt(font->pixelHeight));

    auto averageWidth = [&]() {
        if (os2 && os2->xAvgCharWidth > 0 && ftFace->units_per_EM > 0)
            return std::max(1, int(std::lround(double(os2->xAvgCharWidth) * font->pixelWidth /
                                               ftFace->units_per_EM)));
        if (FT_Load_Char(ftFace, 'x', FT_LOAD_DEFAULT) == 0)
            return std::max(1, Round26(ftFace->glyph->advance.x));
        return std::max(1, font->pixelWidth / 2);
    };
    font->averageWidth = averageWidth();

    if (width != 0) {
        // The width asks for an average character width in proportion to the height, taken at
        // the screen's 96 pixels per inch and 72 points per inch.
        const int wDev = int(width * 96.0 / 72.0);
        const int hDev = int(size * 96.0 / 72.0);
        if (hDev != 0) {
            const int natural = font->averageWidth;
            const int target = int(std::abs(wDev) * double(natural) / std::abs(hDev) + 0.5);
            font->pixelWidth = std::clamp(
                int(std::lround(double(font->pixelHeight) * target / natural)), 1, 4000);
            FT_Set_Pixel_Sizes(ftFace, FT_UInt(font->pixelWidth), FT_UInt(font->pixelHeight));
            font->averageWidth = averageWidth();
        }
    }
    font->ascent = Round26(ftFace->size->metrics.ascender);
    font->descent = Round26(-ftFace->size->metrics.descender);
    if (font->ascent + font->descent <= 0) {
        font->ascent = font->pixelHeight;
        font->descent = 0;
    }
    gText.fontCount++;
    return font;
}

void DeleteGraphicObject(TextFont* font) {
    if (!font) return;
    if (gDraw.font == font) gDraw.font = nullptr;
    if (gText.stockFont == font) gText.stockFont = nullptr;
    if (font->face) FT_Done_Face(font->face);
    delete font;
    gText.fontCount--;
}

void ResetTextState() {
    DeleteGraphicObject(gText.stockFont);
    void* lib = gText.library;
    const bool started = gText.fontLookupStarted;
    const int alive = gText.fontCount;
    gText = TextState{};
    gText.fontCount = alive;
    // FreeType stays while fonts made from it are alive; the font lookup's tables go with it.
    if (alive == 0) {
        if (lib) FT_Done_FreeType(static_cast<FT_Library>(lib));
        if (started) PlatformReleaseFontLookup();
    } else {
        gText.library = lib;
        gText.fontLookupStarted = started;
    }
}

const GlyphImage& Glyph(TextFont* font, uint8_t byte) {
    GlyphImage& g = font->glyphs[byte];
    if (g.loaded) return g;
    g.loaded = true;
    // Texts write the degree sign as byte 0xBA.
    const uint32_t cp = byte == 0xBA ? 0xB0u : Cp1252ToUnicode(byte);
    if (byte < 0x20 || cp == 0) return g;  // control and unassigned bytes take no room
    FT_Face face = font->face;
    if (FT_Load_Char(face, cp, FT_LOAD_TARGET_MONO) != 0) return g;
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
        if (font->synthBold) FT_GlyphSlot_Embolden(face->glyph);
        if (font->synthItalic) FT_GlyphSlot_Oblique(face->glyph);
    }
    g.advance = Round26(face->glyph->advance.x);
    if (face->glyph->format == FT_GLYPH_FORMAT_OUTLINE && !PlausibleOutline(font, face->glyph))
        return g;
    if (FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0) return g;
    const FT_Bitmap& bm = face->glyph->bitmap;
    g.left = face->glyph->bitmap_left;
    g.top = face->glyph->bitmap_top;
    g.width = int(bm.width);
    g.rows = int(bm.rows);
    g.mask.assign(size_t(g.width) * size_t(g.rows), 0);
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* row = bm.buffer + ptrdiff_t(y) * bm.pitch;
        for (int x = 0; x < g.width; ++x) {
            const bool on = bm.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x >> 3] >> (7 - (x & 7))) & 1
                                                                : row[x] >= 128;
            g.mask[size_t(y) * size_t(g.width) + size_t(x)] = on ? 1 : 0;
        }
    }
    return g;
}
