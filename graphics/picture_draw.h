// SPDX-License-Identifier: GPL-3.0-or-later
// Small drawing helpers shared by the screens' picture code.
#pragma once

#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/present.h"
#include "graphics/rect.h"
#include "graphics/text.h"

struct TextFont;

inline ScreenRect Rect(int left, int top, int right, int bottom) {
    ScreenRect r;
    MakeRect(r, left, top, right, bottom);
    return r;
}

inline ScreenRect Inflate(const ScreenRect& r, int d) {
    return Rect(r.left - d, r.top - d, r.right + d, r.bottom + d);
}

inline void FillWith(const ScreenRect& r, int slot) {
    SetBrushColour(slot);
    FillScreenRect(r);
}

// Text in one colour and font: h 0 left, 1 centre, 2 right; v 0 top, 1 middle, 2 bottom,
// 3 baseline.
inline void TextAt(int x, int y, int h, int v, const char* text, TextFont* font, int slot) {
    SelectTextFont(font);
    SetTextAlignment(h, v);
    SetPenColour(slot);
    DrawTextAt(x, y, text);
}

inline void Line(int x0, int y0, int x1, int y1) {
    MoveTo(x0, y0);
    LineTo(x1, y1);
}

// A rectangle of the scene copied to the same place on the display.
inline void ShowFromScene(const OffscreenBuffer& scene, const ScreenRect& r) {
    CopyRect(&scene, nullptr, r, r, false);
}

// A rectangle of one buffer copied to the same place in another (null: the display).
inline void CopySame(const OffscreenBuffer* from, OffscreenBuffer* to, const ScreenRect& r) {
    CopyRect(from, to, r, r, false);
}
