// SPDX-License-Identifier: GPL-3.0-or-later
// Logical 1024 x 768 design space to device pixels and back.
#pragma once

struct DisplayScale {
    double sx = 1.0;  // device width / 1024
    double sy = 1.0;  // device height / 768
};
extern DisplayScale gDisplayScale;

// Logical to device: trunc(v * s + 0.5), truncation toward zero (so -1 at 0.78125 gives 0).
inline int ToDeviceX(double v) { return int(v * gDisplayScale.sx + 0.5); }
inline int ToDeviceY(double v) { return int(v * gDisplayScale.sy + 0.5); }
// Device to logical: trunc(v / s + 0.5).
inline int ToLogicalX(double v) { return int(v / gDisplayScale.sx + 0.5); }
inline int ToLogicalY(double v) { return int(v / gDisplayScale.sy + 0.5); }
