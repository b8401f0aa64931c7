// SPDX-License-Identifier: GPL-3.0-or-later
// Placing and drawing text: alignment, the current position, word-wrapped paragraphs.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>

#include "graphics/scale.h"
#include "graphics/text.h"

namespace {

size_t Length(const char* text) { return text ? std::strlen(text) : 0; }

// A horizontal bar of the font's underline or strike-out, `offset` pixels above the baseline.
void DrawBar(int x0, int x1, int y, int thickness, uint8_t colour, const DeviceRect* clip) {
    for (int t = 0; t < thickness; ++t) {
        int a = x0, b = x1;
        const int row = y + t;
        if (clip) {
            if (row < clip->top || row >= clip->bottom) continue;
            a = std::max(a, clip->left);
            b = std::min(b, clip->right);
        }
        if (a < b) WriteSpan(row, a, b, colour);
    }
}

void DrawDecorations(TextFont* font, int x0, int x1, int baseline, uint8_t colour,
                     const DeviceRect* clip) {
    if (!(font->style & (kFontUnderline | kFontStrikeOut)) || x1 <= x0) return;
    FT_Face face = font->face;
    const double perUnit = face->units_per_EM > 0 ? double(font->pixelHeight) / face->units_per_EM
                                                  : 0.0;
    const int thickness = std::max(1, int(std::lround(face->underline_thickness * perUnit)));
    if (font->style & kFontUnderline) {
        const int below = std::max(1, int(std::lround(-face->underline_position * perUnit)));
        DrawBar(x0, x1, baseline + below - thickness / 2, thickness, colour, clip);
    }
    if (font->style & kFontStrikeOut) {
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
        const int above = os2 && os2->yStrikeoutPosition > 0
                              ? int(std::lround(os2->yStrikeoutPosition * perUnit))
                              : font->ascent / 3;
        DrawBar(x0, x1, baseline - above, thickness, colour, clip);
    }
}

// Half the text height as the middle alignment moves it: measured in device pixels, halved
// in logical units, and converted back.
int MiddleShift(const char* text) {
    return ToDeviceY(ToLogicalY(TextHeightDevice(text)) / 2);
}

// Draws one line with the current device alignment at the current position and moves the
// position to the end of the text.
void PlaceText(TextFont* font, const char* text) {
    const size_t n = Length(text);
    const int w = TextWidthDevice(font, text, n);
    int x = gDraw.curX;
    if (gText.alignH == 1) x -= w / 2;
    if (gText.alignH == 2) x -= w;
    int baseline = gDraw.curY + font->ascent;            // top
    if (gText.alignV == 2) baseline = gDraw.curY - font->descent;  // bottom
    if (gText.alignV == 3) baseline = gDraw.curY;                  // baseline
    DrawTextRun(font, x, baseline, text, n, gDraw.penColour, nullptr);
    gDraw.curX = x + w;
}

bool IsNewline(char c) { return c == '\n' || c == '\r'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int TabWidth(const TextFont* font) { return std::max(1, 8 * font->averageWidth); }

int NextTabStop(const TextFont* font, int x) {
    const int tab = TabWidth(font);
    return (x / tab + 1) * tab;
}

int Advance(TextFont* font, const char* text, size_t i, int x) {
    if (text[i] == '\t') return NextTabStop(font, x) - x;
    return Glyph(font, uint8_t(text[i])).advance;
}

// Draws text[begin, end) from x0 with tabs expanded.
void DrawExpandedLine(TextFont* font, int x0, int baseline, const char* text, size_t begin,
                      size_t end, uint8_t colour, const DeviceRect& clip) {
    int x = 0;
    size_t run = begin;
    for (size_t i = begin; i <= end; ++i) {
        if (i == end || text[i] == '\t') {
            x = DrawTextRun(font, x0 + x, baseline, text + run, i - run, colour, &clip) - x0;
            if (i < end) x = NextTabStop(font, x);
            run = i + 1;
        }
    }
}

}  // namespace

TextFont* CurrentTextFont() {
    if (gDraw.font) return gDraw.font;
    // Text drawn before any font was chosen uses a plain sans-serif, as a fresh context would.
    if (!gText.stockFont) gText.stockFont = CreateTextFont("Arial", 16, 0, 0);
    return gText.stockFont;
}

void SelectTextFont(TextFont* font) { gDraw.font = font; }

int TextWidthDevice(TextFont* font, const char* text, size_t length) {
    if (!font || !text) return 0;
    int w = 0;
    for (size_t i = 0; i < length; ++i) w += Glyph(font, uint8_t(text[i])).advance;
    return w;
}

int FontHeight(const TextFont* font) { return font ? font->ascent + font->descent : 0; }

int DrawTextRun(TextFont* font, int x, int baseline, const char* text, size_t length,
                uint8_t colour, const DeviceRect* clip) {
    if (!font || !text) return x;
    const int start = x;
    for (size_t i = 0; i < length; ++i) {
        const GlyphImage& g = Glyph(font, uint8_t(text[i]));
        const int gx = x + g.left;
        for (int r = 0; r < g.rows; ++r) {
            const int y = baseline - g.top + r;
            if (clip && (y < clip->top || y >= clip->bottom)) continue;
            const uint8_t* m = g.mask.data() + size_t(r) * size_t(g.width);
            for (int c = 0; c < g.width;) {
                if (!m[c]) {
                    ++c;
                    continue;
                }
                int e = c;
                while (e < g.width && m[e]) ++e;
                int a = gx + c, b = gx + e;
                if (clip) {
                    a = std::max(a, clip->left);
                    b = std::min(b, clip->right);
                }
                if (a < b) WriteSpan(y, a, b, colour);
                c = e;
            }
        }
        x += g.advance;
    }
    DrawDecorations(font, start, x, baseline, colour, clip);
    return x;
}

void SetTextAlignment(int h, int v) {
    gDraw.textAlignH = h;
    gDraw.textAlignV = v;
    gText.alignH = (h == 1 || h == 2) ? h : 0;
    // Middle is drawn top-aligned after the position is moved up by half a text height.
    gText.alignV = (v == 2 || v == 3) ? v : 0;
}

void SetTextRecorder(TextRecorder recorder) { gText.recorder = recorder; }

namespace {

void RecordText(TextFont* font, int x, int y, const char* text, size_t length) {
    DrawnText d;
    d.x = x;
    d.y = y;
    d.penSlot = gDraw.penColour;
    d.font = font;
    d.toScreen = gDraw.target == gDraw.primary;
    d.text = text;
    d.length = length;
    gText.recorder(d);
}

// DrawTextHere without recording: DrawTextAt records its own, exact logical position.
void DrawTextHereUnrecorded(TextFont* font, const char* text) {
    const int shift = gDraw.textAlignV == 1 ? MiddleShift(text) : 0;
    gDraw.curY -= shift;
    PlaceText(font, text);
    gDraw.curY += shift;
}

}  // namespace

void DrawTextHere(const char* text) {
    TextFont* font = CurrentTextFont();
    if (!font || !text) return;
    if (gText.recorder)
        RecordText(font, ToLogicalX(gDraw.curX), ToLogicalY(gDraw.curY), text, Length(text));
    DrawTextHereUnrecorded(font, text);
}
void DrawTextAt(int x, int y, const char* text) {
    gDraw.curX = DeviceX(x);
    gDraw.curY = DeviceY(y);
    TextFont* font = CurrentTextFont();
    if (!font || !text) return;
    if (gText.recorder) RecordText(font, x, y, text, Length(text));
    DrawTextHereUnrecorded(font, text);
    // Vertically centred text leaves the position half a text height lower than it started.
    if (gDraw.textAlignV == 1 && text && CurrentTextFont()) gDraw.curY += MiddleShift(text);
}

void DrawTextInRect(const ScreenRect& rect, const char* text) {
    TextFont* font = CurrentTextFont();
    gText.alignH = 0;
    gText.alignV = 0;
    if (!font || !text) return;
    const DeviceRect box = ToDeviceRect(rect);
    if (IsEmpty(box)) return;
    const int width = box.right - box.left;
    const int lineHeight = std::max(1, FontHeight(font));
    const size_t n = Length(text);
    int top = box.top;
    size_t pos = 0;
    while (pos < n && top < box.bottom) {
        size_t end = pos, next = pos;
        size_t lastBreak = size_t(-1);
        int x = 0;
        bool wrapped = false;
        for (size_t i = pos; i < n && !IsNewline(text[i]); ++i) {
            const int adv = Advance(font, text, i, x);
            if (x + adv > width && i > pos) {
                if (IsBlank(text[i])) {
                    end = i;
                } else if (lastBreak != size_t(-1)) {
                    end = lastBreak;
                } else {
                    // One word wider than the box stays whole; the box clips it.
                    end = i;
                    while (end < n && !IsBlank(text[end]) && !IsNewline(text[end])) ++end;
                }
                next = end;
                while (next < n && text[next] == ' ') ++next;
                wrapped = true;
                break;
            }
            if (IsBlank(text[i])) lastBreak = i;
            x += adv;
        }
        if (!wrapped) {
            end = pos;
            while (end < n && !IsNewline(text[end])) ++end;
            next = end;
            if (next < n && text[next] == '\r') ++next;
            if (next < n && text[next] == '\n') ++next;
        }
        if (gText.recorder && end > pos)
            RecordText(font, rect.left, ToLogicalY(top), text + pos, end - pos);
        DrawExpandedLine(font, box.left, top + font->ascent, text, pos, end, gDraw.penColour, box);
        top += lineHeight;
        if (next == pos) break;  // cannot happen, but never loop forever
        pos = next;
    }
}

int TextWidth(const char* text) {
    TextFont* font = CurrentTextFont();
    return ToLogicalX(TextWidthDevice(font, text, Length(text)));
}

int TextHeightDevice(const char* text) {
    (void)text;  // every line of a font has the same height
    return FontHeight(CurrentTextFont());
}
