// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit on the headless display at 1024 x 768 with the fixed palette and the shared fonts
// and sprites. Controls: the state each kind leaves after a drawing, labels, round-button
// captions, greyed buttons, panels and their text items; the explanation card. Messages: their
// codes, hit testing, hover and the shared screen loop; pop-up panels and the About panel: what
// they leave behind, how they end; the notice box.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

#include "config/config.h"
#include "graphics/display.h"
#include "graphics/draw.h"
#include "graphics/edit_box.h"
#include "graphics/palette.h"
#include "graphics/present.h"
#include "graphics/picture_draw.h"
#include "graphics/rect.h"
#include "graphics/text.h"
#include "platform/platform.h"
#include "widgets/about.h"
#include "widgets/control.h"
#include "widgets/events.h"
#include "widgets/interaction.h"
#include "widgets/popup.h"
#include "widgets/screen_loop.h"
#include "widgets/text_block.h"
#include "widgets/ui_resources.h"
#include "widgets/widget_state.h"

namespace {

struct WidgetTest : ::testing::Test {
    std::vector<Control*> owned;

    void SetUp() override {
        ResetDisplayState();
        PlatformReset();
        PlatformSelectBackend(PlatformBackend::Headless);
        ResetConfiguration();
        ResetWidgetState();
        ASSERT_EQ(CreateMainDisplay("Heliora", 0, 1024), 1);
        BeginDrawing();
        SetUpFixedPalette();
        ApplyPalette(0, 256);
        EndDrawing();
        ASSERT_TRUE(CreateUiResources());
        Fill(Rect(0, 0, 1024, 768), 26);
    }
    void TearDown() override {
        for (Control* c : owned) DestroyControl(c);
        owned.clear();
        ResetWidgetState();
        ReleaseUiResources();
        ResetTextState();  // fonts are gone: FreeType and fontconfig can go too
        ResetDisplayState();
        PlatformReset();
        ResetConfiguration();
    }

    Control* Own(Control* c) {
        owned.push_back(c);
        return c;
    }
    static void Fill(const ScreenRect& r, int slot) {
        BeginDrawing();
        SetBrushColour(slot);
        FillScreenRect(r);
        EndDrawing();
    }
    static int At(int x, int y) { return gDisplay.canvas.At(x, y); }
    static std::pair<int, int> XY(int x, int y) { return {x, y}; }
    // Each listed pixel {x, y, slot} holds its slot.
    static void ExpectPixels(std::initializer_list<std::array<int, 3>> pixels) {
        for (const auto& p : pixels)
            EXPECT_EQ(At(p[0], p[1]), p[2]) << "at " << p[0] << "," << p[1];
    }

    // The box of pixels of one colour inside r (empty when there are none).
    static DeviceRect Ink(const ScreenRect& r, int colour) {
        DeviceRect b{r.right, r.bottom, r.left, r.top};
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == colour) {
                    b.left = std::min(b.left, x);
                    b.top = std::min(b.top, y);
                    b.right = std::max(b.right, x + 1);
                    b.bottom = std::max(b.bottom, y + 1);
                }
        return b;
    }
    static int Count(const ScreenRect& r, int colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
    // Rows of r holding `colour`, grouped into runs of consecutive rows: one run a text line.
    static std::vector<std::pair<int, int>> InkRows(const ScreenRect& r, int colour) {
        std::vector<std::pair<int, int>> runs;
        for (int y = r.top; y < r.bottom; ++y) {
            bool any = false;
            for (int x = r.left; x < r.right && !any; ++x) any = At(x, y) == colour;
            if (!any) continue;
            if (!runs.empty() && runs.back().second == y)
                runs.back().second = y + 1;
            else
                runs.push_back({y, y + 1});
        }
        return runs;
    }
    // Where a text drawn centred and middle-aligned at (x, y) puts its ink: drawn on a scratch
    // strip at the bottom of the canvas, then cleared again.
    static DeviceRect ReferenceInk(TextFont* font, const char* text, int x, int y) {
        const ScreenRect scratch = Rect(0, 600, 1024, 768);
        Fill(scratch, 26);
        BeginDrawing();
        SelectTextFont(font);
        SetTextAlignment(1, 1);
        SetPenColour(0);
        DrawTextAt(x, 680, text);
        EndDrawing();
        DeviceRect b = Ink(scratch, 0);
        b.top += y - 680;
        b.bottom += y - 680;
        Fill(scratch, 26);
        return b;
    }
    static Message Mouse(MessageKind kind, int x, int y) {
        Message m;
        m.kind = kind;
        m.x = x;
        m.y = y;
        return m;
    }
    static Message Of(MessageKind kind) {
        Message m;
        m.kind = kind;
        return m;
    }
    // The next queued message is of this kind.
    static void ExpectNext(MessageKind kind) {
        Message m;
        ASSERT_TRUE(PollMessage(m));
        EXPECT_EQ(m.kind, kind);
    }
};

// Counts the drawings of the controls it is attached to.
int gDrawCount = 0;
void CountDrawing(Control*) { ++gDrawCount; }

using Controls = WidgetTest;

Control* Make(int kind, int state) {
    Control* c = CreateButton(7, 1, state, Rect(100, 100, 200, 150), "Go", "", nullptr,
                              nullptr, 16, gUi.labelFont);
    c->kind = kind;
    return c;
}

TEST_F(Controls, EachKindLeavesTheStateItsTableGives) {
    struct Case {
        int kind, before, after;
    };
    const Case cases[] = {
        {kPushButton, -2, 2},   {kPushButton, -1, 1},  {kPushButton, 2, 2},
        {kPushButton, 1, 1},    {kSliderTrack, -2, 2}, {kSliderTrack, 2, 2},
        {kRoundButton, -2, 2},  {kRoundButton, 2, -2}, {kRoundButton, -1, 1},
        {kPanel, -2, 2},        {kPanel, 2, -2},       {kValuePanel, -2, 2},
        {kValuePanel, 2, -2},   {kSunkenBox, -2, 2},   {kSunkenBox, 2, -2},
        {kTextLabel, -2, -2},   {kTextLabel, 2, 2},    {kPopupFrame, -1, -1},
        {kTextBar, -2, 2},      {kTextBar, 2, 2},      {kHelpArea, -2, 2},
        {kHelpArea, 2, 2},      {kOpenFrame, -1, 2},   {kOpenFrame, 1, 2},
        {kEntryArea, 2, 2},     {kEntryArea, -2, -2},  {kCustomArea, -2, -2},
        {kEntryArea, 3, 3},     {kPanel, 3, 0},        {kPushButton, 3, 0},
        {kPushButton, 0, 0},
    };
    for (const Case& k : cases) {
        Control* c = Own(Make(k.kind, k.before));
        gDrawCount = 0;
        c->drawCallback = CountDrawing;
        const std::vector<uint8_t> before = gDisplay.canvas.pixels;
        DrawControl(c);
        EXPECT_EQ(c->state, k.after) << "kind " << k.kind << " from state " << k.before;
        // The callback follows every drawing except of hidden controls and hide requests.
        const bool drawn = k.before != 0 && (k.before != 3 || k.kind == kEntryArea);
        EXPECT_EQ(gDrawCount, drawn ? 1 : 0) << "kind " << k.kind << " from " << k.before;
        // Hide requests, hidden controls, help and entry areas paint nothing.
        if (k.before == 0 || k.before == 3 || k.kind == kHelpArea || k.kind == kEntryArea) {
            EXPECT_TRUE(gDisplay.canvas.pixels == before) << "kind " << k.kind << " from "
                                                          << k.before;
        }
    }
    DrawControl(nullptr);  // nothing to draw, nothing to fail
    // Entry areas are clickable from the start.
    EXPECT_EQ(Own(CreateEntryArea(5, 1, Rect(100, 100, 200, 150), "", nullptr))->state, 2);
}

TEST_F(Controls, ActiveButtonFaceBevelsOutlineAndShadow) {
    Control* panel = Own(CreatePanel(0, Rect(50, 50, 400, 300), "", nullptr, 23));
    DrawControl(panel);
    Control* b = Own(CreateButton(5, 1, -2, Rect(50, 50, 150, 100), "Go", "", nullptr, panel, 16,
                                  gUi.labelFont));
    EXPECT_EQ(XY(b->rect.left, b->rect.top), XY(100, 100));  // on its panel
    DrawControl(b);
    EXPECT_EQ(b->state, 2);
    // A black outline; bevels palest to darkest from the left (101..103) and on the right
    // (198); the face c+3; shadows p+1 and p+2 outside the right edge, from three rows down.
    ExpectPixels({{100, 100, 0}, {101, 120, 22}, {102, 120, 21}, {103, 120, 20}, {198, 120, 16},
                  {110, 110, 19}, {200, 120, 24}, {201, 120, 25}, {201, 101, 26}});

    // Selected faces: yellow, or slot 12 for the alternate selection.
    for (auto [selected, face] : {std::pair{1, 14}, {2, 12}}) {
        b->selected = selected;
        b->state = -2;
        DrawControl(b);
        EXPECT_EQ(At(110, 110), face);
    }

    // A positive state redraws only the frame: the face keeps what lies there.
    Fill(Rect(110, 110, 120, 120), 40);
    DrawControl(b);
    ExpectPixels({{112, 112, 40}, {100, 100, 0}});
}

TEST_F(Controls, LabelLinesSitAtTheirFractionsOfTheHeight) {
    struct Case {
        const char* label;
        std::vector<const char*> lines;
        std::vector<int> ys;
    };
    // rect top 100, bottom 220
    const Case cases[] = {
        {"Exit", {"Exit"}, {160}},
        {"Change@Tilt", {"Change", "Tilt"}, {136, 184}},
        {"Delete/Restore@This@Entry", {"Delete/Restore", "This", "Entry"}, {130, 160, 190}},
    };
    for (const Case& k : cases) {
        Fill(Rect(0, 0, 1024, 600), 26);
        Control* b = Own(CreateButton(5, 1, -2, Rect(300, 100, 500, 220), k.label, "", nullptr,
                                      nullptr, 16, gUi.labelFont));
        DrawControl(b);
        const auto runs = InkRows(b->labelRect, 0);
        ASSERT_EQ(runs.size(), k.lines.size()) << k.label;
        for (size_t i = 0; i < runs.size(); ++i) {
            const DeviceRect ref = ReferenceInk(gUi.labelFont, k.lines[i], 400, k.ys[i]);
            EXPECT_EQ(runs[i], XY(ref.top, ref.bottom)) << k.label << " line " << i;
        }
    }
}

TEST_F(Controls, LabelsAreCutToTheirBuffersAndIconBoxesWithoutRoomGetATinyLabelBox) {
    std::string longText(300, 'W');
    Control* b = Own(CreateButton(5, 1, -2, Rect(300, 100, 500, 220), longText.c_str(),
                                  longText.c_str(), nullptr, nullptr, 16, gUi.labelFont));
    EXPECT_EQ(std::strlen(b->label), size_t(kLabelSize - 1));
    EXPECT_EQ(std::strlen(b->help), size_t(kLabelSize - 1));
    DrawControl(b);  // one 127-character line is cut to 40 and drawn, clipped by nothing else
    EXPECT_EQ(b->state, 2);
    SetControlLabel(b, std::string(70, '@').c_str());
    b->state = -2;
    DrawControl(b);  // 128 empty lines: nothing to draw, nothing out of bounds
    EXPECT_EQ(b->state, 2);

    Control* box = Own(CreateButton(810, 1, -2, Rect(990, 10, 1010, 30), "", "",
                                    UiSprite(kSpriteClose), nullptr, 23, gUi.labelFont));
    EXPECT_EQ((std::array<int, 3>{box->labelRect.left, box->labelRect.right, box->labelRect.bottom}),
              (std::array{991, 992, 12}));
    DrawControl(box);
    EXPECT_EQ(box->state, 2);
}

TEST_F(Controls, InactiveButtonIsGreyedWithAnOutlineForItsIcon) {
    Control* panel = Own(CreatePanel(0, Rect(0, 0, 1024, 64), "", nullptr, 23));
    DrawControl(panel);
    const Sprite* icon = UiSprite(kSpriteSaveLogbook);
    Control* b = Own(CreateButton(806, 1, -1, Rect(690, 10, 810, 56), "Save In@Logbook", "", icon,
                                  panel, 16, gUi.smallLabelFont));
    DrawControl(b);
    EXPECT_EQ(b->state, 1);
    const int p2 = 25;
    // A flat frame in p+2, no outline, no bevels; the icon's outline in p+2 (free height
    // 38 - 32 = 6, so it starts 3 rows below top + 4) and inside it face, no icon.
    ExpectPixels({{690, 30, p2}, {809, 30, p2}, {691, 30, 19}, {694, 17, p2}, {725, 17, p2},
                  {694, 48, p2}, {710, 30, 19}});
    EXPECT_EQ(Count(Rect(694, 17, 726, 49), 19) + Count(Rect(694, 17, 726, 49), p2), 32 * 32);
    // The caption is grey, never black.
    EXPECT_GT(Count(b->labelRect, p2), 20);
    EXPECT_EQ(Count(b->labelRect, 0), 0);
    // And it is not clickable.
    Control* list[] = {panel, b};
    EXPECT_EQ(HitTestControls(750, 30, 2, list), panel);

    // Made active, the icon appears and the caption turns black.
    b->state = -2;
    DrawControl(b);
    EXPECT_GT(Count(Rect(694, 17, 726, 49), 19), 0);
    EXPECT_LT(Count(Rect(694, 17, 726, 49), 19), 32 * 32);
    EXPECT_GT(Count(b->labelRect, 0), 20);
    EXPECT_EQ(HitTestControls(750, 30, 2, list), b);
}

// Expects the round button's caption, in its colour (white unless selected), to span what
// `text` centred at (180, 180) spans.
void ExpectCaption(const Control* b, const char* text) {
    const DeviceRect ink = WidgetTest::Ink(b->labelRect, b->selected ? 0 : 255);
    const DeviceRect ref = WidgetTest::ReferenceInk(gUi.labelFont, text, 180, 180);
    EXPECT_EQ(WidgetTest::XY(ink.left, ink.right), WidgetTest::XY(ref.left, ref.right)) << text;
}

TEST_F(Controls, RoundButtonShowsOneCaptionAtATime) {
    Control* panel = Own(CreatePanel(0, Rect(0, 64, 1024, 600), "", nullptr, 23));
    DrawControl(panel);
    Control* b = Own(CreateRoundButton(120, 1, -2, Rect(100, 100, 260, 260), "Pause@Resume", "",
                                       nullptr, nullptr, 44, 37, gUi.labelFont));
    EXPECT_EQ(XY(b->hitRect.left, b->labelRect.left), XY(105, 120));
    EXPECT_EQ(b->colour, 44 + 100 * 37);
    DrawControl(b);
    ExpectCaption(b, "Pause");
    EXPECT_EQ(At(180, 130), 47);  // green label disc

    ToggleControl(b);  // selected: "Resume" in black on the red disc
    EXPECT_EQ(b->selected, 1);
    ExpectCaption(b, "Resume");
    EXPECT_EQ(At(180, 130), 40);
    EXPECT_EQ(Count(b->labelRect, 255), 0);

    // A label without '@' reads the same in both states.
    SetControlLabel(b, "Go");
    b->state = -2;
    DrawControl(b);
    ExpectCaption(b, "Go");

    // Inactive: a flat grey disc in its outline, without caption, that takes no clicks.
    b->state = -1;
    DrawControl(b);
    EXPECT_EQ(b->state, 1);
    ExpectPixels({{180, 180, 19}, {180, 100, 8}});
    EXPECT_EQ(Count(b->labelRect, 255), 0);
    Control* list[] = {b};
    EXPECT_EQ(HitTestControls(180, 180, 1, list), nullptr);
}

TEST_F(Controls, BangLabelShowsBothLinesTwentyTwoApart) {
    Control* b = Own(CreateRoundButton(801, 1, -2, Rect(100, 100, 300, 300), "!Watch the@Seasons",
                                       "", nullptr, nullptr, 16, 16, gUi.labelFont));
    DrawControl(b);
    const auto runs = InkRows(b->labelRect, 255);
    ASSERT_EQ(runs.size(), 2u);
    const DeviceRect a = ReferenceInk(gUi.labelFont, "Watch the", 200, 200 - 12);
    const DeviceRect s = ReferenceInk(gUi.labelFont, "Seasons", 200, 200 + 10);
    EXPECT_EQ(runs[0].first, a.top);
    EXPECT_EQ(runs[1].first, s.top);
    EXPECT_EQ((s.top - (200 + 10)) - (a.top - (200 - 12)) + 22, runs[1].first - runs[0].first);
    // Selected, both lines still show (in black).
    ToggleControl(b);
    EXPECT_EQ(InkRows(b->labelRect, 0).size(), 2u);
}

TEST_F(Controls, PanelTextItemsValuePanelsAndTextBars) {
    Control* panel = Own(CreatePanel(0, Rect(100, 100, 400, 300), "", nullptr, 30));
    const TextItem* item = AddPanelText(panel, 10, 20, Rect(0, 0, 0, 0), 0, 0, "Tilt", gUi.labelFont,
                                        0, 33);
    EXPECT_EQ(XY(item->x, item->y), XY(110, 120));  // stored absolute
    DrawControl(panel);
    EXPECT_EQ(At(300, 250), 33);  // face colour+3
    EXPECT_GT(Count(Rect(110, 120, 160, 145), 0), 10);

    Control* values = Own(CreateValuePanel(1, Rect(500, 100, 700, 300), "", panel));
    TextItem* v1 = AddPanelText(values, 600, 150, Rect(520, 120, 680, 180), 1, 1, "23.5",
                                gUi.labelFont, 0, 40);
    AddPanelText(values, 600, 250, Rect(520, 220, 680, 280), 1, 1, "North@Pole", gUi.labelFont, 0,
                 41);
    EXPECT_EQ(v1->x, 600);  // value panels keep their items' coordinates
    DrawControl(values);
    EXPECT_EQ(values->state, 2);
    EXPECT_EQ(At(521, 121), 40);
    EXPECT_EQ(InkRows(Rect(520, 220, 680, 280), 0).size(), 2u);  // split at '@'

    SetValueTextAt(values, 600, 150, "66.5");
    EXPECT_STREQ(v1->text, "66.5");
    SetValueTextAt(values, 601, 150, "0.0");  // no item there
    EXPECT_STREQ(v1->text, "66.5");
    SetValueText(v1, "");  // an empty text keeps the old one and redraws it
    EXPECT_STREQ(v1->text, "66.5");

    // A text bar shows its text in its pen colour; an empty text clears it.
    Control* bar = Own(CreateTextBar(1, Rect(120, 742, 1024, 764), "", nullptr, gUi.labelFont, 26, 0,
                                     "This tells you"));
    DrawControl(bar);
    EXPECT_EQ(bar->state, 2);
    EXPECT_GT(Count(bar->rect, 0), 20);
    SetHelpLineText(bar, "");
    EXPECT_EQ(Count(bar->rect, 0), 0);
}

TEST_F(Controls, SliderOpenFrameAndSunkenBox) {
    Control* slider = Own(CreateButton(130, 1, -2, Rect(100, 100, 400, 140), "", "", nullptr, nullptr,
                                       16, nullptr));
    slider->kind = kSliderTrack;
    MakeRect(slider->hitRect, 200, 104, 220, 136);
    const int32_t ticks = 4;
    std::memcpy(slider->label, &ticks, sizeof ticks);
    slider->labelX = 1;
    DrawControl(slider);
    // The track's black middle, the first and last ticks 12 in from the ends, the knob's face
    // and outline.
    ExpectPixels({{150, 120, 0}, {112, 109, 0}, {388, 109, 0}, {210, 120, 19}, {200, 120, 0}});

    Control* frame = Own(Make(kOpenFrame, -2));
    frame->selected = 0;  // left side open
    DrawControl(frame);
    // The top edge in p, the open left one filled p+2, the right one in p+6.
    ExpectPixels({{150, 100, 23}, {100, 125, 25}, {199, 125, 29}});

    Control* box = Own(Make(kSunkenBox, -2));
    box->colour = 30;
    DrawControl(box);
    ExpectPixels({{100, 125, 30}, {199, 125, 36}, {150, 125, 32}});  // dark left, pale right, pen
}

TEST_F(Controls, BevelAndMessageBoxesWhoseRequestsCycleTheirFill) {
    BeginDrawing();
    DrawBevel(Rect(10, 10, 20, 20), 1, 5, 6);
    ExpectPixels({{11, 15, 5}, {15, 11, 5}, {18, 15, 6}, {15, 18, 6}, {10, 15, 26}});
    SelectTextFont(gUi.labelFont);
    DrawMessageBox(112, 512, 400, 0, 14, "So:", "one", "two");  // width (512 - 112) * 2
    EndDrawing();
    // Filled, with a frame one pixel outside: white on the left, black on the right.
    ExpectPixels({{113, 400, 14}, {111, 400, 255}, {912, 400, 0}, {110, 400, 26}});
    EXPECT_GT(Count(Rect(132, 360, 200, 380), 0), 5);  // first line at left + 20

    // Requests cycle their fill; a request without texts draws nothing.
    int counter = 1;
    std::vector<int> fills;
    BeginDrawing();
    for (int i = 0; i < 6; ++i) {
        fills.push_back(counter);
        RequestMessageBox(counter, 112, 512, 400, 0, "So:", "one", "two");
        EXPECT_EQ(At(113, 400), fills.back());
    }
    RequestMessageBox(counter, 112, 512, 400, 0, nullptr, nullptr, nullptr);
    EndDrawing();
    EXPECT_EQ(fills, (std::vector<int>{1, 3, 5, 2, 4, 1}));
    EXPECT_EQ(At(113, 400), 1);  // the last box stays
    EXPECT_EQ(counter, 5);       // yet the empty request moved the counter on
}

struct TextBlockTest : WidgetTest {
    TextBlockFonts fonts;
    void SetUp() override {
        WidgetTest::SetUp();
        ASSERT_TRUE(CreateTextBlockFonts(fonts));
    }
    void TearDown() override {
        ReleaseTextBlockFonts(fonts);
        WidgetTest::TearDown();
    }
};

TEST_F(TextBlockTest, RowsBreakAtTheLastBlankThatFits) {
    SelectTextFont(fonts.body);
    const int word = TextWidth("alpha");
    const int two = TextWidth("alpha beta");
    struct Case {
        const char* text;
        int width, rows, secondStart;  // -1: one row only
    } cases[] = {
        {"", 100, 1, -1},
        {"alpha beta", two, 1, -1},
        {"alpha beta", two - 1, 2, 6},
        {"alpha   beta", word + 2, 2, 8},  // the blanks between rows are dropped
        {"alpha beta gamma", two + 2, 2, 11},
        {"alphabetagamma", word, 1, -1},   // a word too long for the row keeps its row
    };
    for (const Case& c : cases) {
        int starts[4] = {-1, -1, -1, -1};
        EXPECT_EQ(WrapTextRows(c.text, c.width, fonts.body, starts, 4), c.rows) << c.text;
        EXPECT_EQ(starts[0], 0) << c.text;
        EXPECT_EQ(starts[1], c.secondStart) << c.text;
    }
    EXPECT_EQ(WrapTextRows(nullptr, 100, fonts.body, nullptr, 0), 0);
}

TEST_F(TextBlockTest, StylesCycleThroughFiveAccentsAndANewCardCoversTheOld) {
    int style = 1;
    for (int next : {3, 5, 2, 4, 1}) EXPECT_EQ(style = NextTextBlockStyle(style), next);
    EXPECT_EQ(NextTextBlockStyle(0), 3);  // out of range counts as 1

    const ScreenRect card = Rect(40, 100, 552, 100 + TextBlockHeight(fonts, 2));
    const char* longLines[] = {"a first line that is long enough", "and a second"};
    const char* shortLines[] = {"x", ""};
    BeginDrawing();
    EXPECT_EQ(DrawTextBlock(card, 255, 16, 1, fonts, "Heading:", longLines, 2), 3);
    EXPECT_EQ(DrawTextBlock(card, 255, 16, 3, fonts, "H", shortLines, 2), 3);
    EndDrawing();
    // The frame lies outside the card.
    ExpectPixels({{42, 110, TextBlockAccentSlot(3)}, {card.left - 1, card.top - 1, 255},
                  {card.right, card.bottom, 0}});
    // Only the short texts' ink is left: nothing of the long line shows right of them.
    EXPECT_EQ(Count(Rect(120, card.top, card.right, card.bottom), 255), 0);
}

using Events = WidgetTest;

TEST_F(Events, MessagesBecomeTheirCodes) {
    struct Case {
        MessageKind kind;
        int code;
    };
    const Case cases[] = {
        {MessageKind::LeftDown, 0},     {MessageKind::RightDown, 1}, {MessageKind::MouseMove, 2},
        {MessageKind::CloseRequest, 3}, {MessageKind::Disable, 4},   {MessageKind::Enable, 5},
        {MessageKind::Hide, 6},         {MessageKind::Show, 7},      {MessageKind::SysKeyDown, 10},
        {MessageKind::SysKeyUp, 10},    {MessageKind::SysClose, 10}, {MessageKind::LeftUp, 12},
        {MessageKind::KeyDown, 999},    {MessageKind::Character, 999}, {MessageKind::Other, 999},
    };
    for (const Case& k : cases) EXPECT_EQ(ClassifyMessage(Of(k.kind)), k.code) << int(k.kind);

    Message child = Of(MessageKind::KeyDown);
    child.target = MessageTarget::EditBox;
    child.key = KeyEnter;
    EXPECT_EQ(ClassifyMessage(child), 11);
    child.key = 'A';
    EXPECT_EQ(ClassifyMessage(child), 999);
    child.kind = MessageKind::LeftDown;
    EXPECT_EQ(ClassifyMessage(child), 10);

    EXPECT_TRUE(IsWindowClosing(Of(MessageKind::CloseRequest)));
    EXPECT_TRUE(IsWindowClosing(Of(MessageKind::Destroy)));
    EXPECT_FALSE(IsWindowClosing(Of(MessageKind::SysClose)));
}

// Closing the window while it is an icon: the minimise_restore replay.
TEST_F(Events, MinimisedWindowWaitsForRestore) {
    // Everything but the restore is dropped while the window is an icon.
    HeadlessPushMessage(Of(MessageKind::SysMinimise));
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 10, 10));
    HeadlessPushMessage(Of(MessageKind::SysRestore));
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 5, 5));
    Message m;
    ASSERT_TRUE(PollMessage(m));
    DispatchMessage(m);
    EXPECT_EQ(ClassifyMessage(m), kEventRestored);
    EXPECT_EQ(IsDisplayLost(), 0);  // the picture is only shown again: nothing was lost
    ExpectNext(MessageKind::MouseMove);

    // A script that ends while minimised gives the quit message, which is kept for the
    // outermost loop rather than swallowed.
    HeadlessPushMessage(Of(MessageKind::SysMinimise));
    ASSERT_TRUE(PollMessage(m));
    EXPECT_EQ(ClassifyMessage(m), kEventOther);
    ExpectNext(MessageKind::Quit);
}

std::vector<MessageKind> gHandled;
void Procedure(const Message& m) { gHandled.push_back(m.kind); }

TEST_F(Events, DispatchHandsMessagesToTheWindowProcedure) {
    gHandled.clear();
    SetWindowProcedure(Procedure);
    DispatchMessage(Mouse(MessageKind::MouseMove, 1, 1));
    DispatchMessage(Of(MessageKind::SysKeyDown));  // dropped
    DispatchMessage(Of(MessageKind::CloseRequest));
    ASSERT_EQ(gHandled.size(), 2u);
    EXPECT_EQ(gHandled[1], MessageKind::CloseRequest);
    // The default procedure re-applies the cursor on moves and closes on a close request.
    SetWindowProcedure(nullptr);
    SetCursorShape(2);
    gPlatform.cursorSlot = 1;
    DispatchMessage(Mouse(MessageKind::MouseMove, 1, 1));
    EXPECT_EQ(gPlatform.cursorSlot, 2);
    DispatchMessage(Of(MessageKind::CloseRequest));
    ExpectNext(MessageKind::Destroy);

    // Messages for an edit box go to the box, not to the window.
    gHandled.clear();
    SetWindowProcedure(Procedure);
    EditBox box;
    ASSERT_EQ(CreateEditBox(box, 0, Rect(100, 100, 300, 130)), 1);
    Message typed = Of(MessageKind::Character);
    typed.character = 'a';
    typed.target = MessageTarget::EditBox;
    typed.childId = int(box.childId);
    DispatchMessage(typed);
    EXPECT_EQ(EditText(box), "a");
    EXPECT_TRUE(gHandled.empty());
    DestroyEditBox(box);
    ResetEditBoxes();
}

TEST_F(Events, HitTestPrefersTheHigherLayerThenTheEarlierControl) {
    Control* low = Own(CreateHotspot(1, Rect(100, 100, 300, 300), "low", nullptr));
    Control* high = Own(CreateHotspot(2, Rect(200, 200, 400, 400), "high", nullptr));
    Control* twin = Own(CreateHotspot(2, Rect(200, 200, 400, 400), "twin", nullptr));
    Control* deep = Own(CreateHotspot(-2, Rect(0, 0, 1024, 768), "deep", nullptr));
    Control* minus1 = Own(CreateHotspot(-1, Rect(0, 0, 50, 50), "minus one", nullptr));
    Control* list[] = {low, twin, high, deep, minus1};
    for (Control* c : list) c->state = kStateActive;
    // Layer 2 first in the array wins; layer -2 never; left and top edges belong to the
    // control, right and bottom do not.
    const struct {
        int x, y, count;
        Control* hit;
    } cases[] = {{250, 250, 5, twin}, {150, 150, 5, low},     {350, 350, 5, twin},
                 {10, 10, 5, minus1}, {600, 600, 5, nullptr}, {100, 100, 1, low},
                 {300, 150, 1, nullptr}};
    for (const auto& c : cases) EXPECT_EQ(HitTestControls(c.x, c.y, c.count, list), c.hit) << c.x;
    // Only active controls are hit: not inactive, hidden or draw requests.
    twin->state = kStateInactive;
    high->state = kStateRedrawActive;
    EXPECT_EQ(HitTestControls(250, 250, 5, list), low);
    EXPECT_EQ(HitTestControls(250, 250, 0, list), nullptr);
    EXPECT_EQ(HitTestControls(250, 250, 5, nullptr), nullptr);
}

// A screen with a panel, two buttons on it, a help area, and a help line of its own.
struct LoopTest : WidgetTest {
    ScreenLoop loop;
    Control* panel = nullptr;
    Control* go = nullptr;
    Control* stay = nullptr;
    Control* help = nullptr;

    void SetUp() override {
        WidgetTest::SetUp();
        Control* line = Own(CreateTextBar(1, Rect(120, 742, 1024, 764), "", nullptr, gUi.labelFont,
                                          26, 0, "start"));
        SetHelpLine(line);
        DrawControl(line);
        BeginScreenLoop(loop, 13);
        panel = CreatePanel(0, Rect(0, 0, 1024, 738), "the panel", nullptr, 23);
        go = CreateButton(101, 1, -2, Rect(100, 100, 300, 160), "Go@There", "go help", nullptr,
                          panel, 16, gUi.labelFont);
        stay = CreateButton(102, 1, -2, Rect(400, 100, 600, 160), "Stay", "stay help", nullptr,
                            panel, 16, gUi.labelFont);
        help = CreateHotspot(1, Rect(700, 100, 900, 160), "area help", panel);
        for (Control* c : {panel, go, stay, help}) ASSERT_TRUE(AddScreenControl(loop, c));
        RedrawScreenLoop(loop);
    }
    void TearDown() override {
        EndScreenLoop(loop);
        WidgetTest::TearDown();
    }
    ScreenEvent Step(const Message& m) {
        HeadlessPushMessage(m);
        return NextScreenEvent(loop);
    }
};

// The help lines of a first control reached, a button and the bar behind it, the highlight,
// and that moving within a button draws nothing: the widgets_hover replay.
TEST_F(LoopTest, ControlsAreDrawnLayerByLayerAndHoverMovesTheCursorAndHelpLine) {
    EXPECT_EQ(loop.layers, 2);
    for (Control* c : {panel, go, stay, help}) EXPECT_EQ(c->state, kStateActive);
    EXPECT_EQ(At(110, 150), 19);  // go's face, drawn over the panel
    EXPECT_EQ(CurrentCursorShape(), 1);
    EXPECT_EQ(NextScreenEvent(loop).code, kScreenIdle);
    // The first control reached: nothing to un-highlight, the normal cursor.
    Step(Mouse(MessageKind::MouseMove, 50, 400));
    EXPECT_EQ(CurrentCursorShape(), 1);
    ScreenEvent e = Step(Mouse(MessageKind::MouseMove, 120, 130));
    EXPECT_EQ(e.code, kEventMouseMove);
    EXPECT_EQ(e.hit, go);
    EXPECT_EQ(CurrentCursorShape(), 3);
    // Onto the panel behind: the normal cursor returns.
    Step(Mouse(MessageKind::MouseMove, 350, 130));
    EXPECT_EQ(CurrentCursorShape(), 1);
    // A help area gives its help and the normal cursor; where no control lies, it stays.
    Step(Mouse(MessageKind::MouseMove, 800, 130));
    EXPECT_STREQ(HelpLine()->label, "area help");
    EXPECT_EQ(CurrentCursorShape(), 1);
    Step(Mouse(MessageKind::MouseMove, 800, 750));
    EXPECT_STREQ(HelpLine()->label, "area help");
}

TEST_F(LoopTest, ClicksPressOnlyActiveUnselectedPushButtons) {
    const int before = At(150, 110);
    Control* round = CreateRoundButton(103, 1, -2, Rect(300, 300, 400, 400), "A@B", "", nullptr,
                                       panel, 44, 37, gUi.labelFont);
    AddScreenControl(loop, round);
    DrawControl(round);
    const int roundBefore = At(330, 330);
    PressFeedback(round);
    EXPECT_EQ(At(330, 330), roundBefore);
    // A click at (x, y) hits `hit` and presses `pressed`.
    auto click = [&](int x, int y, Control* hit, Control* pressed) {
        const ScreenEvent e = Step(Mouse(MessageKind::LeftDown, x, y));
        EXPECT_EQ(e.code, kEventLeftDown);
        EXPECT_TRUE(e.hit == hit && e.pressed == pressed) << x << "," << y;
    };
    click(150, 130, go, go);
    EXPECT_EQ(At(150, 110), before);  // the press animation leaves the picture as it was
    EXPECT_EQ(At(100, 100), 0);
    ToggleControl(stay);  // selected, as a screen marks its own NavBar button
    click(450, 130, stay, nullptr);
    click(800, 130, help, nullptr);
    go->state = kStateInactive;
    click(150, 130, panel, nullptr);
}

TEST_F(LoopTest, SharedControlsAreDrawnButNotFreed) {
    Control* bar = Own(CreatePanel(0, Rect(0, 0, 1024, 64), "bar", nullptr, 23));
    Control* exitButton = Own(CreateButton(807, 1, -2, Rect(10, 10, 90, 56), "Exit", "", nullptr,
                                           bar, 16, gUi.smallLabelFont));
    Control* nav[] = {bar, exitButton};
    ASSERT_TRUE(AppendSharedControls(loop, nav, 2, 2));
    Control* late = CreateHotspot(0, Rect(0, 0, 1, 1), "", nullptr);
    EXPECT_FALSE(AddScreenControl(loop, late));  // a screen's own controls come first
    DestroyControl(late);
    RedrawScreenLoop(loop);
    EXPECT_EQ(exitButton->state, kStateActive);
    ScreenEvent e = Step(Mouse(MessageKind::LeftDown, 50, 30));
    EXPECT_EQ(e.pressed, exitButton);
    EXPECT_EQ(SharedClickResult(e.pressed->id, 13), 2001);
    // Without an About panel there is nothing to open. (Where every other shared button
    // leads: the navbar_buttons, minimise_restore and about_panel replays.)
    EXPECT_EQ(SharedClickResult(1, 13), kNavStay);
    EndScreenLoop(loop);
    EXPECT_EQ(loop.count, 0);
    EXPECT_EQ(exitButton->state, kStateActive);  // still alive, owned by the test
}

TEST_F(Events, DestroyingScreenControlsFreesEveryLayer) {
    Control* list[4] = {
        CreateHotspot(0, Rect(0, 0, 10, 10), "", nullptr),
        CreateHotspot(3, Rect(0, 0, 10, 10), "", nullptr),
        CreateHotspot(-1, Rect(0, 0, 10, 10), "", nullptr),  // outside the layers given
        nullptr,
    };
    const std::vector<uint8_t> before = gDisplay.canvas.pixels;
    DestroyScreenControls(4, list, 2);
    for (Control* c : list) EXPECT_EQ(c, nullptr);
    EXPECT_EQ(gDisplay.canvas.pixels, before);  // hiding paints nothing
}

TEST_F(Events, CursorConfinementFocusAndIdleClock) {
    for (int shape : {3, 21, -1}) SetCursorShape(shape);  // the last two are ignored
    EXPECT_EQ(XY(CurrentCursorShape(), gPlatform.cursorSlot), XY(3, 3));

    ConfinePointer(362, 186, 662, 586);
    EXPECT_TRUE(gPlatform.confined);
    EXPECT_EQ(gPlatform.confineLeft, 362);
    ConfinePointer(0, 0, 1024, 768);  // the whole screen: free
    EXPECT_FALSE(gPlatform.confined);
    ConfinePointer(362, 186, 662, 586);
    ConfinePointer(-1, 0, 0, 0);  // let go
    EXPECT_FALSE(gPlatform.confined);

    PlatformAddChild(ChildArea{7, 0, 0, 10, 10});
    PlatformSetKeyboardFocus(7);
    TakeFocus(1);
    EXPECT_EQ(PlatformKeyboardFocus(), 0);
    TakeFocus(0);
    EXPECT_EQ(PlatformKeyboardFocus(), 7);

    gConfig.record.idleTimeoutEnabled = 1;
    gConfig.record.idleTimeoutSeconds = 60;
    RestartIdleClock();
    HeadlessAdvanceClock(60 * 1000);
    EXPECT_FALSE(IdleTimedOut());
    HeadlessAdvanceClock(1000);
    EXPECT_TRUE(IdleTimedOut());
    gConfig.record.idleTimeoutEnabled = 0;
    EXPECT_FALSE(IdleTimedOut());
}

struct Popup : WidgetTest {
    void SetUp() override {
        WidgetTest::SetUp();
        // A striped screen, so a restore that misses a part shows.
        for (int y = 0; y < 768; y += 8) Fill(Rect(0, y, 1024, y + 4), 40);
        ASSERT_TRUE(CreateAboutPanel());
        Control* line = Own(CreateTextBar(1, Rect(120, 742, 1024, 764), "", nullptr, gUi.labelFont,
                                          26, 0, ""));
        SetHelpLine(line);
    }
    static int Stripe(int y) { return (y % 8) < 4 ? 40 : 26; }
    // The striped picture under the About panel is back.
    void ExpectScreenRestored() {
        for (int y : {186, 200, 404, 521, 585})
            for (int x : {362, 400, 512, 661}) EXPECT_EQ(At(x, y), Stripe(y)) << x << "," << y;
    }
};

TEST_F(Popup, DoneClosesAtOnceAndPutsTheScreenBack) {
    Control* done = AboutDoneButton();
    gDrawCount = 0;
    done->drawCallback = CountDrawing;
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 400, 300));  // over the panel
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 500, 540));  // over "Done"
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 510, 545));
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 510, 545));
    EXPECT_EQ(RunAboutPanel(), 1);
    EXPECT_EQ(gDrawCount, 1);  // drawn on opening only: no highlight of the choice
    EXPECT_EQ(XY(done->state, done->selected), XY(kStateInactive, 0));
    ExpectScreenRestored();
    EXPECT_FALSE(gPlatform.confined || gPlatform.captured);
}

TEST_F(Popup, OtherButtonsShowTheChoiceAndKeepTheirSelection) {
    Control* panel = AboutPanel();
    Control* yes = Own(CreateButton(140, 1, 1, Rect(20, 335, 120, 385), "Yes", "", nullptr, panel,
                                    16, gUi.labelFont));
    Control* no = Own(CreateButton(141, 1, 1, Rect(180, 335, 280, 385), "No", "", nullptr, panel, 16,
                                   gUi.labelFont));
    Control* both[] = {yes, no};
    gDrawCount = 0;
    yes->drawCallback = CountDrawing;
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 400, 540));
    EXPECT_EQ(RunPopupPanel(panel, 2, both), 140);
    EXPECT_EQ(gDrawCount, 2);  // opened, then shown chosen
    EXPECT_EQ(yes->selected, 0);  // so it can be chosen again next time
    ExpectScreenRestored();
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 400, 540));
    EXPECT_EQ(RunPopupPanel(panel, 2, both), 140);
}

TEST_F(Popup, IdleTimeOutEndsAnUntouchedPanel) {
    gConfig.record.idleTimeoutEnabled = 1;
    gConfig.record.idleTimeoutSeconds = 60;
    HeadlessAdvanceClock(3600 * 1000);  // long on the screens before: the clock starts afresh
    const uint64_t opened = PlatformTicks();
    HeadlessPushMessage(Mouse(MessageKind::MouseMove, 400, 300));
    EXPECT_EQ(RunAboutPanel(), kPopupTimedOut);
    EXPECT_GT(PlatformTicks() - opened, 60u * 1000u);
    ExpectScreenRestored();
}

TEST_F(Popup, DisplayLossAndClosingEndThePanelAtOnce) {
    HeadlessLoseDisplay();
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 510, 545));
    EXPECT_EQ(RunAboutPanel(), kPopupDisplayLost);
    // The pointer and keyboard are given back even though nothing is restored.
    EXPECT_FALSE(gPlatform.confined || gPlatform.captured);
    EXPECT_EQ(AboutDoneButton()->state, kStateInactive);
    ExpectNext(MessageKind::LeftDown);  // the click after the loss is left for the screen

    HeadlessPushMessage(Of(MessageKind::CloseRequest));
    EXPECT_EQ(RunAboutPanel(), kPopupWindowClosing);
    EXPECT_EQ(gWidgets.lastMessage.kind, MessageKind::CloseRequest);

    // With no time-out and nothing more to come, the panel ends instead of waiting for ever.
    EXPECT_EQ(RunAboutPanel(), kPopupWindowClosing);
}

TEST_F(Popup, PanelsLargerThanTheSharedBufferAreRestoredWhole) {
    Control* big = Own(CreatePopupPanel(0, 0, Rect(100, 100, 900, 700), "big", nullptr, 23));
    Control* ok = Own(CreateButton(150, 1, 1, Rect(350, 500, 450, 550), "Done", "", nullptr, big, 16,
                                   gUi.labelFont));
    Control* list[] = {ok};
    HeadlessPushMessage(Mouse(MessageKind::LeftDown, 500, 620));
    EXPECT_EQ(RunPopupPanel(big, 1, list), 150);
    for (int y : {100, 404, 699})
        for (int x : {100, 650, 899}) EXPECT_EQ(At(x, y), Stripe(y)) << x << "," << y;
}

TEST_F(Popup, VersionTextsAndOneAboutPanel) {
    char text[64];
    for (auto [version, want] :
         {std::pair<const char*, const char*>{"1.1h", "Version 1.1h"}, {"0.9", "Version 0.9 (beta)"},
          {"X3", "Version X3 (alpha)"}, {nullptr, "Version "}}) {
        FormatVersionText(version, text, sizeof text);
        EXPECT_STREQ(text, want);
    }
    EXPECT_FALSE(CreateAboutPanel());  // made once
}

TEST_F(Popup, NoticeComesAndGoesLeavingNothingBehind) {
    const ScreenRect box = Rect(272, 300, 752, 400);
    const char* text = "Only two latitudes can be selected at the same time.@ @Turn off one.";
    ShowNotice(box, text, gUi.headingFont, 1);
    EXPECT_TRUE(NoticeShown());
    ExpectPixels({{280, 310, 4}, {760, 410, 0}});  // the face and the shadow
    EXPECT_GT(Count(Rect(272, 300, 752, 340), 14), 50);
    // The long first line widens the box: its bevel stays whole and the text clear of it.
    int left = 200;
    while (left < 272 && At(left, 350) != 12) ++left;
    EXPECT_LT(left, 266);
    for (int y = 300; y < 400; ++y)
        for (int x = left - 2; x < left + 3; ++x) ASSERT_NE(At(x, y), 14) << x << "," << y;
    ShowNotice(box, "again", gUi.headingFont, 1);  // already shown: no second notice
    ShowNotice(box, nullptr, nullptr, 0);
    EXPECT_FALSE(NoticeShown());
    for (int y = 290; y < 430; ++y)
        for (int x = 200; x < 830; x += 3) ASSERT_EQ(At(x, y), Stripe(y)) << x << "," << y;
    ShowNotice(box, nullptr, nullptr, 0);  // nothing to take away
}

TEST_F(WidgetTest, SmallDisplayUsesTheSmallSheetAndItsOwnSpriteTable) {
    ReleaseUiResources();
    ResetDisplayState();
    PlatformReset();
    PlatformSelectBackend(PlatformBackend::Headless);
    ASSERT_EQ(CreateMainDisplay("Heliora", 0, 800), 1);
    EXPECT_EQ(gPlatform.windowIconWidth, 0);
    ASSERT_TRUE(CreateUiResources());
    EXPECT_EQ(gPlatform.windowIconWidth, 32);  // the window shows the program's icon
    ASSERT_NE(gUi.spriteSheet.surface, nullptr);
    EXPECT_EQ(XY(gUi.spriteSheet.surface->width, gUi.spriteSheet.surface->height), XY(144, 126));
    EXPECT_EQ(XY(UiSprite(kSpriteDone)->width, UiSprite(kSpriteRounder)->x), XY(28, 117));
    EXPECT_EQ(UiSprite(SpriteId(kSpriteCount)), nullptr);
}

}  // namespace
