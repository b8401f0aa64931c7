// SPDX-License-Identifier: GPL-3.0-or-later
// The Select Latitudes screen: its controls, the selection bookkeeping behind the latitude
// buttons, the places boxes and the two-latitude notice, and the loop.
#include "settings/select_latitudes_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "config/config.h"
#include "graphics/buffer.h"
#include "graphics/copy.h"
#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/text.h"
#include "model/model.h"
#include "platform/platform.h"
#include "settings/coast.h"
#include "settings/places.h"
#include "settings/settings_common.h"
#include "navbar/navbar.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/keyboard.h"
#include "widgets/popup.h"
#include "widgets/screen_loop.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

SelectLatitudesState gSelectLatitudes;

void ResetSelectLatitudes() { gSelectLatitudes = SelectLatitudesState{}; }

namespace {

constexpr int kOwnScreenId = 8;
constexpr int kMainScreenId = 1;
constexpr int kLatitudeZonesScreenId = 9;
constexpr int kIdleDelayMs = 100;
constexpr int kPlacesFillSlot = 24;
constexpr int kPlacesTextSlot = 255;
constexpr const char* kNoticeText =
    "Only two latitudes can be selected at the same time.@ @Turn off one latitude to continue.";

// The configured home latitude, held to the globe: a value beyond the poles would put a
// latitude into the model that no chart can show.
int32_t HomeLatitudeOnGlobe() { return std::min(std::max(HomeLatitude(), -90), 90); }

// The band of standard button k (90 down to -90) is painted on this index.
int BandSlotOfButton(int k) { return kMapFirstBandSlot + kStandardLatitudes - 1 - k; }

bool Taken(int32_t latitude) { return latitude >= -90 && latitude <= 90; }

ScreenRect OnPanel(int left, int top, int right, int bottom) {
    const ScreenRect& p = gSelectLatitudes.panelRect;
    return MakeScreenRect(left - p.left, top - p.top, right - p.left, bottom - p.top);
}

ScreenRect NoticeRect() {
    int mx, my;
    RectCentre(gSelectLatitudes.mapRect, mx, my);
    return MakeScreenRect(mx - 240, my - 50, mx + 240, my + 50);
}

void PaintTitles(Control*) {
    const SelectLatitudesState& st = gSelectLatitudes;
    const ScreenRect& m = st.mapRect;
    const int mx = (m.left + m.right) / 2;
    const PanelLine title{mx, m.top - 25, "Latitude Selector"};
    DrawPanelLines(gUi.largeHeadingFont, 1, 2, &title, 1);
    const PanelLine hint{mx, m.top - 10, "Click on the map or use the buttons to select latitudes."};
    DrawPanelLines(gUi.smallLabelFont, 1, 2, &hint, 1);
    const Control* first = st.buttons[0];
    if (!first) return;
    const int bx = (first->rect.left + first->rect.right) / 2;
    const PanelLine pick[2] = {{bx, first->rect.top - 30, "Pick 1 or 2"},
                               {bx, first->rect.top - 10, "Latitudes"}};
    DrawPanelLines(gUi.labelFont, 1, 2, pick, 2);
}

// A latitude button; its hit rectangle reaches left over the map, so a click on the map
// selects the latitude of the button in the same row.
void AddLatitudeButton(ScreenLoop& loop, int k, const ScreenRect& rect, const char* label,
                       const char* help) {
    SelectLatitudesState& st = gSelectLatitudes;
    Control* b = CreateButton(kLatitudeButtonId + k, 2, kStateRedrawActive, rect, label, help,
                              nullptr, st.panel, kSettingsButtonColour, gUi.labelFont);
    b->hitRect = MakeScreenRect(st.mapRect.left, b->rect.top, b->rect.right, b->rect.bottom);
    st.buttons[k] = b;
    AddScreenControl(loop, b);
}

void BuildControls(ScreenLoop& loop) {
    SelectLatitudesState& st = gSelectLatitudes;
    st.home = HomeLatitudeOnGlobe();
    for (int k = 0; k < kStandardLatitudes; ++k) st.buttonLatitude[k] = (6 - k) * 15;
    st.buttonLatitude[13] = st.home;
    st.buttonLatitude[14] = -st.home;
    st.homeIsStandard = st.home % 15 == 0;
    st.panelRect = MakeScreenRect(0, 64, 1024, 738);
    st.mapRect = MakeScreenRect(280, 124, 840, 564);

    st.panel = AddSettingsPanel(loop, st.panelRect,
                                "Make changes in the latitude selection in this panel.",
                                PaintTitles);
    AddWatchSeasonsButton(loop, st.panel);
    const ScreenRect& m = st.mapRect;
    st.map = CreateHotspot(1, OnPanel(m.left, m.top, m.right, m.bottom),
                           "This is a map of the Earth showing the selected latitudes.", st.panel);
    st.map->drawCallback = DrawWorldMap;
    AddScreenControl(loop, st.map);

    char latitude[kLatitudeTextSize], label[kLabelSize], help[kLabelSize];
    for (int k = 0; k < kStandardLatitudes; ++k) {
        FormatLatitude(st.buttonLatitude[k], latitude, sizeof latitude);
        const bool equator = k == 6;
        if (equator)
            std::snprintf(help, sizeof help,
                          "Click on this button to change the selection of the equator.");
        else
            std::snprintf(help, sizeof help,
                          "Click on this button to change the selection of %s latitude.",
                          latitude);
        AddLatitudeButton(loop, k, OnPanel(850, 133 + 33 * k, 970, 159 + 33 * k),
                          equator ? "Equator" : latitude, help);
    }
    if (!st.homeIsStandard) {
        FormatLatitude(st.home, latitude, sizeof latitude);
        std::snprintf(label, sizeof label, "Your@Latitude@%s", latitude);
        AddLatitudeButton(loop, kPlacesHomeRow, OnPanel(850, 562, 970, 622), label,
                          "Click on this button to select the latitude where you are now.");
        FormatLatitude(-st.home, latitude, sizeof latitude);
        std::snprintf(label, sizeof label, "Opposite@Latitude:@%s", latitude);
        AddLatitudeButton(loop, kPlacesAcrossRow, OnPanel(850, 629, 970, 689), label,
                          "Click on this button to select the latitude opposite where you are now.");
    }
    AddScreenControl(loop, CreateButton(kLatitudeExplainId, 1, kStateRedrawActive,
                                        OnPanel(20, 584, 260, 664),
                                        "How does latitude@affect@solar energy?",
                                        "Click on this to learn more about the effects of latitude.",
                                        UiSprite(kSpriteQuestion), st.panel,
                                        kSettingsButtonColour, gUi.labelFont));
}

int FindButton(int32_t latitude) {
    const SelectLatitudesState& st = gSelectLatitudes;
    for (int k = 0; k < kLatitudeButtons; ++k)
        if (st.buttons[k] && st.buttonLatitude[k] == latitude) return k;
    return -1;
}

// The buttons take over the model's latitudes. The model starts empty, so a latitude no
// button has, or one given twice, cannot linger unseen where the pupil cannot turn it off.
void RestoreSelection() {
    SelectLatitudesState& st = gSelectLatitudes;
    ModelSettings& s = Settings();
    const int32_t wanted[2] = {s.latitude[0], s.latitude[1]};
    s.latitude[0] = s.latitude[1] = kNoLatitude;
    st.selectedButton[0] = st.selectedButton[1] = kNoButton;
    for (int32_t latitude : wanted) {
        const int k = FindButton(latitude);
        if (k >= 0 && !st.buttons[k]->selected) ToggleLatitudeButton(k);
    }
}

// The notice goes without a trace on screen; while the window closes nothing may be drawn, so
// only its saved area is let go.
void RemoveNotice(bool draw) {
    if (draw) {
        ShowNotice(NoticeRect(), "", nullptr, 0);
        return;
    }
    NoticeState& n = gWidgets.notice;
    if (!n.shown) return;
    FreeScreenArea(n.saved);
    n.shown = false;
}

int Leave(ScreenLoop& loop, int result) {
    SelectLatitudesState& st = gSelectLatitudes;
    const bool closing = result == 2000;
    Control* own = gNavBar.selectLatitudesButton;
    if (own && own->selected) {
        if (closing)
            own->selected = 0;
        else
            ToggleControl(own);
    }
    RemoveNotice(!closing);
    EndScreenLoop(loop);
    for (Control*& b : st.buttons) b = nullptr;
    st.panel = st.map = nullptr;
    NormaliseLatitudeSelection();
    return result;
}

// What a press on a button of this screen asks: kNavStay, or the ScreenId to leave for.
int Click(const ScreenEvent& e) {
    Control* c = e.hit;
    if (!c || (c->kind != kPushButton && c->kind != kRoundButton)) return kNavStay;
    if (c->id == kNavSelectLatitudes) return kNavStay;  // this screen's own NavBar button
    // A selected latitude button reacts too (it turns off): the loop showed only the
    // presses of unselected ones.
    if (!e.pressed) PressFeedback(c);
    const int k = c->id - kLatitudeButtonId;
    if (k >= 0 && k < kLatitudeButtons && gSelectLatitudes.buttons[k] == c) {
        ToggleLatitudeButton(k);
        return kNavStay;
    }
    switch (c->id) {
    case kNavWatchSeasons: return kMainScreenId;
    case kLatitudeExplainId: return kLatitudeZonesScreenId;
    default: break;
    }
    const int next = NavBarClickResult(c->id, kOwnScreenId);
    return next == kNavNotShared ? kNavStay : next;
}

}  // namespace

void DrawWorldMap(Control* map) {
    if (!map) return;
    gSelectLatitudes.geometry = PaintWorldMap(map->rect, kCoastMapFile);
}

void ToggleLatitudeButton(int k) {
    SelectLatitudesState& st = gSelectLatitudes;
    if (k < 0 || k >= kLatitudeButtons || !st.buttons[k]) return;
    Control* b = st.buttons[k];
    ModelSettings& s = Settings();
    int which;
    if (b->selected) {
        RemoveNotice(true);
        const int slot = st.selectedButton[0] == k ? 0 : 1;
        st.selectedButton[slot] = kNoButton;
        s.latitude[slot] = kNoLatitude;
        which = -(slot + 1);
        b->selected = 0;
    } else {
        if (st.selectedButton[0] != kNoButton && st.selectedButton[1] != kNoButton) {
            ShowNotice(NoticeRect(), kNoticeText, gUi.headingFont, 1);
            return;
        }
        const int slot = st.selectedButton[0] != kNoButton ? 1 : 0;
        st.selectedButton[slot] = k;
        s.latitude[slot] = st.buttonLatitude[k];
        which = slot + 1;
        b->selected = 1;
    }
    b->state = kStateRedrawActive;
    DrawControl(b);
    if (k < kStandardLatitudes) {
        if (b->selected)
            SetPaletteEntryNow(BandSlotOfButton(k), 255, 255, 0);
        else
            SetPaletteEntryNow(BandSlotOfButton(k), 0, 0, 192);
    }
    ShowPlacesBox(k, which);
}

void ShowPlacesBox(int k, int which) {
    const SelectLatitudesState& st = gSelectLatitudes;
    const int box = std::abs(which);
    if (box != 1 && box != 2) return;
    const ScreenRect& m = st.mapRect;
    const int mx = (m.left + m.right) / 2;
    const int bottom = st.panelRect.bottom - 15;
    const ScreenRect r = box == 1 ? MakeScreenRect(m.left, m.bottom + 5, mx, bottom)
                                  : MakeScreenRect(mx, m.bottom + 5, m.right, bottom);
    BeginDrawing();
    SetBrushColour(kPlacesFillSlot);
    FillScreenRect(r);
    if (which > 0 && k >= 0 && k < kLatitudeButtons) {
        char latitude[kLatitudeTextSize], heading[kLabelSize];
        if (st.buttonLatitude[k] == 0)
            std::snprintf(latitude, sizeof latitude, "the equator");
        else
            FormatLatitude(st.buttonLatitude[k], latitude, sizeof latitude);
        std::snprintf(heading, sizeof heading, "Places near %s:", latitude);
        const int cx = (r.left + r.right) / 2;
        SelectTextFont(gUi.labelFont);
        SetTextAlignment(1, 1);
        SetPenColour(kPlacesTextSlot);
        DrawTextAt(cx, r.top + 15, heading);
        for (int j = 0; j < kPlacesPerRow; ++j) DrawTextAt(cx, r.top + 40 + 25 * j, PlaceName(k, j));
    }
    EndDrawing();
}

void NormaliseLatitudeSelection() {
    ModelSettings& s = Settings();
    int32_t& first = s.latitude[0];
    int32_t& second = s.latitude[1];
    // Anything off the globe means none.
    if (!Taken(first)) first = kNoLatitude;
    if (!Taken(second) || second == first) second = kNoLatitude;
    if (!Taken(first) && Taken(second)) {
        first = second;
        second = kNoLatitude;
    } else if (Taken(first) && Taken(second)) {
        if (second > first) std::swap(first, second);  // the more northern one first
    } else if (!Taken(first)) {
        first = HomeLatitudeOnGlobe();
    }
}

int RunSelectLatitudesScreen() {
    ResetSelectLatitudes();
    ScreenLoop loop;
    BeginScreenLoop(loop, kOwnScreenId);
    BuildControls(loop);
    AppendNavBar(loop);
    // The arrow keys move the ring from latitude button to latitude button.
    SetArrowFocusGroup(kLatitudeButtonId, kLatitudeButtonId + kLatitudeButtons - 1);
    if (gNavBar.selectLatitudesButton && !gNavBar.selectLatitudesButton->selected)
        ToggleControl(gNavBar.selectLatitudesButton);
    RedrawScreenLoop(loop);
    RestoreSelection();
    DrawOrbitIcon(1);

    int result = kNavStay;
    for (;;) {
        const ScreenEvent e = NextScreenEvent(loop);
        if (e.code == kScreenIdle) {
            DrawOrbitIcon(0);
            PlatformSleep(kIdleDelayMs);
            continue;
        }
        if ((result = ScreenEventEnd(e)) != 0) break;
        if (e.code == kEventLeftDown) {
            result = Click(e);
            if (result != kNavStay) break;
        }
        if (IsDisplayLost()) {
            result = -kOwnScreenId;
            break;
        }
    }
    return Leave(loop, result);
}
