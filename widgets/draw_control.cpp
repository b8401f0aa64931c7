// SPDX-License-Identifier: GPL-3.0-or-later
// How each kind of control draws itself, and the state a drawing leaves behind.
#include <cstring>

#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/present.h"
#include "graphics/scale.h"
#include "graphics/shape.h"
#include "graphics/sprite.h"
#include "graphics/text.h"
#include "widgets/control.h"
#include "widgets/popup.h"

namespace {

constexpr int kMaxLabelLines = kLabelSize / 2 + 1;  // "a@b@c..." in 127 bytes

void Fill(const ScreenRect& r, int slot) {
    SetBrushColour(slot);
    FillScreenRect(r);
}

// A label cut at every '@' into lines of at most kLabelLineSize characters.
struct LabelLines {
    char text[kMaxLabelLines][kLabelLineSize + 1];
    int count = 0;
};

void SplitLabel(const char* label, LabelLines& out) {
    out.count = 0;
    const char* p = label;
    for (;;) {
        const char* at = std::strchr(p, '@');
        size_t n = at ? size_t(at - p) : std::strlen(p);
        char* line = out.text[out.count++];
        const size_t kept = n > size_t(kLabelLineSize) ? size_t(kLabelLineSize) : n;
        std::memcpy(line, p, kept);
        line[kept] = '\0';
        if (!at || out.count == kMaxLabelLines) break;
        p = at + 1;
    }
}

// The two captions of a round button: before and after its first '@'.
void SplitCaptions(const char* label, char* a, char* b) {
    const char* at = std::strchr(label, '@');
    if (!at) {
        std::strcpy(a, label);
        std::strcpy(b, label);  // no second caption: the same text in both states
        return;
    }
    const size_t n = size_t(at - label);
    std::memcpy(a, label, n);
    a[n] = '\0';
    std::strcpy(b, at + 1);
}

// ---- push button -------------------------------------------------------------------------

int FaceColour(const Control* c) {
    if (c->selected == 1) return 14;
    if (c->selected == 2) return 12;
    return c->colour + 3;
}

void DrawButtonFrame(const Control* c) {
    const ScreenRect& r = c->rect;
    const int p = ParentColour(c);
    if (c->state == kStateInactive) {
        DrawBevel(r, 0, p + 2, p + 2);
        return;
    }
    if (c->state != kStateActive) return;
    SetPenColour(p + 1);
    MoveTo(r.right, r.top + 1);
    LineTo(r.right, r.bottom);
    LineTo(r.left, r.bottom);
    SetPenColour(p + 2);
    MoveTo(r.right + 1, r.top + 3);
    LineTo(r.right + 1, r.bottom + 1);
    LineTo(r.left + 3, r.bottom + 1);
    const int k = c->colour;
    DrawBevel(r, 1, k + 6, k);
    DrawBevel(r, 2, k + 5, k + 1);
    DrawBevel(r, 3, k + 4, k + 2);
    DrawBevel(r, 0, 0, 0);
}

void DrawPushButton(Control* c) {
    const ScreenRect& r = c->rect;
    const int face = FaceColour(c);
    SetPenColour(0);
    SetBrushColour(face);
    if (c->state < 0) {
        Fill(r, face);
        if (c->sprite) {
            const Sprite& s = *c->sprite;
            const int w = SpriteLogicalWidth(s);
            const int f = ToDeviceY(r.bottom - r.top - 8) - s.height;
            const int half = int(f * 0.5);
            if (c->label[0] != '\0') {
                c->labelX = (r.right + w + r.left + 4) / 2;
                DrawButtonLabel(c, 0);
            }
            const int dx = ToDeviceX(r.left + 4) + 1;
            const int dy = ToDeviceY(r.top + 4) + half;
            if (c->state == kStateRedrawInactive) {
                // An inactive button shows where its icon would be, not the icon.
                const int top = r.top + 4 + ToLogicalY(half);
                SetPenColour(ParentColour(c) + 2);
                FrameScreenRect(MakeScreenRect(r.left + 4, top, r.left + 4 + w,
                                     top + SpriteLogicalHeight(s)));
            } else {
                DrawSprite(MakeScreenRect(dx, dy, dx + s.width, dy + s.height), s, true);
            }
        } else {
            c->labelX = (r.left + r.right) / 2;
            DrawButtonLabel(c, 0);
        }
        c->state = -c->state;
    }
    DrawButtonFrame(c);
}

// ---- round button ------------------------------------------------------------------------

int ShadeColour(const Control* c) {
    return c->selected ? c->colour / 100 : c->colour % 100;
}

// A disc in `whole`, its upper-left half in `half`, and five thin wedges on each side of that
// half shading from one to the other in steps of `step`.
void DrawDisc(const ScreenRect& r, int whole, int half, int step) {
    SetPenColour(whole);
    FillEllipsePattern(r);
    SetPenColour(half);
    FillPiePattern(r, 450, 1800);
    for (int i = 0; i < 5; ++i) {
        SetPenColour(whole + step * (1 + i));
        FillPiePattern(r, 325 + 50 * i, 50);
        FillPiePattern(r, 2325 - 50 * i, 50);
    }
}

void DrawRoundButton(Control* c) {
    const ScreenRect& r = c->rect;
    if (c->state == kStateRedrawInactive) {
        SetBrushColour(19);
        FillEllipse(r);
        SetPenColour(8);
        DrawEllipse(r);
    } else {
        const int p = ParentColour(c);
        const int s = ShadeColour(c);
        // The outer ring is shaded the other way from the disc, so the disc stands in a hollow.
        DrawDisc(r, p + 6, p, -1);
        const ScreenRect inner = InsetScreenRect(r, 5);
        DrawDisc(inner, s, s + 6, 1);
        SetPenColour(s + 3);
        FillEllipsePattern(InsetScreenRect(r, 15));
    }
    DrawRoundLabel(c, 0);
    c->state = -c->state;
}

// ---- the other kinds ---------------------------------------------------------------------

void DrawTextItems(const Control* c) {
    for (const TextItem* item = c->items; item; item = item->next) {
        MoveTo(item->x, item->y);
        SetPenColour(item->penColour);
        SetBrushColour(item->fillColour);
        SelectTextFont(item->font);
        SetTextAlignment(item->hAlign, item->vAlign);
        DrawTextHere(item->text);
    }
}

// Tiles the sprite over the rect on a device grid anchored at (0, 0); tiles at the right and
// bottom edges are cut, and so are any that would start left of or above the rect.
void TileSprite(const Sprite& s, const ScreenRect& r) {
    if (s.width <= 0 || s.height <= 0 || !s.sheet) return;
    const DeviceRect d = ToDeviceRect(r);
    if (IsEmpty(d)) return;
    auto floorTo = [](int v, int m) { return v >= 0 ? v - v % m : v - ((v % m) + m) % m; };
    for (int ty = floorTo(d.top, s.height); ty < d.bottom; ty += s.height) {
        for (int tx = floorTo(d.left, s.width); tx < d.right; tx += s.width) {
            const int x0 = tx < d.left ? d.left : tx;
            const int y0 = ty < d.top ? d.top : ty;
            const int x1 = tx + s.width > d.right ? d.right : tx + s.width;
            const int y1 = ty + s.height > d.bottom ? d.bottom : ty + s.height;
            Sprite piece = s;
            piece.x = s.x + (x0 - tx);
            piece.y = s.y + (y0 - ty);
            piece.width = x1 - x0;
            piece.height = y1 - y0;
            DrawSprite(MakeScreenRect(x0, y0, x1, y1), piece, false);
        }
    }
}

void DrawPanel(Control* c) {
    if (c->sprite) {
        TileSprite(*c->sprite, c->rect);
        for (int i = 0; i < 3; ++i) DrawBevel(c->rect, i, c->colour + 6 - i, c->colour + i);
    } else {
        Fill(c->rect, c->colour + 3);
    }
    DrawTextItems(c);
    c->state = -c->state;
}

void DrawTextBar(Control* c) {
    if (c->state < 0) c->state = -c->state;
    Fill(c->rect, c->id);
    SetPenColour(c->selected);
    SelectTextFont(c->font);
    SetTextAlignment(1, 1);
    int x, y;
    RectCentre(c->rect, x, y);
    // A text wider than its bar (a long saved file's path) is cut at the bar's ends rather
    // than spilling over the buttons beside it.
    SetClipRect(&c->rect);
    DrawTextAt(x, y, c->label);
    SetClipRect(nullptr);
}

void DrawValuePanel(Control* c) {
    c->state = -c->state;
    for (TextItem* item = c->items; item; item = item->next) SetValueText(item, "");
}

void DrawSliderTrack(Control* c) {
    if (c->state >= 0) return;
    const ScreenRect& r = c->rect;
    const int k = c->colour;
    const int cy = (r.top + r.bottom) / 2;
    const ScreenRect track = MakeScreenRect(r.left, cy - 4, r.right, cy + 4);
    Fill(track, 0);
    if (c->labelX == 1) {
        int32_t n = 0;
        std::memcpy(&n, c->label, sizeof n);
        if (n >= 2 && n <= 1000) {  // a count that fits the track; anything else draws no ticks
            SetPenColour(0);
            for (int i = 0; i < n; ++i) {
                const int x = int(double(r.right - r.left - 24) / (n - 1) * i + r.left + 12 + 0.5);
                MoveTo(x, cy - 12);
                LineTo(x, cy + 12);
            }
        }
    }
    DrawBevel(track, 0, k + 2, k + 4);
    DrawBevel(track, 1, k + 1, k + 5);
    DrawBevel(track, 2, k, k + 6);
    Fill(c->hitRect, 19);
    DrawBevel(c->hitRect, 0, 0, 0);
    DrawBevel(c->hitRect, 1, k + 6, k);
    DrawBevel(c->hitRect, 2, k + 5, k + 1);
    DrawBevel(c->hitRect, 3, k + 4, k + 2);
    c->state = -c->state;
}

void DrawTextLabel(const Control* c) {
    Fill(c->rect, c->colour + 3);
    MoveTo(c->rect.left, c->rect.top);
    SetTextAlignment(0, 1);
    SetPenColour(0);
    SelectTextFont(c->font);
    DrawTextHere(c->label);
}

void DrawOpenFrame(Control* c) {
    const ScreenRect& r = c->rect;
    const int p = ParentColour(c);
    Fill(r, p + 2);
    SetPenColour(p);
    if (c->selected != 1) {
        MoveTo(r.left, r.top);
        LineTo(r.right, r.top);
    }
    if (c->selected != 0) {
        MoveTo(r.left, r.top);
        LineTo(r.left, r.bottom);
    }
    SetPenColour(p + 6);
    if (c->selected != 2) {
        MoveTo(r.right - 1, r.top);
        LineTo(r.right - 1, r.bottom);
    }
    if (c->selected != 3) {
        MoveTo(r.left, r.bottom - 1);
        LineTo(r.right, r.bottom - 1);
    }
    c->state = kStateActive;
}

void DrawSunkenBox(Control* c) {
    SetPenColour(c->colour + 2);
    FillScreenRectPattern(c->rect);
    for (int i = 0; i < 2; ++i) DrawBevel(c->rect, i, c->colour + i, c->colour + 6 - i);
    c->state = -c->state;
}

}  // namespace

void DrawPopupFrameBody(const ScreenRect& r) {
    Fill(r, 24);
    SetPenColour(0);
    FrameScreenRect(MakeScreenRect(r.left, r.top, r.right - 1, r.bottom - 1));
}

void DrawButtonLabel(Control* c, int highlighted) {
    if (!c || c->state == kStateInactive) return;
    const char* label = c->label[0] == '!' ? c->label + 1 : c->label;
    LabelLines lines;
    SplitLabel(label, lines);
    BeginDrawing();
    if (!c->selected) Fill(c->labelRect, highlighted ? c->colour + 6 : c->colour + 3);
    SetPenColour(c->state == kStateRedrawInactive ? ParentColour(c) + 2 : 0);
    SetTextAlignment(1, 1);
    SelectTextFont(c->font);
    const int top = c->rect.top;
    const int bottom = c->rect.bottom;
    if (lines.count == 1) {
        DrawTextAt(c->labelX, (top + bottom) / 2, lines.text[0]);
    } else if (lines.count == 2) {
        DrawTextAt(c->labelX, int(0.3 * bottom + 0.7 * top), lines.text[0]);
        DrawTextAt(c->labelX, int(0.3 * top + 0.7 * bottom), lines.text[1]);
    } else {
        for (int i = 0; i < lines.count; ++i) {
            const double f = double(i + 1) / (lines.count + 1);
            DrawTextAt(c->labelX, int(f * bottom + (1 - f) * top), lines.text[i]);
        }
    }
    EndDrawing();
}

void DrawRoundLabel(Control* c, int highlighted) {
    if (!c || c->state == kStateInactive) return;
    BeginDrawing();
    SelectTextFont(c->font);
    SetTextAlignment(1, 1);
    int cx, cy;
    RectCentre(c->labelRect, cx, cy);
    const int s = ShadeColour(c);
    if (c->state != kStateRedrawInactive) {
        SetBrushColour(highlighted ? s + 6 : s + 3);
        FillEllipse(c->labelRect);
        SetPenColour(c->selected ? 0 : 255);
    } else {
        SetPenColour(8);
    }
    char a[kLabelSize];
    char b[kLabelSize];
    if (c->label[0] == '!') {
        SplitCaptions(c->label + 1, a, b);
        DrawTextAt(c->labelX, cy - 12, a);
        DrawTextAt(c->labelX, cy + 10, b);
    } else {
        SplitCaptions(c->label, a, b);
        DrawTextAt(cx, cy, c->selected ? b : a);
    }
    EndDrawing();
}

void DrawControl(Control* c) {
    if (!c || c->state == kStateHidden) return;
    if (c->state == kStateHide && c->kind != kEntryArea) {
        c->state = kStateHidden;  // the old picture stays until the screen paints over it
        return;
    }
    BeginDrawing();
    switch (c->kind) {
    case kPushButton: DrawPushButton(c); break;
    case kSliderTrack: DrawSliderTrack(c); break;
    case kRoundButton: DrawRoundButton(c); break;
    case kPanel: DrawPanel(c); break;
    case kValuePanel: DrawValuePanel(c); break;
    case kSunkenBox: DrawSunkenBox(c); break;
    case kTextLabel: DrawTextLabel(c); break;
    case kPopupFrame: DrawPopupFrameBody(c->rect); break;
    case kTextBar: DrawTextBar(c); break;
    case kHelpArea:
        if (c->state < 0) c->state = -c->state;
        break;
    case kOpenFrame: DrawOpenFrame(c); break;
    default: break;  // entry and custom areas: only their callback draws
    }
    EndDrawing();
    if (c->drawCallback) c->drawCallback(c);
}
