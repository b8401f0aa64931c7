// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as newcoast.txt: the reader must stay inside its 265 points, never read past
// the input, and give whole degrees on the globe.
#include "settings/coast.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CoastPoints points;
    int n = ParseCoastPoints(reinterpret_cast<const char*>(data), size, points);
    CoastOutline outline;
    if (RoundCoastOutline(points, outline) != n || n < 0 || n > kCoastPoints) std::abort();
    for (int i = 0; i < n; ++i) {
        if (outline.latitude[i] < -90 || outline.latitude[i] > 90) std::abort();
        if (outline.longitude[i] < -360 || outline.longitude[i] > 360) std::abort();
    }
    return 0;
}
