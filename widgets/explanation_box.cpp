// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/explanation_box.h"

#include "graphics/present.h"
#include "graphics/text.h"
#include "widgets/control.h"
#include "widgets/ui_resources.h"

namespace {
constexpr int kScreenCentreX = 512;
constexpr int kTextSlot = 255;
}  // namespace

int NextExplanationColour(int slot) {
    const int next = (slot + 1) % 5 + 1;
    return next < 1 ? next + 5 : next;  // a negative counter still lands in 1..5
}

void DrawExplanationBox(ExplanationColour& colour, int x0, int y, const ExplanationText& text) {
    BeginDrawing();
    SelectTextFont(gUi.headingFont);
    DrawMessageBox(x0, kScreenCentreX, y, kTextSlot, colour.slot, text.title, text.line1,
                   text.line2);
    EndDrawing();
    colour.slot = NextExplanationColour(colour.slot);
}
