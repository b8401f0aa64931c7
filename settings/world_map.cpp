// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/world_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/shape.h"
#include "settings/coast.h"
#include "widgets/control.h"

namespace {

constexpr double kDegree = 0.0174533;
constexpr double kPi = 3.14159;
constexpr int kBackgroundSlot = 8;
constexpr int kFrameLight = 23, kFrameDark = 29;
constexpr int kBorderSlot = 8;
constexpr int kParallelSlot = 0;
constexpr int kCoastSlot = 2;
constexpr int kWrapJump = 60;  // a step this wide crosses the map's edge: not a coastline

int BandY(const WorldMapGeometry& g, int latitude) {
    return g.cy - int(0.5 + g.sy * latitude * kDegree);
}

// Band b over the whole degrees -T .. -B, down the left edge and back up the right one. Each
// band is filled over the one before it, so it shows as a 15-degree strip about -90 + 15b.
void FillBand(const WorldMapGeometry& g, int b) {
    const int top = std::min(90, 97 - 15 * b);
    const int bottom = std::max(-90, top - 14);
    Point points[2 * 15];
    int n = 0;
    for (int lat = -top; lat <= -bottom; ++lat)
        MakePoint(points[n++], g.cx - MapHalfWidth(g, lat), BandY(g, lat));
    for (int lat = -bottom; lat >= -top; --lat)
        MakePoint(points[n++], g.cx + MapHalfWidth(g, lat), BandY(g, lat));
    SetBrushColour(kMapFirstBandSlot + b);
    FillPolygon(PointRange{0, int16_t(n - 1)}, points);
}

void DrawCoastline(const WorldMapGeometry& g, const char* coastFile) {
    std::vector<CoastMapRecord> records;
    if (!coastFile || !LoadMapCoastline(coastFile, records)) return;
    SetPenColour(kCoastSlot);
    SetPenWidth(2, 2);
    int previousX = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        const CoastMapRecord& r = records[i];
        const double f = r.latitude * kCoastMapUnit, l = r.longitude * kCoastMapUnit;
        const int x = int(g.cx + l * std::cos(f) * g.sx + 0.5);
        const int y = int(g.cy - f * g.sy + 0.5);
        if (i == 0 || CoastMapStartsLine(r) || std::abs(x - previousX) >= kWrapJump)
            MoveTo(x, y);
        else
            LineTo(x, y);
        previousX = x;
    }
    SetPenWidth(1, 1);
}

}  // namespace

WorldMapGeometry WorldMapGeometryFor(const ScreenRect& rect) {
    WorldMapGeometry g;
    g.cx = (rect.left + rect.right) / 2;
    g.cy = (rect.top + rect.bottom) / 2;
    // 0.99 / 3.14159 and 1.2 / 3.14159: the equator spans 0.99 of the half-width, and the
    // poles lie 0.6 x (bottom - cy + 120) from the centre line.
    g.sx = (rect.right - g.cx) * 0.31512705349838777;
    g.sy = (rect.bottom - g.cy + 120) * 0.38197218605865185;
    return g;
}

int MapHalfWidth(const WorldMapGeometry& g, int latitude) {
    return -int(0.5 - kPi * g.sx * std::cos(latitude * kDegree));
}

WorldMapGeometry PaintWorldMap(const ScreenRect& rect, const char* coastFile) {
    const WorldMapGeometry g = WorldMapGeometryFor(rect);
    BeginDrawing();
    SetBrushColour(kBackgroundSlot);
    FillScreenRect(rect);
    DrawBevel(rect, -1, kFrameLight, kFrameDark);
    DrawBevel(rect, -2, kFrameLight, kFrameDark);

    // Fills write palette indices, so each band lands on its own index whatever colour that
    // index holds; all of them then show dark blue until a latitude is selected.
    for (int b = 0; b < kMapBands; ++b) {
        FillBand(g, b);
        SetPaletteEntry(kMapFirstBandSlot + b, 0, 0, 192);
    }
    ApplyPalette(kMapFirstBandSlot, kMapBands);

    SetPenColour(kBorderSlot);
    SetPenWidth(3, 3);
    SetClipRect(&rect);
    for (int n = 0; n < kMapBands; ++n) {
        const int y = g.cy - int((-82.5 + 15 * n) * g.sy * kDegree);
        MoveTo(rect.left, y);
        LineTo(rect.right, y);
    }
    SetClipRect(nullptr);
    SetPenWidth(1, 1);

    SetPenColour(kParallelSlot);
    for (int lat = -75; lat <= 75; lat += 15) {
        const int y = int(g.cy - g.sy * lat * kDegree);
        const int w = MapHalfWidth(g, lat);
        MoveTo(g.cx + w, y);
        LineTo(g.cx - w, y);
    }

    DrawCoastline(g, coastFile);
    EndDrawing();
    return g;
}
