// SPDX-License-Identifier: GPL-3.0-or-later
// Lines and single pixels with the current pen. Coordinates are logical.
#pragma once

void MoveTo(int x, int y);
void MoveBy(int dx, int dy);
// A line from the current position to (x, y), which becomes the current position. A one-pixel
// pen leaves the end point out; wider pens have round ends and cover both end points.
void LineTo(int x, int y);
void LineBy(int dx, int dy);
// One pixel in the pen colour.
void PutPixel(int x, int y);
