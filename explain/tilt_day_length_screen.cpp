// SPDX-License-Identifier: GPL-3.0-or-later
// The tilt and day length screen: its controls, the day-length formula, the North Pole view,
// the 24-hour clock and the day's animation.
#include "explain/tilt_day_length_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/config.h"
#include "explain/explain_screen.h"
#include "graphics/copy.h"
#include "graphics/palette.h"
#include "graphics/picture_draw.h"
#include "graphics/region.h"
#include "graphics/shape.h"
#include "model/model.h"
#include "platform/platform.h"
#include "navbar/navbar.h"
#include "widgets/control.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

TiltDayLengthState gTiltDayLength;
CoastSegments gPoleFrames[kDayFrames];

void ResetTiltDayLengthState() {
    gTiltDayLength = TiltDayLengthState{};
    for (CoastSegments& f : gPoleFrames) f.count = 0;
}

namespace {

constexpr double kLargeTilt = -40;
constexpr double kFrameTurn = 0.13089975;  // radians: 7.5 degrees a frame
constexpr double kPi = 3.141594;           // the day-length formula's pi
constexpr int kPictureSide = 320;
constexpr int kExplanationX0 = 200;
constexpr int kPanelColour = kExplainPanelColour;

const ScreenRect& PictureRect() {
    static const ScreenRect r = Rect(0, 0, kPictureSide, kPictureSide);
    return r;
}
// The disc the North Pole view is drawn in, centre (160, 160), radius 150; the clock fills
// the whole disc inscribed in the picture, radius 160.
const ScreenRect& PoleDisc() {
    static const ScreenRect r = Rect(10, 10, 310, 310);
    return r;
}

bool IsWinter(int seasonId) { return seasonId == kDayWinterId; }
bool IsSummer(int seasonId) { return seasonId == kDaySummerId; }
bool IsEquinox(int seasonId) { return seasonId == kDaySpringId || seasonId == kDayFallId; }

// The position marker: a red disc with a pink centre.
void DrawPositionMarker(int x, int y) {
    SetBrushColour(4);
    FillEllipse(Rect(x - 8, y - 8, x + 8, y + 8));
    SetBrushColour(12);
    FillEllipse(Rect(x - 4, y - 4, x + 4, y + 4));
}

// Drawing goes to the buffer, clipped to the disc inscribed in `disc`, until ShowPicture.
Region* BeginPicture(int background, const ScreenRect& discRect) {
    SetDrawTarget(&gTiltDayLength.buffer);
    FillWith(PictureRect(), background);
    Region* disc = EllipseRegion(discRect);
    SetClipRegion(disc);
    return disc;
}

void ShowPicture(Region* disc, const ScreenRect& area, bool transparent) {
    SetClipRegion(nullptr);
    DeleteRegion(disc);
    SetDrawTarget(nullptr);
    BeginDrawing();
    CopyRect(&gTiltDayLength.buffer, nullptr, PictureRect(), area, transparent);
    EndDrawing();
}

// The hour written at hour n of the clock (3, 6, ... 24).
void HourLabel(int n, char* text, size_t size) {
    if (n < 12)
        std::snprintf(text, size, "%d am", n);
    else if (n == 12)
        std::snprintf(text, size, "Noon");
    else if (n < 24)
        std::snprintf(text, size, "%d pm", n - 12);
    else
        std::snprintf(text, size, "Midnight");
}

// ---- the screen -------------------------------------------------------------------------

int CentreX(const Control* c) { return (c->rect.left + c->rect.right) / 2; }

void PanelDrawn(Control* panel) {
    const TiltDayLengthState& s = gTiltDayLength;
    const Control* noTilt = s.tiltButtons[0];
    const Control* lat75 = s.latitudeButtons[0];
    const Control* lat45 = s.latitudeButtons[1];
    const Control* lat30 = s.latitudeButtons[2];
    if (!noTilt || !lat75 || !lat45 || !lat30) return;
    const int top = panel->rect.top;
    const int keyX = lat45->rect.left - 60;
    BeginDrawing();
    SetBrushColour(kPanelColour + 3);
    TextAt(CentreX(noTilt), top + 190, 1, 1, "Select Axis Tilt", gUi.labelFont, 0);
    DrawTextAt(CentreX(noTilt), top + 350, "Select Season");
    DrawTextAt(keyX, lat75->rect.bottom - 9, "Select");
    DrawTextAt(keyX, lat75->rect.bottom + 14, "Latitude");
    DrawTextAt((s.poleArea.left + s.poleArea.right) / 2, s.poleArea.top - 15, "North Pole View");
    DrawTextAt((s.clockArea.left + s.clockArea.right) / 2, s.clockArea.top - 15,
               "24-Hour Clock");
    TextAt(keyX, lat30->rect.bottom - 9, 1, 1, " = Position", gUi.smallLabelFont, 0);
    DrawTextAt(lat45->rect.left - 55, lat30->rect.bottom + 8, "Marker");
    DrawPositionMarker(lat45->rect.left - 105, lat30->rect.bottom - 9);

    // A ring just outside the clock's disc, lit from the upper left like the panel's bevel.
    const ScreenRect ring = InsetScreenRect(s.clockArea, -3);
    SetPenWidth(3, 3);
    SetPenColour(kPanelColour + 5);
    DrawArc(ring, 450, 1800);
    SetPenColour(kPanelColour);
    DrawArc(ring, 2250, 1800);
    SetPenWidth(1, 1);

    FillWith(s.poleArea, 0);
    DrawBevel(s.poleArea, -1, 255, 8);
    EndDrawing();
}

struct Choice {
    Control* const* group;
    int count;
    Control* button;
};

Choice FindChoice(int id) {
    TiltDayLengthState& s = gTiltDayLength;
    const Choice groups[3] = {{s.tiltButtons, 3, nullptr},
                              {s.seasonButtons, 4, nullptr},
                              {s.latitudeButtons, 4, nullptr}};
    for (Choice c : groups)
        if ((c.button = ChoiceWithId(c.group, c.count, id))) return c;
    return Choice{nullptr, 0, nullptr};
}

int OwnClick(int id) {
    TiltDayLengthState& s = gTiltDayLength;
    if (id == kReturnToTiltId) return 2;
    const Choice choice = FindChoice(id);
    if (!choice.button) return kExplainNotOwn;
    if (choice.button->selected == 1) return kExplainStay;
    switch (id) {
    case kDayNormalTiltId: s.screenTilt = EarthNormalTilt; break;
    case kDayLargeTiltId: s.screenTilt = kLargeTilt; break;
    case kDayNoTiltId: s.screenTilt = 0; break;
    case kDay75NorthId: s.dayLatitude = 75; break;
    case kDay45NorthId: s.dayLatitude = 45; break;
    case kDay30NorthId: s.dayLatitude = 30; break;
    case kDayEquatorId: s.dayLatitude = 0; break;
    default: s.seasonId = id; break;  // 111..114
    }
    SelectChoice(choice.group, choice.count, choice.button);
    DrawExplanationBox(s.box, kExplanationX0, ScreenWorkArea().top + 70,
                       DayLengthExplanation(s.screenTilt, s.dayLatitude, s.seasonId));
    if (choice.group != s.latitudeButtons) ComputePoleFrames(TheCoastOutline());
    DrawDaylightText();
    return kExplainStay;
}

int IdleStep() {
    TiltDayLengthState& s = gTiltDayLength;
    DrawPoleView(s.step);
    DrawDayClock(s.step);
    s.step = (s.step + 1) % kDayFrames;
    if (SingleCycleMode() && s.step == 0) return kDayFrames;
    PlatformSleep(std::max(DayLengthDelay(), 0));
    return kExplainStay;
}

void BuildControls(ScreenLoop& loop) {
    TiltDayLengthState& s = gTiltDayLength;
    Control* panel = AddExplainPanel(
        loop, "This screen shows how the axis tilt affects the length of daylight.", PanelDrawn);
    struct Button {
        int id;
        ScreenRect rect;
        const char* label;
        const char* help;
        bool on;
        Control** slot;
    };
    const Button buttons[] = {
        {kDayNoTiltId, Rect(20, 269, 230, 299), "No Tilt (0\xBA)",
         "Click on this to set Earth's axis tilt to zero.", false, &s.tiltButtons[0]},
        {kDayNormalTiltId, Rect(20, 304, 230, 334), "Earth Normal (23.5\xBA)",
         "Click on this to set Earth's axis tilt to its normal value (23.5 degrees).", true,
         &s.tiltButtons[1]},
        {kDayLargeTiltId, Rect(20, 339, 230, 369), "Increased Tilt (40\xBA)",
         "Click on this to set Earth's axis tilt to 40 degrees.", false, &s.tiltButtons[2]},
        {kDayWinterId, Rect(10, 429, 240, 459), "Northern Hemisphere Winter",
         "Click on this to set the season to winter.", false, &s.seasonButtons[0]},
        {kDaySpringId, Rect(10, 464, 240, 494), "Northern Hemisphere Spring",
         "Click on this to set the season to spring.", false, &s.seasonButtons[1]},
        {kDaySummerId, Rect(10, 499, 240, 529), "Northern Hemisphere Summer",
         "Click on this to set the season to summer.", false, &s.seasonButtons[2]},
        {kDayFallId, Rect(10, 534, 240, 564), "Northern Hemisphere Fall",
         "Click on this to set the season to fall.", false, &s.seasonButtons[3]},
        {kDay75NorthId, Rect(450, 584, 520, 614), "75\xBAN",
         "Click on this to see the hours of sunlight at 75 N latitude.", false,
         &s.latitudeButtons[0]},
        {kDay45NorthId, Rect(450, 619, 520, 649), "45\xBAN",
         "Click on this to see the hours of sunlight at 45 N latitude.", true,
         &s.latitudeButtons[1]},
        {kDay30NorthId, Rect(450, 654, 520, 684), "30\xBAN",
         "Click on this to see the hours of sunlight at 30 N latitude.", false,
         &s.latitudeButtons[2]},
        {kDayEquatorId, Rect(450, 689, 520, 719), "Equator",
         "Click on this to see the hours of sunlight at the equator.", false,
         &s.latitudeButtons[3]},
    };
    for (const Button& b : buttons)
        *b.slot = AddExplainButton(loop, panel, b.id, b.rect, b.label, b.help, b.on);
    s.poleArea = AddExplainHelpArea(loop, panel, Rect(270, 244, 590, 564),
                                    "This is a view of the Earth from above the North Pole.")
                     ->rect;
    s.clockArea = AddExplainHelpArea(loop, panel, Rect(650, 244, 970, 564),
                                     "This is a 24-hour clock.  The light blue color indicates "
                                     "when the sun is shining.")
                      ->rect;
    AddReturnToTiltButton(loop, panel, Rect(20, 614, 230, 684));
}

void ForgetControls() {
    TiltDayLengthState& s = gTiltDayLength;
    for (Control*& c : s.tiltButtons) c = nullptr;
    for (Control*& c : s.seasonButtons) c = nullptr;
    for (Control*& c : s.latitudeButtons) c = nullptr;
}

}  // namespace

double DayLengthFor(double screenTilt, int latitude, int seasonId) {
    if (IsEquinox(seasonId)) return 12;
    if (screenTilt == 0 || latitude == 0) return 12;
    double c = -std::tan(latitude * kDegreeFactor) * std::tan(screenTilt * kDegreeFactor);
    if (IsSummer(seasonId)) c = -c;
    if (c <= -1) return kPi * kDayLengthFactor;  // the Sun never sets
    if (c < 1) return std::acos(c) * kDayLengthFactor;
    return 0;  // the Sun never rises
}

double DayLengthHours() {
    const TiltDayLengthState& s = gTiltDayLength;
    return DayLengthFor(s.screenTilt, s.dayLatitude, s.seasonId);
}

void DaylightText(double hours, char* out, int size) {
    if (!out || size <= 0) return;
    if (hours == 0)
        std::snprintf(out, size_t(size), "No Sunshine");
    else
        std::snprintf(out, size_t(size), "%.1f hours of daylight", hours);
}

const ExplanationText& DayLengthExplanation(double screenTilt, int latitude, int seasonId) {
    static const ExplanationText kNoTilt = {
        "Earth not tilted:", "When the Earth isn't tilted, daylight always lasts",
        "12 hours regardless of the season or the latitude."};
    static const ExplanationText kEquinox = {
        "Earth at equinox:", "When the season is spring or fall, daylight always",
        "lasts 12 hours regardless of tilt or the latitude."};
    static const ExplanationText kEquator = {
        "At the equator:", "At the Earth's equator, daylight always lasts",
        "12 hours regardless of the tilt or the season."};
    static const ExplanationText kPolarWinter = {
        "Near the poles:", "At high latitudes (north of the arctic circle)",
        "there is no sunlight during the winter."};
    static const ExplanationText kPolarSummer = {
        "Near the poles:", "At high latitudes (north of the arctic circle)",
        "the Sun shines all day during the summer."};
    static const ExplanationText kLargeTiltWinter = {
        "At middle latitudes:", "The increased tilt causes daylight to be very",
        "short during winter at middle latitudes."};
    static const ExplanationText kLargeTiltSummer = {
        "At middle latitudes:", "The increased tilt causes daylight to be very",
        "long during summer at middle latitudes."};
    static const ExplanationText kMiddle = {
        "At middle latitudes:", "At Earth's middle latitudes, the length of daylight",
        "is strongly affected by both tilt and season."};
    static const ExplanationText kNearEquator = {
        "Near the equator:", "Near the Earth's equator, daylight usually lasts",
        "about 12 hours.  Increased tilt can change this."};
    if (screenTilt == 0) return kNoTilt;
    if (IsEquinox(seasonId)) return kEquinox;
    if (latitude == 0) return kEquator;
    if (latitude == 75) return IsSummer(seasonId) ? kPolarSummer : kPolarWinter;
    if (latitude == 45 && screenTilt == kLargeTilt)
        return IsSummer(seasonId) ? kLargeTiltSummer : kLargeTiltWinter;
    if (latitude == 45) return kMiddle;
    return kNearEquator;
}

void ComputePoleFrames(const CoastOutline& outline) {
    const int n = std::min(std::max(outline.count, 0), kCoastPoints);
    bool visible[kCoastPoints];
    double cosQ[kCoastPoints], longitude[kCoastPoints];
    double x[kCoastPoints], y[kCoastPoints];
    for (int i = 0; i < n; ++i) {
        const double q = outline.latitude[i] * kDegreeFactor;
        visible[i] = std::sin(q) >= 0;  // the northern hemisphere only
        cosQ[i] = std::cos(q);
        longitude[i] = outline.longitude[i] * kDegreeFactor;
    }
    for (int f = 0; f < kDayFrames; ++f) {
        for (int i = 0; i < n; ++i) {
            const double a = longitude[i] - f * kFrameTurn;
            x[i] = 1000 * std::cos(a) * cosQ[i] + 1000;
            y[i] = 1000 * std::sin(a) * cosQ[i] + 1000;
        }
        JoinCoastSegments(outline.code, n, visible, x, y, gPoleFrames[f]);
    }
}

void DrawPoleView(int step) {
    const TiltDayLengthState& s = gTiltDayLength;
    if (!s.buffer.surface) return;
    step = ((step % kDayFrames) + kDayFrames) % kDayFrames;
    Region* disc = BeginPicture(0, PoleDisc());
    // The Sun is to the right: the left half is night.
    SetBrushColour(kDaylightSlot);
    FillEllipse(PoleDisc());
    FillWith(Rect(10, 10, 160, 310), kNightSlot);
    if (s.screenTilt != 0 && (IsWinter(s.seasonId) || IsSummer(s.seasonId))) {
        // Round the Pole: polar night, or polar day, across both halves.
        const double h = 150 * std::fabs(std::sin(s.screenTilt * kDegreeFactor));
        const bool night = (IsWinter(s.seasonId) && s.screenTilt < 0) ||
                           (IsSummer(s.seasonId) && s.screenTilt > 0);
        SetBrushColour(night ? kNightSlot : kDaylightSlot);
        FillEllipse(Rect(int(160 - h), 10, int(160 + h), 310));
    }
    SetPenColour(0);
    DrawCoastSegments(gPoleFrames[step], 0.15, 10, 10);

    // The marker is drawn whole even where it rides on the rim (at the equator).
    SetClipRegion(nullptr);
    const double p = 150 * std::cos(s.dayLatitude * kDegreeFactor);
    const double g = (7.5 * step - 95) * kDegreeFactor;
    DrawPositionMarker(int(p * std::cos(g)) + 160, 160 - int(p * std::sin(g)));

    SetBrushColour(0);
    FillEllipse(Rect(156, 156, 164, 164));
    TextAt(160, 156, 1, 2, "North", gUi.smallLabelFont, 0);
    TextAt(160, 160, 1, 0, "Pole", gUi.smallLabelFont, 0);
    ShowPicture(disc, s.poleArea, false);
}

void DrawDayClock(int step) {
    const TiltDayLengthState& s = gTiltDayLength;
    if (!s.buffer.surface) return;
    Region* disc = BeginPicture(2, PictureRect());
    SetBrushColour(kNightSlot);
    FillEllipse(PictureRect());
    // The hours of daylight as a sector round Noon at the bottom.
    const double h = s.daylightHours / 2;
    SetBrushColour(kDaylightSlot);
    if (h >= 12)
        FillEllipse(PictureRect());
    else if (h > 0)
        FillPie(PictureRect(), int(2700 - 150 * h), int(300 * h));

    char text[16];
    for (int n = 3; n <= 24; n += 3) {
        const double a = 15 * n * kDegreeFactor;
        const int x = int((0.5 + 0.4 * std::sin(a)) * kPictureSide);
        const int y = int((0.5 - 0.4 * std::cos(a)) * kPictureSide);
        HourLabel(n, text, sizeof text);
        TextAt(x + 2, y + 2, 1, 1, text, gUi.labelFont, 0);
        TextAt(x, y, 1, 1, text, gUi.labelFont, 255);
    }

    // The hand turns once a day with the marker; at step 0 it points to 6 am.
    const double g = ((step * 0.5 + 12) * 15 - 90) * kDegreeFactor;
    const int dx = int(144 * std::sin(g)), dy = int(-144 * std::cos(g));
    SetPenWidth(15, 15);
    SetPenColour(4);
    Line(160, 160, 160 + dx, 160 + dy);
    SetPenWidth(7, 7);
    SetPenColour(12);
    Line(160, 160, 160 + dx, 160 + dy);
    SetPenWidth(1, 1);
    ShowPicture(disc, s.clockArea, true);
}

void DrawDaylightText() {
    TiltDayLengthState& s = gTiltDayLength;
    s.daylightHours = DayLengthHours();
    char text[64];
    DaylightText(s.daylightHours, text, sizeof text);
    const ScreenRect& c = s.clockArea;
    BeginDrawing();
    FillWith(Rect(c.left, c.bottom + 20, c.right, c.bottom + 54), kNightSlot);
    TextAt((c.left + c.right) / 2, c.bottom + 37, 1, 1, text, gUi.largeHeadingFont, 11);
    EndDrawing();
}

int RunTiltDayLengthScreen() {
    TiltDayLengthState& s = gTiltDayLength;
    s.screenTilt = EarthNormalTilt;
    s.dayLatitude = 45;
    s.seasonId = kDayWinterId;
    s.step = 0;

    ScreenLoop loop;
    BeginScreenLoop(loop, kTiltDayLengthScreenId);
    SetPaletteEntryNow(kNightSlot, 92, 92, 100);
    SetPaletteEntryNow(kDaylightSlot, 128, 192, 230);
    BuildControls(loop);
    AppendNavBar(loop);
    CreateBuffer(PictureRect(), 2, s.buffer);
    RedrawScreenLoop(loop);
    OwnClick(kDayWinterId);

    const int result = RunExplainEvents(loop, IdleStep, OwnClick);
    EndScreenLoop(loop);
    ForgetControls();
    ReleaseBuffer(s.buffer);
    return result;
}
