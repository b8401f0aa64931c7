// SPDX-License-Identifier: GPL-3.0-or-later
// The main screen: its controls, its start (the model year rebuilt, the pictures drawn
// once into off-screen surfaces), the frame loop and the reactions to clicks.
#include "simulation/main_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "graphics/copy.h"
#include "graphics/display.h"
#include "graphics/present.h"
#include "model/model.h"
#include "model/year_csv.h"
#include "platform/platform.h"
#include "config/config.h"
#include "navbar/navbar.h"
#include "simulation/charts.h"
#include "simulation/earth_views.h"
#include "graphics/picture_draw.h"
#include "simulation/simulation_state.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/export_files.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

namespace {

constexpr int kPanelColour = 23;
constexpr int kButtonColour = 16;
constexpr int kPausedWaitMs = 10;  // a paused screen waits this long for input, not spinning
constexpr int kBusyCursor = 2;
constexpr int kNormalCursor = 1;

// ---- pictures ----------------------------------------------------------------------------

// A picture: a custom area whose draw callback draws it; active, so its help text shows.
Control* CreatePicture(const ScreenRect& rect, const char* help, Control* parent,
                       ControlDrawCallback draw, const char* label) {
    Control* c = CreateHotspot(1, rect, help, parent);
    c->kind = kCustomArea;
    c->drawCallback = draw;
    SetControlLabel(c, label);
    return c;
}

void ShowSceneRect(const ScreenRect& r) {
    BeginDrawing();
    ShowFromScene(gSim.scene, r);
    EndDrawing();
}

void EarthPictureDrawn(Control* c) {
    DrawEarthPicture();
    ShowSceneRect(gSim.earthRect);
    gSim.globeShown = false;
    c->state = kStateActive;
}

void OrbitPictureDrawn(Control* c) {
    if (gSim.orbitPictureFlag) {
        gSim.orbitPictureFlag = false;
        DrawOrbitDiagram();
    }
    ShowSceneRect(gSim.orbitRect);
    gSim.markerShown = false;
    c->state = kStateActive;
}

void TiltPictureDrawn(Control* c) {
    DrawTiltPicture();
    ShowSceneRect(gSim.tiltRect);
    c->state = kStateActive;
}

// The band above the chart (titles and legend) and the chart with its labels below it.
ScreenRect ChartTitleBand() {
    const ScreenRect& p = gSim.chartPanelRect;
    return Rect(p.left, p.top, p.right, gSim.chartRect.top);
}
ScreenRect ChartAxesArea() {
    const ScreenRect& p = gSim.chartPanelRect;
    return Rect(p.left, gSim.chartRect.top, p.right, p.bottom);
}

// First drawing after a start or a change of view: the titles; then the axes and the curve.
void ChartPictureDrawn(Control* c) {
    if (gSim.chartTitlesFlag) {
        gSim.chartTitlesFlag = false;
        const ScreenRect band = ChartTitleBand();
        CopySame(&gSim.backdrop, &gSim.scene, band);
        SetDrawTarget(&gSim.scene);
        DrawChartTitles();
        SetDrawTarget(nullptr);
        ShowSceneRect(band);
    } else {
        const ScreenRect area = ChartAxesArea();
        CopySame(&gSim.backdrop, &gSim.scene, area);
        SetDrawTarget(&gSim.scene);
        DrawViewAxes(gSim.chartRect, Settings().earthView);
        SetDrawTarget(nullptr);
        // The degree headings stand just above the chart, in the title band.
        ShowSceneRect(Rect(area.left, area.top - 20, area.right, area.bottom));
        PlotChart(1);
    }
    c->state = kStateActive;
}

void Redraw(Control* c, int state) {
    if (!c) return;
    c->state = state;
    DrawControl(c);
}

// ---- building ----------------------------------------------------------------------------

void BuildControls(ScreenLoop& loop) {
    const ScreenRect& area = ScreenWorkArea();
    const int L = area.left, T = area.top, R = area.right, B = area.bottom;
    const int midX = (L + R) / 2;
    const int midY = (T + B) / 2;
    const ModelSettings& s = Settings();
    const Sprite* panelTile = UiSprite(kSpritePanelMark);

    Control* earth = CreatePanel(0, Rect(L, T, R, midY),
                                 "This panel shows charts of the Earth's surface.", panelTile,
                                 kPanelColour);
    AddPanelText(earth, 112, 15, earth->rect, 1, 1, " Earth Views ", gUi.headingFont, 0,
                 kPanelColour + 3);
    gSim.earthPanel = earth;
    AddScreenControl(loop, earth);

    struct ViewButton {
        int id;
        ScreenRect rect;
        const char* label;
        const char* help;
        SpriteId sprite;
    };
    const ViewButton views[3] = {
        {kViewTemperature, Rect(25, 45, 200, 85), "Earth Surface@Temperature",
         "Click on this button to show the Earth's surface temperature.", kSpriteTemperature},
        {kViewEnergy, Rect(25, 90, 200, 130), "Daily@Solar Energy",
         "Click on this to see how much energy the Earth receives from the Sun.",
         kSpriteSolarEnergy},
        {kViewDaylight, Rect(25, 135, 200, 175), "Hours of@Daylight",
         "Click on this button to show the daily hours of sunlight.", kSpriteDaylight},
    };
    for (int i = 0; i < 3; ++i) {
        const ViewButton& v = views[i];
        Control* b = CreateButton(v.id, 1, kStateRedrawActive, v.rect, v.label, v.help,
                                  UiSprite(v.sprite), earth, kButtonColour, gUi.labelFont);
        b->selected = s.earthView == v.id ? 1 : 0;
        gSim.viewButtons[i] = b;
        AddScreenControl(loop, b);
    }

    gSim.pauseButton = CreateRoundButton(
        kPauseButtonId, 1, kStateRedrawActive, Rect(80, 192, 200, 312), "Pause@Resume",
        "Click on this button to stop and start the Earth's motion.", nullptr, earth, 37, 44,
        gUi.labelFont);
    AddScreenControl(loop, gSim.pauseButton);
    gSim.fasterButton = CreateButton(
        kFasterButtonId, 1, s.animationSpeed >= 6 ? kStateRedrawInactive : kStateRedrawActive,
        Rect(20, 220, 75, 250), "Faster",
        "Click on this button to make the Earth move at full speed.", nullptr, earth,
        kButtonColour, gUi.smallLabelFont);
    AddScreenControl(loop, gSim.fasterButton);
    gSim.slowerButton = CreateButton(
        kSlowerButtonId, 1, s.animationSpeed <= 0 ? kStateRedrawInactive : kStateRedrawActive,
        Rect(20, 255, 75, 285), "Slower", "Click on this button to make the Earth move slowly.",
        nullptr, earth, kButtonColour, gUi.smallLabelFont);
    AddScreenControl(loop, gSim.slowerButton);

    const char* sentence = LegendSentence(s.earthView);
    gSim.earthPicture = CreatePicture(Rect(225, 15, R - L - 25, midY - T - 15), sentence, earth,
                                      EarthPictureDrawn, sentence);
    AddScreenControl(loop, gSim.earthPicture);

    Control* orbit = CreatePanel(
        0, Rect(L, midY, midX, B),
        "This panel shows a diagram of the Earth's orbit and axis tilt.", panelTile,
        kPanelColour);
    gSim.orbitPanel = orbit;
    AddScreenControl(loop, orbit);
    gSim.orbitPicture = CreatePicture(Rect(20, 20, midX - L - 190, B - midY - 20),
                                      "This is what the Earth's orbit looks like.", orbit,
                                      OrbitPictureDrawn, "");
    AddScreenControl(loop, gSim.orbitPicture);
    gSim.tiltPicture = CreatePicture(Rect(midX - L - 183, 20, midX - L - 17, B - midY - 20),
                                     "This is what the Earth's tilt looks like.", orbit,
                                     TiltPictureDrawn, "");
    AddScreenControl(loop, gSim.tiltPicture);

    Control* chart = CreatePanel(0, Rect(midX, midY, R, B),
                                 "This is a graph of the Earth's surface temperature.",
                                 panelTile, kPanelColour);
    gSim.chartPanel = chart;
    AddScreenControl(loop, chart);
    gSim.chartPicture = CreatePicture(
        Rect(60, 60, R - midX - 70, B - midY - 40),
        "This is a chart of the Earth's temperature at the selected latitudes.", chart,
        ChartPictureDrawn, "");
    AddScreenControl(loop, gSim.chartPicture);

    LayOutEarthPicture(gSim.earthPicture->rect);
    LayOutOrbitDiagram(gSim.orbitPicture->rect);
    LayOutTiltPicture(gSim.tiltPicture->rect);
    gSim.chartRect = gSim.chartPicture->rect;
    gSim.chartPanelRect = chart->rect;
}

// The off-screen surfaces: the panels as first drawn, the pictures over them, the globes.
bool CreateSurfaces() {
    ScreenRect whole;
    FullScreenRect(whole);
    const ScreenRect& g = gSim.tiltGlobe;
    return CreateBuffer(whole, 0, gSim.backdrop) && CreateBuffer(whole, 0, gSim.scene) &&
           CreateBuffer(Rect(0, 0, kGlobeSide, kGlobeSide), 0, gSim.globe) &&
           CreateBuffer(Rect(0, 0, g.right - g.left, g.bottom - g.top), 0, gSim.tiltGlobeBuffer);
}

void ForgetControls() {
    gSim.earthPanel = gSim.orbitPanel = gSim.chartPanel = nullptr;
    for (Control*& b : gSim.viewButtons) b = nullptr;
    gSim.pauseButton = gSim.fasterButton = gSim.slowerButton = nullptr;
    gSim.earthPicture = gSim.orbitPicture = gSim.tiltPicture = gSim.chartPicture = nullptr;
}

// Save In Logbook is clickable only while this screen runs. When the window is going away
// nothing may be drawn any more, so the button only takes its state.
void SetSaveButton(bool active, bool draw) {
    Control* save = gNavBar.saveInLogbookButton;
    if (!LogbookEnabled() || !save) return;
    if (draw)
        Redraw(save, active ? kStateRedrawActive : kStateRedrawInactive);
    else
        save->state = active ? kStateActive : kStateInactive;
}

int Leave(ScreenLoop& loop, int result) {
    EndScreenLoop(loop);
    ForgetControls();
    ReleaseSimulationSurfaces();
    gSim.globeShown = gSim.markerShown = false;
    SetSaveButton(false, result != 2000);
    SetCursorShape(kNormalCursor);
    return result;
}

void UpdateFrameDelay() {
    gSim.frameDelay = std::max(MainFrameDelay(Settings().animationSpeed), 0);
}

// ---- keys --------------------------------------------------------------------------------

// Space pauses and goes on, + and - change the speed, 1 2 3 choose the views.
const ScreenKey kMainScreenKeys[] = {
    {KeySpace, 0, kPauseButtonId},       {0, '+', kFasterButtonId},
    {0, '=', kFasterButtonId},           {0, '-', kSlowerButtonId},
    {'1', 0, kViewTemperature},          {'2', 0, kViewEnergy},
    {'3', 0, kViewDaylight},
};

// Ctrl+E: the year the screen is showing, with the settings it was made for.
void ExportYear(char* message, int size) {
    const ModelSettings& s = Settings();
    // + 0.0: an upright axis reads 0.0, not -0.0
    const std::string csv = YearCsvSettingsLine(-s.axisTilt + 0.0, s.orbitShape, s.latitude) +
                            YearCsv(ModelYearCsvSource());
    SaveExportText(csv, "this year", message, size);
}

// ---- reactions ---------------------------------------------------------------------------

void TogglePause() {
    gSim.paused = !gSim.paused;
    gSim.pauseButton->selected = gSim.paused ? 1 : 0;
    Redraw(gSim.pauseButton, kStateRedrawActive);
}

void ChangeView(int id) {
    ModelSettings& s = Settings();
    if (id == s.earthView) return;
    s.earthView = id;
    for (Control* b : gSim.viewButtons) {
        b->selected = b->id == id ? 1 : 0;
        Redraw(b, kStateRedrawActive);
    }
    SetControlLabel(gSim.earthPicture, LegendSentence(id));
    std::snprintf(gSim.earthPicture->help, sizeof gSim.earthPicture->help, "%s",
                  LegendSentence(id));
    StepBandTemperatures(gSim.day, 0);

    SetDrawTarget(&gSim.scene);
    DrawColourLegend();
    DrawViewTitle();
    SetDrawTarget(nullptr);
    ShowSceneRect(Rect(gSim.earthRect.left, gSim.earthRect.top, gSim.earthRect.right,
                       gSim.earthRect.top + 31));

    gSim.earthPictureFlag = true;
    Redraw(gSim.earthPicture, kStateRedrawActive);
    gSim.chartTitlesFlag = true;
    Redraw(gSim.chartPicture, kStateRedrawActive);
    Redraw(gSim.chartPicture, kStateRedrawActive);
    if (gSim.paused) {
        // The pictures show the day the animation stands at, in the new colours.
        DrawGlobeFrame(gSim.day);
        DrawTiltGlobeFrame();
    }
}

void ChangeSpeed(int delta) {
    ModelSettings& s = Settings();
    const int speed = std::min(std::max(s.animationSpeed + delta, 0), 6);
    if (speed == s.animationSpeed) return;
    s.animationSpeed = speed;
    if (speed >= 6) Redraw(gSim.fasterButton, kStateRedrawInactive);
    if (speed < 6 && gSim.fasterButton->state == kStateInactive)
        Redraw(gSim.fasterButton, kStateRedrawActive);
    if (speed <= 0) Redraw(gSim.slowerButton, kStateRedrawInactive);
    if (speed > 0 && gSim.slowerButton->state == kStateInactive)
        Redraw(gSim.slowerButton, kStateRedrawActive);
    UpdateFrameDelay();
}

// The screen's own buttons; false for any other id.
bool OwnClick(int id) {
    switch (id) {
    case kViewTemperature:
    case kViewEnergy:
    case kViewDaylight: ChangeView(id); return true;
    case kFasterButtonId: ChangeSpeed(+1); return true;
    case kSlowerButtonId: ChangeSpeed(-1); return true;
    default: return false;
    }
}

}  // namespace

void RunMainFrame() {
    const int day = gSim.day;
    DrawGlobeFrame(day);
    StepBandTemperatures(day, 1);
    MoveOrbitMarker(day);
    DrawTiltGlobeFrame();
    PlotChart(0);
}

int RunMainScreen() {
    ScreenLoop loop;
    BeginScreenLoop(loop, kMainScreenId);
    SetCursorShape(kBusyCursor);
    SetSaveButton(true, true);
    gSim.chartTitlesFlag = gSim.earthPictureFlag = gSim.orbitPictureFlag = true;
    gSim.paused = false;
    gSim.globeShown = gSim.markerShown = false;
    gSim.starSeed = 1;

    ModelSettings& s = Settings();
    s.animationSpeed = std::min(std::max(s.animationSpeed, 0), 6);
    if (s.earthView != kViewTemperature && s.earthView != kViewEnergy &&
        s.earthView != kViewDaylight && s.earthView != kViewDistance)
        s.earthView = kViewTemperature;

    BuildControls(loop);
    AppendNavBar(loop);
    SetScreenKeys(kMainScreenKeys, int(sizeof kMainScreenKeys / sizeof kMainScreenKeys[0]));
    SetExportRun(ExportYear);
    LoadViewPalette();
    if (!CreateSurfaces()) return Leave(loop, 2000);
    if (!PrepareRotatingGlobe()) return Leave(loop, 2000);

    gSim.day = 0;
    gSim.orbitCounter = 0;
    EnsureOneLatitude();

    // The panels first; what they look like then is the backdrop every picture starts from.
    RedrawScreenControls(loop.count, loop.controls, 1);
    ScreenRect whole;
    FullScreenRect(whole);
    CopySame(nullptr, &gSim.backdrop, whole);
    CopySame(nullptr, &gSim.scene, whole);
    RedrawScreenLoop(loop);

    UpdateFrameDelay();
    ComputeYearInsolation();
    ComputeYearTemperatures();
    // The first frame draws day 0 before the live temperatures take their first step, so
    // they start from the settled year's beginning, not from whatever a last run left.
    StepBandTemperatures(0, 0);
    Redraw(gSim.chartPicture, kStateRedrawActive);
    SetCursorShape(kNormalCursor);

    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            if (gSim.paused) {
                PlatformWaitForMessage(kPausedWaitMs);
                continue;
            }
            RunMainFrame();
            PlatformSleep(gSim.frameDelay);
            if (++gSim.day >= kYearSteps) {
                if (SingleCycleMode()) {
                    result = kYearSteps;
                    break;
                }
                ++gSim.orbitCounter;
                gSim.day -= kYearSteps;
            }
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        if (e.code == kEventLeftDown && e.hit && e.hit == gSim.pauseButton) {
            PressFeedback(e.hit);
            TogglePause();
        } else if (e.pressed && !OwnClick(e.pressed->id)) {
            const int next = NavBarClickResult(e.pressed->id, kMainScreenId);
            if (next != kNavStay && next != kNavNotShared) {
                result = next;
                break;
            }
        }
        if (IsDisplayLost()) {
            result = -kMainScreenId;
            break;
        }
    }
    return Leave(loop, result);
}
