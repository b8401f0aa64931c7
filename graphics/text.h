// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts and text: FreeType faces found by the platform (fontconfig, or the fonts packed with a
// web page), drawn as monochrome glyphs so every pixel is exactly the text colour. Texts are
// Windows-1252 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "graphics/draw.h"
#include "graphics/rect.h"

struct FT_FaceRec_;

// One rendered glyph: a 0/1 mask with its offset from the pen position on the baseline.
struct GlyphImage {
    bool loaded = false;
    int left = 0;     // from the pen position to the mask's left column
    int top = 0;      // from the baseline up to the mask's top row
    int width = 0;
    int rows = 0;
    int advance = 0;  // whole device pixels
    std::vector<uint8_t> mask;
};

// Style bits of CreateTextFont.
enum : int { kFontBold = 1, kFontItalic = 2, kFontUnderline = 4, kFontStrikeOut = 8 };

struct TextFont {
    FT_FaceRec_* face = nullptr;
    std::string file;    // the font file the lookup chose
    std::string family;  // its family name, e.g. "Liberation Sans"
    std::string faceName;  // the face it was asked for, e.g. "Arial Bold"
    int logicalSize = 0;   // the size it was asked for, in logical units
    int pixelHeight = 0; // em height in device pixels
    int pixelWidth = 0;  // FreeType's character width: pixelHeight unless condensed or expanded
    int style = 0;
    bool synthBold = false;    // asked for bold, the face has none: thicken the outlines
    bool synthItalic = false;  // asked for italic, the face has none: slant the outlines
    int ascent = 0;      // device pixels above the baseline
    int descent = 0;     // device pixels below it
    int averageWidth = 0;
    GlyphImage glyphs[256];
};

// One text as drawn, for tools that read what a screen said (heliora-replay's texts step).
struct DrawnText {
    int x = 0, y = 0;  // logical position it was drawn at (a wrapped line: its top left)
    int penSlot = 0;
    const TextFont* font = nullptr;
    bool toScreen = true;  // false: into an off-screen buffer
    const char* text = nullptr;
    size_t length = 0;
};
using TextRecorder = void (*)(const DrawnText& drawn);

struct TextState {
    void* library = nullptr;  // FT_Library
    bool fontLookupStarted = false;
    int fontCount = 0;        // fonts alive, for leak checks
    int alignH = 0;           // the alignment text is placed by (the middle shift is separate)
    int alignV = 0;
    TextFont* stockFont = nullptr;  // used when no font was selected
    TextRecorder recorder = nullptr;  // null (the program's own case): nothing is recorded
};
extern TextState gText;

// Frees the stock font, FreeType and the font lookup's tables (tests call it; they stay while
// other fonts are alive).
void ResetTextState();

// Finds the font file for a face name such as "Arial Bold" (a trailing " Bold" or " Italic" is a
// style, not part of the family). Accepts the family itself or a metric-compatible stand-in
// (Arial: Liberation Sans; Times New Roman: Liberation Serif; Courier New: Liberation Mono).
// Returns false with a message on stderr when no such face is installed.
bool FindFontFile(const char* face, bool bold, bool italic, std::string& file, int& index,
                  std::string& family);

// size: character height in logical units, scaled to device pixels as the height of a
// character cell (ascent plus descent). width: 0 for the natural width, otherwise a
// condensed or expanded font whose average character width is about width/size of its
// height. style: kFont* bits. Null on failure.
TextFont* CreateTextFont(const char* face, int size, int width, int style);
// The same from a font file already found (face index `index` within it); `face` is the name
// it was asked for, whose " Bold"/" Italic" ask for those styles too. Null when the file is
// no font FreeType can open.
TextFont* OpenTextFont(const char* file, int index, const char* family, const char* face,
                       int size, int width, int style);
// Frees a font made by CreateTextFont (null is ignored); a selected font is deselected first.
void DeleteGraphicObject(TextFont* font);
void SelectTextFont(TextFont* font);

// Every text drawn from now on is passed to `recorder` too; null stops recording.
void SetTextRecorder(TextRecorder recorder);

// h: 0 left, 1 centre, 2 right. v: 0 top, 1 middle (drawn top-aligned half a text height
// higher), 2 bottom, 3 baseline.
void SetTextAlignment(int h, int v);
// Draws at the current position in the pen colour; the position moves past the text.
void DrawTextHere(const char* text);
void DrawTextAt(int x, int y, const char* text);
// Word-wrapped text inside the rect, tabs expanded, left-aligned, top down, clipped to the rect.
// Afterwards text is placed left- and top-aligned until the next SetTextAlignment.
void DrawTextInRect(const ScreenRect& rect, const char* text);
int TextWidth(const char* text);         // logical units, current font
int TextHeightDevice(const char* text);  // device pixels, current font

// Device-pixel helpers shared with the edit boxes.
TextFont* CurrentTextFont();
const GlyphImage& Glyph(TextFont* font, uint8_t byte);
int TextWidthDevice(TextFont* font, const char* text, size_t length);
int FontHeight(const TextFont* font);
// Draws length bytes with the pen position at (x, baseline) in the given colour through the
// span writer, additionally clipped to `clip` when it is given. Returns the end x.
int DrawTextRun(TextFont* font, int x, int baseline, const char* text, size_t length,
                uint8_t colour, const DeviceRect* clip);
