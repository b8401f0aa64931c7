// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/orbit_energy_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/config.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/shape.h"
#include "platform/platform.h"
#include "navbar/navbar.h"
#include "graphics/picture_draw.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

OrbitEnergyState gOrbitEnergy;

void ResetOrbitEnergyState() {
    ReleasePictureCopies(gOrbitEnergy.copies);
    gOrbitEnergy = OrbitEnergyState{};
}

namespace {

OrbitEnergyState& S() { return gOrbitEnergy; }

const ScreenRect kPicture = Rect(250, 284, 530, 594);
const ScreenRect kChart = Rect(590, 264, 970, 614);

// Million km in one semi-major axis, and the chart's x units (millions of miles) in one.
constexpr double kKmPerAxis = 149.6;
constexpr double kChartUnitsPerAxis = 92.9;
constexpr double kSolarEnergyAtOneAxis = 263;  // W/m2 at the ground, as the chart shows it
constexpr double kChartTopEnergy = 1200;

const char* const kMessages[4][3] = {
    {"Circular Orbit Shape:",
     "Because the Earth is always the same distance from the Sun, the",
     "amount of energy it receives never varies."},
    {"Earth Normal Orbit Shape:",
     "The normal orbit of the Earth is almost round.  The change in solar",
     "energy throughout the year is very small."},
    {"Elliptical Orbit Shape:",
     "The solar energy received by the Earth changes significantly through the",
     "year.  Follow the marker on the chart to see how it changes."},
    {"Very Elliptical Orbit Shape:",
     "The Earth's distance from the Sun will change greatly.  Because of the",
     "Inverse Square Law, solar energy will change drastically during the year."},
};

// Slot 129 + i is the colour of the energy band 50i to 50(i + 1) W/m2: black to pale yellow.
void LoadEnergyRamp() {
    for (int i = 0; i < kEnergyRampSlots; ++i)
        SetPaletteEntry(kEnergyRampFirstSlot + i, std::min(34 * i, 255), std::min(17 * i, 255),
                        int(8.5 * i));
    ApplyPalette(kEnergyRampFirstSlot, kEnergyRampSlots);
}

void PictureDrawn(Control*) { DrawOrbitEnergyPicture(); }
void ChartDrawn(Control*) { DrawSolarEnergyChart(); }

void ChangeShape(int index) {
    S().shape = kScreenShapes[index];
    ShowOrbitEnergyMessage();
    DrawOrbitEnergyPicture();
    DrawSolarEnergyChart();
}

int Leave(ScreenLoop& loop, int result) {
    EndScreenLoop(loop);
    ReleasePictureCopies(S().copies);
    S().controls = ShapeScreenControls{};
    return result;
}

}  // namespace

const char* const* OrbitEnergyMessage(double shape) {
    for (int i = 0; i < kShapeButtonCount; ++i)
        if (shape == kScreenShapes[i]) return kMessages[i];
    return nullptr;
}

void ShowOrbitEnergyMessage() {
    const char* const* lines = OrbitEnergyMessage(S().shape);
    BeginDrawing();
    SelectTextFont(gUi.headingFont);
    RequestMessageBox(S().messageCounter, 40, 512, 144, 255, lines ? lines[0] : nullptr,
                      lines ? lines[1] : nullptr, lines ? lines[2] : nullptr);
    EndDrawing();
}

void EnergyChartPoint(double d, int& x, int& y) {
    const ScreenRect& g = kChart;
    x = int(g.left + (g.right - g.left) * (kChartUnitsPerAxis * d - 40) / 110);
    y = int(g.bottom - (g.bottom - g.top) * (kSolarEnergyAtOneAxis / (d * d)) / kChartTopEnergy);
}

void GlowColour(double d, int rgb[3]) {
    const double f = 6.575 / (d * d);
    rgb[0] = int(std::min(34 * f, 255.0));
    rgb[1] = int(std::min(17 * f, 255.0));
    rgb[2] = int(std::min(8.5 * f, 255.0));
}

void DrawOrbitEnergyPicture() {
    OrbitEnergyState& s = S();
    const ScreenRect& p = kPicture;
    s.picture = p;
    CreatePictureCopies(p, s.copies);
    s.step = 0;

    BeginDrawing();
    DrawBevel(p, -1, 24, 29);
    FillWith(p, 0);
    SetClipRect(&p);

    TextFont* small = gUi.smallLabelFont;
    SelectTextFont(small);
    const int x0 = p.left + 5 + TextWidth("Distance from Sun: ");
    s.readout = Rect(x0, p.bottom - 25, x0 + TextWidth("000") + 5, p.bottom - 5);

    const OrbitEllipse o = PictureEllipse(p, 50, s.shape);
    double theta[kYearSteps] = {};
    ComputeOrbitTrack(s.shape, o.cx, o.cy, o.a, o.b, s.track, theta);
    for (int k = 0; k < kYearSteps; ++k) s.dist[k] = 1 - s.shape * std::cos(theta[k]);

    // The Sun sits at the left focus.
    DrawSunDisc(o.cx - o.c, o.cy);
    // The real orbit for comparison, sharing the Sun as its focus. A circle would lie within
    // two units of it, its label naming the wrong line, so rounder shapes go without.
    if (s.shape > EarthNormalShape) {
        const OrbitEllipse n = PictureEllipse(p, 50, EarthNormalShape);
        const double left = o.cx - o.c + n.c - n.a;
        SetPenColour(3);
        DrawEllipse(Rect(int(left), int(o.cy - n.b), int(left + 2 * n.a), int(o.cy + n.b)));
        TextAt(int(o.cx - n.c), int(o.cy + n.b + 3), 1, 0, "Earth Normal", small, 3);
    }
    SetPenColour(5);
    SetPenWidth(3, 3);
    DrawEllipse(Rect(int(o.cx - o.a), int(o.cy - o.b), int(o.cx + o.a), int(o.cy + o.b)));
    SetPenWidth(1, 1);
    SetClipRect(nullptr);

    DrawShapeTitle(p.left + 5, p.top + 5, s.shape);
    TextAt(p.left + 5, p.bottom - 5, 0, 2, "Distance from Sun:", small, 255);
    TextAt(s.readout.right + 4, p.bottom - 5, 0, 2, "million km", small, 255);
    KeepCleanPicture(s.copies);
    EndDrawing();
}

void DrawSolarEnergyChart() {
    OrbitEnergyState& s = S();
    const ScreenRect& g = kChart;
    s.chart = g;
    const int L = g.left, T = g.top, R = g.right, B = g.bottom;
    TextFont* small = gUi.smallLabelFont;

    BeginDrawing();
    DrawBevel(g, -1, 23, 29);
    SetClipRect(&g);
    // Bands of 50 W/m2 each; those above the top are clipped away.
    for (int i = 0; i < kEnergyRampSlots; ++i)
        FillWith(Rect(L, int(B - (i + 1) * (B - T) / 24.0), R, int(B - i * (B - T) / 24.0)),
                 kEnergyRampFirstSlot + i);
    SetPenColour(0);
    int x = 0, y = 0;
    EnergyChartPoint(20 / kChartUnitsPerAxis, x, y);
    MoveTo(x, y);
    for (int v = 21; v <= 179; ++v) {
        EnergyChartPoint(v / kChartUnitsPerAxis, x, y);
        LineTo(x, y);
    }
    TextAt(L + 60, T + 50, 0, 1, "The black line represents", small, 0);
    TextAt(L + 60, T + 66, 0, 1, "the amount of solar energy", small, 0);
    // A chart drawn anew holds no cross-hair.
    s.crossX = s.crossY = -1;
    SetClipRect(nullptr);

    char text[16];
    for (int D = 80; D <= 220; D += 20) {
        EnergyChartPoint(D / kKmPerAxis, x, y);
        std::snprintf(text, sizeof text, "%d", D);
        TextAt(x, B + 5, 1, 0, text, small, 0);
    }
    TextAt((L + R) / 2, B + 20, 1, 0, "Distance from the Sun (millions of km)", small, 0);
    for (int E = 0; E <= 1200; E += 200) {
        // The same scale as the curve's, so each label stands level with its energy.
        y = int(B - E * (B - T) / kChartTopEnergy);
        std::snprintf(text, sizeof text, "%d", E);
        TextAt(L - 2, y, 2, 1, text, small, 0);
        TextAt(R + 2, y, 0, 1, text, small, 0);
    }
    EndDrawing();
}

void ToggleCrossHair(int x, int y) {
    const ScreenRect& g = kChart;
    SetClipRect(&g);
    SetRasterMode(2);
    SetPenColour(255);
    SetPenWidth(5, 5);
    Line(g.left, y, x - 3, y);
    Line(x, y, x, g.bottom);
    SetRasterMode(0);
    SetPenWidth(1, 1);
    SetClipRect(nullptr);
}

bool RunOrbitEnergyFrame() {
    OrbitEnergyState& s = S();
    const int k = std::min(std::max(s.step, 0), kYearSteps - 1);
    const double d = s.dist[k];

    int rgb[3];
    GlowColour(d, rgb);
    SetPaletteEntryNow(kGlowSlot, rgb[0], rgb[1], rgb[2]);
    ShowEarthDisc(s.copies, s.track.trackX[k], s.track.trackY[k], kGlowSlot);

    BeginDrawing();
    // Drawn twice in exclusive-or, the last cross-hair is gone without a trace.
    if (s.crossX >= 0) ToggleCrossHair(s.crossX, s.crossY);
    EnergyChartPoint(d, s.crossX, s.crossY);
    ToggleCrossHair(s.crossX, s.crossY);

    FillWith(s.readout, 0);
    char text[16];
    std::snprintf(text, sizeof text, "%3.0f", d * kKmPerAxis);
    TextAt(s.readout.left, s.readout.bottom, 0, 2, text, gUi.smallLabelFont, 255);
    EndDrawing();

    s.step = k + 1;
    if (s.step < kYearSteps) return false;
    s.step = 0;
    return true;
}

int RunOrbitEnergyScreen() {
    OrbitEnergyState& s = S();
    ScreenLoop loop;
    BeginScreenLoop(loop, kOrbitEnergyScreenId);
    LoadEnergyRamp();
    s.shape = EarthNormalShape;
    s.step = 0;
    s.crossX = s.crossY = -1;

    AddShapeScreenControls(
        loop, "This screen shows how the intensity of sunlight varies with the distance from the Sun.",
        319, 354, 564, s.controls);
    Control* panel = s.controls.panel;
    const int px = panel->rect.left, py = panel->rect.top;
    AddPanelText(panel, 780 - px, 229 - py, panel->rect, 1, 1, "Energy from the Sun",
                 gUi.labelFont, 0, 26);
    AddPanelText(panel, 780 - px, 249 - py, panel->rect, 1, 1, "(in Watts per square meter)",
                 gUi.smallLabelFont, 0, 26);
    AddPictureArea(loop, panel, kPicture,
                   "This shows the position of the Earth in its orbit around the Sun.",
                   PictureDrawn);
    AddPictureArea(loop, panel, kChart,
                   "This charts the sunlight energy as a function of the Earth's distance.",
                   ChartDrawn);
    AppendNavBar(loop);
    RedrawScreenLoop(loop);
    ShowOrbitEnergyMessage();

    const int delay = FrameDelay(OrbitEnergyDelay());
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            if (RunOrbitEnergyFrame() && SingleCycleMode()) return Leave(loop, kYearSteps);
            PlatformSleep(delay);
            continue;
        }
        int shapeIndex = -1;
        const int next = ShapeScreenEventResult(e, s.controls, kOrbitEnergyScreenId, shapeIndex);
        if (shapeIndex >= 0) ChangeShape(shapeIndex);
        if (next) return Leave(loop, next);
        if (IsDisplayLost()) return Leave(loop, -kOrbitEnergyScreenId);
    }
}
