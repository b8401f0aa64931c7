// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/settings_common.h"

#include <cmath>
#include <cstdio>

#include "graphics/present.h"
#include "graphics/draw.h"
#include "graphics/shape.h"
#include "graphics/text.h"
#include "logbook/logbook.h"
#include "model/model.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

SettingsCommonState gSettingsCommon;

void ResetSettingsCommon() { gSettingsCommon = SettingsCommonState{}; }

namespace {

constexpr int kTableTextSlot = 0;
constexpr int kTableNumberSlot = 1;

ScreenRect Relative(const ScreenRect& r, const Control* parent) {
    if (!parent) return r;
    return MakeScreenRect(r.left - parent->rect.left, r.top - parent->rect.top,
                          r.right - parent->rect.left, r.bottom - parent->rect.top);
}

void PaintTablePanel(Control* panel) {
    const int cx = (panel->rect.left + panel->rect.right) / 2;
    const int tableTop = gSettingsCommon.table ? gSettingsCommon.table->rect.top : 608;
    const PanelLine title{cx, tableTop - 2, "Earth Model Settings"};
    DrawPanelLines(gUi.labelFont, 1, 2, &title, 1);
}

}  // namespace

Control* AddSettingsPanel(ScreenLoop& loop, const ScreenRect& rect, const char* help,
                          ControlDrawCallback paint) {
    Control* panel =
        CreatePanel(0, rect, help, UiSprite(kSpritePanelMark), kSettingsPanelColour);
    panel->drawCallback = paint;
    AddScreenControl(loop, panel);
    return panel;
}

Control* AddWatchSeasonsButton(ScreenLoop& loop, Control* parent) {
    Control* b = CreateRoundButton(
        801, 1, kStateRedrawActive, Relative(MakeScreenRect(20, 334, 250, 454), parent),
        "!Watch the@Seasons",
        "Click on this button to watch the temperature change and the seasons happen.",
        UiSprite(kSpriteWatch), parent, kSettingsButtonColour, kSettingsButtonColour,
        gUi.labelFont);
    b->selected = 1;
    const ScreenRect& l = b->labelRect;
    const int mid = (l.top + l.bottom) / 2;
    gSettingsCommon.orbitIconRect = MakeScreenRect(l.left - 48, mid - 16, l.left + 16, mid + 16);
    AddScreenControl(loop, b);
    return b;
}

Control* AddSettingsTablePanels(ScreenLoop& loop) {
    AddSettingsPanel(loop, MakeScreenRect(688, 578, 1024, 738),
                     "This panel shows what the Earth Model's tilt and shape settings are.",
                     PaintTablePanel);
    Control* table = CreateValuePanel(1, MakeScreenRect(698, 608, 1014, 728),
                                      "This is a table showing the settings for the Earth.",
                                      nullptr);
    table->state = kStateRedrawActive;
    BuildSettingsTable(table);
    gSettingsCommon.table = table;
    AddScreenControl(loop, table);
    return table;
}

void FormatShownTilt(double axisTilt, char* out, int size) {
    // Adding 0.0 turns the negated zero (no orbit saved yet, or an upright axis) into 0, so
    // it reads "0.0", not "-0.0".
    std::snprintf(out, size_t(size), "%.1f", -axisTilt + 0.0);
}

void FormatShape(double orbitShape, char* out, int size) {
    std::snprintf(out, size_t(size), "%.2f", orbitShape);
}

void BuildSettingsTable(Control* panel) {
    if (!panel) return;
    const ScreenRect& r = panel->rect;
    const int L = r.left, T = r.top;
    const double W = r.right - L - 5, H = r.bottom - T - 5;
    int x[6], y[4];
    x[0] = L;
    x[1] = int(L + 0.2 * W);
    x[2] = int(x[1] + 0.18 * W);
    x[3] = int(x[2] + 0.2 * W);
    x[4] = int(x[3] + 0.18 * W);
    x[5] = r.right - 1;
    y[0] = T;
    y[1] = int(T + 0.4 * H);
    y[2] = int(y[1] + 0.3 * H);
    y[3] = int(y[2] + 0.3 * H);

    const ModelSettings& s = Settings();
    const RunSnapshot& last = gLogbook.lastOrbitRecord;
    char lastTilt[16], tilt[16], normalTilt[16], lastShape[16], shape[16], normalShape[16];
    FormatShownTilt(last.axisTilt, lastTilt, sizeof lastTilt);
    FormatShownTilt(s.axisTilt, tilt, sizeof tilt);
    FormatShownTilt(EarthNormalTilt, normalTilt, sizeof normalTilt);
    FormatShape(last.orbitShape, lastShape, sizeof lastShape);
    FormatShape(s.orbitShape, shape, sizeof shape);
    FormatShape(EarthNormalShape, normalShape, sizeof normalShape);

    struct Cell {
        const char* text;
        bool number;
    };
    const Cell cells[3][5] = {
        {{"", false}, {"Last@Orbit", false}, {"Current", false}, {"Earth@Normal", false},
         {"units", false}},
        {{"Tilt", false}, {lastTilt, true}, {tilt, true}, {normalTilt, true},
         {"degrees", false}},
        {{"Shape", false}, {lastShape, true}, {shape, true}, {normalShape, true},
         {"circle=0.0", false}},
    };
    const int fill = ParentColour(panel) + 3;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 5; ++col) {
            const Cell& c = cells[row][col];
            AddPanelText(panel, col + 1, row + 1,
                         MakeScreenRect(x[col], y[row], x[col + 1], y[row + 1]), 1, 1, c.text,
                         gUi.smallLabelFont, c.number ? kTableNumberSlot : kTableTextSlot, fill);
        }
}

void SetSettingsTableText(int column, int row, const char* text) {
    SetValueTextAt(gSettingsCommon.table, column, row, text);
}

void DrawOrbitIcon(int reset) {
    SettingsCommonState& st = gSettingsCommon;
    if (reset) st.orbitIconAngle = 0;
    const ScreenRect& r = st.orbitIconRect;
    BeginDrawing();
    SetBrushColour(19);
    FillScreenRect(r);
    const int ix = (r.left + r.right) / 2, iy = (r.top + r.bottom) / 2;
    SetPenColour(5);
    SetPenWidth(1, 1);
    DrawEllipse(InsetScreenRect(r, 5));

    const double g = st.orbitIconAngle * 0.0174533;
    const int px = int(ix - 27 * std::cos(g)), py = int(iy + 11 * std::sin(g));
    auto planet = [&] {
        SetPenColour(9);
        FillEllipsePattern(MakeScreenRect(px - 4, py - 4, px + 4, py + 4));
    };
    auto sun = [&] {
        SetPenColour(14);
        FillEllipsePattern(MakeScreenRect(ix - 3, iy - 3, ix + 3, iy + 3));
    };
    // Beyond half a turn the planet passes behind the Sun.
    if (st.orbitIconAngle > 180) {
        planet();
        sun();
    } else {
        sun();
        planet();
    }
    EndDrawing();
    st.orbitIconAngle = (st.orbitIconAngle + 8) % 360;
}

void DrawPanelLines(TextFont* font, int hAlign, int vAlign, const PanelLine* lines, int count) {
    BeginDrawing();
    SelectTextFont(font);
    SetPenColour(0);
    SetTextAlignment(hAlign, vAlign);
    for (int i = 0; i < count; ++i) DrawTextAt(lines[i].x, lines[i].y, lines[i].text);
    EndDrawing();
}
