// SPDX-License-Identifier: GPL-3.0-or-later
#include "explain/season_length_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "config/config.h"
#include "graphics/display.h"
#include "graphics/palette.h"
#include "graphics/region.h"
#include "graphics/shape.h"
#include "platform/platform.h"
#include "navbar/navbar.h"
#include "graphics/picture_draw.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

SeasonLengthState gSeasonLength;

void ResetSeasonLengthState() {
    ReleasePictureCopies(gSeasonLength.copies);
    gSeasonLength = SeasonLengthState{};
}

namespace {

SeasonLengthState& S() { return gSeasonLength; }

const ScreenRect kPicture = Rect(250, 184, 1000, 684);

// Each step counts as one day: semi-major axes per step times 92.9 million miles per 86 400 s.
constexpr double kMilesPerSecondPerAxisStep = 1075.2314814814815;
constexpr double kKmPerMile = 1.609344;
constexpr double kDegreesPerRadian = 57.29575495751519;
constexpr int kDaysInYear = 365;
constexpr int kEarthSlot = 11;

// Seen from the Sun, in degrees: 0 towards perihelion (the picture's left), 90 downwards.
const double kPointDirections[kTurningPoints] = {-11, 79, 169, -101};
// Elliptical orbits shift the calendar's turning points by a day.
const int kPointDayShift[kTurningPoints] = {-1, +1, +1, -1};
const char* const kPointNames[kTurningPoints] = {"Winter Solstice", "Spring Equinox",
                                                 "Summer Solstice", "Fall Equinox"};
// The labels are written fall first, summer last.
const int kPointLabelOrder[kTurningPoints] = {kFallEquinox, kSpringEquinox, kWinterSolstice,
                                              kSummerSolstice};
// Each season runs from its own turning point to the next one; its sector starts at the angle
// (tenths of a degree, anticlockwise from the right) where its turning point lies.
const char* const kSeasonNames[kTurningPoints] = {"Winter", "Spring", "Summer", "Fall"};
const int kSeasonSectorStart[kTurningPoints] = {1690, 2590, 3490, 790};
const int kSeasonColours[kTurningPoints][3] = {{0, 0, 92}, {0, 92, 92}, {0, 92, 0}, {92, 92, 0}};

const char* const kMonthNames[12] = {"January", "February", "March",     "April",
                                     "May",     "June",     "July",      "August",
                                     "September", "October", "November", "December"};
const int kMonthStarts[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

struct ShapeMessage {
    const char* name;
    const char* line2;
    const char* line3;
};
// The last row serves any shape other than the first three.
const ShapeMessage kMessages[4] = {
    {"Circular", "All the seasons must be the same length. (Summer is",
     "a day longer so that there are 365 days in the year.)"},
    {"Earth normal", "Northern Hemisphere summers are a bit longer than",
     "winters in this case."},
    {"Elliptical", "The Earth slows down when it is far away from the Sun,",
     "making for very long Northern Hemisphere summers."},
    {"Very elliptical", "When the Earth is close to the Sun, it moves very fast.",
     "Northern Hemisphere winter is only three weeks long!"},
};

void ShowMessage() {
    char line1[64];
    const char *line2 = nullptr, *line3 = nullptr;
    SeasonLengthMessage(S().shape, line1, sizeof line1, &line2, &line3);
    BeginDrawing();
    SelectTextFont(gUi.headingFont);
    RequestMessageBox(S().messageCounter, 150, 512, 134, 255, line1, line2, line3);
    EndDrawing();
}

// The four seasons as sectors round the Sun, cut to the inside of the orbit.
void DrawSeasonSectors(const SeasonOrbit& o) {
    const OrbitEllipse& e = o.ellipse;
    Region* inside = EllipseRegion(
        Rect(int(e.cx - e.a), int(e.cy - e.b), int(e.cx + e.a), int(e.cy + e.b)));
    SetClipRegion(inside);
    const ScreenRect around =
        Rect(int(o.sunX - 1000), e.cy - 1000, int(o.sunX + 1000), e.cy + 1000);
    SetBrushPattern(1);  // all pen colour
    for (int i = 0; i < kTurningPoints; ++i) {
        SetPenColour(kSeasonFirstSlot + i);
        FillPiePattern(around, kSeasonSectorStart[i], 900);
    }
    SetClipRegion(nullptr);
    DeleteRegion(inside);
}

void DrawTurningPointLabels(const SeasonOrbit& o) {
    TextFont* small = gUi.smallLabelFont;
    char date[32];
    for (int i : kPointLabelOrder) {
        const int k = o.pointStep[i];
        const int x = o.track.trackX[k], y = o.track.trackY[k];
        TextAt(x, y - 8, 1, 1, kPointNames[i], small, 255);
        FormatSeasonDate(o.pointDay[i], date, sizeof date);
        TextAt(x, y + 8, 1, 1, date, small, 255);
    }
}

// Each season's name and length at the centroid of its two turning points and the Sun.
void DrawSeasonLabels(const SeasonOrbit& o) {
    TextFont* small = gUi.smallLabelFont;
    int lengths[4];
    SeasonLengths(o, lengths);
    char text[32];
    for (int i = 0; i < kTurningPoints; ++i) {
        const int k1 = o.pointStep[i], k2 = o.pointStep[(i + 1) % kTurningPoints];
        const int x = int((o.track.trackX[k1] + o.track.trackX[k2] + o.sunX) / 3);
        const int y = (o.track.trackY[k1] + o.track.trackY[k2] + o.ellipse.cy) / 3;
        TextAt(x, y - 8, 1, 1, kSeasonNames[i], small, 255);
        std::snprintf(text, sizeof text, "%d days", lengths[i]);
        TextAt(x, y + 8, 1, 1, text, small, 255);
    }
}

void PictureDrawn(Control*) { DrawSeasonLengthPicture(); }

int Leave(ScreenLoop& loop, int result) {
    EndScreenLoop(loop);
    ReleasePictureCopies(S().copies);
    S().controls = ShapeScreenControls{};
    return result;
}

}  // namespace

void ComputeSeasonOrbit(double shape, const ScreenRect& picture, SeasonOrbit& out) {
    const OrbitEllipse e = PictureEllipse(picture, 40, shape);
    out.ellipse = e;
    out.sunX = e.cx - e.c;
    double theta[kYearSteps] = {};
    ComputeOrbitTrack(shape, e.cx, e.cy, e.a, e.b, out.track, theta);

    double qx[kYearSteps], qy[kYearSteps];
    for (int k = 0; k < kYearSteps; ++k) {
        const double dist = 1 - shape * std::cos(theta[k]);
        qx[k] = dist * std::cos(theta[k]);
        qy[k] = dist * std::sin(theta[k]);
    }
    for (int k = 0; k < kYearSteps; ++k) {
        const int n = (k + 1) % kYearSteps;
        out.speed[k] = kMilesPerSecondPerAxisStep * std::hypot(qx[n] - qx[k], qy[n] - qy[k]);
    }

    // Each turning point is the step whose direction from the Sun lies nearest its own; the
    // first such step on a tie.
    for (int i = 0; i < kTurningPoints; ++i) {
        int best = 0;
        double bestDiff = 1e9;
        for (int k = 0; k < kYearSteps; ++k) {
            const double direction =
                std::atan2(out.track.trackY[k] - e.cy, -(out.track.trackX[k] - out.sunX)) *
                kDegreesPerRadian;
            const double diff = std::fabs(direction - kPointDirections[i]);
            if (diff < bestDiff) {
                bestDiff = diff;
                best = k;
            }
        }
        out.pointStep[i] = best;
        // Real division: k * 365 / 360 in whole numbers would lose most of a day.
        out.pointDay[i] = int(0.5 + best * double(kDaysInYear) / kYearSteps);
        if (shape != 0) out.pointDay[i] += kPointDayShift[i];
    }
}

void SeasonLengths(const SeasonOrbit& o, int lengths[4]) {
    const int* d = o.pointDay;
    lengths[0] = d[kSpringEquinox] - d[kWinterSolstice] + kDaysInYear;
    lengths[1] = d[kSummerSolstice] - d[kSpringEquinox];
    lengths[2] = d[kFallEquinox] - d[kSummerSolstice];
    lengths[3] = d[kWinterSolstice] - d[kFallEquinox];
}

void FormatSeasonDate(int day, char* text, int size) {
    if (!text || size <= 0) return;
    day = ((day % kDaysInYear) + kDaysInYear) % kDaysInYear;
    int month = 11;
    while (month > 0 && day < kMonthStarts[month]) --month;
    std::snprintf(text, size_t(size), "%s %d", kMonthNames[month],
                  day - kMonthStarts[month] + 1);
}

void SeasonLengthMessage(double shape, char* line1, int size, const char** line2,
                         const char** line3) {
    int row = 3;
    for (int i = 0; i < 3; ++i)
        if (shape == kScreenShapes[i]) row = i;
    const ShapeMessage& m = kMessages[row];
    if (line1 && size > 0) std::snprintf(line1, size_t(size), "%s orbit:", m.name);
    if (line2) *line2 = m.line2;
    if (line3) *line3 = m.line3;
}

void DrawSeasonLengthPicture() {
    SeasonLengthState& s = S();
    const ScreenRect& p = kPicture;
    CreatePictureCopies(p, s.copies);
    ShowMessage();
    s.step = 0;
    s.speedText[0] = '\0';

    BeginDrawing();
    FillWith(p, 0);
    SelectTextFont(gUi.labelFont);
    s.speedBox = Rect(p.left + 25 + TextWidth("Earth's Speed:"), p.bottom - 25, p.right - 5,
                      p.bottom - 5);

    SeasonOrbit& o = s.orbit;
    ComputeSeasonOrbit(s.shape, p, o);
    const OrbitEllipse& e = o.ellipse;
    DrawSeasonSectors(o);

    SetPenColour(5);
    SetPenWidth(3, 3);
    DrawEllipse(Rect(int(e.cx - e.a), int(e.cy - e.b), int(e.cx + e.a), int(e.cy + e.b)));
    SetPenWidth(1, 1);
    TextAt(o.track.trackX[10], o.track.trackY[10], 2, 0, "Earth's Orbit", gUi.smallLabelFont,
           13);

    DrawTurningPointLabels(o);
    DrawSeasonLabels(o);

    DrawSunDisc(o.sunX, e.cy);
    TextAt(int(o.sunX + 6) + 5, e.cy - 2, 0, 1, "The Sun", gUi.smallLabelFont, 255);

    DrawShapeTitle(p.left + 20, p.top + 5, s.shape);
    TextAt(p.left + 20, p.top + 30, 0, 0, "Tilt = Earth Normal (23.5\xBA)", gUi.smallLabelFont,
           255);
    TextAt(p.left + 20, p.bottom - 5, 0, 2, "Earth's Speed:", gUi.labelFont, 255);

    const ScreenRect band = Rect(p.left, p.bottom + 5, p.right, p.bottom + 30);
    FillWith(band, 0);
    TextAt((band.left + band.right) / 2, (band.top + band.bottom) / 2, 1, 1,
           "Northern Hemisphere Seasons and Dates", gUi.headingFont, 14);

    KeepCleanPicture(s.copies);
    EndDrawing();
}

bool RunSeasonLengthFrame() {
    SeasonLengthState& s = S();
    const int k = std::min(std::max(s.step, 0), kYearSteps - 1);
    ShowEarthDisc(s.copies, s.orbit.track.trackX[k], s.orbit.track.trackY[k], kEarthSlot);
    // The figure changes every fourth step, slowly enough to be read. It is written on every
    // frame all the same: the picture's copy reaches into the top of the speed box and would
    // wipe the figure's upper edge in between.
    if (k % 4 == 0)
        std::snprintf(s.speedText, sizeof s.speedText, "%.0f km/second",
                      s.orbit.speed[k] * kKmPerMile);
    BeginDrawing();
    FillWith(s.speedBox, 0);
    TextAt(s.speedBox.left, s.speedBox.bottom, 0, 2, s.speedText, gUi.labelFont, 255);
    EndDrawing();
    s.step = k + 1;
    if (s.step < kYearSteps) return false;
    s.step = 0;
    return true;
}

int RunSeasonLengthScreen() {
    SeasonLengthState& s = S();
    ScreenLoop loop;
    BeginScreenLoop(loop, kSeasonLengthScreenId);
    for (int i = 0; i < kTurningPoints; ++i)
        SetPaletteEntryNow(kSeasonFirstSlot + i, kSeasonColours[i][0], kSeasonColours[i][1],
                           kSeasonColours[i][2]);
    s.shape = EarthNormalShape;
    s.step = 0;

    AddShapeScreenControls(
        loop, "This screen shows how the shape of the Earth's orbit affects season lengths.", 289,
        324, 534, s.controls);
    AddPictureArea(loop, s.controls.panel, kPicture, "This shows the Earth's orbit around the Sun.",
                   PictureDrawn);
    AppendNavBar(loop);
    RedrawScreenLoop(loop);

    const int delay = FrameDelay(SeasonLengthDelay());
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            if (RunSeasonLengthFrame() && SingleCycleMode()) return Leave(loop, kYearSteps);
            PlatformSleep(delay);
            continue;
        }
        int shapeIndex = -1;
        const int next = ShapeScreenEventResult(e, s.controls, kSeasonLengthScreenId, shapeIndex);
        if (shapeIndex >= 0) {
            s.shape = kScreenShapes[shapeIndex];
            DrawSeasonLengthPicture();
        }
        if (next) return Leave(loop, next);
        if (IsDisplayLost()) return Leave(loop, -kSeasonLengthScreenId);
    }
}
