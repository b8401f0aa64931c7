// SPDX-License-Identifier: GPL-3.0-or-later
// Time-series charts: one model year of the chosen quantity at the selected latitudes, on a
// background coloured with the view's ramp. The axes routines draw on the current target and
// set the mapping y = value * chartScale + chartOffset; the logbook screen uses them on its
// narrow (220 wide) charts.
#pragma once

#include "graphics/rect.h"

constexpr int kNarrowChartWidth = 220;

// The month names along the x axis.
extern const char* const kMonthLabels[12];

// Where month m's label is centred: the middle of the m-th twelfth of the chart.
int MonthLabelX(const ScreenRect& chart, int month);
// Whether a chart of this width shows month m (a narrow chart shows every other month).
bool ShowsMonth(const ScreenRect& chart, int month);

// The y of a value under the current mapping, rounded.
int ChartY(double value);
// The mapping the last axes routine set: y = value * ChartScale() + ChartOffset().
double ChartScale();
double ChartOffset();

// The four backgrounds, with their month labels and y labels.
void DrawTemperatureAxes(const ScreenRect& chart, int maxK, int minK);
void DrawEnergyAxes(const ScreenRect& chart, int maxEnergy);
void DrawDaylightAxes(const ScreenRect& chart);
void DrawDistanceAxes(const ScreenRect& chart);
// The axes routine of a view.
void DrawViewAxes(const ScreenRect& chart, int earthView);

// The energy chart's top value: the largest energy plus 100, at least 600.
int EnergyAxisTop(int maxEnergy);

// Main screen: the titles and latitude legend above its chart picture.
void DrawChartTitles();
// The value row `row` plots at day d (0..360) under the current view.
double ChartValue(int day, int row);
// The chart point of day d for a row, in the main screen's chart picture.
void ChartPoint(int day, int row, int& x, int& y);
// full: the whole curve so far (and the rest of last year's); otherwise only the newest
// day. Also writes the distance figure.
void PlotChart(int full);
// The colours (pen, brush) of the current and the previous year under the current view.
void ChartColours(int orbitCounter, int current[2], int previous[2]);
