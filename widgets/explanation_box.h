// SPDX-License-Identifier: GPL-3.0-or-later
// The explanation box: a title and two lines in a coloured box across the top of an
// explanation screen, saying what the pupil's choice shows. Each screen keeps its own colour
// counter for the whole run, so every new box stands out from the one before it.
#pragma once

struct ExplanationText {
    const char* title;
    const char* line1;
    const char* line2;
};

// The fill slot of a screen's next box: 1..5, taking the turns 1, 3, 5, 2, 4, 1, ...
struct ExplanationColour {
    int slot = 1;
};

// The colour after `slot`; any value gives one of 1..5.
int NextExplanationColour(int slot);

// Draws the box (x0, y - 60, 1024 - x0, y + 60) filled with the counter's colour and framed
// with a white top and left and a black bottom and right; the title at (x0 + 20, y - 30), the
// lines at (x0 + 60, y) and (x0 + 60, y + 25), in white Times New Roman Bold 24. Then the
// counter moves on.
void DrawExplanationBox(ExplanationColour& colour, int x0, int y, const ExplanationText& text);
