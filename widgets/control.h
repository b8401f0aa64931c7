// SPDX-License-Identifier: GPL-3.0-or-later
// Controls: the one widget record every panel, button, text bar and help area is made of,
// how each kind draws itself, and the few drawing helpers the screens share with them.
#pragma once
#include <cstdint>

#include "graphics/rect.h"

struct TextFont;
struct Sprite;
struct Control;

// Kinds of control.
enum : int32_t {
    kPushButton = 0,
    kSliderTrack = 1,
    kRoundButton = 2,
    kEntryArea = 3,
    kPanel = 10,
    kTextLabel = 20,
    kTextBar = 21,
    kValuePanel = 22,
    kCustomArea = 23,
    kHelpArea = 31,
    kOpenFrame = 32,
    kSunkenBox = 33,
    kPopupFrame = 34,
};

// States: 0 hidden, 1 shown inactive, 2 shown active (clickable); -1 and -2 ask for a full
// redraw into 1 and 2; 3 asks for hiding.
enum : int32_t {
    kStateHidden = 0,
    kStateInactive = 1,
    kStateActive = 2,
    kStateRedrawInactive = -1,
    kStateRedrawActive = -2,
    kStateHide = 3,
};

constexpr int kLabelSize = 128;     // label and help texts, terminator included
constexpr int kItemTextSize = 64;   // a panel text item
constexpr int kLabelLineSize = 40;  // one line of a button label, without terminator

using ControlDrawCallback = void (*)(Control* control);

// A text drawn on a panel or value panel.
struct TextItem {
    int32_t x = 0;
    int32_t y = 0;
    ScreenRect rect;  // the item's box (value panels fill and centre in it)
    int32_t hAlign = 0;
    int32_t vAlign = 0;
    char text[kItemTextSize] = "";
    TextFont* font = nullptr;
    int32_t penColour = 0;
    int32_t fillColour = 0;
    TextItem* next = nullptr;
};

struct Control {
    int32_t id = 0;        // what a click returns; a text bar keeps its fill colour here
    int32_t kind = kPushButton;
    int32_t layer = 0;     // higher layers are drawn later and win hit tests
    int32_t state = kStateHidden;
    int32_t selected = 0;  // 0 normal, 1 selected, 2 alternate; a text bar's text colour
    ScreenRect rect;       // absolute
    ScreenRect hitRect;    // what hit tests use (a round button's is inset by 5)
    char label[kLabelSize] = "";
    char help[kLabelSize] = "";
    const Sprite* sprite = nullptr;
    Control* parent = nullptr;
    ControlDrawCallback drawCallback = nullptr;
    TextItem* items = nullptr;
    int32_t colour = 0;    // first of seven shades; round buttons: colourA + 100 * colourB
    int32_t labelX = 0;
    TextFont* font = nullptr;
    ScreenRect labelRect;
};

// ---- creation (the caller owns the result and frees it with DestroyControl) ----------------
// Rectangles are relative to the parent's top-left corner when a parent is given.
Control* CreatePanel(int layer, const ScreenRect& rect, const char* help, const Sprite* sprite,
                     int colour);
Control* CreatePopupPanel(int layer, int id, const ScreenRect& rect, const char* help,
                          const Sprite* sprite, int colour);
Control* CreateButton(int id, int layer, int state, const ScreenRect& rect, const char* label,
                      const char* help, const Sprite* sprite, Control* parent, int colour,
                      TextFont* font);
Control* CreateRoundButton(int id, int layer, int state, const ScreenRect& rect,
                           const char* label, const char* help, const Sprite* sprite,
                           Control* parent, int colourA, int colourB, TextFont* font);
Control* CreateTextBar(int layer, const ScreenRect& rect, const char* help, Control* parent,
                       TextFont* font, int fillColour, int textColour, const char* initialText);
Control* CreateValuePanel(int layer, const ScreenRect& rect, const char* help, Control* parent);
Control* CreateHotspot(int layer, const ScreenRect& rect, const char* help, Control* parent);
Control* CreateEntryArea(int id, int layer, const ScreenRect& rect, const char* help,
                         Control* parent);

// Appends a text item to a panel; x and y get the panel's origin added unless it is a value
// panel. Returns the item, or null without a panel.
TextItem* AddPanelText(Control* panel, int x, int y, const ScreenRect& rect, int hAlign,
                       int vAlign, const char* text, TextFont* font, int penColour,
                       int fillColour);
// Replaces the item's text unless `text` is empty, then redraws the item.
void SetValueText(TextItem* item, const char* text);
// The same for the first item of the panel stored at exactly (x, y); no match does nothing.
void SetValueTextAt(Control* panel, int x, int y, const char* text);

// Copies text into a control's label (cut to fit).
void SetControlLabel(Control* control, const char* text);

// ---- drawing ---------------------------------------------------------------------------------
void DrawControl(Control* control);
// Negates the state, flips selected between 0 and 1, draws: on/off buttons.
void ToggleControl(Control* control);
// A control with a hide request is drawn once first; then its items and the record are freed.
void DestroyControl(Control* control);

// The label of a push button; highlighted fills its box with the palest shade (hover).
void DrawButtonLabel(Control* control, int highlighted);
// The caption of a round button, with its disc.
void DrawRoundLabel(Control* control, int highlighted);

// Bottom and right edges in darkSlot, then left and top in lightSlot, `inset` pixels inside.
void DrawBevel(const ScreenRect& rect, int inset, int lightSlot, int darkSlot);
// A three-line message box centred on (cx, cy), inside an open drawing bracket, in the
// current font.
void DrawMessageBox(int margin, int cx, int cy, int textSlot, int fillSlot, const char* line1,
                    const char* line2, const char* line3);
// The explanation screens colour their successive boxes from a counter that runs 1, 3, 5, 2,
// 4, 1, ...: the counter that follows `counter`.
int NextBoxColour(int counter);
// One request for a message box filled with slot `counter`: drawn when there is a first line,
// and the counter moves on either way (a request with no texts draws nothing).
void RequestMessageBox(int& counter, int margin, int cx, int cy, int textSlot,
                       const char* line1, const char* line2, const char* line3);

// A logical rectangle by its edges, and one moved `d` units inwards on every side.
ScreenRect MakeScreenRect(int left, int top, int right, int bottom);
ScreenRect InsetScreenRect(const ScreenRect& rect, int d);

// A sprite's size in logical units (its sheet pixels are device pixels).
int SpriteLogicalWidth(const Sprite& sprite);
int SpriteLogicalHeight(const Sprite& sprite);

// The parent's colour, the base of a control's frame shades (23, grey, without a parent).
int ParentColour(const Control* control);
