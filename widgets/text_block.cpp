// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/text_block.h"

#include <algorithm>
#include <cstring>

#include "graphics/draw.h"
#include "graphics/scale.h"
#include "graphics/text.h"
#include "widgets/control.h"

namespace {

constexpr int kPad = 5;          // card edge to text, top and bottom
constexpr int kHeadingLeft = 14; // card edge to heading: the accent bar and a gap
constexpr int kBodyIndent = 14;  // body lines stand in under the heading
constexpr int kAccentWidth = 5;
constexpr int kLeading = 2;      // between rows
constexpr int kMaxRows = 16;

// Bright colours that stand out against a dark card.
const int kAccentSlots[kTextBlockStyles] = {14, 11, 10, 13, 12};

int RowHeight(TextFont* font) { return font ? ToLogicalY(FontHeight(font)) : 0; }
int BodyRowHeight(const TextBlockFonts& fonts) { return RowHeight(fonts.body) + kLeading; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int WidthOf(TextFont* font, const char* text, size_t n) {
    return ToLogicalX(TextWidthDevice(font, text, n));
}

// Draws bytes [begin, end) top-aligned at (x, y).
void DrawRow(int x, int y, const char* begin, size_t n) {
    char row[256];
    n = std::min(n, sizeof row - 1);
    std::memcpy(row, begin, n);
    row[n] = '\0';
    DrawTextAt(x, y, row);
}

}  // namespace

bool CreateTextBlockFonts(TextBlockFonts& fonts) {
    fonts.heading = CreateTextFont("Arial Bold", 16, 0, 0);
    fonts.body = CreateTextFont("Arial", 14, 0, 0);
    if (fonts.heading && fonts.body) return true;
    ReleaseTextBlockFonts(fonts);
    return false;
}

void ReleaseTextBlockFonts(TextBlockFonts& fonts) {
    DeleteGraphicObject(fonts.heading);
    DeleteGraphicObject(fonts.body);
    fonts = TextBlockFonts{};
}

int NextTextBlockStyle(int style) {
    if (style < 1 || style > kTextBlockStyles) style = 1;
    return (style + 1) % kTextBlockStyles + 1;
}

int TextBlockAccentSlot(int style) {
    if (style < 1 || style > kTextBlockStyles) style = 1;
    return kAccentSlots[style - 1];
}

int WrapTextRows(const char* text, int width, TextFont* font, int* starts, int maxRows) {
    if (!text || !font) return 0;
    const size_t n = std::strlen(text);
    int rows = 0;
    size_t pos = 0;
    for (;;) {
        if (starts && rows < maxRows) starts[rows] = int(pos);
        ++rows;
        // Whole words while they fit; the first word of a row always goes in.
        size_t end = pos;
        for (;;) {
            size_t next = end;
            while (next < n && IsBlank(text[next])) ++next;
            while (next < n && !IsBlank(text[next])) ++next;
            if (next == end) break;
            if (end > pos && WidthOf(font, text + pos, next - pos) > width) break;
            end = next;
        }
        pos = end;
        while (pos < n && IsBlank(text[pos])) ++pos;
        if (pos >= n) break;
    }
    return rows;
}

int TextBlockHeight(const TextBlockFonts& fonts, int bodyRows) {
    return 2 * kPad + RowHeight(fonts.heading) + kLeading +
           std::max(bodyRows, 0) * BodyRowHeight(fonts);
}

int DrawTextBlock(const ScreenRect& card, int textSlot, int fillSlot, int style,
                  const TextBlockFonts& fonts, const char* heading, const char* const* lines,
                  int lineCount) {
    SetBrushColour(fillSlot);
    FillScreenRect(card);
    DrawBevel(card, -1, 255, 0);
    SetBrushColour(TextBlockAccentSlot(style));
    FillScreenRect(MakeScreenRect(card.left, card.top, card.left + kAccentWidth, card.bottom));
    if (!fonts.heading || !fonts.body) return 0;

    SetClipRect(&card);
    SetPenColour(textSlot);
    SetTextAlignment(0, 0);
    int y = card.top + kPad;
    int rowsDrawn = 0;
    if (heading) {
        SelectTextFont(fonts.heading);
        DrawTextAt(card.left + kHeadingLeft, y, heading);
        y += RowHeight(fonts.heading) + kLeading;
        ++rowsDrawn;
    }
    SelectTextFont(fonts.body);
    const int x = card.left + kHeadingLeft + kBodyIndent;
    const int width = card.right - kPad - x;
    for (int i = 0; i < lineCount && lines; ++i) {
        const char* line = lines[i] ? lines[i] : "";
        int starts[kMaxRows];
        const int rows = std::min(WrapTextRows(line, width, fonts.body, starts, kMaxRows), kMaxRows);
        const size_t n = std::strlen(line);
        for (int r = 0; r < rows; ++r) {
            size_t end = r + 1 < rows ? size_t(starts[r + 1]) : n;
            while (end > size_t(starts[r]) && IsBlank(line[end - 1])) --end;
            DrawRow(x, y, line + starts[r], end - size_t(starts[r]));
            y += BodyRowHeight(fonts);
            ++rowsDrawn;
        }
    }
    SetClipRect(nullptr);
    return rowsDrawn;
}
