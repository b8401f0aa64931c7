// SPDX-License-Identifier: GPL-3.0-or-later
// Making, changing and freeing controls, and the bevel and message box drawings.
#include "widgets/control.h"

#include <algorithm>
#include <cstring>

#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/present.h"
#include "graphics/scale.h"
#include "graphics/text.h"
#include "graphics/sprite.h"
#include "widgets/widget_state.h"

namespace {

// Copies at most size-1 bytes and always terminates; null copies nothing.
void CopyText(char* out, size_t size, const char* text) {
    if (size == 0) return;
    out[0] = '\0';
    if (!text) return;
    size_t n = std::strlen(text);
    if (n >= size) n = size - 1;
    std::memcpy(out, text, n);
    out[n] = '\0';
}

// rect moved by the parent's top-left corner when there is a parent.
ScreenRect AbsoluteRect(const ScreenRect& rect, const Control* parent) {
    ScreenRect r;
    MakeRect(r, rect.left, rect.top, rect.right, rect.bottom);
    if (parent) OffsetRect(r, parent->rect.left, parent->rect.top);
    return r;
}

}  // namespace

ScreenRect MakeScreenRect(int left, int top, int right, int bottom) {
    ScreenRect r;
    MakeRect(r, left, top, right, bottom);
    return r;
}

ScreenRect InsetScreenRect(const ScreenRect& rect, int d) {
    return MakeScreenRect(rect.left + d, rect.top + d, rect.right - d, rect.bottom - d);
}

int SpriteLogicalWidth(const Sprite& sprite) { return ToLogicalX(sprite.width); }
int SpriteLogicalHeight(const Sprite& sprite) { return ToLogicalY(sprite.height); }

int ParentColour(const Control* control) {
    // A control without a panel behind it takes its frame shades from the grey family.
    if (!control || !control->parent) return 23;
    return control->parent->colour;
}

void SetControlLabel(Control* control, const char* text) {
    if (control) CopyText(control->label, sizeof control->label, text);
}

Control* CreatePanel(int layer, const ScreenRect& rect, const char* help, const Sprite* sprite,
                     int colour) {
    Control* c = new Control;
    c->kind = kPanel;
    c->id = 0;
    c->layer = layer;
    c->state = kStateRedrawActive;
    c->selected = 1;
    c->rect = AbsoluteRect(rect, nullptr);
    c->hitRect = c->rect;
    CopyText(c->help, sizeof c->help, help);
    c->sprite = sprite;
    c->colour = colour;
    c->labelRect = c->rect;
    return c;
}

Control* CreatePopupPanel(int layer, int id, const ScreenRect& rect, const char* help,
                          const Sprite* sprite, int colour) {
    Control* c = CreatePanel(layer, rect, help, sprite, colour);
    c->id = id;
    return c;
}

Control* CreateButton(int id, int layer, int state, const ScreenRect& rect, const char* label,
                      const char* help, const Sprite* sprite, Control* parent, int colour,
                      TextFont* font) {
    Control* c = new Control;
    c->kind = kPushButton;
    c->id = id;
    c->layer = layer;
    c->state = state;
    c->selected = 0;
    c->rect = AbsoluteRect(rect, parent);
    c->hitRect = c->rect;
    CopyText(c->label, sizeof c->label, label);
    CopyText(c->help, sizeof c->help, help);
    c->sprite = sprite;
    c->parent = parent;
    c->colour = colour;
    c->font = font;
    const int w = sprite ? SpriteLogicalWidth(*sprite) : 0;
    const ScreenRect& r = c->rect;
    if (r.right - 4 <= r.left + w + 4)
        MakeRect(c->labelRect, r.left + 1, r.top + 1, r.left + 2, r.top + 2);  // no room for text
    else
        MakeRect(c->labelRect, r.left + w + 6, r.top + 4, r.right - 4, r.bottom - 4);
    c->labelX = sprite ? (r.right + w + r.left + 4) / 2 : (r.left + r.right) / 2;
    return c;
}

Control* CreateRoundButton(int id, int layer, int state, const ScreenRect& rect,
                           const char* label, const char* help, const Sprite* sprite,
                           Control* parent, int colourA, int colourB, TextFont* font) {
    Control* c = CreateButton(id, layer, state, rect, label, help, nullptr, parent,
                              parent ? parent->colour : 23, font);
    c->kind = kRoundButton;
    c->sprite = sprite;
    c->hitRect = InsetScreenRect(c->rect, 5);
    c->labelRect = InsetScreenRect(c->rect, 20);
    if (sprite) {
        ScreenRect& l = c->labelRect;
        MakeRect(l, l.left + SpriteLogicalWidth(*sprite) + 4, l.top, l.right, l.bottom);
    }
    c->colour = colourA + 100 * colourB;
    c->labelX = (c->labelRect.left + c->labelRect.right) / 2;
    return c;
}

Control* CreateTextBar(int layer, const ScreenRect& rect, const char* help, Control* parent,
                       TextFont* font, int fillColour, int textColour, const char* initialText) {
    Control* c = new Control;
    c->kind = kTextBar;
    c->id = fillColour;
    c->layer = layer;
    c->state = kStateRedrawActive;
    c->selected = textColour;
    c->rect = AbsoluteRect(rect, parent);
    c->hitRect = c->rect;
    c->labelRect = c->rect;
    CopyText(c->label, sizeof c->label, initialText);
    CopyText(c->help, sizeof c->help, help);
    c->parent = parent;
    c->colour = ParentColour(c);
    c->font = font;
    c->labelX = (c->rect.left + c->rect.right) / 2;
    return c;
}

namespace {

// The kinds without a caption that sit on a panel: a rect, a help text, the panel's shades.
Control* CreateTextless(int kind, int layer, const ScreenRect& rect, const char* help,
                        Control* parent) {
    Control* c = new Control;
    c->kind = kind;
    c->layer = layer;
    c->state = kStateRedrawActive;
    c->selected = 1;
    c->rect = AbsoluteRect(rect, parent);
    c->hitRect = c->rect;
    c->labelRect = c->rect;
    CopyText(c->help, sizeof c->help, help);
    c->parent = parent;
    c->colour = ParentColour(c);
    return c;
}

}  // namespace

Control* CreateValuePanel(int layer, const ScreenRect& rect, const char* help, Control* parent) {
    return CreateTextless(kValuePanel, layer, rect, help, parent);
}

Control* CreateHotspot(int layer, const ScreenRect& rect, const char* help, Control* parent) {
    return CreateTextless(kHelpArea, layer, rect, help, parent);
}

Control* CreateEntryArea(int id, int layer, const ScreenRect& rect, const char* help,
                         Control* parent) {
    Control* c = CreateHotspot(layer, rect, help, parent);
    c->kind = kEntryArea;
    c->id = id;
    c->state = kStateActive;  // an entry area takes part in hit tests from the start
    return c;
}

TextItem* AddPanelText(Control* panel, int x, int y, const ScreenRect& rect, int hAlign,
                       int vAlign, const char* text, TextFont* font, int penColour,
                       int fillColour) {
    if (!panel) return nullptr;
    TextItem* item = new TextItem;
    item->x = x;
    item->y = y;
    if (panel->kind != kValuePanel) {
        item->x += panel->rect.left;
        item->y += panel->rect.top;
    }
    item->rect = rect;
    item->hAlign = hAlign;
    item->vAlign = vAlign;
    CopyText(item->text, sizeof item->text, text);
    item->font = font;
    item->penColour = penColour;
    item->fillColour = fillColour;
    TextItem** end = &panel->items;
    while (*end) end = &(*end)->next;
    *end = item;
    return item;
}

void SetValueText(TextItem* item, const char* text) {
    if (!item) return;
    if (text && text[0] != '\0') CopyText(item->text, sizeof item->text, text);
    BeginDrawing();
    SetBrushColour(item->fillColour);
    if (item->text[0] != '\0') FillScreenRect(item->rect);
    SetPenColour(item->penColour);
    SelectTextFont(item->font);
    SetTextAlignment(item->hAlign, item->vAlign);
    const ScreenRect& r = item->rect;
    const int cx = (r.left + r.right) / 2;
    const char* at = std::strchr(item->text, '@');
    if (at) {
        char first[kItemTextSize];
        const size_t n = size_t(at - item->text);
        std::memcpy(first, item->text, n);
        first[n] = '\0';
        const int third = (r.bottom - r.top) / 3;
        DrawTextAt(cx, r.top + third - 2, first);
        DrawTextAt(cx, r.bottom - third + 2, at + 1);
    } else {
        DrawTextAt(cx, (r.top + r.bottom) / 2, item->text);
    }
    EndDrawing();
}

void SetValueTextAt(Control* panel, int x, int y, const char* text) {
    if (!panel) return;
    for (TextItem* item = panel->items; item; item = item->next)
        if (item->x == x && item->y == y) {
            SetValueText(item, text);
            return;
        }
}

void ToggleControl(Control* control) {
    if (!control) return;
    control->state = -control->state;
    control->selected = control->selected == 0 ? 1 : 0;
    DrawControl(control);
}

void DestroyControl(Control* control) {
    if (!control) return;
    if (control->state == kStateHide) DrawControl(control);
    ForgetControl(control);
    TextItem* item = control->items;
    while (item) {
        TextItem* next = item->next;
        delete item;
        item = next;
    }
    delete control;
}

void DrawBevel(const ScreenRect& rect, int inset, int lightSlot, int darkSlot) {
    const int i = inset;
    const int oldWidth = gDraw.penWidth;
    SetPenWidth(1, 1);
    SetPenColour(darkSlot);
    MoveTo(rect.left + i, rect.bottom - i - 1);
    LineTo(rect.right - i - 1, rect.bottom - i - 1);
    LineTo(rect.right - i - 1, rect.top + i);
    SetPenColour(lightSlot);
    MoveTo(rect.left + i, rect.bottom - i - 1);
    LineTo(rect.left + i, rect.top + i);
    LineTo(rect.right - i, rect.top + i);
    SetPenWidth(oldWidth, oldWidth);
}

void DrawMessageBox(int margin, int cx, int cy, int textSlot, int fillSlot, const char* line1,
                    const char* line2, const char* line3) {
    int width;
    if (margin == 0)
        width = std::max(line2 ? TextWidth(line2) : 0, line3 ? TextWidth(line3) : 0) + 80;
    else
        width = (512 - margin) * 2;
    ScreenRect box;
    MakeRect(box, cx - width / 2, cy - 60, cx - width / 2 + width, cy + 60);
    SetBrushColour(fillSlot);
    FillScreenRect(box);
    DrawBevel(box, -1, 255, 0);
    SetPenColour(textSlot);
    SetTextAlignment(0, 1);
    if (line1) DrawTextAt(box.left + 20, cy - 30, line1);
    if (line2) DrawTextAt(box.left + 60, cy, line2);
    if (line3) DrawTextAt(box.left + 60, cy + 25, line3);
}

int NextBoxColour(int counter) { return (counter + 1) % 5 + 1; }

void RequestMessageBox(int& counter, int margin, int cx, int cy, int textSlot,
                       const char* line1, const char* line2, const char* line3) {
    if (line1) DrawMessageBox(margin, cx, cy, textSlot, counter, line1, line2, line3);
    counter = NextBoxColour(counter);
}
