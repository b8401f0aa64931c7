// SPDX-License-Identifier: GPL-3.0-or-later
// The logbook screen's pictures: the list labels, the heading, the three narrow charts of the
// entry's year, its tilted globe with coastlines, and its orbit.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "graphics/scale.h"
#include "graphics/shape.h"
#include "logbook/logbook.h"
#include "logbook_screen/logbook_screen.h"
#include "model/trunc.h"
#include "settings/places.h"
#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "widgets/control.h"
#include "widgets/ui_resources.h"

namespace {

constexpr int kCoastRadius = 54;   // the tilt picture's globe, pixels
constexpr int kCoastOffset = 21;   // from the diagram's corner to the coastline square's
constexpr int kMarkedTextSlot = 14;
constexpr int kMarkedFillSlot = 4;

const char* const kMarkedNotice =
    " This entry will be deleted when you leave this screen.  To keep this entry, click on the "
    "Delete/Restore button. ";

// A stored tilt as the pupil reads it; + 0.0 keeps an untilted Earth from showing "-0.0".
double ShownTilt(double axisTilt) { return -axisTilt + 0.0; }

bool HasSecondLatitude(const RunSnapshot& run) { return run.latitude[1] < kNoLatitude; }

// The step of the half-year tables the entry's charts read for day d (1..360): one step off
// the main screen's StepOfDay, so day 181 reads step 180 and day 360 step 1.
int EntryStep(int day) { return day <= 180 ? day : 361 - day; }

// The value row r of a chart plots at day d.
using RowValue = double (*)(const RunSnapshot& run, int row, int day);
double TemperatureAt(const RunSnapshot& run, int row, int day) {
    return run.latTemperature[row][day];
}
double DaylightHoursAt(const RunSnapshot& run, int row, int day) {
    return run.latDaylightMinutes[row][EntryStep(day)] / 60.0;
}
double EnergyAt(const RunSnapshot& run, int row, int day) {
    return run.latEnergy[row][EntryStep(day)];
}

// The room beside a chart for its axis labels, cleared before the axes are drawn.
void ClearLabelStrips(const ScreenRect& r) {
    FillWith(Rect(r.left - 60, r.top - 10, r.left - 1, r.bottom + 10), kLogbookFaceSlot);
    FillWith(Rect(r.right, r.top - 10, r.right + 70, r.bottom + 10), kLogbookFaceSlot);
}

void ChartTitle(const ScreenRect& r, const char* title) {
    TextAt((r.left + r.right) / 2, r.top + 2, 1, 0, title, gUi.smallLabelFont, 0);
}

// Each day's marker of every latitude row, patterned by row, under the mapping the axes set.
void PlotEntryRows(const ScreenRect& r, const RunSnapshot& run, int firstDay, int penSlot,
                   RowValue value) {
    const int rows = HasSecondLatitude(run) ? 2 : 1;
    SetPenWidth(5, 5);
    SetPenColour(penSlot);
    SetBrushColour(0);
    SetClipRect(&r);
    for (int row = 0; row < rows; ++row) {
        SetBrushPattern(row == 0 ? 1 : 8);
        for (int d = firstDay; d <= 360; ++d) {
            const int x = r.left + (r.right - r.left) * d / 360;
            const int y = TruncClamped(value(run, row, d) * ChartScale() + ChartOffset());
            FillScreenRectPattern(Rect(x - 1, y - 3, x + 1, y + 2));
        }
    }
    SetClipRect(nullptr);
    SetBrushPattern(1);
    SetPenWidth(1, 1);
}

// Above the temperature chart: "Time Series" and one legend per latitude.
void TimeSeriesBand(const ScreenRect& r, const RunSnapshot& run) {
    FillWith(Rect(r.left, r.top - 30, r.right, r.top - 1), kLogbookFaceSlot);
    TextAt((r.left + r.right) / 2, r.top - 2, 1, 2, "Time Series", gUi.labelFont, 0);
    char text[kLatitudeTextSize];
    FormatLatitude(run.latitude[0], text, sizeof text);
    TextAt(r.left, r.top - 9, 0, 1, text, gUi.smallLabelFont, 0);
    SetPenWidth(5, 5);
    SetPenColour(255);
    Line(r.left, r.top - 24, r.left + 40, r.top - 24);
    SetPenWidth(1, 1);
    if (run.latitude[1] <= 90) {
        FormatLatitude(run.latitude[1], text, sizeof text);
        TextAt(r.right, r.top - 9, 2, 1, text, gUi.smallLabelFont, 0);
        SetPenColour(255);
        SetBrushColour(0);
        SetBrushPattern(8);
        FillScreenRectPattern(Rect(r.right - 41, r.top - 27, r.right - 1, r.top - 22));
        SetBrushPattern(1);
    }
}

// A picture's black field with its frame, and the band above it with its caption.
void PictureField(const ScreenRect& r) {
    FillWith(r, 0);
    DrawBevel(r, -1, kLogbookShadeSlot, 255);
}
void PictureCaption(const ScreenRect& r, const char* text) {
    FillWith(Rect(r.left, r.top - 20, r.right, r.top - 1), kLogbookFaceSlot);
    TextAt((r.left + r.right) / 2, r.top - 2, 1, 2, text, gUi.labelFont, 0);
}

// The entry's fields are drawn only when they are fit to draw: a file anyone may have edited
// could hold values no conversion to pixels survives.
bool Drawable(const LogEntry* entry) { return entry && IsSoundRun(entry->run); }

}  // namespace

ScreenRect LogbookMainRect() { return Rect(200, 84, 1004, 718); }
ScreenRect TemperatureChartRect() { return Rect(700, 164, 920, 314); }
ScreenRect EnergyChartRect() { return Rect(700, 344, 920, 494); }
ScreenRect DaylightChartRect() { return Rect(700, 524, 920, 674); }
ScreenRect EntryTiltRect() { return Rect(220, 164, 430, 354); }
ScreenRect EntryOrbitRect() { return Rect(435, 164, 625, 354); }
ScreenRect CommentsAreaRect() { return Rect(220, 394, 625, 684); }

void FormatEntryLabel(const LogEntry& entry, char* out, size_t size) {
    const RunSnapshot& run = entry.run;
    // Numbers a damaged record holds would run far beyond the button.
    if (!IsSoundRun(run)) {
        std::snprintf(out, size, "%s", kDamagedEntryLabel);
        return;
    }
    char lat[2 * kLatitudeTextSize + 4];
    FormatLatitude(run.latitude[0], lat, kLatitudeTextSize);
    if (HasSecondLatitude(run)) {
        std::strcat(lat, " & ");
        const size_t n = std::strlen(lat);
        FormatLatitude(run.latitude[1], lat + n, sizeof lat - n);
    }
    std::snprintf(out, size, "Tilt %.1f\xBA@Shape %.2f@Lat. %s", ShownTilt(run.axisTilt),
                  run.orbitShape, lat);
}

void FitEntryLabel(char* label, size_t size, const Control& button) {
    // A centred line stays inside the label's box when it is no wider than twice the room
    // on its narrower side.
    const ScreenRect& box = button.labelRect;
    const int room = 2 * std::min(button.labelX - box.left, box.right - button.labelX);
    SelectTextFont(button.font);
    std::string fitted;
    const char* line = label;
    for (;;) {
        const char* end = std::strchr(line, '@');
        std::string text(line, end ? size_t(end - line) : std::strlen(line));
        // Shorter ways of saying the same, in turn: the latitudes without "Lat. ", then
        // without the blanks before N and S; last of all the line is cut.
        if (TextWidth(text.c_str()) > room && text.compare(0, 5, "Lat. ") == 0) text.erase(0, 5);
        for (const char* blankBefore : {" N", " S"})
            for (size_t at; TextWidth(text.c_str()) > room &&
                            (at = text.find(blankBefore)) != std::string::npos;)
                text.erase(at, 1);
        while (!text.empty() && TextWidth(text.c_str()) > room) text.pop_back();
        fitted += text;
        if (!end) break;
        fitted += '@';
        line = end + 1;
    }
    std::snprintf(label, size, "%s", fitted.c_str());
}

void DrawCommentsTitle() {
    const ScreenRect c = CommentsAreaRect();
    TextAt((c.left + c.right) / 2, c.top - 2, 1, 2, "Comments About This Entry", gUi.labelFont, 0);
}

void DrawEntryHeading(const LogEntry* entry) {
    BeginDrawing();
    if (EntryCount() <= 0) {
        const ScreenRect r = LogbookMainRect();
        FillWith(r, kLogbookFaceSlot);
        int cx = 0, cy = 0;
        RectCentre(r, cx, cy);
        TextAt(cx, cy - 15, 1, 1, "There are no entries in your logbook.", gUi.largeHeadingFont,
               4);
        TextAt(cx, cy + 25, 1, 1, "Use the \"Save In Logbook\" button to make entries.",
               gUi.labelFont, 4);
        EndDrawing();
        return;
    }
    // The band spans the whole panel, and what the heading writes is kept inside it: so the
    // next heading erases every bit of the last, however long its date or notice was.
    const ScreenRect main = LogbookMainRect();
    const ScreenRect band = Rect(main.left, 85, main.right, 134);
    FillWith(band, kLogbookFaceSlot);
    SetClipRect(&band);
    if (entry) {
        char text[kMadeAtSize + 32];
        std::snprintf(text, sizeof text, "Log Entry made at %s", entry->madeAt);
        TextAt(230, 87, 0, 0, text, gUi.largeHeadingFont, 0);
        if (entry->serialNumber < 0) {
            // The notice stands on its own red ground.
            SelectTextFont(gUi.smallLabelFont);
            const int w = TextWidth(kMarkedNotice);
            const int h = ToLogicalY(TextHeightDevice(kMarkedNotice));
            FillWith(Rect(230, 115, 230 + w, 115 + h), kMarkedFillSlot);
            TextAt(230, 115, 0, 0, kMarkedNotice, gUi.smallLabelFont, kMarkedTextSlot);
        }
    }
    SetClipRect(nullptr);
    EndDrawing();
}

void DrawEntryCharts(const LogEntry& entry) {
    const RunSnapshot& run = entry.run;
    const ScreenRect t = TemperatureChartRect();
    TimeSeriesBand(t, run);
    ClearLabelStrips(t);
    DrawTemperatureAxes(t, run.tempAxisMax, run.tempAxisMin);
    ChartTitle(t, "Temperature");
    PlotEntryRows(t, run, 0, 255, TemperatureAt);

    const ScreenRect d = DaylightChartRect();
    ClearLabelStrips(d);
    DrawDaylightAxes(d);
    ChartTitle(d, "Hours of Daylight");
    PlotEntryRows(d, run, 1, 10, DaylightHoursAt);

    const ScreenRect e = EnergyChartRect();
    ClearLabelStrips(e);
    DrawEnergyAxes(e, run.latEnergyMax);
    ChartTitle(e, "Daily Solar Energy");
    PlotEntryRows(e, run, 1, 10, EnergyAt);
}

void ProjectEntryCoastline(double axisTilt) {
    ProjectCoastlinePhase(gLogbookScreen.coast, axisTilt, kCoastRadius, 0,
                          gLogbookScreen.coastLines);
}

void DrawEntryTiltPicture(const LogEntry& entry) {
    const RunSnapshot& run = entry.run;
    const ScreenRect t = EntryTiltRect();
    PictureField(t);
    const ScreenRect inner = Rect(t.left + 30, t.top + 10, t.right - 30, t.bottom - 30);
    SetClipRect(&t);
    ScreenRect globe;
    DrawTiltDiagram(inner, run.axisTilt, 2, run.latitude[0], run.latitude[1], globe);
    ProjectEntryCoastline(run.axisTilt);
    const GlobeSegments& s = gLogbookScreen.coastLines;
    const int ox = inner.left + kCoastOffset, oy = inner.top + kCoastOffset;
    SetPenColour(0);
    for (int i = 0; i < s.count && i < kCoastPoints; ++i)
        Line(s.x0[i] + ox, s.y0[i] + oy, s.x1[i] + ox, s.y1[i] + oy);
    SetClipRect(nullptr);
    char text[48];
    std::snprintf(text, sizeof text, "Axis Tilt = %.1f\xBA", ShownTilt(run.axisTilt));
    PictureCaption(t, text);
}

void DrawEntryOrbitPicture(const LogEntry& entry) {
    const ScreenRect o = EntryOrbitRect();
    PictureField(o);
    SelectTextFont(gUi.smallLabelFont);
    SetClipRect(&o);
    const int a = (o.bottom - o.top) / 2 - 40;
    int cx = 0, cy = 0;
    RectCentre(o, cx, cy);
    const double e = entry.run.orbitShape;
    const double b = a * std::sqrt(1 - e * e);
    const double c = std::sqrt(double(a) * a - b * b);

    // The Sun at the focus.
    SetPenColour(14);
    SetBrushPattern(1);
    FillEllipsePattern(Rect(int(cx - c - 4), cy - 4, int(cx - c + 4), cy + 4));

    if (e != EarthNormalShape) {
        // Earth's orbit as it is, about the same Sun, for comparison.
        const double bn = a * std::sqrt(1 - EarthNormalShape * EarthNormalShape);
        const double cn = std::sqrt(double(a) * a - bn * bn);
        const double left = cx - c + cn - a;
        SetPenColour(3);
        DrawEllipse(Rect(int(left), int(cy - bn), int(left + 2 * a), int(cy + bn)));
        TextAt(int(left + a), int(cy + bn) + 2, 1, 0, "Earth Normal", gUi.smallLabelFont, 3);
    }

    SetPenWidth(3, 3);
    SetPenColour(5);
    DrawEllipse(Rect(cx - a, int(cy - b), cx + a, int(cy + b)));
    TextAt(cx, int(cy - b) - 2, 1, 2, "Earth", gUi.smallLabelFont, 13);
    SetPenWidth(1, 1);
    SetClipRect(nullptr);

    char text[48];
    std::snprintf(text, sizeof text, "Orbit Shape = %.2f", e);
    PictureCaption(o, text);
}

void DrawEntryView() {
    const LogEntry* entry = ShownEntry();
    DrawEntryHeading(entry);
    if (EntryCount() <= 0 || !entry) return;
    SetEditText(gLogbookScreen.editor, entry->comments);
    // A new entry's comment is there to be replaced: what the pupil types goes in its place.
    gLogbookScreen.freshComment = std::strcmp(entry->comments, kNewEntryComments) == 0;
    if (gLogbookScreen.freshComment) SelectAllEditText(gLogbookScreen.editor);
    BeginDrawing();
    if (!Drawable(entry)) {
        // Nothing of an earlier entry may stay beside this one's heading and comments: its
        // pictures and charts give way to a short notice.
        const ScreenRect main = LogbookMainRect();
        FillWith(Rect(main.left, 135, main.right, CommentsAreaRect().top - 1), kLogbookFaceSlot);
        FillWith(Rect(630, 135, main.right, main.bottom), kLogbookFaceSlot);
        DrawCommentsTitle();
        TextAt((main.left + main.right) / 2, 250, 1, 1, kDamagedEntryNotice, gUi.labelFont, 4);
        EndDrawing();
        return;
    }
    DrawEntryCharts(*entry);
    DrawEntryTiltPicture(*entry);
    DrawEntryOrbitPicture(*entry);
    EndDrawing();
}
