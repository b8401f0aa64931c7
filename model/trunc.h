// SPDX-License-Identifier: GPL-3.0-or-later
// Truncation toward zero that stays defined for any double: values the model can reach
// from reachable settings convert exactly as a plain cast would; an unstable model (shapes
// near 1) or a table read before its orbit exists saturates instead of overflowing.
#pragma once
#include <cstdint>

inline int32_t TruncClamped(double v) {
    if (v != v) return 0;
    if (v <= -2147483648.0) return INT32_MIN;
    if (v >= 2147483647.0) return INT32_MAX;
    return int32_t(v);
}
