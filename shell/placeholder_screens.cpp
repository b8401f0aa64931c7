#include "shell/placeholder_screens.h"

#include "graphics/display.h"
#include "model/model.h"
#include "platform/platform.h"
#include "shell/dispatcher.h"
#include "shell/navbar.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"

namespace {

constexpr int kPanelColour = 23;
constexpr int kIdleWaitMs = 10;  // nothing animates here: wait for input instead of spinning
constexpr int kLinkIdBase = 900; // ids of the buttons to other screens

struct Link {
    const char* label;
    const char* help;
    int screenId;
    SpriteId sprite;
};

struct Stand {
    int id;
    const char* title;
    const char* help;
    Control* NavBarState::*ownButton;  // the NavBar button shown selected meanwhile, if any
    Link links[3];
    int linkCount;
};

const Stand kStands[] = {
    {kScreenMain, "Watch the Seasons", "This screen shows the seasons of the model year.",
     nullptr, {}, 0},
    {kScreenChangeTilt, "Change Tilt", "This screen changes the tilt of the Earth's axis.",
     &NavBarState::changeTiltButton,
     {{"Tilt and@Sunlight", "Click on this to see how tilt changes the sunlight's strength.",
       kScreenTiltIntensity, kSpriteQuestion},
      {"Tilt and@Day Length", "Click on this to see how tilt changes the length of the day.",
       kScreenTiltDayLength, kSpriteQuestion},
      {"The Sun's@Angle", "Click on this to see how high the Sun climbs at noon.",
       kScreenSunAngle, kSpriteQuestion}},
     3},
    {kScreenTiltIntensity, "Tilt and Sunlight Intensity",
     "This screen shows how tilt changes the strength of sunlight.", nullptr, {}, 0},
    {kScreenTiltDayLength, "Tilt and Day Length",
     "This screen shows how tilt changes the length of the day.", nullptr, {}, 0},
    {kScreenChangeShape, "Change Shape", "This screen changes the shape of the Earth's orbit.",
     &NavBarState::changeShapeButton,
     {{"Orbit and@Solar Energy",
       "Click on this to see how the orbit's shape changes the Sun's energy.",
       kScreenOrbitEnergy, kSpriteQuestion},
      {"Orbit and@Season Length",
       "Click on this to see how the orbit's shape changes the seasons' lengths.",
       kScreenSeasonLength, kSpriteQuestion}},
     2},
    {kScreenOrbitEnergy, "Orbit Shape and Solar Energy",
     "This screen shows how the orbit's shape changes the Sun's energy.", nullptr, {}, 0},
    {kScreenSeasonLength, "Orbit Shape and Season Length",
     "This screen shows how the orbit's shape changes the seasons' lengths.", nullptr, {}, 0},
    {kScreenSelectLatitudes, "Select Latitudes", "This screen selects the latitudes to chart.",
     &NavBarState::selectLatitudesButton,
     {{"Latitude@Zones", "Click on this to see how latitude changes the Sun's energy.",
       kScreenLatitudeZones, kSpriteQuestion}},
     1},
    {kScreenLatitudeZones, "Latitude Zones and Solar Energy",
     "This screen shows how latitude changes the Sun's energy.", nullptr, {}, 0},
    {kScreenSunAngle, "Sun Angle", "This screen shows how high the Sun climbs at noon.", nullptr,
     {}, 0},
    {kScreenLogbook, "Logbook", "This screen shows the runs saved in the logbook.",
     &NavBarState::openLogbookButton, {}, 0},
};

const Stand* FindStand(int id) {
    for (const Stand& s : kStands)
        if (s.id == id) return &s;
    return nullptr;
}

// Marks the screen's own NavBar button selected (it then ignores clicks), or unmarks it.
void MarkOwnButton(const Stand& s, bool on) {
    Control* button = s.ownButton ? gNavBar.*(s.ownButton) : nullptr;
    if (!button || (button->selected == 1) == on) return;
    ToggleControl(button);
}

// The main screen alone lets the run be saved.
void EnableSaveButton(bool on) {
    Control* save = gNavBar.saveInLogbookButton;
    if (!save) return;
    save->state = on ? kStateRedrawActive : kStateRedrawInactive;
    DrawControl(save);
}

void BuildStand(const Stand& s, ScreenLoop& loop) {
    const ScreenRect& area = ScreenWorkArea();
    const int width = area.right - area.left;
    Control* panel = CreatePanel(0, area, s.help, UiSprite(kSpritePanelMark), kPanelColour);
    AddScreenControl(loop, panel);
    AddPanelText(panel, width / 2, 90, area, 1, 1, s.title, gUi.largeHeadingFont, 0,
                 kPanelColour + 3);
    AddPanelText(panel, width / 2, 140, area, 1, 1, "This screen is still being built.",
                 gUi.headingFont, 0, kPanelColour + 3);

    // Buttons to the screens this one leads to, in one centred row.
    constexpr int kLinkWidth = 190, kLinkGap = 20;
    const int rowWidth = s.linkCount * kLinkWidth + (s.linkCount - 1) * kLinkGap;
    int left = (width - rowWidth) / 2;
    for (int i = 0; i < s.linkCount; ++i, left += kLinkWidth + kLinkGap) {
        const Link& l = s.links[i];
        AddScreenControl(loop, CreateButton(kLinkIdBase + i, 1, kStateRedrawActive,
                                            MakeScreenRect(left, 300, left + kLinkWidth, 356), l.label,
                                            l.help, UiSprite(l.sprite), panel, 16,
                                            gUi.smallLabelFont));
    }
    if (s.id != kScreenMain)
        AddScreenControl(loop, CreateButton(kNavWatchSeasons, 1, kStateRedrawActive,
                                            MakeScreenRect(width - 190, 598, width - 20, 656),
                                            "Watch the@Seasons",
                                            "Click on this to watch the seasons of the model.",
                                            UiSprite(kSpriteWatch), panel, 16,
                                            gUi.smallLabelFont));
}

int RunStand(int id) {
    const Stand* stand = FindStand(id);
    if (!stand) return kScreenEndProgram;
    const Stand& s = *stand;
    if (s.id == kScreenMain) RebuildYearSeries();  // a run to show and to save

    ScreenLoop loop;
    BeginScreenLoop(loop, s.id);
    BuildStand(s, loop);
    AppendNavBar(loop);
    RedrawScreenLoop(loop);
    MarkOwnButton(s, true);
    if (s.id == kScreenMain) EnableSaveButton(true);

    int result = 0;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            PlatformWaitForMessage(kIdleWaitMs);
            continue;
        }
        if (e.code == kScreenClosing) {
            result = kScreenStop;
            break;
        }
        if (e.code == kEventClosedMinimised) {
            result = kScreenEndProgram;
            break;
        }
        if (e.pressed) {
            int next = NavBarClickResult(e.pressed->id, s.id);
            const int link = e.pressed->id - kLinkIdBase;
            if (next == kNavNotShared && link >= 0 && link < s.linkCount)
                next = s.links[link].screenId;
            if (next != kNavStay && next != kNavNotShared) {
                result = next;
                break;
            }
        }
        if (IsDisplayLost()) {
            result = -s.id;
            break;
        }
    }

    if (result == kScreenStop) {
        // The window is going away: nothing may be drawn any more.
        Control* own = s.ownButton ? gNavBar.*(s.ownButton) : nullptr;
        if (own) own->selected = 0;
        if (s.id == kScreenMain && gNavBar.saveInLogbookButton)
            gNavBar.saveInLogbookButton->state = kStateInactive;
    } else {
        MarkOwnButton(s, false);
        if (s.id == kScreenMain) EnableSaveButton(false);
    }
    EndScreenLoop(loop);
    return result;
}

}  // namespace

const char* PlaceholderTitle(int screenId) {
    const Stand* s = FindStand(screenId);
    return s ? s->title : nullptr;
}

int RunPlaceholderMainScreen() { return RunStand(kScreenMain); }
int RunPlaceholderChangeTilt() { return RunStand(kScreenChangeTilt); }
int RunPlaceholderTiltIntensity() { return RunStand(kScreenTiltIntensity); }
int RunPlaceholderTiltDayLength() { return RunStand(kScreenTiltDayLength); }
int RunPlaceholderChangeShape() { return RunStand(kScreenChangeShape); }
int RunPlaceholderOrbitEnergy() { return RunStand(kScreenOrbitEnergy); }
int RunPlaceholderSeasonLength() { return RunStand(kScreenSeasonLength); }
int RunPlaceholderSelectLatitudes() { return RunStand(kScreenSelectLatitudes); }
int RunPlaceholderLatitudeZones() { return RunStand(kScreenLatitudeZones); }
int RunPlaceholderSunAngle() { return RunStand(kScreenSunAngle); }
int RunPlaceholderLogbook() { return RunStand(kScreenLogbook); }
