// SPDX-License-Identifier: GPL-3.0-or-later
// The time-series chart: backgrounds in the colours of the Earth views, month and value
// labels, the titles and latitude legend, and the curve that grows day by day.
#include "simulation/charts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "graphics/draw.h"
#include "model/trunc.h"
#include "settings/places.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "widgets/ui_resources.h"

const char* const kMonthLabels[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {

bool IsNarrow(const ScreenRect& chart) { return chart.right - chart.left == kNarrowChartWidth; }

// A band of the background, from y0 down to y1 (exclusive), across the chart.
void Band(const ScreenRect& chart, int y0, int y1, int slot) {
    FillWith(Rect(chart.left, y0, chart.right, y1), slot);
}

void MonthLabels(const ScreenRect& chart) {
    for (int m = 0; m < 12; ++m) {
        if (!ShowsMonth(chart, m)) continue;
        TextAt(MonthLabelX(chart, m), chart.bottom + 5, 1, 0, kMonthLabels[m], gUi.smallLabelFont, 0);
    }
}

// A value written to the left of the chart and again to its right, centred on its y.
void ValueLabel(const ScreenRect& chart, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    const int y = ChartY(value);
    TextAt(chart.left - 2, y, 2, 1, text, gUi.smallLabelFont, 0);
    TextAt(chart.right + 2, y, 0, 1, text, gUi.smallLabelFont, 0);
}

// Both y labels from `from` to `to` every `step`.
void ValueLabels(const ScreenRect& chart, int from, int to, int step) {
    for (int v = from; v <= to; v += step) ValueLabel(chart, v);
}

void SetMapping(double scale, double offset) {
    gSim.chartScale = scale;
    gSim.chartOffset = offset;
}

// The temperature chart's words for how a temperature feels, at the left edge.
void ComfortWords(const ScreenRect& chart) {
    auto word = [&](int kelvin, const char* text) {
        const int y = ChartY(kelvin);
        if (y > chart.top + 5 && y < chart.bottom - 5)
            TextAt(chart.left - 2, y, 2, 1, text, gUi.smallLabelFont, 0);
    };
    word(289, "Nice");
    if (std::abs(ChartY(289) - ChartY(300)) > 16) {
        word(244, "Deadly");
        word(266, "Cold");
        word(277, "Cool");
        word(300, "Warm");
        word(311, "Hot");
        word(333, "Deadly");
    } else if (std::abs(ChartY(311) - ChartY(333)) > 16) {
        word(311, "Hot");
        word(333, "Deadly");
        word(266, "Cold");
        word(244, "Deadly");
    } else if (std::abs(ChartY(289) - ChartY(333)) >= 17) {
        word(333, "Deadly");
        word(244, "Deadly");
    }
}

// Celsius and Fahrenheit scales to the right of the temperature chart.
void DegreeScales(const ScreenRect& chart) {
    TextFont* font = gUi.smallLabelFont;
    SelectTextFont(font);
    const int x = chart.right + TextWidth("8");
    TextAt(x, chart.top - 10, 0, 1, "\xBA" "C", font, 4);
    TextAt(x + 32, chart.top - 10, 0, 1, "\xBA" "F", font, 1);
    const int step = (chart.bottom - chart.top - 8) / 4;
    char text[16];
    for (int i = 0; i <= 4; ++i) {
        const double tC = (chart.top + i * step + 4 - gSim.chartOffset) / gSim.chartScale - 273;
        const double kelvin = 273 - 5 * TruncClamped(-tC * 0.2);
        std::snprintf(text, sizeof text, "%d", TruncClamped(kelvin - 273));
        TextAt(chart.right + 2, ChartY(kelvin), 0, 1, text, font, 4);
        const double f = 32 + 1.8 * tC;
        const int f5 = 5 * TruncClamped(f * 0.2);
        std::snprintf(text, sizeof text, "%d", f5);
        TextAt(chart.right + 32, ChartY(273 + (f5 - 32) * 0.5555555555555556), 0, 1, text, font, 1);
    }
}

const int kPattern[2] = {1, 8};  // row 0 and row 1 of the chart and its legend

// A rectangle in the row's pattern, in a (pen, brush) pair of colours.
void PatternBox(const ScreenRect& r, int row, const int colours[2]) {
    SetPenColour(colours[0]);
    SetBrushColour(colours[1]);
    SetBrushPattern(kPattern[row]);
    FillScreenRectPattern(r);
}

void PointBox(int x, int y, int row, const int colours[2]) {
    PatternBox(Rect(x - 3, y - 3, x, y + 3), row, colours);
}

void DayPoint(int day, int row, const int colours[2]) {
    int x = 0, y = 0;
    ChartPoint(day, row, x, y);
    PointBox(x, y, row, colours);
}

// The legend bar from the row's start to x, three pixels above and below its line.
void LegendBar(const ChartLegendRow& legend, int x0, int x1, int row, const int colours[2]) {
    if (x1 <= x0) return;
    PatternBox(Rect(x0, legend.y - 3, x1, legend.y + 4), row, colours);
}

void DistanceFigure() {
    const int day = std::min(std::max(int(gSim.day), 0), kYearSteps - 1);
    FillWith(gSim.distanceBox, 0);
    char text[32];
    std::snprintf(text, sizeof text, "%4.1f", Series().orbitDistance[day] * 149.6);
    const ScreenRect& b = gSim.distanceBox;
    TextAt((b.left + b.right) / 2, (b.top + b.bottom) / 2, 1, 1, text, gUi.smallLabelFont, 255);
}

}  // namespace

int MonthLabelX(const ScreenRect& chart, int month) {
    return int(chart.right * (2 * month + 1) / 24.0 + chart.left * (23 - 2 * month) / 24.0);
}

bool ShowsMonth(const ScreenRect& chart, int month) {
    return !IsNarrow(chart) || month % 2 == 0;
}

double ChartScale() { return gSim.chartScale; }
double ChartOffset() { return gSim.chartOffset; }

int ChartY(double value) { return TruncClamped(value * gSim.chartScale + gSim.chartOffset + 0.5); }

void DrawTemperatureAxes(const ScreenRect& chart, int maxK, int minK) {
    if (maxK <= minK) maxK = minK + 1;  // a saved range that says nothing: keep the scale finite
    const double scale = double(chart.top - chart.bottom) / (maxK - minK);
    SetMapping(scale, (chart.top + chart.bottom) * 0.5 - (minK + maxK) * 0.5 * scale);
    SetClipRect(&chart);
    // Above the hottest band the chart keeps the hottest colour.
    Band(chart, chart.top, chart.bottom, 106);
    if (maxK > 333) Band(chart, chart.top, ChartY(330), 106);
    double T = 333;
    for (int i = 1; i <= 47; ++i) {
        T = 333 - i * 1.8541666666666667;
        Band(chart, ChartY(T) - 1, ChartY(T - 4), 107 - i);
    }
    if (minK < 244) Band(chart, ChartY(T - 4), chart.bottom, 58);
    SetClipRect(nullptr);
    MonthLabels(chart);
    ComfortWords(chart);
    DegreeScales(chart);
}

int EnergyAxisTop(int maxEnergy) { return std::max(maxEnergy + 100, 600); }

void DrawEnergyAxes(const ScreenRect& chart, int maxEnergy) {
    maxEnergy = std::min(std::max(maxEnergy, 0), 1000000);  // saved values may be anything
    const int top = EnergyAxisTop(maxEnergy);
    const double scale = double(chart.top - chart.bottom) / top;
    SetMapping(scale, (chart.top + chart.bottom) * 0.5 - top * scale * 0.5);
    SetClipRect(&chart);
    for (int k = 0; k < 49; ++k)
        Band(chart, ChartY((k + 1) * 24.489795918367346) - 1, ChartY(k * 24.489795918367346), 107 + k);
    if (top > 1200) Band(chart, chart.top, ChartY(1200) - 1, 155);
    SetClipRect(nullptr);
    MonthLabels(chart);
    const int step = IsNarrow(chart) ? 400 : 200;
    for (int v = 0; v < top + 1; v += step) ValueLabel(chart, v);
}

void DrawDaylightAxes(const ScreenRect& chart) {
    const double scale = (chart.top - chart.bottom) * 0.041666666666666664;
    SetMapping(scale, (chart.top + chart.bottom) * 0.5 - 12 * scale);
    SetClipRect(&chart);
    for (int n = 1; n <= 24; ++n) Band(chart, ChartY(n) - 1, ChartY(n - 1), 158 + 2 * (n - 1));
    SetClipRect(nullptr);
    MonthLabels(chart);
    ValueLabels(chart, 0, 24, IsNarrow(chart) ? 4 : 2);
}

void DrawDistanceAxes(const ScreenRect& chart) {
    const double scale = (chart.top - chart.bottom) * 0.0033333333333333335;
    SetMapping(scale, (chart.top + chart.bottom) * 0.5 - 150 * scale);
    SetClipRect(&chart);
    for (int v = 0; v <= 300; v += 10)
        Band(chart, ChartY(v) - 1, ChartY(v - 10), 57 - int((1 + v / 300.0) * (-49)));
    // The note is long; it takes a smaller face than the labels so it fits the chart.
    TextFont* note = CreateTextFont("Arial", 12, 0, 0);
    TextFont* font = note ? note : gUi.smallLabelFont;
    const int cx = (chart.left + chart.right) / 2;
    TextAt(cx, chart.top + 4, 1, 0, "Note: If two latitudes are selected, their lines will", font, 0);
    TextAt(cx, chart.top + 18, 1, 0, "coincide.  This is because any two latitudes must be", font, 0);
    TextAt(cx, chart.top + 32, 1, 0, "no more than the diameter of the Earth apart (12,800 km).",
           font, 0);
    if (note) {
        SelectTextFont(gUi.smallLabelFont);
        DeleteGraphicObject(note);
    }
    SetClipRect(nullptr);
    MonthLabels(chart);
    ValueLabels(chart, 0, 300, IsNarrow(chart) ? 100 : 25);
}

void DrawViewAxes(const ScreenRect& chart, int earthView) {
    const YearSeries& y = Series();
    switch (earthView) {
    case kViewEnergy: DrawEnergyAxes(chart, y.latEnergyMax); break;
    case kViewDaylight: DrawDaylightAxes(chart); break;
    case kViewDistance: DrawDistanceAxes(chart); break;
    default: DrawTemperatureAxes(chart, y.tempAxisMax, y.tempAxisMin); break;
    }
}

void DrawChartTitles() {
    const ScreenRect& chart = gSim.chartRect;
    const int panelTop = gSim.chartPanelRect.top;
    const int middle = (panelTop + chart.top) / 2;
    const ModelSettings& s = Settings();
    const bool set[2] = {s.latitude[0] <= 90, s.latitude[1] <= 90};

    int legendEnd = chart.left + 110;
    for (int i = 0; i < 2; ++i) {
        ChartLegendRow& row = gSim.legend[i];
        row.shown = set[i];
        if (!set[i]) continue;
        int top = panelTop, bottom = chart.top;
        if (set[0] && set[1]) {
            top = i == 0 ? panelTop : middle;
            bottom = i == 0 ? middle : chart.top;
        }
        const int left = chart.left;
        const int right = chart.left + 110;
        row.y = (top + bottom) / 2;
        row.start = (left + right) / 2;
        row.end = right;
        legendEnd = row.end;
        char text[kLatitudeTextSize];
        FormatLatitude(s.latitude[i], text, sizeof text);
        TextAt(left, row.y, 0, 1, text, gUi.smallLabelFont, 0);
        SetPenColour(0);
        Line(row.start, row.y, row.end, row.y);
    }

    const char* title = "Surface Temperature";
    const char* subtitle = "(in degrees C and F)";
    switch (s.earthView) {
    case kViewEnergy:
        title = "Energy from the Sun";
        subtitle = "(daily average Watts per square meter)";
        break;
    case kViewDaylight:
        title = "Hours of Daylight";
        subtitle = "(in hours)";
        break;
    case kViewDistance:
        title = "Distance from the Sun";
        subtitle = "(in millions of kilometers)";
        break;
    default: break;
    }
    // Centred between the legend and the chart's right edge; a text too wide for that room
    // moves right rather than run into the legend.
    SelectTextFont(gUi.headingFont);
    int width = TextWidth(title);
    SelectTextFont(gUi.smallLabelFont);
    width = std::max(width, TextWidth(subtitle));
    const int x = std::max((chart.right + legendEnd) / 2, legendEnd + 6 + width / 2);
    TextAt(x, middle - 7, 1, 1, title, gUi.headingFont, 0);
    TextAt(x, middle + 12, 1, 1, subtitle, gUi.smallLabelFont, 0);
}

double ChartValue(int day, int row) {
    const YearSeries& y = Series();
    row = row == 1 ? 1 : 0;
    day = std::min(std::max(day, 0), 360);
    switch (Settings().earthView) {
    case kViewEnergy: return y.latEnergy[row][StepOfDay(day)];
    case kViewDaylight: return y.latDaylightMinutes[row][StepOfDay(day)] * 0.016666666666666666;
    case kViewDistance: return y.orbitDistance[day % kYearSteps] * 149.6;
    default: return y.latTemperature[row][day];
    }
}

void ChartPoint(int day, int row, int& x, int& y) {
    const ScreenRect& c = gSim.chartRect;
    x = int((c.right - c.left) * (day * 0.002777777777777778) + c.left + 0.5);
    y = ChartY(ChartValue(day, row));
}

void ChartColours(int orbitCounter, int current[2], int previous[2]) {
    int now[2] = {255, 0}, before[2] = {0, 255};
    switch (Settings().earthView) {
    case kViewEnergy:
    case kViewDaylight:
        now[0] = 10, now[1] = 0, before[0] = 3, before[1] = 0;
        break;
    case kViewDistance:
        now[0] = 5, now[1] = 0, before[0] = 9, before[1] = 0;
        break;
    default: break;
    }
    // Years alternate their colours, so last year's curve stays apart from this year's.
    const bool swap = orbitCounter % 2 != 0;
    for (int i = 0; i < 2; ++i) {
        current[i] = swap ? before[i] : now[i];
        previous[i] = swap ? now[i] : before[i];
    }
}

void PlotChart(int full) {
    const ModelSettings& s = Settings();
    if (s.latitude[0] > 90) return;
    const int day = std::min(std::max(int(gSim.day), 0), kYearSteps - 1);
    int current[2], previous[2];
    ChartColours(gSim.orbitCounter, current, previous);
    const ScreenRect& chart = gSim.chartRect;

    BeginDrawing();
    DistanceFigure();
    for (int row = 0; row < 2; ++row) {
        const ChartLegendRow& legend = gSim.legend[row];
        if (s.latitude[row] > 90 || !legend.shown) continue;
        const int length = legend.end - legend.start;
        const int reached = int(legend.start + day / 360.0 * length);
        if (full) {
            LegendBar(legend, legend.start, reached, row, current);
            if (gSim.orbitCounter != 0) LegendBar(legend, reached, legend.end, row, previous);
            SetClipRect(&chart);
            for (int d = 0; d < day; ++d) DayPoint(d, row, current);
            if (gSim.orbitCounter != 0)
                for (int d = day; d < kYearSteps; ++d) DayPoint(d, row, previous);
            SetClipRect(nullptr);
        }
        LegendBar(legend, legend.start, reached + 1, row, current);
        SetClipRect(&chart);
        DayPoint(day, row, current);
        if (day == kYearSteps - 1) {
            int x = 0, y = 0;
            ChartPoint(0, row, x, y);
            PointBox(chart.right, y, row, current);
        }
        SetClipRect(nullptr);
    }
    SetBrushPattern(1);
    EndDrawing();
}
