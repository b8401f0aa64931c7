// SPDX-License-Identifier: GPL-3.0-or-later
// A sprite: a rectangle of a sheet buffer.
#pragma once

#include "graphics/buffer.h"

struct Sprite {
    int x = 0;  // the rectangle in sheet pixels
    int y = 0;
    int width = 0;
    int height = 0;
    ScreenRect rect;                        // (x, y, x + width, y + height)
    const OffscreenBuffer* sheet = nullptr;
};

// Fills in a sprite of `sheet`.
void MakeSprite(Sprite& sprite, const OffscreenBuffer* sheet, int x, int y, int width, int height);
