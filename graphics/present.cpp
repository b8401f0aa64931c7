// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphics/present.h"

#include "graphics/draw.h"
#include "platform/platform.h"

void BeginDrawing() {
    if (gDraw.drawing) return;
    gDraw.textTransparent = true;
    gDraw.drawing = true;
}

void EndDrawing() {
    if (!gDraw.drawing) return;
    gDraw.drawing = false;
    // Every finished drawing lasts at least one refresh, but drawings made within the same
    // refresh are shown by one present.
    PlatformPresentCoalesced();
}
