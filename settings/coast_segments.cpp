// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/coast_segments.h"

void JoinCoastSegments(const int32_t* codes, int count, const bool* visible, const double* x,
                       const double* y, CoastSegments& out) {
    out.count = 0;
    if (count > kCoastPoints) count = kCoastPoints;
    for (int i = 0; i + 1 < count; ++i) {
        if (!visible[i] || !visible[i + 1] || codes[i + 1] >= kCoastNewLine) continue;
        const int k = out.count++;
        out.x0[k] = int(x[i]);
        out.y0[k] = int(y[i]);
        out.x1[k] = int(x[i + 1]);
        out.y1[k] = int(y[i + 1]);
    }
}
