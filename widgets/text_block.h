// SPDX-License-Identifier: GPL-3.0-or-later
// An explanation block: a heading and a few lines of text on a dark card, so it reads on any
// panel and a new text always covers the old one. Lines keep the breaks their writer chose;
// a line too long for the card wraps at its last blank that fits.
//
// The style number (1..5) picks the colour of the card's accent bar. Screens advance it each
// time they show a new text, so even the same text shown again visibly changes.
#pragma once

#include "graphics/rect.h"

struct TextFont;

constexpr int kTextBlockStyles = 5;

struct TextBlockFonts {
    TextFont* heading = nullptr;  // "Arial Bold" 16
    TextFont* body = nullptr;     // "Arial" 14
};

// Makes the two faces; false (with whatever was made freed) when one is missing.
bool CreateTextBlockFonts(TextBlockFonts& fonts);
void ReleaseTextBlockFonts(TextBlockFonts& fonts);

// The style shown after `style`: 1, 3, 5, 2, 4, 1, ... (anything out of range counts as 1).
int NextTextBlockStyle(int style);
// The accent bar's palette slot for a style.
int TextBlockAccentSlot(int style);

// How many rows `text` takes in `width` logical units in `font`; with `starts` given, the
// byte offset of each row's first character is stored there (at most `maxRows`).
int WrapTextRows(const char* text, int width, TextFont* font, int* starts, int maxRows);

// The height a card needs for a heading and `bodyRows` rows of body text.
int TextBlockHeight(const TextBlockFonts& fonts, int bodyRows);

// Draws the card over `card` (filled with fillSlot, framed, the accent bar of `style` at its
// left) and the heading and lines in textSlot, clipped to the card. Inside an open drawing
// bracket, on the current target; lifts any clip afterwards. Returns the rows drawn.
int DrawTextBlock(const ScreenRect& card, int textSlot, int fillSlot, int style,
                  const TextBlockFonts& fonts, const char* heading, const char* const* lines,
                  int lineCount);
