// SPDX-License-Identifier: GPL-3.0-or-later
// heliora-primitives-sheet FOLDER
// Draws every drawing primitive, brush pattern, pen and font at both display sizes
// (1024x768 and 800x600) into FOLDER/primitives_<w>x<h>.png and FOLDER/patterns_<w>x<h>.png,
// for checking the rasteriser by eye.
#include <sys/stat.h>

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/copy.h"
#include "graphics/draw.h"
#include "graphics/line.h"
#include "graphics/palette.h"
#include "graphics/png.h"
#include "graphics/rect.h"
#include "graphics/region.h"
#include "graphics/scale.h"
#include "graphics/shape.h"
#include "graphics/text.h"

namespace {

constexpr int kCellW = 128;  // logical cell size: an 8 x 6 grid on 1024 x 768
constexpr int kCellH = 128;

struct Fonts {
    TextFont* label = nullptr;
    TextFont* list[5] = {};
    const char* names[5] = {"Arial Bold 16", "Arial Bold 18", "Times New Roman Bold 24",
                            "Times New Roman Bold 30", "Times New Roman Bold 48"};
};

ScreenRect Rect(int l, int t, int r, int b) {
    ScreenRect rc;
    MakeRect(rc, l, t, r, b);
    return rc;
}

// The drawing area of grid cell (col, row), and its caption underneath.
ScreenRect Cell(int col, int row) {
    return Rect(col * kCellW + 12, row * kCellH + 8, col * kCellW + kCellW - 12, row * kCellH + kCellH - 28);
}

void Plain();

void Caption(const Fonts& f, int col, int row, const char* text) {
    Plain();
    if (!f.label) return;
    SelectTextFont(f.label);
    SetPenColour(255);
    SetTextAlignment(1, 0);
    DrawTextAt(col * kCellW + kCellW / 2, row * kCellH + kCellH - 24, text);
}

// Resets what a cell may have changed.
void Plain() {
    SetRasterMode(0);
    SetPenStyle(0);
    SetPenWidth(1, 1);
    SetBrushPattern(1);
    SetClipRect(nullptr);
}

void DrawPrimitives(const Fonts& f) {
    SetBrushColour(26);
    ScreenRect all;
    FullScreenRect(all);
    FillScreenRect(all);
    int col = 0, row = 0;
    auto next = [&](const char* caption) {
        Caption(f, col, row, caption);
        Plain();
        if (++col == 8) col = 0, ++row;
    };
    ScreenRect c = Cell(col, row);

    // Row 0: rectangles and lines.
    SetBrushColour(1);
    FillScreenRect(c);
    SetBrushColour(14);
    FillScreenRect(Rect(c.left + 10, c.top + 10, c.left + 10, c.bottom - 10));  // zero width: nothing
    next("FillScreenRect");
    c = Cell(col, row);
    SetPenColour(4);
    SetBrushColour(14);
    SetBrushPattern(3);
    FillScreenRectPattern(c);
    next("RectPattern 3");
    c = Cell(col, row);
    SetPenColour(0);
    FrameScreenRect(c);
    FrameScreenRect(Rect(c.left + 10, c.top + 10, c.right - 10, c.bottom - 10));
    SetPenColour(4);
    FrameScreenRect(Rect(c.left + 20, c.top + 20, c.left + 21, c.top + 21));
    next("FrameScreenRect");
    for (int w : {1, 3, 7}) {
        c = Cell(col, row);
        SetPenColour(16);
        SetPenWidth(w, w);
        int cx, cy;
        RectCentre(c, cx, cy);
        for (int a = 0; a < 16; ++a) {
            const double t = a * 3.14159265 / 8;
            MoveTo(cx, cy);
            LineTo(cx + int(40 * std::cos(t)), cy - int(40 * std::sin(t)));
        }
        char cap[32];
        std::snprintf(cap, sizeof cap, "lines w%d", w);
        next(cap);
    }
    c = Cell(col, row);
    SetPenColour(0);
    for (int s = 0; s <= 4; ++s) {
        SetPenStyle(s);
        MoveTo(c.left, c.top + 8 + 18 * s);
        LineTo(c.right, c.top + 8 + 18 * s);
    }
    next("styles 0-4");
    c = Cell(col, row);
    SetPenColour(5);
    SetBrushColour(11);
    SetBrushPattern(2);
    SetPenWidth(4, 4);
    MoveTo(c.left, c.bottom);
    LineTo(c.right, c.top);  // the pattern pen
    SetPenWidth(1, 1);
    MoveTo(c.left, c.top);
    LineTo(c.right, c.bottom);
    PutPixel(c.left + 5, c.bottom - 5);
    next("pattern pen");

    // Row 1: polygons.
    std::vector<Point> star(5);
    auto place = [&](const ScreenRect& rc) {
        const int xy[5][2] = {{50, 0}, {80, 100}, {0, 35}, {100, 35}, {20, 100}};
        for (int i = 0; i < 5; ++i)
            MakePoint(star[size_t(i)], rc.left + xy[i][0] * (rc.right - rc.left) / 100,
                      rc.top + xy[i][1] * (rc.bottom - rc.top) / 100);
    };
    c = Cell(col, row);
    place(c);
    SetPenColour(0);
    DrawPolygon(PointRange{0, 4}, star.data());
    next("DrawPolygon");
    c = Cell(col, row);
    place(c);
    SetBrushColour(2);
    FillPolygon(PointRange{0, 4}, star.data());
    next("FillPolygon");
    c = Cell(col, row);
    place(c);
    SetPenColour(37);
    SetBrushColour(12);
    SetBrushPattern(8);
    FillPolygonPattern(PointRange{0, 4}, star.data());
    next("PolygonPattern");
    c = Cell(col, row);
    place(c);
    SetPenColour(1);
    SetPenWidth(5, 5);
    DrawPolygon(PointRange{0, 4}, star.data());
    next("polygon w5");
    c = Cell(col, row);
    SetPenColour(0);
    DrawEllipse(c);
    DrawEllipse(Rect(c.left + 20, c.top + 30, c.right - 20, c.bottom - 30));
    DrawEllipse(Rect(c.left + 50, c.top + 5, c.left + 53, c.top + 8));
    SetPenStyle(3);
    DrawEllipse(Rect(c.left + 8, c.top + 12, c.right - 8, c.bottom - 12));
    SetPenStyle(4);
    DrawArc(Rect(c.left + 30, c.top + 36, c.right - 30, c.bottom - 36), 0, 3600);
    next("DrawEllipse");
    c = Cell(col, row);
    SetBrushColour(4);
    FillEllipse(c);
    SetBrushColour(14);
    FillEllipse(Rect(c.left, c.top + 40, c.right, c.top + 44));  // a flat one
    next("FillEllipse");
    c = Cell(col, row);
    SetBrushColour(14);
    SetBrushPattern(5);
    SetPenColour(0);  // after the pattern, so the outline is a plain pen, not the pattern pen
    SetPenWidth(3, 3);
    FillEllipsePattern(c);
    next("EllipsePattern");
    c = Cell(col, row);
    SetPenColour(1);
    SetPenWidth(7, 7);
    DrawEllipse(c);
    next("ellipse w7");

    // Row 2: arcs and pies.
    c = Cell(col, row);
    SetPenColour(0);
    DrawArc(c, 450, -900);
    SetPenColour(4);
    DrawArc(Rect(c.left + 15, c.top + 15, c.right - 15, c.bottom - 15), 900, 2700);
    next("DrawArc");
    c = Cell(col, row);
    SetPenColour(16);
    SetPenWidth(5, 5);
    DrawArc(c, 0, 1800);
    next("arc w5");
    c = Cell(col, row);
    const int slots[4] = {4, 2, 1, 14};
    for (int q = 0; q < 4; ++q) {
        SetBrushColour(slots[q]);
        FillPie(c, q * 900, 900);
    }
    next("FillPie x4");
    c = Cell(col, row);
    SetBrushColour(5);
    FillPie(c, 300, 3000);
    next("FillPie 300/3000");
    c = Cell(col, row);
    SetPenColour(0);
    SetBrushColour(11);
    SetBrushPattern(4);
    FillPiePattern(c, -450, 2700);
    next("PiePattern");
    c = Cell(col, row);
    SetBrushColour(6);
    FillPie(c, 0, 3600);
    SetBrushColour(0);
    FillPie(c, 10, 5);  // a tiny sliver must not become a whole ellipse
    next("full + sliver");
    // Regions.
    c = Cell(col, row);
    {
        Region* disc = EllipseRegion(c);
        Region* bar = RectRegion(Rect(c.left + 30, c.top, c.left + 60, c.bottom));
        Region* ring = SubtractRegions(disc, bar);
        SetBrushColour(17);
        FillRegion(ring);
        SetPenColour(14);
        SetBrushColour(17);
        SetBrushPattern(6);
        Region* mid = IntersectRegions(disc, bar);
        FillRegionPattern(mid);
        for (Region* r : {disc, bar, ring, mid}) DeleteRegion(r);
    }
    next("regions");
    c = Cell(col, row);
    {
        Region* disc = EllipseRegion(c);
        SetClipRegion(disc);
        SetPenColour(0);
        for (int i = 0; i < 200; i += 8) {
            MoveTo(c.left + i - 100, c.top);
            LineTo(c.left + i, c.bottom);
        }
        SetClipRegion(nullptr);
        DeleteRegion(disc);
    }
    next("clip region");

    // Row 3: raster modes and copies.
    // The blues 16..22 in stripes, an ellipse XORed over them once, then twice (no trace left).
    for (int times = 1; times <= 2; ++times) {
        c = Cell(col, row);
        for (int i = 0; i < 7; ++i) {
            SetBrushColour(16 + i);
            FillScreenRect(Rect(c.left + i * 15, c.top, c.left + i * 15 + 15, c.bottom));
        }
        SetRasterMode(2);
        SetBrushColour(7);
        for (int k = 0; k < times; ++k)
            FillEllipse(Rect(c.left + 10, c.top + 10, c.right - 10, c.bottom - 10));
        next(times == 1 ? "XOR fill" : "XOR twice");
    }
    c = Cell(col, row);
    SetBrushColour(1);
    FillScreenRect(c);
    SetRasterMode(1);
    SetBrushColour(4);
    FillEllipse(c);
    next("OR (1|4=5)");
    c = Cell(col, row);
    {
        OffscreenBuffer b;
        if (CreateBuffer(Rect(0, 0, 16, 16), 19, b)) {
            SetDrawTarget(&b);
            SetBrushColour(19);
            FillScreenRect(Rect(0, 0, 16, 16));
            SetBrushColour(4);
            FillEllipse(Rect(0, 0, 16, 16));
            SetBrushColour(14);
            FillScreenRect(Rect(6, 6, 10, 10));
            SetDrawTarget(nullptr);
            CopyRect(&b, nullptr, Rect(0, 0, 16, 16), Rect(c.left, c.top, c.left + 16, c.top + 16), false);
            CopyRect(&b, nullptr, Rect(0, 0, 16, 16), Rect(c.left + 20, c.top, c.right, c.bottom), true);
            ReleaseBuffer(b);
        }
    }
    next("stretch + key");
    c = Cell(col, row);
    {
        SetBrushColour(2);
        FillEllipse(Rect(c.left, c.top, c.left + 50, c.top + 50));
        SavedArea saved;
        if (SaveScreenArea(Rect(c.left, c.top, c.left + 50, c.top + 50), 0, saved)) {
            RestoreScreenArea(Rect(c.left + 50, c.top + 40, c.left + 100, c.top + 90), saved, false);
            FreeScreenArea(saved);
        }
        ShiftScreenArea(Rect(c.left, c.top, c.left + 50, c.top + 50),
                        Rect(c.left + 10, c.top + 45, c.left + 60, c.top + 95));
    }
    next("save/shift");
    // Fonts.
    row = 4;
    col = 0;
    int y = 4 * kCellH;
    for (int i = 0; i < 5; ++i) {
        if (!f.list[i]) continue;
        SelectTextFont(f.list[i]);
        SetPenColour(i < 2 ? 0 : 1);
        SetTextAlignment(0, 0);
        char line[128];
        std::snprintf(line, sizeof line, "%s: 23.5\xBA N", f.names[i]);
        DrawTextAt(12, y, line);
        SelectTextFont(f.list[i]);
        y += TextHeightDevice(line) * 768 / (gDisplayScale.sy > 0 ? int(768 * gDisplayScale.sy) : 768) + 4;
    }
}

void DrawPatterns(const Fonts& f) {
    SetBrushColour(26);
    ScreenRect all;
    FullScreenRect(all);
    FillScreenRect(all);
    const int pairs[3][2] = {{255, 0}, {4, 14}, {16, 22}};
    for (int p = 1; p <= 10; ++p) {
        for (int k = 0; k < 3; ++k) {
            const int x = 20 + (p - 1) % 5 * 200;
            const int y = 20 + (p - 1) / 5 * 360 + k * 100;
            SetPenColour(pairs[k][0]);
            SetBrushColour(pairs[k][1]);
            SetBrushPattern(p);
            FillScreenRectPattern(Rect(x, y, x + 160, y + 80));
            if (k == 0 && f.label) {
                SelectTextFont(f.label);
                SetPenColour(0);
                SetTextAlignment(0, 2);
                char cap[32];
                std::snprintf(cap, sizeof cap, "pattern %d", p);
                DrawTextAt(x, y + 320, cap);
            }
        }
    }
    Plain();
}

// Small shapes drawn on a 128 x 96 device buffer and shown magnified, to check single pixels:
// end points, exclusive edges, tiny ellipses, even widths, pie edges.
void DrawDetails(const Fonts&) {
    const DisplayScale keep = gDisplayScale;
    Surface* canvas = gDraw.primary;
    Surface small;
    ResizeSurface(small, 128, 96, 26);
    gDisplayScale = DisplayScale{};
    SetDrawTarget(&small);
    SetPenColour(0);
    for (int i = 1; i <= 8; ++i) DrawEllipse(Rect(2 + (i - 1) * i / 2 + 2 * i, 2, 2 + (i - 1) * i / 2 + 3 * i, 2 + i));
    SetBrushColour(4);
    for (int i = 1; i <= 8; ++i) FillEllipse(Rect(2 + (i - 1) * i / 2 + 2 * i, 14, 2 + (i - 1) * i / 2 + 3 * i, 14 + i));
    // Thin lines to a marked end point (the marker shows the end pixel is left out).
    for (int i = 0; i < 6; ++i) {
        const int x = 4 + i * 10, y = 28;
        const int ex = x + (i < 3 ? 7 : i - 2), ey = y + (i < 3 ? i * 3 : 9);
        SetPenColour(14);
        PutPixel(ex, ey);
        SetPenColour(1);
        MoveTo(x, y);
        LineTo(ex, ey);
    }
    for (int w = 2; w <= 4; ++w) {
        SetPenColour(16);
        SetPenWidth(w, w);
        MoveTo(70 + (w - 2) * 14, 28);
        LineTo(70 + (w - 2) * 14 + 4, 36);
        MoveTo(70, 40 + (w - 2) * 6);
        LineTo(122, 40 + (w - 2) * 6);
    }
    SetPenWidth(1, 1);
    SetBrushColour(2);
    FillScreenRect(Rect(4, 44, 12, 50));
    SetPenColour(0);
    FrameScreenRect(Rect(14, 44, 22, 50));
    FrameScreenRect(Rect(24, 44, 25, 50));
    const int slots[4] = {4, 2, 1, 14};
    for (int q = 0; q < 4; ++q) {
        SetBrushColour(slots[q]);
        FillPie(Rect(4, 56, 24, 76), q * 900, 900);
        FillPie(Rect(30, 56, 49, 75), q * 900 + 450, 900);
    }
    SetPenColour(0);
    DrawArc(Rect(54, 56, 74, 76), 0, 900);
    DrawArc(Rect(54, 56, 74, 76), 1800, 900);
    Point tri[4];
    MakePoint(tri[0], 80, 56);
    MakePoint(tri[1], 100, 60);
    MakePoint(tri[2], 84, 76);
    MakePoint(tri[3], 80, 56);
    SetBrushColour(5);
    FillPolygon(PointRange{0, 2}, tri);
    SetPenColour(0);
    SetBrushPattern(1);
    FillPolygonPattern(PointRange{0, 2}, tri);  // interior only: the pink outline stays around it
    SetBrushPattern(1);
    SetPenColour(1);
    DrawPolygon(PointRange{0, 2}, tri);
    SetPenColour(0);
    SetPenStyle(3);
    MoveTo(104, 56);
    LineTo(126, 56);
    SetPenStyle(4);
    MoveTo(104, 60);
    LineTo(126, 60);
    Plain();
    SetDrawTarget(canvas);
    gDisplayScale = keep;
    ResizeSurface(*canvas, canvas->width, canvas->height, 26);
    const int zoom = std::min(canvas->width / 128, canvas->height / 96);
    CopySurfaceRect(small, *canvas, DeviceRect{0, 0, 128, 96}, DeviceRect{0, 0, 128 * zoom, 96 * zoom}, false);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::printf("usage: heliora-primitives-sheet FOLDER\n"
                    "Draws every drawing primitive, pattern, pen and font at 1024x768 and 800x600\n"
                    "into PNG files in FOLDER.\n");
        return 0;
    }
    if (argc != 2 || argv[1][0] == '\0' || argv[1][0] == '-') {
        std::fprintf(stderr, "heliora-primitives-sheet: expected one output folder (see --help)\n");
        return 2;
    }
    const std::string folder = argv[1];
    mkdir(folder.c_str(), 0777);
    struct stat st;
    if (stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        std::fprintf(stderr, "heliora-primitives-sheet: cannot use folder %s\n", folder.c_str());
        return 2;
    }
    SetUpFixedPalette();
    PlatformColour palette[256];
    for (int i = 0; i < 256; ++i) palette[i] = PaletteColour(i);

    const int sizes[2][2] = {{1024, 768}, {800, 600}};
    for (const auto& size : sizes) {
        gDisplayScale = DisplayScale{size[0] / 1024.0, size[1] / 768.0};
        Surface canvas;
        ResizeSurface(canvas, size[0], size[1], 0);
        ResetDrawState();
        SetPrimarySurface(&canvas);
        SetDrawTarget(nullptr);
        Fonts f;
        const int fontSizes[5] = {16, 18, 24, 30, 48};
        for (int i = 0; i < 5; ++i)
            f.list[i] = CreateTextFont(i < 2 ? "Arial Bold" : "Times New Roman Bold", fontSizes[i], 0, 0);
        f.label = f.list[0];
        const std::pair<const char*, void (*)(const Fonts&)> sheets[3] = {
            {"primitives", DrawPrimitives}, {"patterns", DrawPatterns}, {"details", DrawDetails}};
        for (const auto& sheet : sheets) {
            sheet.second(f);
            char path[4096];
            std::snprintf(path, sizeof path, "%s/%s_%dx%d.png", folder.c_str(), sheet.first, size[0], size[1]);
            if (!WriteSurfacePng(path, canvas, palette)) {
                std::fprintf(stderr, "heliora-primitives-sheet: cannot write %s\n", path);
                return 1;
            }
            std::printf("%s\n", path);
        }
        SelectTextFont(nullptr);
        for (TextFont* font : f.list) DeleteGraphicObject(font);
        ResetDrawState();
    }
    ResetTextState();
    return 0;
}
